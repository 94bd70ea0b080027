// The MULTI renderer, by placement rule: line and page justification, line
// and character spacing, text and colour rectangles, page background,
// flashing frames, and the problems with their positions. Each expected
// raster was worked out by hand from the glyphs below: '.' background,
// '#' white text, letters for the other colours.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "dmscontent/records.h"
#include "fonts/font_file.h"
#include "render/render.h"
#include "tqdms/ntcip.h"

namespace {

using namespace dms::render;
using Rows = std::vector<std::string>;

// Packs glyph rows ('#' lit) into a font as a sign gives it.
void addGlyph(dms::SignFont& font, char code, const Rows& rows) {
    auto c = static_cast<unsigned char>(code);
    size_t width = rows[0].size();
    font.widths[c] = static_cast<uint8_t>(width);
    std::vector<uint8_t>& bits = font.packed[c];
    bits.assign((rows.size() * width + 7) / 8, 0);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t x = 0; x < width; ++x)
            if (rows[r][x] == '#') bits[(r * width + x) / 8] |= static_cast<uint8_t>(0x80u >> ((r * width + x) % 8));
}

// Font 1: 3 high, character spacing 1, line spacing 1.
dms::SignFont smallFont() {
    dms::SignFont f;
    f.height = 3, f.charSpacing = 1, f.lineSpacing = 1;
    addGlyph(f, 'I', {"#", "#", "#"});
    addGlyph(f, 'L', {"#.", "#.", "##"});
    addGlyph(f, 'T', {"###", ".#.", ".#."});
    addGlyph(f, ' ', {"..", "..", ".."});
    return f;
}

// Font 2: 5 high, character spacing 2, line spacing 2.
dms::SignFont tallFont() {
    dms::SignFont f;
    f.height = 5, f.charSpacing = 2, f.lineSpacing = 2;
    addGlyph(f, 'I', {"#", "#", "#", "#", "#"});
    return f;
}

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlack{0, 0, 0};

// The fonts, and picture 1: 2 x 2, red and green over black (transparent)
// and red.
struct Fonts {
    dms::SignFont small = smallFont(), tall = tallFont();
    FontView smallView{small}, tallView{tall};
    FontEntry entries[2] = {{1, &smallView}, {2, &tallView}};
    Rgb pixels[4] = {kRed, kGreen, kBlack, kRed};
    Picture picture{2, 2, pixels, true, kBlack};
    PictureEntry pictures[1] = {{1, &picture}};
    Sources set{FontSet{entries, 2}, PictureSet{pictures, 1}, FieldSamples{}};
};

SignProfile sign(uint16_t width, uint16_t height) {
    SignProfile p;
    p.width = width, p.height = height;
    p.foreground = Rgb{255, 255, 255};
    p.background = Rgb{0, 0, 0};
    p.lineJustify = LineJustify::Left;
    p.pageJustify = PageJustify::Top;
    return p;
}

