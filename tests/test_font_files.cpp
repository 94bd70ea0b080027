// FNT and FNN font files: packing, widths, the trailer magic, the choice of
// reader, font numbers, files that lie about their contents, and the writer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "dmscontent/common.h"
#include "fonts/font_bytes.h"
#include "fonts/font_content.h"
#include "fonts/font_file.h"
#include "support/fields.h"
#include "support/font_files.h"
#include "support/result.h"

using namespace testing_support;

namespace {

const std::vector<std::string> kA = {".###.###", "#...#", "#...#", "#####", "#...####", "#...#", "#...#"};

CellFont fiveBySeven() {
    CellFont f;
    f.glyphs['A'] = kA;
    f.glyphs['I'] = {"#####", "..#", "..#", "..#", "..#", "..#", "#####"};
    return f;
}

dms::FontContentPtr fromBytes(const Bytes& b, bool fnn, uint32_t& rc, const char* name = "test") {
    dms::FontContentPtr c = dms::newFontContent();
    rc = fnn ? dms::readFnnBytes(*c, b.data(), b.size(), name, false)
             : dms::readFntBytes(*c, b.data(), b.size(), name, false);
    return c;
}

void expectEmpty(const fontContent& c) {
    EXPECT_EQ(c.charCount, 0u);
    EXPECT_EQ(+c.chars, nullptr);
}

TEST(FontFiles, FntPacksRowsIntoOneBitStream) {
    uint32_t rc = 1;
    auto font = fromBytes(fntFile(fiveBySeven()), false, rc);
    ASSERT_EQ(Result(rc), Result(DMS_OK));
    ASSERT_EQ(font->charCount, 256u);
    EXPECT_EQ(ints(font->height, font->width, font->cellSize), ints(7, 5, 7));
    // Width 5, height 7: 7 bytes, 35 pixel bits and 21 zero bits; the cell's
    // bits past the width (set in rows 0 and 4) are not taken.
    const fontChar& a = font->chars['A'];
    ASSERT_NE(+a.bitmap, nullptr);
    EXPECT_EQ(ints(a.width, a.bitmap[0], a.bitmap[1], a.bitmap[2], a.bitmap[3], a.bitmap[4], a.bitmap[5], a.bitmap[6]),
              ints(5, 0x74, 0x63, 0xF8, 0xC6, 0x20, 0x00, 0x00));
    EXPECT_EQ(picture(a, 7), picture(kA, 7, 5));
    // A blank character of non-zero width still has its zero bitmap.
    ASSERT_NE(+font->chars[' '].bitmap, nullptr);
    EXPECT_EQ(font->chars[' '].bitmap[0], 0);
}

TEST(FontFiles, WidthsThatAreMultiplesOfEightPackWholeBytes) {
    CellFont f;
    f.height = 2;
    f.rowBytes = 3;  // the third byte of every row lies past the width
    f.width = 16;
    f.glyphs['B'] = {"##..#..#.#.#...##", ".######..........#######"};
    uint32_t rc = 1;
    auto font = fromBytes(fntFile(f), false, rc);
    ASSERT_EQ(Result(rc), Result(DMS_OK));
    const fontChar& b = font->chars['B'];
    Bytes cell = f.cell('B');
    ASSERT_NE(+b.bitmap, nullptr);
    EXPECT_EQ(Bytes(b.bitmap, b.bitmap + 4), (Bytes{cell[0], cell[1], cell[3], cell[4]}));
}

TEST(FontFiles, WidthTableOnlyWithItsFlag) {
    CellFont f = fiveBySeven();
    f.rowBytes = 2;
    f.width = 0x0109;  // nominal 265: the font keeps 16 bits, characters the low byte
    f.glyphs['C'] = {"#########", "........#"};
    std::vector<uint8_t> widths(256, 5);
    widths['A'] = 3;
    widths['B'] = 0;
    widths['C'] = 9;
    uint32_t rc = 1;
    auto font = fromBytes(fntFile(f, widths), false, rc);
    ASSERT_EQ(Result(rc), Result(DMS_OK));
    EXPECT_EQ(ints(font->width, font->chars['A'].width, font->chars['B'].width, font->chars['C'].width),
              ints(0x0109, 3, 0, 9));
    EXPECT_EQ(picture(font->chars['A'], 7), picture(kA, 7, 3));
    EXPECT_EQ(+font->chars['B'].bitmap, nullptr);  // width 0: no bitmap
    EXPECT_EQ(picture(font->chars['C'], 7), picture(f.glyphs['C'], 7, 9));

    // Without the flag every character has the nominal width's low byte, and
    // no width table is looked for.
    auto plain = fromBytes(fntFile(f), false, rc);
    ASSERT_EQ(Result(rc), Result(DMS_OK));
    for (unsigned c : {0u, 65u, 66u, 255u}) EXPECT_EQ(plain->chars[c].width, 9) << c;
}

TEST(FontFiles, FntTrailerMagic) {
    Bytes good = fntFile(fiveBySeven());
    Bytes b = good;
    b[b.size() - 64 + 4] = 'X';  // 0x04 "FON" and any fifth byte
    uint32_t rc = 1;
    fromBytes(b, false, rc);
    EXPECT_EQ(Result(rc), Result(DMS_OK));
    b = good;
    const char fontText[] = "FONT";
    std::memcpy(b.data() + b.size() - 64, fontText, 4);
    auto font = fromBytes(b, false, rc);
    EXPECT_EQ(Result(rc), Result(DMS_E_FORMAT));
    expectEmpty(*font);
}

TEST(FontFiles, ReaderChosenByTheBaseNamesExtension) {
    using K = dms::FontFileKind;
    // "a.fnt.fnt": the first ".FNT" is not at the end.
    const std::pair<const char*, K> kinds[] = {
        {"font.fnt", K::kFnt},      {"C:\\fonts\\Normal16.Fnt", K::kFnt}, {"/x/FONT.FNN", K::kFnn},
        {"dir.fnn/font.fnt", K::kFnt}, {"font.fnt.bak", K::kNone},      {"a.fnt.fnt", K::kNone},
        {"a.fnt.fnn", K::kFnn},     {"fonts.fnt/", K::kNone},            {"x.bmp", K::kNone},
        {nullptr, K::kNone}};
    for (const auto& k : kinds) EXPECT_EQ(dms::fontFileKind(k.first), k.second) << (k.first ? k.first : "null");

    // The name is the base name as written; a name too long for the field is cut.
    std::string dir = scratchFolder("choice");
    std::string path = writeFile(dir + "/Normal16.fnt", fntFile(fiveBySeven()));
    uint32_t rc = 1;
    auto font = loadFont(path, &rc);
    ASSERT_EQ(Result(rc), Result(DMS_OK));
    EXPECT_STREQ(font->name, "Normal16.fnt");
    std::string longName(70, 'n');
    path = writeFile(dir + "/" + longName + ".fnt", fntFile(fiveBySeven()));
    font = loadFont(path, &rc);
    ASSERT_EQ(Result(rc), Result(DMS_OK));
    EXPECT_EQ(std::string(font->name), longName.substr(0, 63));
    // Another extension: nothing is read.
    path = writeFile(dir + "/x.bmp", fntFile(fiveBySeven()));
    font = loadFont(path, &rc);
    EXPECT_EQ(Result(rc), Result(DMS_OK));
    expectEmpty(*font);
    // A missing FNT file cannot be opened; a missing FNN file is an empty font.
    font = loadFont(dir + "/missing.fnt", &rc);
    EXPECT_EQ(Result(rc), Result(DMS_E_OPEN_INPUT));
    font = loadFont(dir + "/missing.fnn", &rc);
    EXPECT_EQ(Result(rc), Result(DMS_OK));
    expectEmpty(*font);
}

TEST(FontFiles, FontNumberMapping) {
    EXPECT_EQ(ints(dms::fontNumberToTable(10, false), dms::fontNumberToTable(1, false), dms::fontNumberToTable(15, false),
                   dms::fontNumberToTable(16, false), dms::fontNumberToTable(10, true)),
              ints(58, 49, 63, 71, 10));  // 10 is ':'
    for (uint32_t n : {0u, 1u, 9u, 15u, 17u, 40u, 200u})
        EXPECT_EQ(dms::fontNumberFromTable(dms::fontNumberToTable(n, false)), n) << n;
    // No file number maps to 65: kept.
    EXPECT_EQ(ints(dms::fontNumberFromTable(58), dms::fontNumberFromTable(49), dms::fontNumberFromTable(72),
                   dms::fontNumberFromTable(65)),
              ints(10, 1, 17, 65));

    CellFont f = fiveBySeven();
    f.number = 10;
    uint32_t rc = 1;
    EXPECT_EQ(fromBytes(fntFile(f), false, rc)->number, 58u);
    EXPECT_EQ(fromBytes(fnnFile(f, {{65, 2}}), true, rc)->number, 58u);
    dms::FontContentPtr raw = dms::newFontContent();
    Bytes b = fntFile(f);
    ASSERT_EQ(Result(dms::readFntBytes(*raw, b.data(), b.size(), nullptr, true)), Result(DMS_OK));
    EXPECT_EQ(raw->number, 10u);
    EXPECT_STREQ(raw->name, "");
}

TEST(FontFiles, FnnRangesSortedIntoOneArray) {
    CellFont f = fiveBySeven();
    f.rowBytes = 2;
    f.charSpacing = 3;
    f.lineSpacing = 4;
    uint32_t rc = 1;
    auto font = fromBytes(fnnFile(f, {{'I', 2}, {'0', 1}, {'A', 3}}), true, rc);
    ASSERT_EQ(Result(rc), Result(DMS_OK));
    ASSERT_EQ(font->charCount, 6u);
    const unsigned codes[] = {'0', 'A', 'B', 'C', 'I', 'J'};
    for (unsigned i = 0; i < 6; ++i) EXPECT_EQ(ints(font->chars[i].code, font->chars[i].width), ints(codes[i], 5)) << i;
    EXPECT_EQ(picture(font->chars[1], 7), picture(kA, 7, 5));
    EXPECT_EQ(picture(font->chars[4], 7), picture(f.glyphs['I'], 7, 5));
    EXPECT_EQ(ints(font->height, font->cellSize, font->charSpacing, font->lineSpacing), ints(7, 14, 3, 4));
    // No ranges: a font without characters.
    font = fromBytes(fnnFile(f, {}), true, rc);
    EXPECT_EQ(Result(rc), Result(DMS_OK));
    expectEmpty(*font);
}

TEST(FontFiles, LyingFntHeadersGiveAResultCode) {
    const Bytes good = fntFile(fiveBySeven());
    uint32_t rc = 0;
    auto check = [&](Bytes b, const char* what) {
        auto font = fromBytes(b, false, rc);
        EXPECT_EQ(Result(rc), Result(DMS_E_FORMAT)) << what;
        expectEmpty(*font);
    };
    check(Bytes(good.begin() + 1, good.end()), "one byte short");
    check(Bytes(good.end() - 64, good.end()), "trailer only");
    check(Bytes(good.end() - 63, good.end()), "shorter than a trailer");
    check(Bytes(), "empty");
    struct Patch { size_t at; uint32_t value; const char* what; };  // trailer offset
    for (const Patch& p : {Patch{20, 0, "height 0"}, Patch{24, 0, "no bytes per row"}, Patch{20, 256, "height 256"},
                           Patch{24, 0xFFFFFFFF, "huge rows"}}) {
        Bytes b = good;
        putLe32(b, b.size() - 64 + p.at, p.value);
        check(b, p.what);
    }
    Bytes b = good;
    b[b.size() - 64 + 48] = 0xF0;  // claims a width table it has no room for
    check(b, "missing width table");
}

TEST(FontFiles, LyingFnnHeadersGiveAResultCode) {
    CellFont f = fiveBySeven();
    const Bytes good = fnnFile(f, {{'A', 2}, {'I', 1}});
    uint32_t rc = 0;
    auto check = [&](Bytes b, const char* what) {
        auto font = fromBytes(b, true, rc);
        EXPECT_EQ(Result(rc), Result(DMS_E_FORMAT)) << what;
        expectEmpty(*font);
    };
    check(Bytes(good.begin(), good.begin() + 51), "short header");
    const uint32_t size = static_cast<uint32_t>(good.size());
    struct Patch { size_t at; uint32_t value; const char* what; };  // file offset; ranges from 52
    for (const Patch& p : {Patch{8, 0x7FFFFFFF, "huge range count"}, Patch{4, size - 20, "range table past the end"},
                           Patch{4, 0xFFFFFFF0, "range table offset wraps"}, Patch{52 + 8, size + 7, "run past the end"},
                           Patch{52 + 4, 0xFFFFFFFF, "run starting after its end"}, Patch{28, 0, "cell size 0"},
                           Patch{24, 256, "width past a byte"}, Patch{52 + 12, 0xFFFF, "codes past 16 bits"}}) {
        Bytes b = good;
        putLe32(b, p.at, p.value);
        check(b, p.what);
    }
    // Ten ranges that all point at the same 30 cells claim more than the file holds.
    Bytes b = fnnFile(f, {{'A', 30}});
    const uint32_t table = static_cast<uint32_t>(b.size());
    b.resize(b.size() + 28 * 10, 0);
    putLe32(b, 4, table);
    putLe32(b, 8, 10);
    for (uint32_t i = 0; i < 10; ++i) {
        putLe32(b, table + 28 * i + 4, 80);
        putLe32(b, table + 28 * i + 8, 80 + 7 * 30);
        putLe32(b, table + 28 * i + 12, 30 * i);
    }
    check(b, "overlapping runs");
    // A trailing byte after the runs is no harm.
    b = good;
    b.push_back(0);
    fromBytes(b, true, rc);
    EXPECT_EQ(Result(rc), Result(DMS_OK));
}

}  // namespace
