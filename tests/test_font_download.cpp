// Fonts from the sign: GetFontFile (an FNT file), GetFontFileCount and
// GetFontFileDetail (host records, with the blocks the host then owns).
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "fonts/font_bytes.h"
#include "fonts/font_file.h"
#include "support/fault_sweep.h"
#include "support/fields.h"
#include "support/font_files.h"
#include "support/result.h"
#include "support/sim_sign.h"

using namespace testing_support;

namespace {

CellFont glyphs(unsigned width, uint32_t number) {
    CellFont f;
    f.width = width;
    f.rowBytes = (width + 7) / 8;
    f.number = number;
    f.charSpacing = 2;
    f.lineSpacing = 3;
    f.glyphs['H'] = {"#...#########", "#...#", "#####", "#...#", "#...#", "#...#", "#...#"};
    f.glyphs['i'] = {"..#", "", ".##", "..#", "..#", "..#", ".###"};
    return f;
}

// The font as a sign row: read from an FNT file of its cells.
json signRowOf(const CellFont& f, const std::string& name, int row, const std::vector<uint8_t>& widths = {}) {
    dms::FontContentPtr c = dms::newFontContent();
    Bytes b = fntFile(f, widths);
    EXPECT_EQ(Result(dms::readFntBytes(*c, b.data(), b.size(), name.c_str(), false)), Result(DMS_OK));
    return signFontRow(row, *c);
}

TEST(FontDownload, GetFontFileWritesTheFontAsAnFntFile) {
    CellFont f = glyphs(5, 10);
    f.glyphs[0] = {"#####", "#####"};  // cell 0 is always written blank
    SimSign sign(json{{"fonts", {signRowOf(f, "Five.fnt", 1)}}});
    std::string dir = scratchFolder("getfile");
    // A trailing separator in the folder does not matter: "%s/%s".
    ASSERT_EQ(Result(GetFontFile(0x101, (dir + "/").c_str())), Result(DMS_OK));  // low byte: row 1
    uint32_t rc = 1;
    auto back = loadFont(dir + "/Five.fnt", &rc);
    ASSERT_EQ(Result(rc), Result(DMS_OK));
    EXPECT_STREQ(back->name, "Five.fnt");
    // 58 is written back as 10 and read as 58 again; the spacings come back too.
    EXPECT_EQ(ints(back->number, back->width, back->charSpacing, back->lineSpacing), ints(58, 5, 2, 3));
    for (unsigned c = 1; c < 256; ++c) ASSERT_EQ(picture(back->chars[c], 7), picture(f.glyphs[c], 7, 5)) << c;
    Bytes file = readFile(dir + "/Five.fnt");
    ASSERT_EQ(file.size(), 256u * 7 + 64);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 7), Bytes(7, 0));
    const uint8_t* t = file.data() + file.size() - 64;
    EXPECT_EQ(dms::le32(t + 44), 10u);  // 58 mapped back
    Bytes tail(16, 0);  // no width table, the spacings where the reader takes them, zeros
    tail[1] = 2, tail[2] = 3;
    EXPECT_EQ(Bytes(t + 48, t + 64), tail);

    // Rows without a usable font give DMS_E_ARGUMENT; a folder that does not
    // exist DMS_E_OPEN_INPUT.
    EXPECT_EQ(Result(GetFontFile(3, dir.c_str())), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(GetFontFile(1, (dir + "/none").c_str())), Result(DMS_E_OPEN_INPUT));
    EXPECT_EQ(Result(GetFontFile(1, nullptr)), Result(DMS_E_ARGUMENT));
}

// Every entry (directories and files) below a folder, relative to it.
std::set<std::string> treeOf(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
        names.insert(std::filesystem::relative(e.path(), dir).string());
    return names;
}

