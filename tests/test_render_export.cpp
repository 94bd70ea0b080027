// dmsRenderSize and dmsRenderMessage: a text drawn with the sign's own
// profile and fonts, read through the device library.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "fonts/font_file.h"
#include "support/fault_sweep.h"
#include "support/font_files.h"
#include "support/pictures.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using namespace testing_support;

namespace {

// Font number 1 (the sign's default font): H and i, 5 x 7, spacing 2.
json fontOne() {
    CellFont f;
    f.width = 5, f.rowBytes = 1, f.number = 1, f.charSpacing = 2, f.lineSpacing = 1;
    f.glyphs['H'] = {"#...#", "#...#", "#####", "#...#", "#...#", "#...#", "#...#"};
    f.glyphs['i'] = {"..#", "", ".##", "..#", "..#", "..#", ".###"};
    dms::FontContentPtr c = dms::newFontContent();
    std::vector<uint8_t> widths(256, 0);  // every other code undefined
    widths['H'] = widths['i'] = 5;
    Bytes b = fntFile(f, widths);
    EXPECT_EQ(Result(dms::readFntBytes(*c, b.data(), b.size(), "One.fnt", true)), Result(DMS_OK));
    return signFontRow(1, *c);
}

// Picture number 7 in graphic row 2: 2 x 2 monochrome pixels 11 / 01,
// transparent where 0; row 3 is being modified.
json pictures() {
    json seven = graphicRow(2, "Seven", 2, 2, 1, "d0");
    seven["number"] = 7, seven["transparent"] = 1, seven["transparentColor"] = 0;
    return json::array({seven, graphicRow(3, "Five", 2, 2, 1, "f0", 2)});
}

// A 12 x 7 colour sign whose only font is fontOne.
json smallSign() {
    return json{{"fonts", {fontOne()}},
                {"graphics", pictures()},
                {"limits", {{"graphicRows", 3}, {"graphicBlockSize", 1}}},
                {"profile", {{"signWidthPixels", 12}, {"signHeightPixels", 7}}}};
}

// The frame as text rows: '#' the sign's amber, '.' black, 'r' red, '?'
// anything else.
std::vector<std::string> rows(const std::vector<uint8_t>& rgb, int width, int height) {
    std::vector<std::string> out;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            const bool amber = p[0] == 255 && p[1] == 180 && p[2] == 0;
            const bool black = p[0] == 0 && p[1] == 0 && p[2] == 0;
            const bool red = p[0] == 255 && p[1] == 0 && p[2] == 0;
            row += amber ? '#' : black ? '.' : red ? 'r' : '?';
        }
        out.push_back(row);
    }
    return out;
}

TEST(RenderExport, DrawsTheTextWithTheSignsFontAndDefaults) {
    SimSign sign(smallSign());
    dmsRenderInfo info;
    ASSERT_EQ(Result(dmsRenderSize("Hi", 1, &info)), Result(DMS_OK));
    EXPECT_EQ(std::vector<int>({info.width, info.height, info.pages, info.frames, info.pageOnTime, info.pageOffTime,
                                info.flashOnTime, info.multiError}),
              std::vector<int>({12, 7, 1, 1, 30, 0, 0, 2}));
    std::vector<uint8_t> rgb(12 * 7 * 3, 7);
    ASSERT_EQ(Result(dmsRenderMessage("Hi", 1, 1, rgb.data(), static_cast<uint32_t>(rgb.size()), &info)),
              Result(DMS_OK));
    // Centred by the sign's default line justification: 5 + 2 + 5 pixels.
    EXPECT_EQ(rows(rgb, 12, 7), std::vector<std::string>({"#...#....#..", "#...#.......", "#####...##..",
                                                          "#...#....#..", "#...#....#..", "#...#....#..",
                                                          "#...#...###."}));
}

