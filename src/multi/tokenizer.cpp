#include "multi/tokenizer.h"

#include <cstddef>
#include <cstring>

#include "tqdms/ntcip.h"

namespace dms {
namespace multi {

namespace {

// Without a branch: tag letters are of either case at random.
inline char lower(char c) {
    return static_cast<char>(c | (static_cast<unsigned char>(c - 'A') < 26 ? 0x20 : 0));
}
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline int hexDigit(char c) {
    if (isDigit(c)) return c - '0';
    c = lower(c);
    return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
}

// The reading point inside one tag. A reader that refuses leaves p at the
// byte it refuses (the end of the text when the tag is cut short).
struct Cursor {
    const char* p;
    const char* end;
    const char* text;  // where positions count from

    char peek() const { return p < end ? *p : '\0'; }
    bool take(char c) {  // c in lower case
        if (p == end || lower(*p) != c) return false;
        ++p;
        return true;
    }
};

constexpr int kMaxDigits = 5;

// Numbers are most of a tag: the two number readers are inlined into every
// value reader (measured: about a tenth of the tokenizer's time).
#if defined(__GNUC__)
#define DMS_TOKEN_INLINE __attribute__((always_inline)) inline
#else
#define DMS_TOKEN_INLINE inline
#endif

// 1 to 5 decimal digits with a value in [min, max]. A value out of range
// or too long is refused at its first digit.
DMS_TOKEN_INLINE bool number(Cursor& c, int32_t min, int32_t max, int32_t& out) {
    const char* p = c.p;
    const char* limit = c.end - p > kMaxDigits ? p + kMaxDigits + 1 : c.end;
    int32_t v = 0;
    while (p < limit && isDigit(*p)) v = v * 10 + (*p++ - '0');
    const long n = p - c.p;
    if (n == 0 || n > kMaxDigits || v < min || v > max) return false;
    out = v;
    c.p = p;
    return true;
}

// A number that may be left out (-1 then).
DMS_TOKEN_INLINE bool optionalNumber(Cursor& c, int32_t max, int32_t& out) {
    out = -1;
    return !isDigit(c.peek()) || number(c, 0, max, out);
}

// minDigits to maxDigits hex digits. Too many are refused at the first
// digit, too few where the digits stop.
bool hex(Cursor& c, int minDigits, int maxDigits, int32_t& out) {
    const char* p = c.p;
    int32_t v = 0;
    int n = 0;
    for (int d; p < c.end && n <= maxDigits && (d = hexDigit(*p)) >= 0; ++p, ++n) v = v * 16 + d;
    if (n == 0 || n > maxDigits) return false;
    if (n < minDigits) {
        c.p = p;
        return false;
    }
    out = v;
    c.p = p;
    return true;
}

// A separator or the closing bracket: compared as is.
bool punct(Cursor& c, char ch) {
    if (c.p == c.end || *c.p != ch) return false;
    ++c.p;
    return true;
}
bool comma(Cursor& c) { return punct(c, ','); }

// --- one reader per value form ----------------------------------------------

// Colour index (0..255) or red,green,blue; empty for the default colour
// when allowDefault.
bool readColor(Cursor& c, ColorValue& v, bool allowDefault) {
    v = ColorValue{ColorForm::Default, 0, 0, 0, 0};
    if (allowDefault && c.peek() == ']') return true;
    int32_t a, g, b;
    if (!number(c, 0, 255, a)) return false;
    if (!comma(c)) {
        v.form = ColorForm::Index;
        v.index = static_cast<uint8_t>(a);
        return true;
    }
    if (!number(c, 0, 255, g) || !comma(c) || !number(c, 0, 255, b)) return false;
    v.form = ColorForm::Rgb;
    v.red = static_cast<uint8_t>(a);
    v.green = static_cast<uint8_t>(g);
    v.blue = static_cast<uint8_t>(b);
    return true;
}

bool readRect(Cursor& c, RectValue& r) {
    int32_t x, y, w, h;
    if (!number(c, 1, 65535, x) || !comma(c) || !number(c, 1, 65535, y) || !comma(c) || !number(c, 0, 65535, w) ||
        !comma(c) || !number(c, 0, 65535, h))
        return false;
    r = RectValue{static_cast<uint16_t>(x), static_cast<uint16_t>(y), static_cast<uint16_t>(w),
                  static_cast<uint16_t>(h)};
    return true;
}

bool readNothing(Cursor&, Token&) { return true; }
bool readColorTag(Cursor& c, Token& t) { return readColor(c, t.color, true); }
bool readTextRect(Cursor& c, Token& t) { return readRect(c, t.rect); }

bool readColorRect(Cursor& c, Token& t) {
    return readRect(c, t.colorRect.rect) && comma(c) && readColor(c, t.colorRect.color, false);
}

bool readField(Cursor& c, Token& t) {  // field id 1..99, width 0..99
    t.field.width = -1;
    return number(c, 1, 99, t.field.id) && (!comma(c) || number(c, 0, 99, t.field.width));
}

// t and o in either order, each with an optional time of 0..99 tenths.
bool readFlash(Cursor& c, Token& t) {
    FlashValue& f = t.flash;
    f = FlashValue{-1, -1, false};
    if (c.peek() == ']') return true;
    f.offFirst = lower(c.peek()) == 'o';
    int32_t& first = f.offFirst ? f.off : f.on;
    int32_t& second = f.offFirst ? f.on : f.off;
    if (!c.take(f.offFirst ? 'o' : 't') || !optionalNumber(c, 99, first)) return false;
    return !c.take(f.offFirst ? 't' : 'o') || optionalNumber(c, 99, second);
}

bool readFont(Cursor& c, Token& t) {  // font 1..255, version ID 4 hex digits
    t.font = FontValue{-1, -1};
    if (c.peek() == ']') return true;
    return number(c, 1, 255, t.font.number) && (!comma(c) || hex(c, 4, 4, t.font.version));
}

bool readGraphic(Cursor& c, Token& t) {
    GraphicValue& g = t.graphic;
    g = GraphicValue{-1, -1, -1, -1};
    if (!number(c, 1, 255, g.number)) return false;
    if (!comma(c)) return true;
    if (!number(c, 1, 65535, g.x) || !comma(c) || !number(c, 1, 65535, g.y)) return false;
    return !comma(c) || hex(c, 4, 4, g.version);
}

bool readHex(Cursor& c, Token& t) { return hex(c, 1, 4, t.hex.code); }

bool readJustifyLine(Cursor& c, Token& t) {  // 1 other .. 5 full
    t.number = -1;
    return c.peek() == ']' || number(c, 1, 5, t.number);
}

bool readJustifyPage(Cursor& c, Token& t) {  // 1 other .. 4 bottom
    t.number = -1;
    return c.peek() == ']' || number(c, 1, 4, t.number);
}

bool readNewLine(Cursor& c, Token& t) { return optionalNumber(c, 99, t.number); }
bool readSpacing(Cursor& c, Token& t) { return number(c, 0, 99, t.number); }

bool readPageTime(Cursor& c, Token& t) {  // each time 0..255 tenths
    t.pageTime.off = -1;
    return optionalNumber(c, 255, t.pageTime.on) && (!c.take('o') || optionalNumber(c, 255, t.pageTime.off));
}

bool readTravel(Cursor& c, Token& t) {
    t.travel.hasRect = false;
    t.travel.rect = RectValue{0, 0, 0, 0};
    if (!number(c, 1, 255, t.travel.number)) return false;
    if (!comma(c)) return true;
    t.travel.hasRect = true;
    return readRect(c, t.travel.rect);
}

// Everything up to the first "]" (the reader never fails but at the end).
bool readManufacturer(Cursor& c, Token& t) {
    const char* start = c.p;
    while (c.p < c.end && *c.p != ']') ++c.p;
    t.span = Span{static_cast<size_t>(start - c.text), static_cast<size_t>(c.p - start)};
    return c.p < c.end;
}

// Mode c, or l with an optional number; direction l or r; width, step,
// rate; then the text up to the "]" that closes the tag. Inside the text
// "[[" is one escaped bracket; other brackets nest (inner tags), and at the
// outer level "]]" is an escaped bracket.
bool readMoving(Cursor& c, Token& t) {
    MovingValue& m = t.moving;
    m.delay = -1;
    if (c.take('c'))
        m.mode = 'c';
    else if (c.take('l'))
        m.mode = 'l';
    else
        return false;
    if (m.mode == 'l' && !optionalNumber(c, 65535, m.delay)) return false;
    if (c.take('l'))
        m.direction = 'l';
    else if (c.take('r'))
        m.direction = 'r';
    else
        return false;
    if (!number(c, 0, 65535, m.width) || !comma(c) || !number(c, 0, 255, m.step) || !comma(c) ||
        !number(c, 0, 255, m.rate) || !comma(c))
        return false;
    const char* start = c.p;
    int depth = 0;
    for (; c.p < c.end; ++c.p) {
        const char ch = *c.p;
        const bool doubled = c.p + 1 < c.end && c.p[1] == ch;
        if (ch == '[') {
            if (doubled)
                ++c.p;
            else
                ++depth;
        } else if (ch == ']') {
            if (depth > 0)
                --depth;
            else if (doubled)
                ++c.p;
            else
                break;
        }
    }
    if (c.p == c.end || c.p == start) return false;  // cut short, or no text
    m.text = Span{static_cast<size_t>(start - c.text), static_cast<size_t>(c.p - start)};
    return true;
}

// --- the tag table ----------------------------------------------------------

struct TagForm {
    char name[4];  // lower case
    TokenKind kind;
    bool (*read)(Cursor&, Token&);
    bool lettersFollow;  // the value may start with a letter
};

// No two names share their first two characters.
constexpr TagForm kTags[] = {
    {"/fl", TokenKind::FlashEnd, readNothing, false},
    {"/ms", TokenKind::ManufacturerEnd, readManufacturer, true},
    {"/sc", TokenKind::SpacingEnd, readNothing, false},
    {"cb", TokenKind::ColorBackground, readColorTag, false},
    {"cf", TokenKind::ColorForeground, readColorTag, false},
    {"cr", TokenKind::ColorRectangle, readColorRect, false},
    {"fl", TokenKind::Flash, readFlash, true},
    {"fo", TokenKind::Font, readFont, false},
    {"f", TokenKind::Field, readField, false},
    {"g", TokenKind::Graphic, readGraphic, false},
    {"hc", TokenKind::HexCharacter, readHex, true},
    {"jl", TokenKind::JustifyLine, readJustifyLine, false},
    {"jp", TokenKind::JustifyPage, readJustifyPage, false},
    {"ms", TokenKind::Manufacturer, readManufacturer, true},
    {"mv", TokenKind::MovingText, readMoving, true},
    {"nl", TokenKind::NewLine, readNewLine, false},
    {"np", TokenKind::NewPage, readNothing, false},
    {"pb", TokenKind::PageBackground, readColorTag, false},
    {"pt", TokenKind::PageTime, readPageTime, true},
    {"sc", TokenKind::Spacing, readSpacing, false},
    {"tdc", TokenKind::TravelTime, readTravel, false},
    {"tr", TokenKind::TextRectangle, readTextRect, false},
};
constexpr int kTagCount = static_cast<int>(sizeof kTags / sizeof kTags[0]);

// The table entry for a tag's first two characters (-1 for none), so the
// lookup takes one step. Letters are indexed by their low five bits, which
// is the same for both cases; other characters may share a slot with a
// letter, so the name is compared afterwards, all its characters at once:
// each entry also holds its name packed into an integer, with a mask as
// long as the name.
struct FormIndex {
    int8_t at[32][32];
    uint32_t packed[kTagCount];
    uint32_t mask[kTagCount];
    uint8_t length[kTagCount];
    constexpr FormIndex() : at(), packed(), mask(), length() {
        for (auto& row : at)
            for (int8_t& slot : row) slot = -1;
        for (int pass = 1; pass <= 2; ++pass)  // one-letter names first: longer ones take their slots
            for (int i = 0; i < kTagCount; ++i) {
                const char* name = kTags[i].name;
                const bool single = name[1] == '\0';
                if (single != (pass == 1)) continue;
                for (int second = 0; second < 32; ++second)
                    if (single || (name[1] & 31) == second) at[name[0] & 31][second] = static_cast<int8_t>(i);
            }
        for (int i = 0; i < kTagCount; ++i)
            for (int k = 0; kTags[i].name[k] != '\0'; ++k) {
                packed[i] |= static_cast<uint32_t>(static_cast<unsigned char>(kTags[i].name[k])) << (8 * k);
                mask[i] |= 0xFFu << (8 * k);
                length[i] = static_cast<uint8_t>(k + 1);
            }
    }
};
constexpr FormIndex kIndex;

// The form whose name opens [p, end), or null; `after` is set to the byte
// after the name. Names are matched in either case.
const TagForm* findForm(const char* p, const char* end, const char*& after) {
    const std::ptrdiff_t left = end - p;
    const unsigned char c1 = left > 1 ? static_cast<unsigned char>(p[1]) : 0;
    const unsigned char c2 = left > 2 ? static_cast<unsigned char>(p[2]) : 0;
    const uint32_t key = static_cast<unsigned char>(lower(p[0])) | static_cast<uint32_t>(lower(c1)) << 8 |
                         static_cast<uint32_t>(lower(c2)) << 16;
    // A slot that does not match may still hide a one-letter name ("[f,"
    // shares the slot of "[fl"); those fill column 0, which no second
    // letter uses.
    const int8_t slots[2] = {kIndex.at[p[0] & 31][c1 & 31], kIndex.at[p[0] & 31][0]};
    for (int i : slots) {
        if (i < 0) return nullptr;
        if ((key & kIndex.mask[i]) != kIndex.packed[i]) continue;
        after = p + kIndex.length[i];
        return &kTags[i];
    }
    return nullptr;
}

// The first "[" or "]" at or after p, or end. Eight bytes are looked at a
// time: in w ^ 0x5b5b.. a "[" is a zero byte, and (x - 0x01..) & ~x & 0x80..
// marks the lowest zero byte of x exactly (higher marks may be false, so
// only the lowest is used; the text is read little-endian).
inline const char* findBracket(const char* p, const char* end) {
    constexpr uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    constexpr uint64_t opens = 0x5b5b5b5b5b5b5b5bull, closes = 0x5d5d5d5d5d5d5d5dull;
    for (; end - p >= 8; p += 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        const uint64_t a = w ^ opens, b = w ^ closes;
        const uint64_t marks = ((a - ones) & ~a & highs) | ((b - ones) & ~b & highs);
        if (marks != 0) return p + __builtin_ctzll(marks) / 8;
    }
    while (p < end && *p != '[' && *p != ']') ++p;
    return p;
}

}  // namespace

bool Tokenizer::fail(Token& token, const char* tagStart, const char* at, int32_t code) {
    token.kind = TokenKind::Error;
    token.pos = static_cast<size_t>(tagStart - text_);
    token.length = static_cast<size_t>(end_ - tagStart);
    token.error = ErrorValue{code, static_cast<size_t>(at - text_)};
    p_ = nullptr;
    return true;
}

bool Tokenizer::next(Token& token) {
    if (p_ == nullptr || p_ == end_) return false;
    const char* start = p_;
    const char* p = p_;

    // A text run: up to a single bracket; doubled brackets belong to it.
    if (*p != '[' || (p + 1 < end_ && p[1] == '[')) {
        for (;;) {
            p = findBracket(p, end_);
            if (p + 1 < end_ && p[1] == *p) {
                p += 2;
                continue;
            }
            break;
        }
        if (p == start) return fail(token, start, start, NTCIP_MULTI_OTHER);  // a lone "]" (see the header)
        token.kind = TokenKind::Text;
        token.pos = static_cast<size_t>(start - text_);
        token.length = static_cast<size_t>(p - start);
        token.span = Span{token.pos, token.length};
        p_ = p;
        return true;
    }

    // A tag. Its name is looked up first: an unknown name is unsupportedTag
    // whether or not the tag closes. A known tag that the text ends inside
    // ("[cf255", or a lone "[" at the end) is "other" (see the header); any
    // other refused byte is unsupportedTagValue at that byte.
    ++p;
    if (p == end_) return fail(token, start, p, NTCIP_MULTI_OTHER);
    const TagForm* form = findForm(p, end_, p);
    if (form == nullptr) return fail(token, start, start, NTCIP_MULTI_UNSUPPORTED_TAG);
    Cursor c{p, end_, text_};
    if (!form->lettersFollow && c.p < end_ && isLetter(*c.p))
        return fail(token, start, start, NTCIP_MULTI_UNSUPPORTED_TAG);  // "[fox]" is no "[fo" tag
    token.kind = form->kind;
    if (!form->read(c, token) || !punct(c, ']')) {
        if (c.p == end_) return fail(token, start, c.p, NTCIP_MULTI_OTHER);
        return fail(token, start, c.p, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE);
    }
    token.pos = static_cast<size_t>(start - text_);
    token.length = static_cast<size_t>(c.p - start);
    p_ = c.p;
    return true;
}

size_t Unescaped::size() const {
    size_t n = 0;
    for (iterator i = begin(); i != end(); ++i) ++n;
    return n;
}

size_t Unescaped::copy(char* out, size_t capacity) const {
    size_t n = 0;
    for (iterator i = begin(); i != end() && n < capacity; ++i) out[n++] = *i;
    return n;
}

}  // namespace multi
}  // namespace dms
