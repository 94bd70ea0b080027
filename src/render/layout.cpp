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

// Sample text a field shows, by NTCIP field number (1 to 13).
const char* sampleField(int32_t id) {
    static const char* const kSamples[] = {"12:00", "12:00", "20", "68",   "88",      "55",      "MON",
                                           "07",    "12",    "26", "2026", "12:00PM", "12:00pm"};
    return id >= 1 && id <= 13 ? kSamples[id - 1] : nullptr;
}

int groupIndex(PageJustify j) { return static_cast<int>(j) - 2; }

// Whether a line's parts lie within the width without meeting: left from
// the left edge, center in the middle, right against the right edge.
bool fits(const LineBox& line, int width) {
    const Segment* s = line.segments;
    int left = s[0].width, right = width - s[2].width;
    if (s[3].width > width || left > right) return false;
    if (s[1].chars == 0) return true;
    int center = (width - s[1].width) / 2;
    return center >= left && center + s[1].width <= right;
}

// One reading of a page: measuring (painter null) or painting.
class Walker {
public:
    Walker(const char* text, size_t length, size_t start, const SignProfile& profile, const Sources& sources,
           PageState& state, PageLayout& layout, Painter* painter)
        : text_(text), length_(length), start_(start), profile_(profile), fonts_(sources.fonts),
          pictures_(sources.pictures), st_(state),
          layout_(layout), painter_(painter) {}

    Problem run();

private:
    bool measuring() const { return painter_ == nullptr; }
    bool fail(int32_t code, size_t at) {
        problem_ = Problem{code, at};
        return false;
    }
    bool token(const Token& t);
    bool text(size_t pos, size_t length);
    bool character(unsigned code, size_t pos);
    bool rectangle(const RectValue& r, int& x, int& y, int& w, int& h) const;
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
    PageState& st_;
    PageLayout& layout_;
    Painter* painter_;

    Problem problem_;
    size_t block_ = 0, line_ = 0;  // current indexes
    bool inFlash_ = false;
    size_t flashAt_ = 0;  // the open [fl]
    bool ended_ = false;
    int prevCharSpacing_ = 0;  // the font spacing of the line's last character
    int part_ = -1;            // painting: the line's part being drawn,
    int x_ = 0, gap_ = 0;      // the pen and the gaps passed in that part
};

Problem Walker::run() {
    if (measuring()) {
        // A fresh layout that keeps the lists' room from the page before.
        std::vector<TextBlock> blocks = std::move(layout_.blocks);
        std::vector<LineBox> lines = std::move(layout_.lines);
        blocks.clear();
        lines.clear();
        layout_ = PageLayout{};
        layout_.blocks = std::move(blocks);
        layout_.lines = std::move(lines);
        layout_.background = st_.background;
    }
    st_.spacing = -1;  // an [sc] ends with its page
    openBlock(0, 0, profile_.width, profile_.height, start_);
    multi::Tokenizer tokens(text_ + start_, length_ - start_);
    for (Token t; !ended_ && tokens.next(t);) {
        t.pos += start_;
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
    switch (t.kind) {
    case TokenKind::Text: return text(t.span.pos + start_, t.span.length);
    case TokenKind::Error: return fail(t.error.code, t.error.at + start_);
    case TokenKind::HexCharacter:
        if (t.hex.code > 255) return fail(NTCIP_MULTI_CHARACTER_NOT_DEFINED, t.pos);
        return character(static_cast<unsigned>(t.hex.code), t.pos);
    case TokenKind::Field: {
        const char* s = sampleField(t.field.id);
        if (!s) return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
        for (; *s; ++s)
            if (!character(static_cast<unsigned char>(*s), t.pos)) return false;
        return true;
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
        if (!rectangle(t.rect, x, y, w, h)) return fail(NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, t.pos);
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
        if (!rectangle(t.colorRect.rect, x, y, w, h) || !resolveColor(profile_, t.colorRect.color, Rgb{}, c))
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
    case TokenKind::MovingText:
    case TokenKind::TravelTime: return fail(NTCIP_MULTI_UNSUPPORTED_TAG, t.pos);
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

bool Walker::character(unsigned code, size_t pos) {
    if (!st_.font) return fail(NTCIP_MULTI_FONT_NOT_DEFINED, pos);
    const FontView& font = *st_.font;
    const Glyph& g = font.glyph(static_cast<uint8_t>(code));
    if (g.width == 0) return fail(NTCIP_MULTI_CHARACTER_NOT_DEFINED, pos);
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
    if (!first) gap = st_.spacing >= 0 ? st_.spacing : std::max<int>(prevCharSpacing_, font.charSpacing());
    prevCharSpacing_ = font.charSpacing();
    if (measuring()) {
        if (line.chars == 0) line.firstPos = pos;
        seg.width += gap + g.width;
        ++seg.chars;
        if (!fits(line, block.width)) return fail(NTCIP_MULTI_TEXT_TOO_BIG, pos);
        line.height = std::max<int>(line.height, font.height());
        line.lineSpacing = std::max<int>(line.lineSpacing, font.lineSpacing());
        ++line.chars;
        ++block.chars;
        return true;
    }
    if (!first) {
        int gaps = seg.chars - 1;
        x_ += gap;
        if (seg.extra > 0 && gaps > 0) x_ += seg.extra / gaps + (gap_ < seg.extra % gaps ? 1 : 0);
    }
    ++gap_;
    painter_->glyph(x_, line.y + line.height - font.height(), g, font.height(), st_.foreground, inFlash_);
    x_ += g.width;
    return true;
}

// A [tr] or [cr] rectangle from 1-based values, 0 reaching the sign's edge;
// false when it does not lie on the sign.
bool Walker::rectangle(const RectValue& r, int& x, int& y, int& w, int& h) const {
    if (r.x < 1 || r.y < 1 || r.x > profile_.width || r.y > profile_.height) return false;
    x = r.x - 1;
    y = r.y - 1;
    w = r.width ? r.width : profile_.width - x;
    h = r.height ? r.height : profile_.height - y;
    return x + w <= profile_.width && y + h <= profile_.height;
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
    if (l.chars == 0 && st_.font) {
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
            height[g] += l.spacingAbove >= 0 ? l.spacingAbove : std::max(layout_.lines[i - 1].lineSpacing, l.lineSpacing);
        l.y = height[g];
        height[g] += l.height;
        if (height[g] > b.height) return Problem{NTCIP_MULTI_TEXT_TOO_BIG, l.firstPos};
    }
    int top[3] = {b.y, b.y + (b.height - height[1]) / 2, b.y + b.height - height[2]};
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
        s[1].x = b.x + (b.width - s[1].width) / 2;
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
    return Walker(text, length, start, profile, sources, state, layout, nullptr).run();
}

void paintPage(const char* text, size_t length, size_t start, const SignProfile& profile, const Sources& sources,
               PageState state, const PageLayout& layout, Painter& painter) {
    // Painting only reads the layout.
    Walker(text, length, start, profile, sources, state, const_cast<PageLayout&>(layout), &painter).run();
}

}  // namespace render
}  // namespace dms
