// Placing one MULTI page on a sign.
//
// layoutPage reads a page (from `start` to its [np] or the end of the text)
// and places its text: lines in the current text rectangle (the whole sign
// until a [tr]), each line justified left, center, right or full within it,
// the block of lines justified top, middle or bottom. Line spacing between
// two lines is the [nl s] value, else the larger line spacing of the fonts
// on the two lines; character spacing is the [sc] value, else the larger
// character spacing of the two neighbours' fonts. Characters of one line
// stand on its bottom. A line without characters is as tall as the font at
// its end; a rectangle without characters places nothing.
//
// Within a line, [jl] may move on from left to center to right (never back,
// and full alone): each part is placed on its own and they may not
// overlap. Within a rectangle, [jp] at the start of a line may move on from
// top to middle to bottom likewise: each group of lines is placed on its
// own, spaced within the group only, and groups may not overlap.
//
// Character- and line-matrix signs (profile.matrix) place on a grid:
// - character matrix: every character takes one cell of characterWidth x
//   characterHeight pixels, drawn from the cell's left and standing on its
//   bottom; no spacing between cells ([sc] is read but adds nothing); a
//   glyph wider or a font taller than the cell is textTooBig.
// - line matrix: characters keep their widths and spacing; every line is
//   characterHeight tall, a font taller than that is textTooBig.
// - on both, lines follow each other without spacing ([nl s] is read, s is
//   not used), lines sit on whole rows of the grid and parts of a line on
//   whole cells (center, middle and full justification round down to the
//   grid), and a text rectangle must start on the grid (else
//   unsupportedTagValue); it holds the whole cells and rows within it.
//
// Fields and travel-time fields show sample texts (Sources::samples, or
// built-in ones). [f n,w] with a width w of 1 to 99 shows the sample
// padded with spaces in front, or its first w characters; w 0 is as none.
// [tdc n] shows its sample in the line like a field; [tdc n,x,y,w,h] shows
// it on one line of its own in that rectangle, placed by the current line
// and page justification (full as left), the text around it untouched.
//
// Moving text [mv...] takes a window of its width in the line, as tall as
// the tallest font it uses (the current font without characters), and
// shows its own characters (text, [hc], [f]; [fo], [cf] and [sc] hold
// within it; [fl] and [/fl] open and close regions as outside) moving
// through the window, clipped to it. A width, step or rate of 0, or any
// other tag inside it, is unsupportedTagValue; on a character matrix the
// width must be whole cells. At movingTime t (tenths of a second since the
// page appeared) the text has made s = t / rate steps of `step` pixels:
// - circular: the text enters at the window's far edge and passes through
//   it until it has left; the cycle is ceil((text + window) / step) steps.
// - linear: the text enters likewise and stops once its start is at the
//   window's near edge (a text wider than the window: once its end is at
//   the far edge); it stays there one step plus the delay (tenths), then
//   starts again.
// The page's movingTick and movingCycle tell when the picture changes and
// when all its moving texts start again together.
//
// [fo n,version] and [g n,x,y,version]: the version ID is not checked.
//
// paintPage reads the same page again, with the state it started from, and
// hands each character and colour rectangle, at its place, to a Painter in
// the order of the text.
//
// Problems (dmsMultiSyntaxError numbers), the first in the text:
// - textTooBig (5): a line wider than its rectangle, or parts of a line
//   meeting, at the character that does not fit; lines taller than it, at
//   the first character of the first line that does not fit (or where that
//   line starts, if empty); groups of lines meeting, at the later group's
//   first line; a [tdc] text wider or taller than its rectangle, at the tag.
// - characterNotDefined (7): a code the font lacks (or [hc] over 255), at the
//   character (a field's: at its tag).
// - fontNotDefined (6): [fo] of a font not given, or text without a default
//   font, at the tag or the character.
// - unsupportedTagValue (4): [jl1] or [jp1], a rectangle off the sign (or
//   off the grid), a colour the scheme cannot show, a field past 13, the
//   moving text values above, a tag a moving text cannot hold (at it).
// - tagConflict (11): [jl] going back (or to or from full) after text of the
//   same line; [jp] after text of the same line, or going back to a group
//   an earlier line of the rectangle has passed; [sc] while one is open,
//   [/sc] with none open. An [sc] ends with its page or text rectangle.
// - flashRegionError (10): [fl] inside a flash region, [/fl] outside one,
//   and at an [fl] still open at the end of its page.
// - graphicNotDefined (15): [g] of a picture not given, at the tag;
//   unsupportedTagValue (4) for its position off the sign. A picture is
//   drawn at its position (from 1; not given: the sign's top left corner),
//   clipped to the sign, over what came before it.
// - the tokenizer's syntax errors, as it gives them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "multi/tokenizer.h"
#include "render/profile.h"
#include "render/raster.h"