TEST(RenderExport, PagesFramesAndTimes) {
    SimSign sign(smallSign());
    dmsRenderInfo info;
    ASSERT_EQ(Result(dmsRenderSize("[pt20o5]H[np][fl]i[/fl]", 2, &info)), Result(DMS_OK));
    EXPECT_EQ(std::vector<int>({info.pages, info.frames, info.pageOnTime, info.pageOffTime, info.flashOnTime,
                                info.flashOffTime}),
              std::vector<int>({2, 2, 20, 5, 5, 5}));
    std::vector<uint8_t> rgb(12 * 7 * 3, 7);
    ASSERT_EQ(Result(dmsRenderMessage("[pt20o5]H[np][fl]i[/fl]", 2, 2, rgb.data(), 12 * 7 * 3, &info)),
              Result(DMS_OK));
    EXPECT_EQ(rows(rgb, 12, 7), std::vector<std::string>(7, "............"));  // the flash's off frame

    // Past the last page or frame: DMS_E_INVALID, with the count in info.
    EXPECT_EQ(Result(dmsRenderSize("H[np]i", 3, &info)), Result(DMS_E_INVALID));
    EXPECT_EQ(info.pages, 2);
    EXPECT_EQ(Result(dmsRenderSize("H", 0, &info)), Result(DMS_E_INVALID));
    EXPECT_EQ(Result(dmsRenderMessage("H", 1, 2, rgb.data(), 12 * 7 * 3, &info)), Result(DMS_E_INVALID));
    EXPECT_EQ(Result(dmsRenderMessage("H", 1, 0, rgb.data(), 12 * 7 * 3, &info)), Result(DMS_E_INVALID));
}

// The columns of a frame that hold a lit pixel, as "x0-x1", or "" for none.
std::string litColumns(const std::vector<uint8_t>& rgb, int width, int height) {
    int first = -1, last = -1;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            if (rgb[(static_cast<size_t>(y) * width + x) * 3] != 0) {
                if (first < 0) first = x;
                last = x;
            }
    return first < 0 ? "" : std::to_string(first) + "-" + std::to_string(last);
}

TEST(RenderExport, MovingTextStepByStep) {
    SimSign sign(smallSign());
    dmsRenderInfo info;
    // A 12-pixel window, 5 pixels a step, a step every 2 tenths.
    const char* text = "[mvcl12,5,2,H]";
    ASSERT_EQ(Result(dmsRenderSize(text, 1, &info)), Result(DMS_OK));
    EXPECT_EQ(info.movingTime, 2);
    std::vector<std::string> frames;
    std::vector<uint8_t> rgb(12 * 7 * 3);
    for (int f = 1; f <= info.frames; ++f) {
        ASSERT_EQ(Result(dmsRenderMessage(text, 1, f, rgb.data(), 12 * 7 * 3, &info)), Result(DMS_OK)) << f;
        frames.push_back(litColumns(rgb, 12, 7));
    }
    // The text comes in at the right edge, 5 pixels a step, and leaves at
    // the left: 17 pixels of travel in 4 steps, then it repeats.
    EXPECT_EQ(frames, std::vector<std::string>({"", "7-11", "2-6", "0-1"}));
    EXPECT_EQ(Result(dmsRenderMessage(text, 1, info.frames + 1, rgb.data(), 12 * 7 * 3, &info)),
              Result(DMS_E_INVALID));
}

TEST(RenderExport, PicturesFromTheSignsGraphicTable) {
    SimSign sign(smallSign());
    dmsRenderInfo info;
    std::vector<uint8_t> rgb(12 * 7 * 3, 7);
    ASSERT_EQ(Result(dmsRenderMessage("[pb255,0,0][g7,3,2]", 1, 1, rgb.data(), 12 * 7 * 3, &info)), Result(DMS_OK));
    EXPECT_EQ(rows(rgb, 12, 7), std::vector<std::string>({"rrrrrrrrrrrr", "rr##rrrrrrrr", "rrr#rrrrrrrr",
                                                          "rrrrrrrrrrrr", "rrrrrrrrrrrr", "rrrrrrrrrrrr",
                                                          "rrrrrrrrrrrr"}));
    // Graphic number 2 is row 2's index, not its number; row 3 is not ready.
    for (const char* text : {"H[g2]", "H[g3]"}) {
        EXPECT_EQ(Result(dmsRenderSize(text, 1, &info)), Result(DMS_E_FORMAT)) << text;
        EXPECT_EQ(std::vector<int>({info.multiError, info.multiErrorPosition}), std::vector<int>({15, 1})) << text;
    }
}