TEST(FontDownload, GetFontFileKeepsAProportionalFontsGlyphsAndSpacing) {
    // Widths 1, 3, 6, 8 (a whole byte) and 11 (two bytes a row): each glyph
    // comes back left-aligned in an 11-pixel cell, the rest blank.
    CellFont f;
    f.width = 11, f.rowBytes = 2, f.number = 4, f.charSpacing = 2, f.lineSpacing = 5;
    f.glyphs['!'] = {"#", "#", "#", "#", "", "#", ""};
    f.glyphs['i'] = {".#.", "", "##.", ".#.", ".#.", ".#.", "###"};
    f.glyphs['n'] = {"", "", "#.##.", "##..#", "#...#", "#...#", "#...##"};
    f.glyphs['O'] = {"..####..", ".#....#.", "#......#", "#......#", "#......#", ".#....#.", "..####.#"};
    f.glyphs['M'] = {"#.........#", "##.......##", "#.#.....#.#", "#..#...#..#", "#...#.#...#", "#....#....#",
                     "#.........#"};
    std::vector<uint8_t> widths(256, 0);
    widths['!'] = 1, widths['i'] = 3, widths['n'] = 6, widths['O'] = 8, widths['M'] = 11;
    std::string dir = scratchFolder("getfile_prop");
    const std::string original = writeFile(dir + "/Prop.fnt", fntFile(f, widths));
    SimSign sign(json{{"limits", {{"fontRows", 3}}}});
    std::string fields = pathFields({original});
    int32_t count = 1;
    ASSERT_EQ(Result(tqSendFonts(fields.data(), &count, 1)), Result(DMS_OK));
    ASSERT_EQ(count, 1);

    ASSERT_EQ(Result(GetFontFile(1, (dir + "/copy").c_str())), Result(DMS_E_OPEN_INPUT));  // no such folder
    std::filesystem::create_directory(dir + "/copy");
    ASSERT_EQ(Result(GetFontFile(1, (dir + "/copy").c_str())), Result(DMS_OK));
    uint32_t rc = 1;
    auto back = loadFont(dir + "/copy/Prop.fnt", &rc);
    ASSERT_EQ(Result(rc), Result(DMS_OK));
    EXPECT_EQ(ints(back->charSpacing, back->lineSpacing, back->width), ints(2, 5, 11));
    for (unsigned c = 1; c < 256; ++c) {
        ASSERT_EQ(back->chars[c].width, 11) << c;  // no width table: every cell reads back 11 wide
        ASSERT_EQ(picture(back->chars[c], 7), picture(f.glyphs[c], 7, 11)) << c;
    }

    // Sent back, the copy gives the sign the same spacings and glyphs.
    fields = pathFields({dir + "/copy/Prop.fnt"});
    count = 1;
    ASSERT_EQ(Result(tqSendFonts(fields.data(), &count, 1)), Result(DMS_OK));
    const json row = sign.state()["fonts"][0];
    EXPECT_EQ(json({row["charSpacing"], row["lineSpacing"]}), json({2, 5}));
}

TEST(FontDownload, GetFontFileRefusesNamesThatLeaveTheFolder) {
    const CellFont f = glyphs(5, 1);
    std::string dir = scratchFolder("getfile_names");
    const std::string inner = dir + "/inner";
    std::filesystem::create_directory(inner);
    for (const char* name : {"../escape.fnt", "a/b", "a\\b", "c:x", "", "..", "x..y", "/abs.fnt"}) {
        SimSign sign(json{{"fonts", {signRowOf(f, name, 1)}}});
        EXPECT_EQ(Result(GetFontFile(1, inner.c_str())), Result(DMS_E_OPEN_INPUT)) << name;
        EXPECT_EQ(treeOf(dir), std::set<std::string>{"inner"}) << name;
    }

    // The path folder/name may be 259 characters long, not 260: a longer
    // one would be cut into another name.
    const std::string name(40, 'n');
    for (size_t total : {259u, 260u}) {
        const std::string base = dir + "/" + std::to_string(total) + "_";
        const std::string folder = base + std::string(total - name.size() - 1 - base.size(), 'd');
        ASSERT_EQ(folder.size() + 1 + name.size(), total);
        std::filesystem::create_directory(folder);
        SimSign sign(json{{"fonts", {signRowOf(f, name, 1)}}});
        EXPECT_EQ(Result(GetFontFile(1, folder.c_str())), Result(total == 259 ? DMS_OK : DMS_E_OPEN_INPUT)) << total;
        EXPECT_EQ(treeOf(folder), total == 259 ? std::set<std::string>{name} : std::set<std::string>{}) << total;
    }
}

