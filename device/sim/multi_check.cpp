#include "multi_check.h"

#include <cstdint>
#include <string>
#include <vector>

#include "layout_fit.h"
#include "multi/tokenizer.h"
#include "sign.h"
#include "tqdms/ntcip.h"

// The sign reads the text once, left to right, and stops at the first fault.
// Per tag, in this order: the tokenizer's own errors (unsupportedTag,
// unsupportedTagValue, other); the tag's bit in dmsSupportedMultiTags
// (unsupportedTag); its values against the sign (unsupportedTagValue); the
// font, graphic and character tables (fontNotDefined, graphicNotDefined,
// characterNotDefined); then the rules over several tags below. A text
// longer than dmsMaxMultiStringLength is refused before anything is read.
//
// Values the sign accepts: colours within its dmsColorScheme (monochrome1bit
// 0..1, monochrome8bit 0..255, colorClassic 0..9, color24bit 0..9 or RGB; the
// RGB form only on color24bit); rectangles and graphic positions inside its
// pixel matrix (a width or height of 0 reaches the edge); line
// justification 2 left .. 5 full and page justification 2 top .. 4 bottom:
// 1 (other) names no layout this sign knows. Fields [f1] .. [f13] each have
// their bit (14 .. 26); higher field ids have none and are refused as
// values. [tdc] is this sign family's own tag and has no bit. A picture at
// "0,0" ("[g2,0,0]", as the library's quick display writes it) is taken for
// the top left corner, although positions count from 1.
//
// Characters: text and [hc] codes must be in the current font, which is the
// default font (multiCfg) until a [fo] and again after "[fo]"; a font
// without any character in its table is one of the sign's built-in fonts,
// which hold the printable ASCII characters 32..126.
//
// Flash regions (flashRegionError, at the tag at fault): an [fl] inside an
// open [fl]; a [/fl] with none open; an [fl] still open at the next [np] or
// at the end (at that [fl]). A region may run into a moving text and close
// there, as "[fl][mvc...,AB[/fl]]" does.
//
// Pages: an [np] that opens a page past dmsMaxNumberPages is tooManyPages.
//
// Tag conflicts (tagConflict, at the later tag):
// - an [sc] while an [sc] of the same page or text rectangle is open; a
//   [/sc] with none open (an [sc] may stay open: it ends with its page or
//   text rectangle);
// - a [jp] that changes the page justification after text ([hc], [f] and
//   moving text count) of the same line, or back to a group (top, middle,
//   bottom) the line above in the same text rectangle has passed: where a
//   line starts, later lines may go to a lower group, as the renderer
//   places them (render/layout.h);
// - inside a moving text, any tag but [fo], [cf], [fl], [/fl], [hc] and
//   [f]: it is one line moving across its window, which holds no pages,
//   rectangles, graphics, line breaks or moving text of its own.
//
// Fit (textTooBig): each page is laid out on the sign with its fonts and
// the sizes of its graphics (layout_fit.h): a line wider than its text
// rectangle is refused at the character that does not fit, lines taller
// than it at the first line that does not fit, groups of lines that meet
// at the lower group's first line. The layout ends at whatever it cannot
// place (a code past 255, a fault this reading reports). The first fault in
// the text wins, whichever reading finds it.
//
// One reporter per rule: the layout reports textTooBig only. Every other
// rule the renderer also checks (flash regions, [sc] pairing, fields past
// 13, fonts and characters, [jp] placement) is reported by this reading,
// which also reads codes past 255 and goes on past them.
namespace tqsim {
namespace {

using dms::multi::ColorForm;
using dms::multi::ColorValue;
using dms::multi::RectValue;
using dms::multi::Token;
using dms::multi::TokenKind;
using dms::multi::Tokenizer;

constexpr size_t kNone = static_cast<size_t>(-1);

// The first fault found; set() records it and gives false, for the reader
// to return at once.
struct Fault {
    int code = NTCIP_MULTI_NONE;
    size_t at = 0;
    bool set(int c, size_t position) {
        code = c;
        at = position;
        return false;
    }
};

// dmsSupportedMultiTags bit of a tag; -1 for tags without one.
int tagBit(const Token& t) {
    switch (t.kind) {
    case TokenKind::ColorBackground: return NTCIP_TAG_COLOR_BACKGROUND;
    case TokenKind::ColorForeground: return NTCIP_TAG_COLOR_FOREGROUND;
    case TokenKind::Flash:
    case TokenKind::FlashEnd: return NTCIP_TAG_FLASHING;
    case TokenKind::Font: return NTCIP_TAG_FONT;
    case TokenKind::Graphic: return NTCIP_TAG_GRAPHIC;
    case TokenKind::HexCharacter: return NTCIP_TAG_HOT_SPOT;
    case TokenKind::JustifyLine: return NTCIP_TAG_JUSTIFICATION_LINE;
    case TokenKind::JustifyPage: return NTCIP_TAG_JUSTIFICATION_PAGE;
    case TokenKind::Manufacturer:
    case TokenKind::ManufacturerEnd: return NTCIP_TAG_MANUFACTURER;
    case TokenKind::MovingText: return NTCIP_TAG_MOVING_TEXT;
    case TokenKind::NewLine: return NTCIP_TAG_NEW_LINE;
    case TokenKind::NewPage: return NTCIP_TAG_NEW_PAGE;
    case TokenKind::PageTime: return NTCIP_TAG_PAGE_TIME;
    case TokenKind::Spacing:
    case TokenKind::SpacingEnd: return NTCIP_TAG_SPACING_CHARACTER;
    case TokenKind::Field: return NTCIP_TAG_FIELD_FIRST + t.field.id - 1;  // ids past 13 are refused before
    case TokenKind::TextRectangle: return NTCIP_TAG_TEXT_RECTANGLE;
    case TokenKind::ColorRectangle: return NTCIP_TAG_COLOR_RECTANGLE;
    case TokenKind::PageBackground: return NTCIP_TAG_PAGE_BACKGROUND;
    default: return -1;  // text, [tdc]
    }
}

bool allowedInMoving(TokenKind k) {
    return k == TokenKind::Text || k == TokenKind::Font || k == TokenKind::ColorForeground || k == TokenKind::Flash ||
           k == TokenKind::FlashEnd || k == TokenKind::HexCharacter || k == TokenKind::Field;
}

class Checker {
public:
    Checker(const std::string& text, const MultiCheck& check) : text_(text), check_(check), p_(check.profile) {
        if (p_) font_ = p_->defaultFont;
        page_ = defaultPageJustification();
    }