namespace dms {
namespace render {

struct Problem {
    int32_t code = 2;  // dmsMultiSyntaxError; 2 is none
    size_t at = 0;     // byte of the text
    bool ok() const { return code == 2; }
};

// Fonts or pictures by number: entries held by the caller.
template <typename T>
struct NumberedSet {
    struct Entry {
        int32_t number;
        const T* item;
    };
    const Entry* entries = nullptr;
    size_t count = 0;
    const T* find(int32_t number) const {
        for (size_t i = 0; i < count; ++i)
            if (entries[i].number == number) return entries[i].item;
        return nullptr;
    }
};
using FontSet = NumberedSet<FontView>;
using FontEntry = FontSet::Entry;
using PictureSet = NumberedSet<Picture>;
using PictureEntry = PictureSet::Entry;

// The texts fields show; null entries take the built-in samples.
struct FieldSamples {
    const char* fields[13] = {};     // [f1] to [f13]
    const char* travel = nullptr;    // [tdc]: "25"
};

// The fonts and pictures a message may name, and the field samples.
struct Sources {
    FontSet fonts;
    PictureSet pictures;
    FieldSamples samples;
};

// What carries from one page to the next.
struct PageState {
    int32_t fontNumber;
    const FontView* font;  // null when fontNumber is not in the set
    int32_t spacing;       // [sc] pixels; -1: the fonts'
    LineJustify line;
    PageJustify page;
    Rgb foreground;
    Rgb background;
    uint8_t pageOn, pageOff;
};
PageState firstPageState(const SignProfile& profile, const FontSet& fonts);

// The part of a line under one justification: a line holds up to a left,
// a center and a right part, in that order, or one full part.
struct Segment {
    int x = 0;       // where its first character stands, once placed
    int width = 0;   // pixels, with the spacing between its characters
    int chars = 0;
    int extra = 0;   // full justification: pixels spread over the gaps
};

struct LineBox {
    int y = 0;              // top, once placed
    int height = 0;         // its tallest font's
    int chars = 0;
    int lineSpacing = 0;    // the largest of its fonts'
    int spacingAbove = -1;  // [nl s]; -1 when not given
    PageJustify group = PageJustify::Top;  // lines of a rectangle: top ones, middle ones, bottom ones
    size_t firstPos = 0;    // its first character, or where it starts
    Segment segments[4];    // by LineJustify: left, center, right, full
};
inline int segmentIndex(LineJustify j) { return static_cast<int>(j) - 2; }

struct TextBlock {
    int x = 0, y = 0, width = 0, height = 0;  // the text rectangle, from 0
    size_t firstLine = 0;
    int chars = 0;
};

// A moving text's measure: its characters side by side.
struct MovingBox {
    int length = 0;  // pixels, with the spacing between its characters
    int height = 0;  // the window's
};

// Longest cycle a page reports for its moving texts (one hour); renderers
// asking for later times get the same pictures again after it.
constexpr uint32_t kMaxMovingCycle = 36000;

struct PageLayout {
    std::vector<TextBlock> blocks;
    std::vector<LineBox> lines;
    std::vector<MovingBox> moving;  // in the order of the text
    uint16_t movingTick = 0;   // tenths between changes; 0 without moving text
    uint32_t movingCycle = 0;  // tenths until all start again, at most kMaxMovingCycle
    Rgb background;
    bool flashes = false;  // the first region's times serve the page
    uint8_t flashOn = 0, flashOff = 0;
    bool flashOffFirst = false;
    uint8_t pageOn = 0, pageOff = 0;
    size_t end = 0;     // the byte after the page and its [np]
    bool more = false;  // an [np] ended it
    size_t newPageAt = 0;  // that [np]
};

class Painter {
public:
    virtual ~Painter() = default;
    // A character whose top left is at (x, y); height is its font's.
    virtual void glyph(int x, int y, const Glyph& glyph, uint16_t height, Rgb color, bool flashing) = 0;
    virtual void rect(int x, int y, int width, int height, Rgb color, bool flashing) = 0;
    // A picture whose top left is at (x, y); it may reach past the sign.
    virtual void picture(int x, int y, const Picture& picture, bool flashing) = 0;
    // Glyphs after this are drawn only within the rectangle (a moving
    // text's window); a width below 0 ends the clipping.
    virtual void clip(int x, int y, int width, int height) = 0;
};

// Lays out the page at `start`, advancing state to the next page's. On a
// problem the layout and state are left partly filled.
Problem layoutPage(const char* text, size_t length, size_t start, const SignProfile& profile, const Sources& sources,
                   PageState& state, PageLayout& layout);
// Paints a page layoutPage placed without a problem; `state` is the one
// layoutPage started from; moving texts as at movingTime (tenths).
void paintPage(const char* text, size_t length, size_t start, const SignProfile& profile, const Sources& sources,
               PageState state, const PageLayout& layout, Painter& painter, uint32_t movingTime = 0);
// Where a moving text of `length` pixels starts, from its window's left
// edge, at `time` (tenths), by the rules above; steps and rate above 0.
int movingOffset(const multi::MovingValue& moving, int length, uint32_t time);

}  // namespace render
}  // namespace dms