TEST(FontDownload, GetFontFileFaultSweep) {
    const CellFont f = glyphs(9, 2);
    std::string dir = scratchFolder("getfile_sweep");
    std::unique_ptr<SimSign> sign;
    int swept = faultSweep([&] { sign = nullptr, sign = std::make_unique<SimSign>(json{{"fonts", {signRowOf(f, "N", 1)}}}); },
                           [&] { return GetFontFile(1, dir.c_str()); },
                           [&](const SweepStep& s) { EXPECT_EQ(Result(s.result), Result(kSweepCode)); });
    EXPECT_EQ(swept, 1 + 5 + 255 + 255);
    sign.reset();
    EXPECT_EQ(Result(GetFontFile(1, dir.c_str())), Result(DMS_E_NO_INTERFACE));
}

TEST(FontDownload, GetFontFileCountStopsAtThePlaceholder) {
    uint32_t count = 77;
    EXPECT_EQ(Result(GetFontFileCount(&count)), Result(DMS_OK));  // no sign: 0, count untouched
    EXPECT_EQ(count, 77u);
    EXPECT_EQ(Result(GetFontFileCount(nullptr)), Result(DMS_E_ARGUMENT));

    // The new sign has fonts in rows 1 and 2 and row 3 named "def."; where no
    // row qualifies the count is untouched; with every row named it is
    // counted up to N - 1.
    SimSign sign;
    const std::pair<json, uint32_t> steps[] = {
        {json::object(), 2},
        {{{"fonts", {{{"row", 1}, {"name", "A"}}, {{"row", 2}, {"name", " "}}, {{"row", 3}, {"name", "C"}}}}}, 1},
        {{{"fonts", {{{"row", 1}, {"name", "def."}}}}}, 55},
        {{{"limits", {{"fontRows", 4}}},
          {"fonts", {{{"row", 1}, {"name", "A"}}, {{"row", 2}, {"name", "B"}}, {{"row", 3}, {"name", "C"}},
                     {{"row", 4}, {"name", "D"}}}}},
         3}};
    for (const auto& [patch, expected] : steps) {
        sign.patch(patch);
        count = 55;
        ASSERT_EQ(Result(GetFontFileCount(&count)), Result(DMS_OK));
        EXPECT_EQ(count, expected) << patch.dump();
    }

    std::unique_ptr<SimSign> s;
    faultSweep([&] { s = nullptr, s = std::make_unique<SimSign>(); },
               [&] {
                   count = 99;
                   return GetFontFileCount(&count);
               },
               [&](const SweepStep& step) {
                   EXPECT_EQ(Result(step.result), Result(DMS_OK));
                   // Reads: definition, row 1, row 2, row 3.
                   const uint32_t expected[] = {0, 99, 99, 1, 2};
                   EXPECT_EQ(count, expected[step.index]);
               });
}