    // Reads the whole text; false with the fault set at the first error.
    bool run(Fault& fault) {
        if (!tokens(0, text_.size(), false, fault)) return false;
        if (flashAt_ != kNone) return fault.set(NTCIP_MULTI_FLASH_REGION_ERROR, flashAt_);
        return true;
    }

    // The text as the renderer's tokenizer reads it: each "[gN,0,0]" read
    // so far as "[gN,1,1]", the same place in the same bytes.
    std::string forLayout() const {
        std::string text = text_;
        for (size_t at : origins_) text.replace(at, 5, ",1,1]");
        return text;
    }

private:
    // The tokens of [begin, begin + length): the whole text, or the text of a
    // moving text (one level only: a moving text inside one is refused).
    bool tokens(size_t begin, size_t length, bool moving, Fault& fault) {
        const size_t end = begin + length;
        for (size_t from = begin; from < end;) {
            Tokenizer tokenizer(text_.data() + from, end - from);
            const size_t base = from;
            from = end;
            for (Token t; tokenizer.next(t);) {
                if (t.kind == TokenKind::Error) {
                    if (!pictureAtOrigin(base + t.pos, end, t)) return fault.set(t.error.code, base + t.error.at);
                    origins_.push_back(t.pos + t.length - 5);  // its ",0,0]"
                    from = t.pos + t.length;  // read on after it with a new tokenizer
                } else {
                    t.pos += base;
                    if (t.kind == TokenKind::Text) t.span.pos += base;
                    if (t.kind == TokenKind::MovingText) t.moving.text.pos += base;
                }
                if (moving && !allowedInMoving(t.kind)) return fault.set(NTCIP_MULTI_TAG_CONFLICT, t.pos);
                if (!token(t, fault)) return false;
            }
        }
        return true;
    }

    // "[gN,0,0]" at `at`, as the library's quick display writes its
    // pictures: the tokenizer refuses the position (it counts from 1); this
    // sign takes it for the top left corner. The token becomes that graphic.
    bool pictureAtOrigin(size_t at, size_t end, Token& t) const {
        size_t i = at;
        if (end - at < 2 || text_[at] != '[' || (text_[at + 1] | 0x20) != 'g') return false;
        i += 2;
        int32_t number = 0;
        size_t digits = 0;
        for (; i < end && text_[i] >= '0' && text_[i] <= '9' && digits < 3; ++i, ++digits)
            number = number * 10 + (text_[i] - '0');
        if (digits == 0 || number < 1 || number > 255) return false;
        if (i + 5 > end || text_.compare(i, 5, ",0,0]") != 0) return false;
        t.kind = TokenKind::Graphic;
        t.pos = at;
        t.length = i + 5 - at;
        t.graphic = dms::multi::GraphicValue{number, -1, -1, -1};
        return true;
    }

    bool supported(int bit) const {
        const std::string& bits = p_->supportedMultiTags;
        if (bit < 0) return true;
        size_t octet = static_cast<size_t>(bit) / 8;
        return octet < bits.size() && (static_cast<uint8_t>(bits[octet]) >> (bit % 8) & 1) != 0;
    }

