#include "render/layout.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "multi/tokenizer.h"
#include "render/colors.h"
#include "tqdms/ntcip.h"

namespace dms {
namespace render {
namespace {

using multi::RectValue;
using multi::Token;
using multi::TokenKind;

// Sample text a field shows, by NTCIP field number (1 to 13): the
// caller's, else a built-in one; null past 13.
const char* sampleField(const FieldSamples& samples, int32_t id) {
    static const char* const kSamples[] = {"12:00", "12:00", "20", "68",   "88",      "55",      "MON",
                                           "07",    "12",    "26", "2026", "12:00PM", "12:00pm"};
    if (id < 1 || id > 13) return nullptr;
    return samples.fields[id - 1] ? samples.fields[id - 1] : kSamples[id - 1];
}

int groupIndex(PageJustify j) { return static_cast<int>(j) - 2; }

// Half the slack, rounded down to whole cells of the grid.
int half(int slack, int grid) { return slack / grid / 2 * grid; }

// Whether a line's parts lie within the width without meeting: left from
// the left edge, center in the middle, right against the right edge.
bool fits(const LineBox& line, int width, int grid) {
    const Segment* s = line.segments;
    int left = s[0].width, right = width - s[2].width;
    if (s[3].width > width || left > right) return false;
    if (s[1].chars == 0) return true;
    int center = half(width - s[1].width, grid);
    return center >= left && center + s[1].width <= right;
}

bool allowedInMoving(TokenKind kind) {
    switch (kind) {
    case TokenKind::Text:
    case TokenKind::HexCharacter:
    case TokenKind::Field:
    case TokenKind::Font:
    case TokenKind::ColorForeground:
    case TokenKind::Spacing:
    case TokenKind::SpacingEnd:
    case TokenKind::Flash:
    case TokenKind::FlashEnd:
    case TokenKind::Manufacturer:
    case TokenKind::ManufacturerEnd:
    case TokenKind::Error: return true;
    default: return false;
    }
}

// Positions from the tokenizer's start to the message's.
void shift(Token& t, size_t base) {
    t.pos += base;
    switch (t.kind) {
    case TokenKind::Text:
    case TokenKind::Manufacturer:
    case TokenKind::ManufacturerEnd: t.span.pos += base; break;
    case TokenKind::MovingText: t.moving.text.pos += base; break;
    case TokenKind::Error: t.error.at += base; break;
    default: break;
    }
}

uint64_t gcd(uint64_t a, uint64_t b) {
    while (b) {
        uint64_t r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// A moving text's steps until it starts again, and the pixels it reaches
// (linear: where it stops).
struct MovingPath {
    int64_t steps;
    int64_t target;
};

MovingPath movingPath(const multi::MovingValue& m, int64_t length) {
    const int64_t w = m.width, s = m.step;
    if (m.mode == 'c') return MovingPath{(length + w + s - 1) / s, 0};
    int64_t target, travel;
    if (m.direction == 'l') {
        target = length <= w ? 0 : w - length;
        travel = w - target;
    } else {
        target = length <= w ? w - length : 0;
        travel = target + length;
    }
    return MovingPath{(travel + s - 1) / s, target};
}

// Tenths of a second until a moving text starts again.
uint64_t movingCycle(const multi::MovingValue& m, int64_t length) {
    MovingPath p = movingPath(m, length);
    if (m.mode == 'c') return static_cast<uint64_t>(p.steps) * m.rate;
    return static_cast<uint64_t>(p.steps + 1) * m.rate + static_cast<uint64_t>(m.delay > 0 ? m.delay : 0);
}

// One reading of a page: measuring (painter null) or painting.
class Walker {
public:
    Walker(const char* text, size_t length, size_t start, const SignProfile& profile, const Sources& sources,
           PageState& state, PageLayout& layout, Painter* painter, uint32_t time)
        : text_(text), length_(length), start_(start), profile_(profile), fonts_(sources.fonts),
          pictures_(sources.pictures), samples_(sources.samples), st_(state), layout_(layout), painter_(painter),
          time_(time) {
        if (profile.matrix == Matrix::Character) {
            cells_ = true;
            gx_ = profile.characterWidth;
        }
        if (profile.matrix != Matrix::Full) gy_ = profile.characterHeight;
    }

    Problem run();

private:
    bool measuring() const { return painter_ == nullptr; }
    bool fail(int32_t code, size_t at) {
        problem_ = Problem{code, at};
        return false;
    }
    bool token(const Token& t);
    bool text(size_t pos, size_t length);
    bool sample(const char* s, int32_t width, size_t pos);
    bool character(unsigned code, size_t pos);
    bool place(int width, int height, int charSpacing, int lineSpacing, size_t pos, int& x);
    bool moving(const Token& t);
    bool movingText(const multi::MovingValue& m);
    bool travel(const Token& t, const char* s);
    bool rectangle(const RectValue& r, bool grid, int& x, int& y, int& w, int& h) const;
    void openBlock(int x, int y, int w, int h, size_t pos);
    void openLine(int spacingAbove, size_t pos);
    void closeLine();
    Problem closeBlock();
    void startPaintLine();

    const char* text_;
    size_t length_;
    size_t start_;
    const SignProfile& profile_;
    const FontSet& fonts_;
    const PictureSet& pictures_;
    const FieldSamples& samples_;
    PageState& st_;
    PageLayout& layout_;
    Painter* painter_;
    uint32_t time_;
    bool cells_ = false;     // a character matrix: every character one cell
    int gx_ = 1, gy_ = 1;    // the grid: cell width, line height

    Problem problem_;
    size_t block_ = 0, line_ = 0;  // current indexes
    bool inFlash_ = false;
    size_t flashAt_ = 0;  // the open [fl]
    bool ended_ = false;
    int prevCharSpacing_ = 0;  // the font spacing of the line's last character
    int part_ = -1;            // painting: the line's part being drawn,
    int x_ = 0, gap_ = 0;      // the pen and the gaps passed in that part
    // Inside a moving text: its pen from the text's start, the spacing of
    // its last character, its window (painting), its tallest font.
    bool inMoving_ = false;
    int64_t movingPen_ = 0;
    int movingPrevSpacing_ = -1;  // -1: no character yet
    int64_t movingLeft_ = 0;      // painting: where the text starts on the sign
    int movingWindow_ = 0, movingWidth_ = 0;  // painting: the window's left edge and width
    int movingBottom_ = 0;
    int movingHeight_ = 0;
    size_t moving_ = 0;           // painting: the next moving text's index
};

Problem Walker::run() {
    if (gx_ < 1 || gy_ < 1) return Problem{NTCIP_MULTI_OTHER, 0};  // a grid without a cell size
    if (measuring()) {
        // A fresh layout that keeps the lists' room from the page before.
        std::vector<TextBlock> blocks = std::move(layout_.blocks);
        std::vector<LineBox> lines = std::move(layout_.lines);
        blocks.clear();
        lines.clear();
        layout_ = PageLayout{};
        std::vector<MovingBox> moving = std::move(layout_.moving);
        blocks.clear();
        lines.clear();
        moving.clear();
        layout_ = PageLayout{};
        layout_.blocks = std::move(blocks);
        layout_.lines = std::move(lines);
        layout_.moving = std::move(moving);
        layout_.background = st_.background;
    }
    st_.spacing = -1;  // an [sc] ends with its page
    openBlock(0, 0, profile_.width / gx_ * gx_, profile_.height / gy_ * gy_, start_);
    multi::Tokenizer tokens(text_ + start_, length_ - start_);
    for (Token t; !ended_ && tokens.next(t);) {
        shift(t, start_);
        if (!token(t)) {
            if (measuring()) {
                Problem earlier = closeBlock();
                if (!earlier.ok() && earlier.at < problem_.at) return earlier;
            }
            return problem_;
        }
    }
    if (measuring()) {
        if (!ended_) layout_.end = length_;
        layout_.pageOn = st_.pageOn;
        layout_.pageOff = st_.pageOff;
        Problem p = closeBlock();
        if (inFlash_ && (p.ok() || flashAt_ < p.at)) return Problem{NTCIP_MULTI_FLASH_REGION_ERROR, flashAt_};
        return p;
    }
    return problem_;
}

bool Walker::token(const Token& t) {
    if (inMoving_ && !allowedInMoving(t.kind)) return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
    switch (t.kind) {
    case TokenKind::Text: return text(t.span.pos, t.span.length);
    case TokenKind::Error: return fail(t.error.code, t.error.at);
    case TokenKind::HexCharacter:
        if (t.hex.code > 255) return fail(NTCIP_MULTI_CHARACTER_NOT_DEFINED, t.pos);
        return character(static_cast<unsigned>(t.hex.code), t.pos);
    case TokenKind::Field: {
        const char* s = sampleField(samples_, t.field.id);
        if (!s) return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
        return sample(s, t.field.width, t.pos);
    }
    case TokenKind::Font: {
        int32_t number = t.font.number < 0 ? profile_.font : t.font.number;
        const FontView* f = fonts_.find(number);
        if (!f) return fail(NTCIP_MULTI_FONT_NOT_DEFINED, t.pos);
        st_.fontNumber = number;
        st_.font = f;
        return true;
    }
    case TokenKind::JustifyLine: {
        if (t.number == 1) return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos + 3);
        LineJustify j = t.number < 0 ? profile_.lineJustify : static_cast<LineJustify>(t.number);
        if (measuring() && j != st_.line && layout_.lines[line_].chars > 0) {
            // Only on to a later part, never into or out of full.
            const Segment* parts = layout_.lines[line_].segments;
            bool later = j != LineJustify::Full && parts[segmentIndex(LineJustify::Full)].chars == 0;
            for (int i = segmentIndex(j); i < 3; ++i) later = later && parts[i].chars == 0;
            if (!later) return fail(NTCIP_MULTI_TAG_CONFLICT, t.pos);
        }
        st_.line = j;
        return true;
    }
    case TokenKind::JustifyPage: {
        if (t.number == 1) return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos + 3);
        PageJustify j = t.number < 0 ? profile_.pageJustify : static_cast<PageJustify>(t.number);
        if (measuring() && j != st_.page) {
            LineBox& line = layout_.lines[line_];
            bool back = line_ > layout_.blocks[block_].firstLine && layout_.lines[line_ - 1].group > j;
            if (line.chars > 0 || back) return fail(NTCIP_MULTI_TAG_CONFLICT, t.pos);
            line.group = j;
        }
        st_.page = j;
        return true;
    }
    case TokenKind::NewLine:
        if (measuring()) {
            closeLine();
            openLine(t.number, t.pos + t.length);
        } else {
            ++line_;
            startPaintLine();
        }
        return true;
    case TokenKind::TextRectangle: {
        int x, y, w, h;
        if (!rectangle(t.rect, true, x, y, w, h)) return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
        if (measuring()) {
            Problem p = closeBlock();
            if (!p.ok()) return fail(p.code, p.at);
            st_.spacing = -1;
            openBlock(x, y, w, h, t.pos + t.length);
        } else {
            st_.spacing = -1;
            ++block_;
            line_ = layout_.blocks[block_].firstLine;
            startPaintLine();
        }
        return true;
    }
    case TokenKind::ColorRectangle: {
        int x, y, w, h;
        Rgb c;
        if (!rectangle(t.colorRect.rect, false, x, y, w, h) || !resolveColor(profile_, t.colorRect.color, Rgb{}, c))
            return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
        if (!measuring()) painter_->rect(x, y, w, h, c, inFlash_);
        return true;
    }
    case TokenKind::PageBackground:
    case TokenKind::ColorBackground: {
        if (!resolveColor(profile_, t.color, defaultBackground(profile_), st_.background)) return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
        if (measuring()) layout_.background = st_.background;
        return true;
    }
    case TokenKind::ColorForeground: {
        if (!resolveColor(profile_, t.color, defaultForeground(profile_), st_.foreground)) return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
        return true;
    }
    case TokenKind::Flash:
        if (inFlash_) return fail(NTCIP_MULTI_FLASH_REGION_ERROR, t.pos);
        inFlash_ = true;
        flashAt_ = t.pos;
        if (measuring() && !layout_.flashes) {
            layout_.flashes = true;
            layout_.flashOn = t.flash.on < 0 ? profile_.flashOnTime : static_cast<uint8_t>(t.flash.on);
            layout_.flashOff = t.flash.off < 0 ? profile_.flashOffTime : static_cast<uint8_t>(t.flash.off);
            layout_.flashOffFirst = t.flash.offFirst;
        }
        return true;
    case TokenKind::FlashEnd:
        if (!inFlash_) return fail(NTCIP_MULTI_FLASH_REGION_ERROR, t.pos);
        inFlash_ = false;
        return true;
    case TokenKind::PageTime:
        st_.pageOn = t.pageTime.on < 0 ? profile_.pageOnTime : static_cast<uint8_t>(t.pageTime.on);
        st_.pageOff = t.pageTime.off < 0 ? profile_.pageOffTime : static_cast<uint8_t>(t.pageTime.off);
        return true;
    case TokenKind::Spacing:
        if (st_.spacing >= 0) return fail(NTCIP_MULTI_TAG_CONFLICT, t.pos);
        st_.spacing = t.number;
        return true;
    case TokenKind::SpacingEnd:
        if (st_.spacing < 0) return fail(NTCIP_MULTI_TAG_CONFLICT, t.pos);
        st_.spacing = -1;
        return true;
    case TokenKind::NewPage:
        ended_ = true;
        if (measuring()) {
            layout_.end = t.pos + t.length;
            layout_.more = true;
            layout_.newPageAt = t.pos;
        }
        return true;
    case TokenKind::Graphic: {
        // The tokenizer gives both or neither; without them, the top left corner.
        int x = t.graphic.x > 0 ? t.graphic.x - 1 : 0, y = t.graphic.y > 0 ? t.graphic.y - 1 : 0;
        if (x >= profile_.width || y >= profile_.height) return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
        const Picture* picture = pictures_.find(t.graphic.number);
        if (!picture) return fail(NTCIP_MULTI_GRAPHIC_NOT_DEFINED, t.pos);
        if (!measuring()) painter_->picture(x, y, *picture, inFlash_);
        return true;
    }
    case TokenKind::MovingText: return moving(t);
    case TokenKind::TravelTime: {
        const char* s = samples_.travel ? samples_.travel : "25";
        return t.travel.hasRect ? travel(t, s) : sample(s, -1, t.pos);
    }
    case TokenKind::Manufacturer:
    case TokenKind::ManufacturerEnd: return true;
    }
    return true;
}

bool Walker::text(size_t pos, size_t length) {
    for (size_t p = pos, end = pos + length; p < end;) {
        unsigned char c = static_cast<unsigned char>(text_[p]);
        if (!character(c, p)) return false;
        p += (c == '[' || c == ']') ? 2 : 1;
    }
    return true;
}

// A field's text, padded with spaces in front or cut to `width` (1 to 99).
bool Walker::sample(const char* s, int32_t width, size_t pos) {
    size_t n = 0;
    while (s[n]) ++n;
    if (width > 0) {
        for (size_t pad = n; pad < static_cast<size_t>(width); ++pad)
            if (!character(' ', pos)) return false;
        if (n > static_cast<size_t>(width)) n = static_cast<size_t>(width);
    }
    for (size_t i = 0; i < n; ++i)
        if (!character(static_cast<unsigned char>(s[i]), pos)) return false;
    return true;
}

bool Walker::character(unsigned code, size_t pos) {
    if (!st_.font) return fail(NTCIP_MULTI_FONT_NOT_DEFINED, pos);
    const FontView& font = *st_.font;
    const Glyph& g = font.glyph(static_cast<uint8_t>(code));
    if (g.width == 0) return fail(NTCIP_MULTI_CHARACTER_NOT_DEFINED, pos);
    if ((cells_ && g.width > gx_) || (gy_ > 1 && font.height() > gy_)) return fail(NTCIP_MULTI_TEXT_TOO_BIG, pos);
    const int width = cells_ ? gx_ : g.width;
    if (inMoving_) {
        if (movingPrevSpacing_ >= 0 && !cells_)
            movingPen_ += st_.spacing >= 0 ? st_.spacing : std::max<int>(movingPrevSpacing_, font.charSpacing());
        movingPrevSpacing_ = font.charSpacing();
        movingHeight_ = std::max<int>(movingHeight_, font.height());
        if (!measuring()) {
            // Only what reaches the window is drawn.
            int64_t x = movingLeft_ + movingPen_;
            if (x + width > movingWindow_ && x < movingWindow_ + movingWidth_)
                painter_->glyph(static_cast<int>(x), movingBottom_ - font.height(), g, font.height(), st_.foreground,
                                inFlash_);
        }
        movingPen_ += width;
        return true;
    }
    int x;
    if (!place(width, font.height(), font.charSpacing(), font.lineSpacing(), pos, x)) return false;
    if (!measuring()) {
        const LineBox& line = layout_.lines[line_];
        painter_->glyph(x, line.y + line.height - font.height(), g, font.height(), st_.foreground, inFlash_);
    }
    return true;
}

// Puts something `width` wide and `height` tall (a character or a moving
// text's window) next in the current part of the line: measuring, checks
// it fits; painting, gives its left edge.
bool Walker::place(int width, int height, int charSpacing, int lineSpacing, size_t pos, int& x) {
    LineBox& line = layout_.lines[line_];
    TextBlock& block = layout_.blocks[block_];
    int part = segmentIndex(st_.line);
    Segment& seg = line.segments[part];
    if (!measuring() && part != part_) {
        part_ = part;
        x_ = seg.x;
        gap_ = -1;
    }
    bool first = measuring() ? seg.chars == 0 : gap_ < 0;
    int gap = 0;
    if (!first && !cells_) gap = st_.spacing >= 0 ? st_.spacing : std::max(prevCharSpacing_, charSpacing);
    prevCharSpacing_ = charSpacing;
    if (measuring()) {
        if (line.chars == 0) line.firstPos = pos;
        seg.width += gap + width;
        ++seg.chars;
        if (!fits(line, block.width, gx_)) return fail(NTCIP_MULTI_TEXT_TOO_BIG, pos);
        if (gy_ == 1) {
            line.height = std::max(line.height, height);
            line.lineSpacing = std::max(line.lineSpacing, lineSpacing);
        }
        ++line.chars;
        ++block.chars;
        return true;
    }
    if (!first) {
        int gaps = seg.chars - 1, cells = seg.extra / gx_;
        x_ += gap;
        if (cells > 0 && gaps > 0) x_ += (cells / gaps + (gap_ < cells % gaps ? 1 : 0)) * gx_;
    }
    ++gap_;
    x = x_;
    x_ += width;
    return true;
}

bool Walker::moving(const Token& t) {
    const multi::MovingValue& m = t.moving;
    if (inMoving_ || m.width <= 0 || m.step <= 0 || m.rate <= 0 || m.width % gx_ != 0)
        return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
    const FontView* font = st_.font;
    const int spacing = font ? font->charSpacing() : 0, lineSpacing = font ? font->lineSpacing() : 0;
    if (measuring()) {
        if (!movingText(m)) return false;
        MovingBox box;
        box.length = static_cast<int>(std::min<int64_t>(movingPen_, INT32_MAX));
        box.height = movingHeight_;
        if (movingPrevSpacing_ < 0) {  // no characters: the current font's height
            if (!font) return fail(NTCIP_MULTI_FONT_NOT_DEFINED, t.pos);
            if (gy_ > 1 && font->height() > gy_) return fail(NTCIP_MULTI_TEXT_TOO_BIG, t.pos);
            box.height = font->height();
        }
        int x;
        if (!place(m.width, box.height, spacing, lineSpacing, t.pos, x)) return false;
        layout_.moving.push_back(box);
        uint64_t cycle = movingCycle(m, box.length);
        uint64_t tick = layout_.movingTick ? gcd(layout_.movingTick, static_cast<uint64_t>(m.rate)) : m.rate;
        if (m.mode == 'l' && m.delay > 0) tick = gcd(tick, static_cast<uint64_t>(m.delay));
        layout_.movingTick = static_cast<uint16_t>(tick);
        uint64_t all = layout_.movingCycle ? layout_.movingCycle / gcd(layout_.movingCycle, cycle) * cycle : cycle;
        layout_.movingCycle = static_cast<uint32_t>(std::min<uint64_t>(all, kMaxMovingCycle));
        return true;
    }
    const MovingBox& box = layout_.moving[moving_++];
    int x;
    place(m.width, box.height, spacing, lineSpacing, t.pos, x);
    const LineBox& line = layout_.lines[line_];
    movingBottom_ = line.y + line.height;
    movingLeft_ = x + static_cast<int64_t>(movingOffset(m, box.length, time_));
    movingWindow_ = x;
    movingWidth_ = m.width;
    painter_->clip(x, movingBottom_ - box.height, m.width, box.height);
    bool ok = movingText(m);
    painter_->clip(0, 0, -1, -1);
    return ok;
}

// Reads a moving text's own tokens: measuring, its length and height;
// painting, draws its characters from movingLeft_. What it sets holds
// within it, but for flash regions.
bool Walker::movingText(const multi::MovingValue& m) {
    const PageState saved = st_;
    inMoving_ = true;
    movingPen_ = 0;
    movingPrevSpacing_ = -1;
    movingHeight_ = 0;
    st_.spacing = -1;
    bool ok = true;
    multi::Tokenizer inner(text_ + m.text.pos, m.text.length);
    for (Token t; ok && inner.next(t);) {
        shift(t, m.text.pos);
        ok = token(t);
    }
    inMoving_ = false;
    st_.fontNumber = saved.fontNumber;
    st_.font = saved.font;
    st_.foreground = saved.foreground;
    st_.spacing = saved.spacing;
    return ok;
}

// A travel-time field in a rectangle of its own: one line placed by the
// current justifications.
bool Walker::travel(const Token& t, const char* s) {
    int x, y, w, h;
    if (!rectangle(t.travel.rect, true, x, y, w, h)) return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
    if (!st_.font) return fail(NTCIP_MULTI_FONT_NOT_DEFINED, t.pos);
    const FontView& font = *st_.font;
    const int gap = cells_ ? 0 : st_.spacing >= 0 ? st_.spacing : font.charSpacing();
    int width = 0;
    for (const char* p = s; *p; ++p) {
        const Glyph& g = font.glyph(static_cast<uint8_t>(*p));
        if (g.width == 0) return fail(NTCIP_MULTI_CHARACTER_NOT_DEFINED, t.pos);
        if (cells_ && g.width > gx_) return fail(NTCIP_MULTI_TEXT_TOO_BIG, t.pos);
        width += (p == s ? 0 : gap) + (cells_ ? gx_ : g.width);
        if (width > w) return fail(NTCIP_MULTI_TEXT_TOO_BIG, t.pos);
    }
    const int height = gy_ > 1 ? gy_ : font.height();
    if (font.height() > height || height > h) return fail(NTCIP_MULTI_TEXT_TOO_BIG, t.pos);
    if (measuring()) return true;
    if (st_.line == LineJustify::Center) x += half(w - width, gx_);
    if (st_.line == LineJustify::Right) x += w - width;
    if (st_.page == PageJustify::Middle) y += half(h - height, gy_);
    if (st_.page == PageJustify::Bottom) y += h - height;
    for (const char* p = s; *p; ++p) {
        const Glyph& g = font.glyph(static_cast<uint8_t>(*p));
        painter_->glyph(x, y + height - font.height(), g, font.height(), st_.foreground, inFlash_);
        x += (cells_ ? gx_ : g.width) + gap;
    }
    return true;
}

// A [tr], [tdc] or [cr] rectangle from 1-based values, 0 reaching the
// sign's edge; false when it does not lie on the sign. On the grid (text
// rectangles) it must start on a cell and keeps its whole cells.
bool Walker::rectangle(const RectValue& r, bool grid, int& x, int& y, int& w, int& h) const {
    if (r.x < 1 || r.y < 1 || r.x > profile_.width || r.y > profile_.height) return false;
    x = r.x - 1;
    y = r.y - 1;
    w = r.width ? r.width : profile_.width - x;
    h = r.height ? r.height : profile_.height - y;
    if (x + w > profile_.width || y + h > profile_.height) return false;
    if (!grid) return true;
    if (x % gx_ != 0 || y % gy_ != 0) return false;
    w = w / gx_ * gx_;
    h = h / gy_ * gy_;
    return true;
}

void Walker::openBlock(int x, int y, int w, int h, size_t pos) {
    if (measuring()) {
        TextBlock b;
        b.x = x;
        b.y = y;
        b.width = w;
        b.height = h;
        b.firstLine = layout_.lines.size();
        layout_.blocks.push_back(b);
        block_ = layout_.blocks.size() - 1;
        openLine(-1, pos);
    } else {
        block_ = 0;
        line_ = 0;
        startPaintLine();
    }
}

void Walker::openLine(int spacingAbove, size_t pos) {
    LineBox l;
    l.spacingAbove = spacingAbove;
    l.group = st_.page;
    l.firstPos = pos;
    layout_.lines.push_back(l);
    line_ = layout_.lines.size() - 1;
}

void Walker::closeLine() {
    LineBox& l = layout_.lines[line_];
    if (gy_ > 1) {
        l.height = gy_;
        l.lineSpacing = 0;
    } else if (l.chars == 0 && st_.font) {
        l.height = st_.font->height();
        l.lineSpacing = st_.font->lineSpacing();
    }
}

// Places the current block's lines; textTooBig when they are taller than it
// or its groups meet.
Problem Walker::closeBlock() {
    closeLine();
    TextBlock& b = layout_.blocks[block_];
    if (b.chars == 0) return Problem{};
    size_t first = b.firstLine, end = layout_.lines.size();
    // Each group's height, its lines' tops from the group's top for now.
    int height[3] = {0, 0, 0};
    size_t groupFirst[3] = {end, end, end};
    for (size_t i = first; i < end; ++i) {
        LineBox& l = layout_.lines[i];
        int g = groupIndex(l.group);
        if (groupFirst[g] == end)
            groupFirst[g] = i;
        else
            height[g] += gy_ > 1                ? 0
                         : l.spacingAbove >= 0 ? l.spacingAbove
                                               : std::max(layout_.lines[i - 1].lineSpacing, l.lineSpacing);
        l.y = height[g];
        height[g] += l.height;
        if (height[g] > b.height) return Problem{NTCIP_MULTI_TEXT_TOO_BIG, l.firstPos};
    }
    int top[3] = {b.y, b.y + half(b.height - height[1], gy_), b.y + b.height - height[2]};
    int reached = b.y;
    for (int g = 0; g < 3; ++g) {
        if (groupFirst[g] == end) continue;
        if (top[g] < reached) return Problem{NTCIP_MULTI_TEXT_TOO_BIG, layout_.lines[groupFirst[g]].firstPos};
        reached = top[g] + height[g];
    }
    for (size_t i = first; i < end; ++i) {
        LineBox& l = layout_.lines[i];
        l.y += top[groupIndex(l.group)];
        Segment* s = l.segments;
        s[0].x = b.x;
        s[1].x = b.x + half(b.width - s[1].width, gx_);
        s[2].x = b.x + b.width - s[2].width;
        s[3].x = b.x;
        s[3].extra = b.width - s[3].width;  // one character: nothing to spread, it stays left
    }
    return Problem{};
}

void Walker::startPaintLine() { part_ = -1; }

}  // namespace

PageState firstPageState(const SignProfile& profile, const FontSet& fonts) {
    return PageState{profile.font,
                     fonts.find(profile.font),
                     -1,
                     profile.lineJustify,
                     profile.pageJustify,
                     defaultForeground(profile),
                     defaultBackground(profile),
                     profile.pageOnTime,
                     profile.pageOffTime};
}

Problem layoutPage(const char* text, size_t length, size_t start, const SignProfile& profile, const Sources& sources,
                   PageState& state, PageLayout& layout) {
    return Walker(text, length, start, profile, sources, state, layout, nullptr, 0).run();
}

void paintPage(const char* text, size_t length, size_t start, const SignProfile& profile, const Sources& sources,
               PageState state, const PageLayout& layout, Painter& painter, uint32_t movingTime) {
    // Painting only reads the layout.
    Walker(text, length, start, profile, sources, state, const_cast<PageLayout&>(layout), &painter, movingTime).run();
}

int movingOffset(const multi::MovingValue& m, int length, uint32_t time) {
    const MovingPath p = movingPath(m, length);
    const int64_t w = m.width, s = m.step;
    int64_t k;
    if (m.mode == 'c') {
        k = static_cast<int64_t>(time / static_cast<uint32_t>(m.rate) % static_cast<uint64_t>(p.steps));
        return static_cast<int>(m.direction == 'l' ? w - k * s : k * s - length);
    }
    k = std::min<int64_t>(static_cast<int64_t>(time % movingCycle(m, length) / static_cast<uint32_t>(m.rate)), p.steps);
    return static_cast<int>(m.direction == 'l' ? std::max(w - k * s, p.target) : std::min(k * s - length, p.target));
}

}  // namespace render
}  // namespace dms