TEST(FontDownload, GetFontFileDetailFillsRecordsTheHostOwns) {
    CellFont fixed = glyphs(5, 10);
    CellFont prop = glyphs(9, 3);
    prop.rowBytes = 2;
    std::vector<uint8_t> widths(256, 0);
    widths['H'] = 9, widths['i'] = 3;
    SimSign sign(json{{"fonts", {signRowOf(fixed, "Fixed", 1), signRowOf(prop, "Prop", 2, widths)}}});
    fontDetail records[3];
    std::memset(records, 0, sizeof records);
    std::memset(records[0].name, 'x', sizeof records[0].name);
    uint8_t ownTrailer[64];
    std::memset(ownTrailer, 0xEE, sizeof ownTrailer);
    records[1].trailer = ownTrailer;  // a given block is used as it is
    fontDetail* details[3] = {&records[0], &records[1], &records[2]};
    int32_t count = 3;
    ASSERT_EQ(Result(GetFontFileDetail(details, &count)), Result(DMS_OK));

    // Fixed font: number mapped back, no width table flag, spacings at 49
    // and 50 (where the FNT reader takes them) and again at 51 and 52.
    EXPECT_STREQ(records[0].name, "Fixed");
    ASSERT_NE(+records[0].trailer, nullptr);
    ASSERT_NE(+records[0].content, nullptr);
    const uint8_t* t = records[0].trailer;
    EXPECT_EQ(std::memcmp(t, "\x04" "FONT", 5), 0);
    EXPECT_EQ(ints(dms::le32(t + 16), dms::le32(t + 44)), ints(5, 10));
    EXPECT_EQ(Bytes(t + 48, t + 53), (Bytes{0, 2, 3, 2, 3}));
    // Characters in row form: rows of ceil(width / 8) bytes, bits past the width clear.
    const fontContent& c0 = *records[0].content;
    ASSERT_NE(+c0.chars, nullptr);
    EXPECT_EQ(+c0.chars[0].bitmap, nullptr);
    EXPECT_EQ(ints(c0.chars['H'].code, c0.chars['H'].width, c0.charCount), ints('H', 5, 0));  // only the array is filled
    Bytes cell = fixed.cell('H');
    cell[0] &= 0xF8;
    EXPECT_EQ(Bytes(c0.chars['H'].bitmap, c0.chars['H'].bitmap + 7), cell);

    // Proportional font: flag 0xF0 and the raw number.
    EXPECT_STREQ(records[1].name, "Prop");
    EXPECT_EQ(+records[1].trailer, ownTrailer);
    const fontChar& i = records[1].content->chars['i'];
    EXPECT_EQ(ints(ownTrailer[48], dms::le32(ownTrailer + 44), dms::le32(ownTrailer + 16), dms::le32(ownTrailer + 24),
                   i.width, i.bitmap[0], i.bitmap[2], records[1].content->chars['A'].width),
              ints(0xF0, 51, 9, 2, 3, 0x20, 0x60, 0));
    ASSERT_NE(+records[1].content->chars['A'].bitmap, nullptr);  // an empty block all the same
    Bytes h = prop.cell('H');
    h[1] &= 0x80;  // only 9 pixels of the row
    EXPECT_EQ(Bytes(records[1].content->chars['H'].bitmap, records[1].content->chars['H'].bitmap + 14), h);

    // Row 3 holds the placeholder: name cleared, blocks made, nothing read.
    EXPECT_STREQ(records[2].name, "");
    ASSERT_NE(+records[2].content, nullptr);
    EXPECT_EQ(+records[2].content->chars, nullptr);
    // Progress (result of the font, row) after each.
    EXPECT_EQ(SimSign::progress(), (std::vector<std::pair<int, int>>{{0, 1}, {0, 2}, {0, 3}}));

    records[1].trailer = nullptr;
    for (fontDetail& d : records) freeDetailBlocks(d);

    // A null record gives DMS_E_NO_MEMORY; the last font's result is returned.
    fontDetail* holes[2] = {nullptr, &records[0]};
    count = 2;
    EXPECT_EQ(Result(GetFontFileDetail(holes, &count)), Result(DMS_OK));
    freeDetailBlocks(records[0]);
    count = 1;
    EXPECT_EQ(Result(GetFontFileDetail(holes, &count)), Result(DMS_E_NO_MEMORY));
    EXPECT_EQ(Result(GetFontFileDetail(nullptr, &count)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(GetFontFileDetail(holes, nullptr)), Result(DMS_E_ARGUMENT));
}

TEST(FontDownload, GetFontFileDetailFaultSweep) {
    fontDetail* none[1] = {nullptr};
    int32_t one = 1;
    EXPECT_EQ(Result(GetFontFileDetail(none, &one)), Result(DMS_E_NO_INTERFACE));
    CellFont f = glyphs(5, 1);
    std::vector<uint8_t> widths(256, 0);
    widths['H'] = 5, widths['i'] = 3;
    std::unique_ptr<SimSign> sign;
    fontDetail record;
    int swept = faultSweep(
        [&] { sign = nullptr, sign = std::make_unique<SimSign>(json{{"fonts", {signRowOf(f, "S", 1, widths)}}}); },
        [&] {
            std::memset(&record, 0, sizeof record);
            fontDetail* d[1] = {&record};
            int32_t count = 1;
            uint32_t rc = GetFontFileDetail(d, &count);
            EXPECT_NE(+record.trailer, nullptr);
            freeDetailBlocks(record);
            return rc;
        },
        [&](const SweepStep& s) {
            const bool bitmapRead = s.call["fn"] == "tqGetCharacterTable" && s.call["args"][2] == 3;
            EXPECT_EQ(s.result, bitmapRead ? 0u : kSweepCode);  // an unreadable bitmap stays blank
            EXPECT_EQ(SimSign::progress().back(), std::make_pair(static_cast<int>(s.result), 1));
        });
    EXPECT_EQ(swept, 6 + 255 + 2);
}

}  // namespace