    bool colorFits(const ColorValue& c) const {
        switch (c.form) {
        case ColorForm::Default: return true;
        case ColorForm::Rgb: return p_->colorScheme == NTCIP_COLOR_24BIT;
        case ColorForm::Index: break;
        }
        switch (p_->colorScheme) {
        case NTCIP_MONOCHROME_1BIT: return c.index <= 1;
        case NTCIP_MONOCHROME_8BIT: return true;
        default: return c.index <= 9;  // colorClassic, and the classic numbers on a colour sign
        }
    }

    bool inside(int x, int y) const { return x <= p_->signWidthPixels && y <= p_->signHeightPixels; }
    bool rectFits(const RectValue& r) const {
        return inside(r.x, r.y) && (r.width == 0 || r.x + r.width - 1 <= p_->signWidthPixels) &&
               (r.height == 0 || r.y + r.height - 1 <= p_->signHeightPixels);
    }

    // Whether the sign accepts the values of the tag (profile known).
    bool valuesFit(const Token& t) const {
        switch (t.kind) {
        case TokenKind::ColorBackground:
        case TokenKind::ColorForeground:
        case TokenKind::PageBackground: return colorFits(t.color);
        case TokenKind::ColorRectangle: return rectFits(t.colorRect.rect) && colorFits(t.colorRect.color);
        case TokenKind::TextRectangle: return rectFits(t.rect);
        case TokenKind::TravelTime: return !t.travel.hasRect || rectFits(t.travel.rect);
        case TokenKind::Graphic: return t.graphic.x < 0 || inside(t.graphic.x, t.graphic.y);
        case TokenKind::JustifyLine:
            return t.number == -1 || (t.number >= NTCIP_JUSTIFICATION_LINE_LEFT && t.number <= NTCIP_JUSTIFICATION_LINE_FULL);
        case TokenKind::JustifyPage:
            return t.number == -1 ||
                   (t.number >= NTCIP_JUSTIFICATION_PAGE_TOP && t.number <= NTCIP_JUSTIFICATION_PAGE_BOTTOM);
        default: return true;
        }
    }

    bool character(int code) const { return !check_.hasCharacter || check_.hasCharacter(font_, code); }

    // A page or text rectangle begins: its spacing and its lines are new.
    void newArea() {
        spacingOpen_ = false;
        lineText_ = false;
        groupAbove_ = 0;
    }

    int defaultPageJustification() const {
        return p_ && p_->defaultJustificationPage >= NTCIP_JUSTIFICATION_PAGE_TOP ? p_->defaultJustificationPage
                                                                                  : NTCIP_JUSTIFICATION_PAGE_TOP;
    }