Rows rowsOf(const Raster& r) {
    static const std::map<uint32_t, char> names = {{0x000000, '.'}, {0xFFFFFF, '#'}, {0xFF0000, 'R'},
                                                   {0x00FF00, 'G'}, {0x0000FF, 'B'}, {0xFFB400, 'A'}};
    Rows rows;
    for (int y = 0; y < r.height(); ++y) {
        std::string row;
        for (int x = 0; x < r.width(); ++x) {
            Rgb c = r.at(x, y);
            auto it = names.find(uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue);
            row += it == names.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

struct Rendered {
    Problem problem;
    std::vector<PageImage> pages;
};

Rendered render(const std::string& multi, const SignProfile& profile, uint32_t movingTime = 0,
                const FieldSamples& samples = FieldSamples{}) {
    Fonts fonts;
    fonts.set.samples = samples;
    Rendered out;
    RenderOptions options;
    options.movingTime = movingTime;
    out.problem = renderMulti(multi.data(), multi.size(), profile, fonts.set, out.pages, options);
    return out;
}

// The single page of a message that renders.
Rows page(const std::string& multi, const SignProfile& profile, uint32_t movingTime = 0,
          const FieldSamples& samples = FieldSamples{}) {
    Rendered r = render(multi, profile, movingTime, samples);
    EXPECT_TRUE(r.problem.ok()) << multi << ": " << r.problem.code << " at " << r.problem.at;
    EXPECT_EQ(r.pages.size(), 1u) << multi;
    return r.pages.empty() ? Rows{} : rowsOf(r.pages[0].on);
}

struct Case {
    const char* multi;
    uint16_t width, height;
    Rows expected;
};

void expectAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(page(c.multi, sign(c.width, c.height)), c.expected) << c.multi;
}

// "LT" is 2 + 1 + 3 = 6 wide; "ILT" 1 + 1 + 2 + 1 + 3 = 8.
TEST(RenderLineJustify, LeftCenterRightFull) {
    expectAll({
        {"[jl2]LT", 10, 3, {"#..###....", "#...#.....", "##..#....."}},
        {"[jl3]LT", 10, 3, {"..#..###..", "..#...#...", "..##..#..."}},
        {"[jl3]LT", 9, 3, {".#..###..", ".#...#...", ".##..#..."}},  // odd slack: the extra pixel right
        {"[jl4]LT", 10, 3, {"....#..###", "....#...#.", "....##..#."}},
        {"[jl4]LT", 6, 3, {"#..###", "#...#.", "##..#."}},  // exactly as wide as the sign
        {"[jl5]ILT", 10, 3, {"#..#...###", "#..#....#.", "#..##...#."}},
        {"[jl5]ILT", 11, 3, {"#...#...###", "#...#....#.", "#...##...#."}},  // 3 over 2 gaps: 2 then 1
        {"[jl5]T", 5, 3, {"###..", ".#...", ".#..."}},                      // nothing to spread
        {"[jl]LT", 10, 3, {"#..###....", "#...#.....", "##..#....."}},     // the sign's default, left here
    });
}

TEST(RenderPageJustify, TopMiddleBottom) {
    expectAll({
        {"[jp2]T", 3, 7, {"###", ".#.", ".#.", "...", "...", "...", "..."}},
        {"[jp3]T", 3, 7, {"...", "...", "###", ".#.", ".#.", "...", "..."}},
        {"[jp3]T", 3, 6, {"...", "###", ".#.", ".#.", "...", "..."}},  // odd slack: the extra row below
        {"[jp4]T", 3, 7, {"...", "...", "...", "...", "###", ".#.", ".#."}},
        {"[jp4]T[nl]T", 3, 7, {"###", ".#.", ".#.", "...", "###", ".#.", ".#."}},  // exactly as tall
    });
}

// Left, center and right parts of one line, each placed on its own.
TEST(RenderLineJustify, PartsOfOneLine) {
    expectAll({
        {"[jl2]I[jl3]T[jl4]L", 12, 3, {"#...###...#.", "#....#....#.", "#....#....##"}},
        {"[jl2]LT[jl4]I", 7, 3, {"#..####", "#...#.#", "##..#.#"}},  // touching: fits
        {"[jl3]I[jl4]I", 5, 3, {"..#.#", "..#.#", "..#.#"}},
    });
    struct {
        const char* multi;
        uint16_t width;
        size_t at;
    } const meeting[] = {
        {"[jl2]LT[jl4]I", 6, 12},   // the right part runs into the left
        {"[jl2]LT[jl3]I", 8, 12},   // the center one (at 3) into the left (to 6)
        {"[jl3]LT[jl4]I", 6, 12},   // the right one (at 5) into the center (0 to 6)
    };
    for (const auto& c : meeting) {
        Rendered r = render(c.multi, sign(c.width, 3));
        EXPECT_EQ(r.problem.code, NTCIP_MULTI_TEXT_TOO_BIG) << c.multi;
        EXPECT_EQ(r.problem.at, c.at) << c.multi;
    }
}

// Top, middle and bottom groups of lines in one rectangle.
TEST(RenderPageJustify, GroupsOfLines) {
    expectAll({
        {"[jp2]T[nl][jp4]L", 3, 9, {"###", ".#.", ".#.", "...", "...", "...", "#..", "#..", "##."}},
        {"[jp2]I[nl][jp3]I[nl][jp4]I", 1, 11, {"#", "#", "#", ".", "#", "#", "#", ".", "#", "#", "#"}},
        {"[jp2]I[nl][jp3]I[nl][jp4]I", 1, 9, {"#", "#", "#", "#", "#", "#", "#", "#", "#"}},  // touching
        {"[jp3]I[nl]I[nl][jp4]I", 1, 12, {".", ".", "#", "#", "#", ".", "#", "#", "#", "#", "#", "#"}},  // touching
    });
    struct {
        const char* multi;
        uint16_t height;
        size_t at;
    } const meeting[] = {
        {"[jp2]I[nl][jp3]I[nl][jp4]I", 8, 15},  // the middle group (from 2) into the top one (to 3)
        {"[jp2]I[nl][jp4]I", 5, 15},            // the bottom one into the top one
        {"I[nl][jp3]I", 7, 10},
    };
    for (const auto& c : meeting) {
        Rendered r = render(c.multi, sign(1, c.height));
        EXPECT_EQ(r.problem.code, NTCIP_MULTI_TEXT_TOO_BIG) << c.multi;
        EXPECT_EQ(r.problem.at, c.at) << c.multi;
    }
}

TEST(RenderLineSpacing, FontOrNewLineTag) {
    expectAll({
        {"I[nl]I", 1, 9, {"#", "#", "#", ".", "#", "#", "#", ".", "."}},
        {"I[nl0]I", 1, 9, {"#", "#", "#", "#", "#", "#", ".", ".", "."}},
        {"I[nl3]I", 1, 9, {"#", "#", "#", ".", ".", ".", "#", "#", "#"}},
        {"I[nl][nl]I", 1, 11, {"#", "#", "#", ".", ".", ".", ".", ".", "#", "#", "#"}},  // an empty line is 3 high
        // Fonts 1 and 2 meet: the larger line spacing (2) between them.
        {"I[nl][fo2]I", 1, 10, {"#", "#", "#", ".", ".", "#", "#", "#", "#", "#"}},
        {"[fo2]I[nl][fo1]I", 1, 10, {"#", "#", "#", "#", "#", ".", ".", "#", "#", "#"}},
    });
}

TEST(RenderCharacterSpacing, FontOrSpacingTag) {
    expectAll({
        {"III", 10, 3, {"#.#.#.....", "#.#.#.....", "#.#.#....."}},
        {"[sc3]II[/sc]II", 10, 3, {"#...#.#.#.", "#...#.#.#.", "#...#.#.#."}},
        {"[sc0]III", 10, 3, {"###.......", "###.......", "###......."}},
        // Fonts 1 and 2 side by side: the larger spacing (2), both on the line's bottom.
        {"I[fo2]I", 5, 5, {"...#.", "...#.", "#..#.", "#..#.", "#..#."}},
        {"[fo2]I[fo1]I", 5, 5, {"#....", "#....", "#..#.", "#..#.", "#..#."}},
    });
}

TEST(RenderTextRectangle, PlacesWithinIt) {
    Rows expected = {"#.........", "#.........", "#.........", "..........",
                     ".......###", "........#.", "........#."};
    expectAll({
        {"I[tr6,1,5,7][jl4][jp4]T", 10, 7, expected},
        {"I[tr6,1,0,0][jl4][jp4]T", 10, 7, expected},  // 0: to the sign's edges
        {"[tr2,2,3,3][jl3][jp3]I", 5, 5, {".....", "..#..", "..#..", "..#..", "....."}},
    });
}

TEST(RenderColorRectangle, UnderAndOverText) {
    expectAll({
        {"[cr2,1,4,3,255,0,0]LT", 6, 3, {"#RR###", "#RRR#.", "##RR#."}},
        {"LT[cr2,1,4,3,255,0,0]", 6, 3, {"#RRRR#", "#RRRR.", "#RRRR."}},
        {"[cr1,1,0,0,0,0,255]", 2, 2, {"BB", "BB"}},
    });
}

TEST(RenderColors, PageBackgroundAndForeground) {
    expectAll({
        {"[pb0,0,255]I", 4, 3, {"#BBB", "#BBB", "#BBB"}},
        {"I[pb0,0,255]", 4, 3, {"#BBB", "#BBB", "#BBB"}},  // the page's background, wherever set
        {"[pb0,0,255][cf255,0,0]I", 4, 3, {"RBBB", "RBBB", "RBBB"}},
        {"[cf1]I[cf]I", 4, 3, {"R.#.", "R.#.", "R.#."}},  // a classic index, then the default
    });
    // Both carry to the next page.
    Rendered r = render("[pb0,0,255][cf0,255,0]I[np]I", sign(2, 3));
    ASSERT_TRUE(r.problem.ok());
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_EQ(rowsOf(r.pages[1].on), (Rows{"GB", "GB", "GB"}));
}

TEST(RenderColors, MonochromeSchemes) {
    SignProfile one = sign(3, 3);
    one.scheme = ColorScheme::Monochrome1Bit;
    one.monochromeOn = Rgb{255, 180, 0};
    EXPECT_EQ(page("I[pb1][cf0]I", one), (Rows{"AA.", "AA.", "AA."}));  // [pb] last: whole page
    EXPECT_EQ(page("I", one), (Rows{"A..", "A..", "A.."}));
    Rendered bad = render("I[cf2]", one);
    EXPECT_EQ(bad.problem.code, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE);
    EXPECT_EQ(bad.problem.at, 1u);
    bad = render("[cf255,0,0]", one);
    EXPECT_EQ(bad.problem.code, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE);
}

TEST(RenderPictures, AtTheirPlaceClippedAndTransparent) {
    expectAll({
        {"[pb0,0,255][g1,2,2]", 4, 3, {"BBBB", "BRGB", "BBRB"}},
        {"[pb0,0,255][g1,4,3]", 4, 3, {"BBBB", "BBBB", "BBBR"}},  // the last pixel of the sign
        {"[pb0,0,255][g1]", 4, 3, {"RGBB", "BRBB", "BBBB"}},      // not given: the top left
        {"[g1]I", 4, 3, {"#G..", "#R..", "#..."}},                // in the order of the text
        {"I[g1]", 4, 3, {"RG..", "#R..", "#..."}},
    });
    Rendered r = render("[fl][g1][/fl]", sign(2, 2));
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_EQ(rowsOf(r.pages[0].on), (Rows{"RG", ".R"}));
    EXPECT_EQ(rowsOf(r.pages[0].off), (Rows{"..", ".."}));
}

// Index colours by scheme, read off the raster's pixels.
TEST(RenderColors, IndexesByScheme) {
    struct {
        ColorScheme scheme;
        const char* multi;
        Rgb expected;
    } const cases[] = {
        {ColorScheme::Monochrome8Bit, "[cf0]I", Rgb{10, 20, 30}},      // the off colour
        {ColorScheme::Monochrome8Bit, "[cf255]I", Rgb{250, 180, 0}},   // the on colour
        {ColorScheme::Monochrome8Bit, "[cf128]I", Rgb{130, 100, 15}},  // halfway, rounded
        {ColorScheme::Monochrome8Bit, "I", Rgb{250, 180, 0}},
        {ColorScheme::Monochrome1Bit, "[cf1]I", Rgb{250, 180, 0}},
        {ColorScheme::ColorClassic, "[cf2]I", Rgb{255, 255, 0}},  // yellow
        {ColorScheme::ColorClassic, "[cf9]I", Rgb{255, 180, 0}},  // amber, the last
        {ColorScheme::ColorClassic, "I", Rgb{255, 255, 255}},     // the profile's foreground
        {ColorScheme::Color24Bit, "[cf1,2,3]I", Rgb{1, 2, 3}},
    };
    for (const auto& c : cases) {
        SignProfile p = sign(1, 3);
        p.scheme = c.scheme;
        p.monochromeOn = Rgb{250, 180, 0};
        p.monochromeOff = Rgb{10, 20, 30};
        Rendered r = render(c.multi, p);
        ASSERT_EQ(r.pages.size(), 1u) << c.multi;
        Rgb got = r.pages[0].on.at(0, 2);
        EXPECT_TRUE(got == c.expected) << c.multi << ": " << int(got.red) << "," << int(got.green) << "," << int(got.blue);
    }
    SignProfile classic = sign(1, 3);
    classic.scheme = ColorScheme::ColorClassic;
    EXPECT_EQ(render("[cf10]I", classic).problem.code, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE);
    EXPECT_EQ(render("[cf1,2,3]I", classic).problem.code, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE);
}

TEST(RenderFlash, OnAndOffFrames) {
    Rendered r = render("I[flt3o7]L[/fl]I", sign(6, 3));
    ASSERT_TRUE(r.problem.ok());
    ASSERT_EQ(r.pages.size(), 1u);
    const PageImage& p = r.pages[0];
    EXPECT_TRUE(p.flashes);
    EXPECT_EQ(p.flashOn, 3);
    EXPECT_EQ(p.flashOff, 7);
    EXPECT_EQ(rowsOf(p.on), (Rows{"#.#..#", "#.#..#", "#.##.#"}));
    EXPECT_EQ(rowsOf(p.off), (Rows{"#....#", "#....#", "#....#"}));

    // A colour rectangle flashes as text does.
    r = render("[fl][cr2,1,1,3,255,0,0][/fl]I", sign(2, 3));
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_EQ(rowsOf(r.pages[0].on), (Rows{"#R", "#R", "#R"}));
    EXPECT_EQ(rowsOf(r.pages[0].off), (Rows{"#.", "#.", "#."}));

    // Without a flash: one frame, the sign's flash times unused.
    r = render("I", sign(2, 3));
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_FALSE(r.pages[0].flashes);
    EXPECT_EQ(r.pages[0].off.width(), 0);
    // The sign's flash times by default; the next page does not flash.
    r = render("[fl]I[/fl][np]I", sign(2, 3));
    ASSERT_TRUE(r.problem.ok());
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_TRUE(r.pages[0].flashes);
    EXPECT_EQ(r.pages[0].flashOn, 5);
    EXPECT_EQ(r.pages[0].flashOff, 5);
    EXPECT_EQ(rowsOf(r.pages[0].off), (Rows{"..", "..", ".."}));
    EXPECT_FALSE(r.pages[1].flashes);
}

struct ProblemCase {
    const char* multi;
    uint16_t width, height;
    int32_t code;
    size_t at;
};

TEST(RenderProblems, CodesAndPositions) {
    const ProblemCase cases[] = {
        // A line one pixel too wide: at the character that does not fit.
        {"LT", 5, 3, NTCIP_MULTI_TEXT_TOO_BIG, 1},
        {"[sc2]LT", 6, 3, NTCIP_MULTI_TEXT_TOO_BIG, 6},
        {"[tr1,1,5,3]LT", 10, 3, NTCIP_MULTI_TEXT_TOO_BIG, 12},
        // Lines one row too tall: at the first character of the line that does not fit.
        {"I[nl]I", 1, 6, NTCIP_MULTI_TEXT_TOO_BIG, 5},
        {"I[nl4]I", 1, 9, NTCIP_MULTI_TEXT_TOO_BIG, 6},
        {"I[fo2]I", 5, 4, NTCIP_MULTI_TEXT_TOO_BIG, 0},  // the line grows taller than the sign
        {"I[nl]I[nl]X", 1, 3, NTCIP_MULTI_TEXT_TOO_BIG, 5},  // before the unknown X
        {"I[nl][nl]", 1, 7, NTCIP_MULTI_TEXT_TOO_BIG, 9},   // an empty last line: where it starts
        {"[tr1,1,1,2]I[tr1,3,1,1]", 1, 3, NTCIP_MULTI_TEXT_TOO_BIG, 11},  // checked when its rectangle ends
        {"IX", 5, 3, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 1},
        {"I[hc58]", 5, 3, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 1},
        {"I[hc149]", 5, 3, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 1},  // not "I" (49)
        {"I[f1]", 5, 3, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 1},  // "12:00"
        {"I[[", 5, 3, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 1},
        {"[fo3]I", 5, 3, NTCIP_MULTI_FONT_NOT_DEFINED, 0},
        {"I[xx]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG, 1},  // the tokenizer's
        {"I[jl1]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 4},
        {"[tr1,1,6,3]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},
        {"[tr1,2,5,3]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},
        {"[tr6,1,1,1]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},
        {"[cr1,1,5,4,1]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},
        {"[cr1,1,1,1,10]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},
        {"[jl3]I[jl2]I", 5, 3, NTCIP_MULTI_TAG_CONFLICT, 6},  // back from center to left
        {"[jl2]I[jl5]I", 5, 3, NTCIP_MULTI_TAG_CONFLICT, 6},  // full with another part
        {"[jl5]I[jl4]I", 5, 3, NTCIP_MULTI_TAG_CONFLICT, 6},
        {"I[jp3]", 5, 3, NTCIP_MULTI_TAG_CONFLICT, 1},        // after text of its line
        {"[jp4]I[nl][jp2]I", 5, 7, NTCIP_MULTI_TAG_CONFLICT, 10},
        {"[fl]I[fl]", 5, 3, NTCIP_MULTI_FLASH_REGION_ERROR, 5},
        {"I[/fl]", 5, 3, NTCIP_MULTI_FLASH_REGION_ERROR, 1},
        {"I[fl]I[np]I", 5, 3, NTCIP_MULTI_FLASH_REGION_ERROR, 1},  // still open at its page's end
        {"I[fl]I", 5, 3, NTCIP_MULTI_FLASH_REGION_ERROR, 1},
        {"[fl]I[nl]I", 5, 6, NTCIP_MULTI_FLASH_REGION_ERROR, 0},  // before the line that does not fit
        {"[sc1]I[sc2]I", 5, 3, NTCIP_MULTI_TAG_CONFLICT, 6},
        {"I[/sc]", 5, 3, NTCIP_MULTI_TAG_CONFLICT, 1},
        {"[sc1]I[np]I[/sc]", 5, 3, NTCIP_MULTI_TAG_CONFLICT, 11},     // ended with its page
        {"[sc1]I[tr1,1,0,0]I[/sc]", 5, 3, NTCIP_MULTI_TAG_CONFLICT, 18},  // and with its rectangle
        {"I[f14]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"I[g2]", 5, 3, NTCIP_MULTI_GRAPHIC_NOT_DEFINED, 1},
        {"I[g1,6,1]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"I[g1,1,4]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"I[g2,6,1]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},  // the position before the table
        {"I[np]IX", 5, 3, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 6},  // positions count from the message
    };
    for (const ProblemCase& c : cases) {
        std::vector<PageImage> pages(1);
        Fonts fonts;
        std::string multi = c.multi;
        Problem p = renderMulti(multi.data(), multi.size(), sign(c.width, c.height), fonts.set, pages);
        EXPECT_EQ(p.code, c.code) << c.multi;
        EXPECT_EQ(p.at, c.at) << c.multi;
        EXPECT_EQ(pages.size(), 1u) << c.multi << ": pages changed on a problem";
    }
}

TEST(RenderProblems, FitsAtTheLimits) {
    expectAll({
        {"LT", 6, 3, {"#..###", "#...#.", "##..#."}},
        {"I[nl]I", 1, 7, {"#", "#", "#", ".", "#", "#", "#"}},
        {"[tr1,1,5,3]I", 5, 3, {"#....", "#....", "#...."}},
    });
}

TEST(RenderPages, EachPageItsOwnRaster) {
    Rendered r = render("I[np][jl4]L[np]", sign(3, 3));
    ASSERT_TRUE(r.problem.ok());
    ASSERT_EQ(r.pages.size(), 3u);
    EXPECT_EQ(rowsOf(r.pages[0].on), (Rows{"#..", "#..", "#.."}));
    EXPECT_EQ(rowsOf(r.pages[1].on), (Rows{".#.", ".#.", ".##"}));
    EXPECT_EQ(rowsOf(r.pages[2].on), (Rows{"...", "...", "..."}));
    EXPECT_EQ(r.pages[0].pageOn, 30);
    // [pt] holds for its page and the ones after.
    r = render("[pt20o5]I[np]I", sign(3, 3));
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_EQ(r.pages[1].pageOn, 20);
    EXPECT_EQ(r.pages[1].pageOff, 5);
}

TEST(RenderPages, PageAndMemoryLimits) {
    Fonts fonts;
    SignProfile p = sign(2, 3);
    p.maxPages = 2;
    struct {
        const char* multi;
        uint64_t budget;
        int32_t code;
        size_t at;
        size_t pages;
    } const cases[] = {
        {"I[np]I", kMaxRenderBytes, NTCIP_MULTI_NONE, 0, 2},  // at the page limit
        {"I[np]I[np]I", kMaxRenderBytes, NTCIP_MULTI_TOO_MANY_PAGES, 6, 0},
        {"I[np]I[np]X", kMaxRenderBytes, NTCIP_MULTI_TOO_MANY_PAGES, 6, 0},  // before the page is read
        // One frame is 2 x 3 x 3 = 18 bytes; a flashing page has two.
        {"I[np]I", 36, NTCIP_MULTI_NONE, 0, 2},
        {"I[np]I", 35, NTCIP_MULTI_TOO_MANY_PAGES, 1, 0},
        {"[fl]I[/fl][np]I", 54, NTCIP_MULTI_NONE, 0, 2},
        {"I[np][fl]I[/fl]", 53, NTCIP_MULTI_TOO_MANY_PAGES, 1, 0},
        {"I", 17, NTCIP_MULTI_OTHER, 0, 0},
    };
    for (const auto& c : cases) {
        std::vector<PageImage> pages;
        std::string multi = c.multi;
        Problem r = renderMulti(multi.data(), multi.size(), p, fonts.set, pages, c.budget);
        EXPECT_EQ(r.code, c.code) << c.multi << " " << c.budget;
        EXPECT_EQ(r.at, c.at) << c.multi << " " << c.budget;
        EXPECT_EQ(pages.size(), c.pages) << c.multi << " " << c.budget;
    }
    std::vector<PageImage> pages;
    EXPECT_TRUE(renderMulti(nullptr, 5, p, fonts.set, pages).ok());  // no text: one blank page
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(rowsOf(pages[0].on), (Rows{"..", "..", ".."}));
}

// Pieces of MULTI joined at random: every message either renders, with
// every page the sign's size, or names a byte of the text (or its end). Run under a
// memory checker, this also shows nothing is written outside a raster.
TEST(RenderProperty, RandomMessagesEndCleanly) {
    static const char* const kPieces[] = {
        "I", "L", "T", " ", "X", "[[", "]]", "[nl]", "[nl0]", "[nl9]", "[np]", "[jl2]", "[jl3]", "[jl4]",
        "[jl5]", "[jp2]", "[jp3]", "[jp4]", "[sc2]", "[/sc]", "[fo1]", "[fo2]", "[fo]", "[fl]", "[/fl]",
        "[flt2o3]", "[cf255,0,0]", "[cf1]", "[pb0,0,255]", "[cr1,1,2,2,0,255,0]", "[cr3,2,0,0,1]",
        "[tr1,1,0,0]", "[tr2,2,3,3]", "[tr4,1,3,5]", "[g1]", "[g1,5,4]", "[hc49]", "[f3]", "[pt5o1]", "[",
        "]", "[xy]", "[g1,9,9]", "[mvcl3,1,1,IL]", "[mvl2r4,2,3,[fo2]I[cf1]T]", "[f1,3]", "[tdc1]",
        "[tdc1,1,1,3,3]", "[fo1,12ab]", "[mvcl0,1,1,I]", "[mvcr2,1,1,[nl]I]"};
    Fonts fonts;
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    int rendered = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string multi;
        for (uint32_t n = next() % 12; n > 0; --n) multi += kPieces[next() % (sizeof kPieces / sizeof kPieces[0])];
        SignProfile p = sign(static_cast<uint16_t>(1 + next() % 9), static_cast<uint16_t>(1 + next() % 8));
        p.maxPages = static_cast<uint8_t>(next() % 4);
        p.matrix = static_cast<Matrix>(next() % 3);
        p.characterWidth = static_cast<uint8_t>(1 + next() % 3);
        p.characterHeight = static_cast<uint8_t>(1 + next() % 6);
        std::vector<PageImage> pages;
        RenderOptions options;
        options.movingTime = next() % 50;
        Problem r = renderMulti(multi.data(), multi.size(), p, fonts.set, pages, options);
        if (!r.ok()) {
            EXPECT_LE(r.at, multi.size()) << multi << ": " << r.code;  // the end, for an open "["
            EXPECT_TRUE(pages.empty()) << multi;
            continue;
        }
        ++rendered;
        ASSERT_FALSE(pages.empty()) << multi;
        for (const PageImage& page : pages) {
            EXPECT_EQ(page.on.width(), p.width) << multi;
            EXPECT_EQ(page.on.height(), p.height) << multi;
            EXPECT_EQ(page.off.width(), page.flashes ? p.width : 0) << multi;
        }
    }
    EXPECT_GT(rendered, 300);  // the pieces do make messages that render
}

TEST(RenderFontView, ReadsAFontFromAFile) {
    uint8_t tBits[] = {0xE9, 0x00, 0x00};  // "###", ".#.", ".#." packed: 111 010 010, 3 rows of 1 byte
    fontChar chars[2] = {{'T', 3, tBits}, {300, 2, nullptr}};
    fontContent font{};
    font.height = 3, font.charCount = 2, font.chars = chars, font.charSpacing = 1, font.lineSpacing = 2;
    FontView view(font);
    EXPECT_EQ(view.height(), 3);
    EXPECT_EQ(view.charSpacing(), 1);
    EXPECT_EQ(view.lineSpacing(), 2);
    EXPECT_EQ(view.glyph(300 & 0xFF).width, 0);  // codes past 255 left out
    const Glyph& t = view.glyph('T');
    Rows rows;
    for (unsigned y = 0; y < 4; ++y) {
        std::string row;
        for (unsigned x = 0; x < 4; ++x) row += t.lit(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    EXPECT_EQ(rows, (Rows{"###.", ".#..", ".#..", "...."}));  // nothing outside it
}

TEST(RenderRaster, NeverWritesOutside) {
    Raster r(3, 2, Rgb{});
    r.fill(-5, -5, 6, 6, Rgb{255, 0, 0});  // covers (0,0) only
    r.fill(2, 1, 100000, 100000, Rgb{0, 0, 255});
    r.fill(0, 0, -1, 5, Rgb{0, 255, 0});
    r.fill(-2, 1, 3, 1, Rgb{0, 255, 0});  // (0,1) only, not the row above
    r.set(3, 0, Rgb{255, 255, 255});
    r.set(-1, 1, Rgb{255, 255, 255});
    EXPECT_EQ(rowsOf(r), (Rows{"R..", "G.B"}));
}

SignProfile grid(Matrix matrix, uint16_t width, uint16_t height, uint8_t cellWidth, uint8_t cellHeight) {
    SignProfile p = sign(width, height);
    p.matrix = matrix;
    p.characterWidth = cellWidth;
    p.characterHeight = cellHeight;
    return p;
}

struct GridCase {
    const char* multi;
    SignProfile profile;
    Rows expected;
};

// Cells of 3 x 3: "I" (1 wide) and "L" (2) each take a whole cell.
TEST(RenderCharacterMatrix, CellsWithoutSpacing) {
    const SignProfile nine = grid(Matrix::Character, 9, 3, 3, 3);
    const GridCase cases[] = {
        {"IL", nine, {"#..#.....", "#..#.....", "#..##...."}},
        {"[sc2]IL", nine, {"#..#.....", "#..#.....", "#..##...."}},  // [sc] adds nothing
        {"ITL", nine, {"#..####..", "#...#.#..", "#...#.##."}},     // exactly the cells of a row
        {"[jl3]I", nine, {"...#.....", "...#.....", "...#....."}},
        {"[jl3]IL", nine, {"#..#.....", "#..#.....", "#..##...."}},  // odd slack: the spare cell right
        {"[jl4]I", nine, {"......#..", "......#..", "......#.."}},
        {"[jl5]IT", nine, {"#.....###", "#......#.", "#......#."}},  // the spare cell into the gap
        // A font shorter than the cell stands on its bottom; cells 10 wide hold 3 cells.
        {"L", grid(Matrix::Character, 10, 4, 3, 4), {"..........", "#.........", "#.........", "##........"}},
        // Lines are cells tall, without spacing; [nl s] does not move them.
        {"I[nl]L", grid(Matrix::Character, 3, 6, 3, 3), {"#..", "#..", "#..", "#..", "#..", "##."}},
        {"I[nl5]L", grid(Matrix::Character, 3, 6, 3, 3), {"#..", "#..", "#..", "#..", "#..", "##."}},
        {"[jp3]I", grid(Matrix::Character, 3, 9, 3, 3), {"...", "...", "...", "#..", "#..", "#..", "...", "...", "..."}},
        {"[jp3]I", grid(Matrix::Character, 3, 6, 3, 3), {"#..", "#..", "#..", "...", "...", "..."}},  // spare row below
        {"[tr4,1,0,0]I", grid(Matrix::Character, 6, 3, 3, 3), {"...#..", "...#..", "...#.."}},
    };
    for (const GridCase& c : cases) EXPECT_EQ(page(c.multi, c.profile), c.expected) << c.multi;
}

// Proportional characters on lines of a fixed height (5).
TEST(RenderLineMatrix, FixedLinesProportionalCharacters) {
    const SignProfile lines = grid(Matrix::Line, 6, 10, 0, 5);
    const Rows blank(5, "......");
    auto join = [](Rows a, const Rows& b) { return a.insert(a.end(), b.begin(), b.end()), a; };
    const GridCase cases[] = {
        {"LT", lines, join({"......", "......", "#..###", "#...#.", "##..#."}, blank)},
        {"I[nl]I", lines, join({"......", "......", "#.....", "#.....", "#....."}, {"......", "......", "#.....", "#.....", "#....."})},
        {"I[nl0]I", lines, join({"......", "......", "#.....", "#.....", "#....."}, {"......", "......", "#.....", "#.....", "#....."})},
        {"[fo2]I[nl][fo1]I", lines, join({"#.....", "#.....", "#.....", "#.....", "#....."}, {"......", "......", "#.....", "#.....", "#....."})},
        {"[jp4]I", lines, join(blank, {"......", "......", "#.....", "#.....", "#....."})},
        {"[jl3][jp3]I", grid(Matrix::Line, 5, 15, 0, 5),
         {".....", ".....", ".....", ".....", ".....", ".....", ".....", "..#..", "..#..", "..#..", ".....", ".....",
          ".....", ".....", "....."}},
        {"[tr1,6,0,0]I", lines, join(blank, {"......", "......", "#.....", "#.....", "#....."})},
    };
    for (const GridCase& c : cases) EXPECT_EQ(page(c.multi, c.profile), c.expected) << c.multi;
}

TEST(RenderMatrixProblems, CellsAndLinesThatDoNotFit) {
    const struct {
        const char* multi;
        SignProfile profile;
        int32_t code;
        size_t at;
    } cases[] = {
        {"ILTI", grid(Matrix::Character, 9, 3, 3, 3), NTCIP_MULTI_TEXT_TOO_BIG, 3},  // a fourth cell
        {"ILTI", grid(Matrix::Character, 11, 3, 3, 3), NTCIP_MULTI_TEXT_TOO_BIG, 3},  // 2 columns short of a cell
        {"IT", grid(Matrix::Character, 9, 3, 2, 3), NTCIP_MULTI_TEXT_TOO_BIG, 1},    // a glyph wider than its cell
        {"I[fo2]I", grid(Matrix::Character, 9, 9, 3, 4), NTCIP_MULTI_TEXT_TOO_BIG, 6},  // a font taller
        {"I[nl]I", grid(Matrix::Character, 3, 5, 3, 3), NTCIP_MULTI_TEXT_TOO_BIG, 5},
        {"[fo2]I", grid(Matrix::Line, 5, 8, 0, 4), NTCIP_MULTI_TEXT_TOO_BIG, 5},
        {"I[nl]I", grid(Matrix::Line, 5, 9, 0, 5), NTCIP_MULTI_TEXT_TOO_BIG, 5},
        {"[tr2,1,3,3]I", grid(Matrix::Character, 9, 3, 3, 3), NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},  // off the grid
        {"[tr1,2,0,0]I", grid(Matrix::Line, 5, 10, 0, 5), NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},
        {"[mvcl4,1,1,I]", grid(Matrix::Character, 9, 3, 3, 3), NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},  // part of a cell
        {"I", grid(Matrix::Character, 9, 3, 0, 3), NTCIP_MULTI_OTHER, 0},  // no cell size
        {"I", grid(Matrix::Character, 9, 3, 3, 0), NTCIP_MULTI_OTHER, 0},
        {"I", grid(Matrix::Line, 9, 3, 3, 0), NTCIP_MULTI_OTHER, 0},
    };
    for (const auto& c : cases) {
        Rendered r = render(c.multi, c.profile);
        EXPECT_EQ(r.problem.code, c.code) << c.multi;
        EXPECT_EQ(r.problem.at, c.at) << c.multi;
    }
    // The same at the limit fits.
    EXPECT_EQ(page("I[nl]I", grid(Matrix::Character, 3, 6, 3, 3)).size(), 6u);
    EXPECT_EQ(page("[fo2]I", grid(Matrix::Line, 5, 5, 0, 5)).size(), 5u);
}

// "IL" is 1 + 1 + 2 = 4 pixels wide, moving one pixel a tenth through a
// window of 5 on a sign of 5.
TEST(RenderMovingText, StepsThroughItsWindow) {
    const struct {
        const char* multi;
        uint32_t time;
        Rows expected;
    } cases[] = {
        {"[mvcl5,1,1,IL]", 0, {".....", ".....", "....."}},  // enters from the right
        {"[mvcl5,1,1,IL]", 1, {"....#", "....#", "....#"}},
        {"[mvcl5,1,1,IL]", 3, {"..#.#", "..#.#", "..#.#"}},  // clipped to the window
        {"[mvcl5,1,1,IL]", 5, {"#.#..", "#.#..", "#.##."}},
        {"[mvcl5,1,1,IL]", 8, {".....", ".....", "#...."}},  // the last step with a pixel
        {"[mvcl5,1,1,IL]", 9, {".....", ".....", "....."}},  // 9 steps, then again
        {"[mvcl5,1,1,IL]", 14, {"#.#..", "#.#..", "#.##."}},
        {"[mvcl5,2,3,IL]", 6, {".#.#.", ".#.#.", ".#.##"}},  // 2 steps of 2 pixels
        {"[mvcl5,2,3,IL]", 8, {".#.#.", ".#.#.", ".#.##"}},
        {"[mvcr5,1,1,IL]", 2, {"#....", "#....", "##..."}},  // enters from the left
        {"[mvcr5,1,1,IL]", 5, {".#.#.", ".#.#.", ".#.##"}},
        {"[mvl2l5,1,1,IL]", 4, {".#.#.", ".#.#.", ".#.##"}},
        {"[mvl2l5,1,1,IL]", 5, {"#.#..", "#.#..", "#.##."}},  // stops at the left edge
        {"[mvl2l5,1,1,IL]", 7, {"#.#..", "#.#..", "#.##."}},  // a step and the delay of 2
        {"[mvl2l5,1,1,IL]", 8, {".....", ".....", "....."}},  // then again
        {"[mvlr5,1,1,IL]", 5, {".#.#.", ".#.#.", ".#.##"}},   // stops at the right edge
        {"[mvlr5,1,1,IL]", 6, {".....", ".....", "....."}},
        {"[mvll3,1,1,IL]", 4, {".#.", ".#.", ".##"}},         // wider than the window: its end shows
        {"[mvll3,1,1,IL]", 9, {".#.", ".#.", ".##"}},
    };
    for (const auto& c : cases) {
        SignProfile p = sign(static_cast<uint16_t>(std::strlen(c.expected[0].c_str())), 3);
        EXPECT_EQ(page(c.multi, p, c.time), c.expected) << c.multi << " at " << c.time;
    }
}

TEST(RenderMovingText, AWindowInTheLine) {
    expectAll({
        {"I[mvcl5,1,1,IL]I", 9, 3, {"#.......#", "#.......#", "#.......#"}},
        {"[jl3][mvcl5,1,1,I]", 9, 3, {".........", ".........", "........."}},
        {"[mvcl3,1,1,[fo2]I]I", 5, 5, {".....", ".....", "....#", "....#", "....#"}},  // [fo] holds within it
        {"[cf255,0,0][mvcl3,1,1,[cf0,255,0]I]I", 5, 3, {"....R", "....R", "....R"}},
    });
    Rendered r = render("I[mvcl5,1,1,IL]I", sign(9, 3), 5);
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_EQ(rowsOf(r.pages[0].on), (Rows{"#.#.#...#", "#.#.#...#", "#.#.##..#"}));
    r = render("[jl3][mvcl5,1,1,IL]", sign(9, 3), 5);
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_EQ(rowsOf(r.pages[0].on), (Rows{"..#.#....", "..#.#....", "..#.##..."}));
    r = render("[mvcl3,1,1,[cf0,255,0]I]", sign(3, 3), 3);
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_EQ(rowsOf(r.pages[0].on), (Rows{"G..", "G..", "G.."}));
    // A flashing moving text, and a region closed inside one.
    r = render("[fl][mvcl3,1,1,I][/fl]", sign(3, 3), 3);
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_EQ(rowsOf(r.pages[0].on), (Rows{"#..", "#..", "#.."}));
    EXPECT_EQ(rowsOf(r.pages[0].off), (Rows{"...", "...", "..."}));
    r = render("[fl][mvcl3,1,1,I[/fl]]I", sign(5, 3), 3);
    ASSERT_TRUE(r.problem.ok()) << r.problem.code << " at " << r.problem.at;
    EXPECT_EQ(rowsOf(r.pages[0].off), (Rows{"....#", "....#", "....#"}));
}

TEST(RenderMovingText, TickAndCycle) {
    const struct {
        const char* multi;
        uint16_t tick;
        uint32_t cycle;
    } cases[] = {
        {"I", 0, 0},
        {"[mvcl5,1,1,IL]", 1, 9},
        {"[mvcl5,2,3,IL]", 3, 15},        // ceil(9 / 2) steps of 3 tenths
        {"[mvl2l5,1,4,IL]", 2, 26},       // 5 steps, one more, and the delay
        {"[mvcl5,2,3,IL][mvl2l5,1,4,IL]", 1, 390},
        {"[mvcl5,1,255,IL][mvcl4,1,254,I]", 1, kMaxMovingCycle},  // 2295 and 1270 meet far later
    };
    for (const auto& c : cases) {
        Rendered r = render(c.multi, sign(11, 3));
        ASSERT_EQ(r.pages.size(), 1u) << c.multi;
        EXPECT_EQ(r.pages[0].movingTick, c.tick) << c.multi;
        EXPECT_EQ(r.pages[0].movingCycle, c.cycle) << c.multi;
    }
}

TEST(RenderMovingText, Problems) {
    const ProblemCase cases[] = {
        {"[mvcl0,1,1,I]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},
        {"[mvcl5,0,1,I]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},
        {"[mvcl5,1,0,I]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},
        {"[mvcl6,1,1,I]", 5, 3, NTCIP_MULTI_TEXT_TOO_BIG, 0},  // a window wider than the sign
        {"[mvcl5,1,1,I]", 5, 3, NTCIP_MULTI_NONE, 0},          // as wide
        {"[mvcl5,1,1,IX]", 5, 3, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 12},
        {"[mvcl5,1,1,I[nl]I]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 12},
        {"[mvcl5,1,1,[mvcl2,1,1,I]]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 11},
        {"[mvcl5,1,1,[fo3]I]", 5, 3, NTCIP_MULTI_FONT_NOT_DEFINED, 11},
        {"[mvcl5,1,1,[fo2]I]", 5, 4, NTCIP_MULTI_TEXT_TOO_BIG, 0},  // its window taller than the sign
        {"[mvcl5,1,1,I[fl]]", 5, 3, NTCIP_MULTI_FLASH_REGION_ERROR, 12},
    };
    for (const ProblemCase& c : cases) {
        Rendered r = render(c.multi, sign(c.width, c.height));
        EXPECT_EQ(r.problem.code, c.code) << c.multi;
        EXPECT_EQ(r.problem.at, c.at) << c.multi;
    }
}

TEST(RenderFields, WidthsAndSamples) {
    FieldSamples samples;
    samples.fields[0] = "IL";
    samples.fields[12] = "T";
    samples.travel = "L";
    const struct {
        const char* multi;
        uint16_t width;
        Rows expected;
    } cases[] = {
        {"[f1]", 5, {"#.#..", "#.#..", "#.##."}},
        {"[f1,0]", 5, {"#.#..", "#.#..", "#.##."}},  // 0: as none
        {"[f1,2]", 5, {"#.#..", "#.#..", "#.##."}},  // exactly its width
        {"[f1,1]", 5, {"#....", "#....", "#...."}},  // cut
        {"[f1,4]", 10, {"......#.#.", "......#.#.", "......#.##"}},  // two spaces in front
        {"[f13]", 5, {"###..", ".#...", ".#..."}},
        {"[tdc3]", 5, {"#....", "#....", "##..."}},
        {"I[tdc3,4,1,0,0]I", 5, {"#.##.", "#.##.", "#.###"}},  // its rectangle, the line untouched
        {"[jl4][jp4][tdc3,1,1,5,3]", 5, {"...#.", "...#.", "...##"}},
        {"[jl3][tdc3,1,1,5,3]", 5, {".#...", ".#...", ".##.."}},  // odd slack: the extra pixel right
        {"[fo1,12ab]I", 5, {"#....", "#....", "#...."}},  // version IDs not checked
        {"[g1,1,1,ffff]", 5, {"RG...", ".R...", "....."}},
    };
    for (const auto& c : cases) EXPECT_EQ(page(c.multi, sign(c.width, 3), 0, samples), c.expected) << c.multi;
    const ProblemCase problems[] = {
        {"[tdc3,1,1,1,3]", 5, 3, NTCIP_MULTI_TEXT_TOO_BIG, 0},
        {"[tdc3,1,2,2,0]", 5, 3, NTCIP_MULTI_TEXT_TOO_BIG, 0},
        {"[tdc3,6,1,1,1]", 5, 3, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},
        {"I[f1,5]", 5, 3, NTCIP_MULTI_TEXT_TOO_BIG, 1},
    };
    for (const ProblemCase& c : problems) {
        Rendered r = render(c.multi, sign(c.width, c.height), 0, samples);
        EXPECT_EQ(r.problem.code, c.code) << c.multi;
        EXPECT_EQ(r.problem.at, c.at) << c.multi;
    }
    EXPECT_EQ(page("[tdc3,1,1,2,3]", sign(5, 3), 0, samples), (Rows{"#....", "#....", "##..."}));  // as wide
}

}  // namespace