TEST(RenderExport, TextTheSignRefusesAndBadArguments) {
    SimSign sign(smallSign());
    dmsRenderInfo info;
    // 5 + 2 + 5 + 2 + 5 pixels on a 12-pixel line: the third character does
    // not fit; a character the font lacks; a font the sign does not have.
    const struct {
        const char* text;
        int error, at;
    } refused[] = {{"HiH", 5, 2}, {"HxH", 7, 1}, {"H[fo2]H", 6, 1}, {"H[np]H[nl]H", 5, 10}};
    for (const auto& r : refused) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(Result(dmsRenderSize(r.text, 1, &info)), Result(DMS_E_FORMAT));
        EXPECT_EQ(std::vector<int>({info.multiError, info.multiErrorPosition, info.pages, info.width}),
                  std::vector<int>({r.error, r.at, 0, 12}));
    }
    // The buffer is left alone unless the frame is drawn.
    std::vector<uint8_t> rgb(12 * 7 * 3, 7);
    EXPECT_EQ(Result(dmsRenderMessage("H", 1, 1, rgb.data(), 12 * 7 * 3 - 1, &info)), Result(DMS_E_FULL));
    EXPECT_EQ(Result(dmsRenderMessage("HiH", 1, 1, rgb.data(), 12 * 7 * 3, &info)), Result(DMS_E_FORMAT));
    EXPECT_EQ(rgb, std::vector<uint8_t>(12 * 7 * 3, 7));
    EXPECT_EQ(Result(dmsRenderSize(nullptr, 1, &info)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(dmsRenderSize("H", 1, nullptr)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(dmsRenderMessage("H", 1, 1, nullptr, 0, &info)), Result(DMS_E_ARGUMENT));
}

TEST(RenderExport, WithoutASign) {
    dmsRenderInfo info;
    EXPECT_EQ(Result(dmsRenderSize("H", 1, &info)), Result(DMS_E_NO_INTERFACE));
}

// Every read the profile, fonts and pictures need fails in turn with its
// code, except the RGB defaults, for which the colour index defaults stand
// in; the buffer is written only when the frame is drawn.
TEST(RenderExport, FaultSweep) {
    for (const bool draw : {false, true}) {
        SCOPED_TRACE(draw ? "dmsRenderMessage" : "dmsRenderSize");
        std::unique_ptr<SimSign> sign;
        std::vector<uint8_t> rgb(12 * 7 * 3);
        int optional = 0;
        const int calls = faultSweep(
            [&] { sign.reset(), sign = std::make_unique<SimSign>(smallSign()); },
            [&] {
                dmsRenderInfo info;
                std::fill(rgb.begin(), rgb.end(), uint8_t{7});
                return draw ? dmsRenderMessage("Hi[g7,1,1]", 1, 1, rgb.data(), 12 * 7 * 3, &info)
                            : dmsRenderSize("Hi[g7,1,1]", 1, &info);
            },
            [&](const SweepStep& s) {
                const bool rgbDefault = s.call["fn"] == "tqGetMultiCfg" &&
                                        (s.call["args"][0] == NTCIP_DEFAULT_BACKGROUND_RGB ||
                                         s.call["args"][0] == NTCIP_DEFAULT_FOREGROUND_RGB);
                optional += rgbDefault;
                EXPECT_EQ(Result(s.result), Result(rgbDefault ? DMS_OK : kSweepCode));
                if (draw && !rgbDefault) {
                    EXPECT_EQ(rgb, std::vector<uint8_t>(12 * 7 * 3, 7));
                }
            });
        EXPECT_EQ(optional, 2);
        EXPECT_GT(calls, 255);  // the font's 255 widths among them, and picture 7's row and blocks
        sign.reset();
    }
}

}  // namespace