    bool token(const Token& t, Fault& fault) {
        if (p_) {
            if (t.kind == TokenKind::Field && t.field.id > NTCIP_TAG_FIELD_LAST - NTCIP_TAG_FIELD_FIRST + 1)
                return fault.set(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
            if (!supported(tagBit(t))) return fault.set(NTCIP_MULTI_UNSUPPORTED_TAG, t.pos);
            if (!valuesFit(t)) return fault.set(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
        }
        switch (t.kind) {
        case TokenKind::Text:
            for (size_t i = t.span.pos, end = i + t.span.length; i < end;) {
                const char c = text_[i];
                if (!character(static_cast<uint8_t>(c))) return fault.set(NTCIP_MULTI_CHARACTER_NOT_DEFINED, i);
                i += (c == '[' || c == ']') ? 2 : 1;
            }
            lineText_ = true;
            return true;
        case TokenKind::HexCharacter:
            if (!character(t.hex.code)) return fault.set(NTCIP_MULTI_CHARACTER_NOT_DEFINED, t.pos);
            lineText_ = true;
            return true;
        case TokenKind::Field: lineText_ = true; return true;
        case TokenKind::Font:
            if (t.font.number >= 0 && check_.hasFont && !check_.hasFont(t.font.number))
                return fault.set(NTCIP_MULTI_FONT_NOT_DEFINED, t.pos);
            if (t.font.number >= 0) font_ = t.font.number;
            else if (p_) font_ = p_->defaultFont;
            return true;
        case TokenKind::Graphic:
            if (check_.hasGraphic && !check_.hasGraphic(t.graphic.number))
                return fault.set(NTCIP_MULTI_GRAPHIC_NOT_DEFINED, t.pos);
            return true;
        case TokenKind::Flash:
            if (flashAt_ != kNone) return fault.set(NTCIP_MULTI_FLASH_REGION_ERROR, t.pos);
            flashAt_ = t.pos;
            return true;
        case TokenKind::FlashEnd:
            if (flashAt_ == kNone) return fault.set(NTCIP_MULTI_FLASH_REGION_ERROR, t.pos);
            flashAt_ = kNone;
            return true;
        case TokenKind::Spacing:
            if (spacingOpen_) return fault.set(NTCIP_MULTI_TAG_CONFLICT, t.pos);
            spacingOpen_ = true;
            return true;
        case TokenKind::SpacingEnd:
            if (!spacingOpen_) return fault.set(NTCIP_MULTI_TAG_CONFLICT, t.pos);
            spacingOpen_ = false;
            return true;
        case TokenKind::JustifyPage: {
            const int j = t.number < 0 ? defaultPageJustification() : t.number;
            if (j != page_ && (lineText_ || groupAbove_ > j)) return fault.set(NTCIP_MULTI_TAG_CONFLICT, t.pos);
            page_ = j;
            return true;
        }
        case TokenKind::NewLine:
            groupAbove_ = page_;
            lineText_ = false;
            return true;
        case TokenKind::NewPage:
            if (flashAt_ != kNone) return fault.set(NTCIP_MULTI_FLASH_REGION_ERROR, flashAt_);
            if (p_ && p_->maxNumberPages > 0 && ++pages_ > p_->maxNumberPages)
                return fault.set(NTCIP_MULTI_TOO_MANY_PAGES, t.pos);
            newArea();
            return true;
        case TokenKind::TextRectangle: newArea(); return true;
        case TokenKind::MovingText: {
            // The moving text keeps its own font; flash regions run through it.
            const int font = font_;
            if (!tokens(t.moving.text.pos, t.moving.text.length, true, fault)) return false;
            font_ = font;
            lineText_ = true;
            return true;
        }
        default: return true;
        }
    }

    const std::string& text_;
    const MultiCheck& check_;
    const SignProfile* p_;
    int font_ = 1;
    int pages_ = 1;
    size_t flashAt_ = kNone;  // the [fl] of the open flash region
    bool spacingOpen_ = false;
    // Page justification: the one in force (it carries on over pages and
    // rectangles), whether the line has text, the group of the line above
    // in the same rectangle (0: none).
    int page_ = NTCIP_JUSTIFICATION_PAGE_TOP;
    bool lineText_ = false;
    int groupAbove_ = 0;
    std::vector<size_t> origins_;  // "[gN,0,0]" read: where their ",0,0]" starts
};

// The built-in fonts (no character table) hold printable ASCII.
bool fontHolds(const FontStore& fonts, int number, int code) {
    for (const auto& kv : fonts.rows) {
        const FontRow& f = kv.second;
        if (f.number != number || f.status == NTCIP_FONT_NOT_USED) continue;
        if (f.characters.empty()) return code >= 32 && code <= 126;
        auto c = f.characters.find(code);
        return c != f.characters.end() && c->second.width > 0;
    }
    return false;
}

}  // namespace

MultiCheck multiCheckOf(const SimSign& s) {
    MultiCheck check;
    check.maxLength = s.limits.maxMultiLength;
    check.profile = &s.profile;
    check.hasFont = [&s](int n) { return s.fonts.hasFont(n); };
    check.hasGraphic = [&s](int n) { return s.graphics.hasGraphic(n); };
    check.hasCharacter = [&s](int font, int code) { return s.fonts.hasFont(font) && fontHolds(s.fonts, font, code); };
    check.layout = [&s](const std::string& multi, size_t& position) {
        return layoutFit(multi, s.profile, s.fonts, s.graphics, position);
    };
    return check;
}

int checkMulti(const std::string& multi, const MultiCheck& check, size_t* position) {
    Fault fault;
    if (check.maxLength > 0 && multi.size() > static_cast<size_t>(check.maxLength)) {
        fault.set(NTCIP_MULTI_TEXT_TOO_BIG, static_cast<size_t>(check.maxLength));  // the first byte past the limit
    } else {
        Checker checker(multi, check);
        checker.run(fault);
        size_t at = 0;
        const int fit = check.layout ? check.layout(checker.forLayout(), at) : NTCIP_MULTI_NONE;
        if (fit != NTCIP_MULTI_NONE && (fault.code == NTCIP_MULTI_NONE || at < fault.at)) fault.set(fit, at);
    }
    if (position) *position = fault.code == NTCIP_MULTI_NONE ? 0 : fault.at;
    return fault.code;
}

uint16_t messageCrc(const std::string& multi, uint8_t beacon, uint8_t pixelService) {
    uint16_t crc = 0xFFFF;
    auto feed = [&crc](uint8_t byte) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0x8408) : static_cast<uint16_t>(crc >> 1);
    };
    for (char c : multi) feed(static_cast<uint8_t>(c));
    feed(beacon);
    feed(pixelService);
    crc = static_cast<uint16_t>(~crc);
    // The standard's octet order: the low byte of the register goes first.
    return static_cast<uint16_t>((crc << 8) | (crc >> 8));
}

}  // namespace tqsim
