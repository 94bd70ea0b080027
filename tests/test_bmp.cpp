// BMP files to the sign's packed pixel stream and back: readBmpFile,
// writeBmpFile and their in-memory cores.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "graphics/bmp.h"
#include "support/bmp_files.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"


using namespace testing_support;

namespace {

// Headers of a plain bitmap of the given size.
void headers(dms::BmpFileHeader& fh, dms::BmpInfoHeader& ih, int width, int height, uint16_t bits, uint32_t imageSize) {
    fh.type = dms::kBmpType;
    ih.size = 40;
    ih.width = width;
    ih.height = height;
    ih.planes = 1;
    ih.bitCount = bits;
    ih.imageSize = imageSize;
}

bool zeroFrom(const std::vector<uint8_t>& v, size_t from) {
    for (size_t i = from; i < v.size(); ++i)
        if (v[i] != 0) return false;
    return true;
}

TEST(BmpRead, RowsArePackedTopFirstWithoutPaddingInTheirBitsPerPixel) {
    const std::vector<Bytes> rgb = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}, {13, 14, 15, 16, 17, 18}};
    const Bytes rgb18 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    struct Case {
        const char* name;
        Bytes file;
        Bytes stream;  // then zeros only
        int bits, height;
        uint32_t imageSize;
    };
    const Case cases[] = {
        // Bits past each row and the padding are set in the file and must
        // not reach the stream: 1111111111 1000000001 1010101010.
        {"1 bit, 10 x 3, stride 4", bmpFile(10, 3, 1, {{0xFF, 0xFF}, {0x80, 0x7F}, {0xAA, 0xBF}}, 2, false, 0, 0xEE),
         {0xFF, 0xE0, 0x1A, 0xA8}, 1, 3, 12},
        {"1 bit, 32 wide: no padding", bmpFile(32, 2, 1, {{0x12, 0x34, 0x56, 0x78}, {0x9A, 0xBC, 0xDE, 0xF0}}, 2),
         {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}, 1, 2, 8},
        {"24 bits, 2 wide: 2 padding bytes a row", bmpFile(2, 3, 24, rgb, 0, false, 0, 0xEE), rgb18, 24, 3, 24},
        {"the same stored top row first", bmpFile(2, 3, 24, rgb, 0, true, 0, 0xEE), rgb18, 24, 3, 24},
        // Each pixel keeps blue, green, red; the header says 24.
        {"32 bits, 3 x 2", bmpFile(3, 2, 32, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}}),
         {1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14, 15, 17, 18, 19, 21, 22, 23}, 24, 2, 24},
        {"8 bits, 3 wide, a palette before the rows", bmpFile(3, 2, 8, {{1, 2, 3}, {4, 5, 6}}, 256), {1, 2, 3, 4, 5, 6},
         8, 2, 8},
        {"bit fields over 32-bit pixels are plain rows", bmpFile(1, 1, 32, {{1, 2, 3, 4}}, 0, false, 3), {1, 2, 3}, 24,
         1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Decoded d = decode(c.file);
        ASSERT_EQ(Result(d.rc), Result(DMS_OK));
        EXPECT_EQ(head(d.pixels, c.stream.size()), c.stream);
        EXPECT_TRUE(zeroFrom(d.pixels, c.stream.size()));
        EXPECT_EQ(std::vector<int>({d.ih.bitCount, d.ih.height, static_cast<int>(d.ih.imageSize)}),
                  std::vector<int>({c.bits, c.height, static_cast<int>(c.imageSize)}));
    }
    // The stream has room for whole blocks (8 here) past the image size.
    EXPECT_EQ(decode(cases[0].file).pixels.size(), 8u + 12u + 1u);
}

TEST(BmpRead, RefusesWhatIsNotAConsistentPlainBitmap) {
    const Bytes good = bmpFile(2, 2, 24, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
    ASSERT_EQ(Result(decode(good).rc), Result(DMS_OK));
    auto patched = [&](size_t at, std::vector<uint8_t> bytes) {
        Bytes f = good;
        std::copy(bytes.begin(), bytes.end(), f.begin() + static_cast<long>(at));
        return decode(f).rc;
    };
    Bytes longer = good;
    longer.push_back(0);
    EXPECT_EQ(Result(decode(longer).rc), Result(DMS_E_FORMAT));                        // one byte too many
    EXPECT_EQ(Result(decode(head(good, good.size() - 1)).rc), Result(DMS_E_FORMAT));   // one byte short
    EXPECT_EQ(Result(decode(head(good, 53)).rc), Result(DMS_E_FORMAT));                // shorter than its headers
    EXPECT_EQ(Result(decode(Bytes()).rc), Result(DMS_E_FORMAT));
    struct Patch { size_t at; std::vector<uint8_t> bytes; const char* what; };
    const Patch patches[] = {
        {0, {'B', 'A'}, "not BM"}, {14, {12, 0, 0, 0}, "old 12-byte header"}, {28, {7, 0}, "7 bits per pixel"},
        {30, {1, 0, 0, 0}, "run-length compressed"}, {18, {0, 0, 0, 0}, "width 0"}, {22, {0, 0, 0, 0}, "height 0"},
        {18, {0, 0, 1, 0}, "width 65536"}, {22, {0, 0, 0, 0x80}, "most negative height"},
        {10, {0xFF, 0xFF, 0xFF, 0xFF}, "rows past the end"}, {10, {10, 0, 0, 0}, "rows inside the headers"},
        // Absurd sizes in a small file are refused before anything is allocated.
        {18, {0xFF, 0xFF, 0, 0}, "huge width"}, {22, {0xFF, 0xFF, 0, 0}, "huge height"}};
    for (const Patch& p : patches) EXPECT_EQ(Result(patched(p.at, p.bytes)), Result(DMS_E_FORMAT)) << p.what;
}

TEST(BmpWrite, PalettesPaddingAndBottomRowFirst) {
    // A monochrome1bit graphic of 10 x 3 comes back red on black.
    dms::BmpFileHeader fh;
    dms::BmpInfoHeader ih;
    headers(fh, ih, 10, 3, 1, 12);
    fh.size = 54 + 12;
    fh.offset = 54;
    const uint8_t stream[] = {0xFF, 0xE0, 0x1A, 0xAB, 0x55};  // bits past the picture are cleared
    Bytes file;
    ASSERT_EQ(Result(dms::encodeBmp(fh, ih, stream, sizeof stream, file)), Result(DMS_OK));
    ASSERT_EQ(file.size(), 62u + 12u);
    EXPECT_EQ(head(file, 2), (Bytes{'B', 'M'}));
    EXPECT_EQ(file[2], 74);   // file size with the palette
    EXPECT_EQ(file[10], 62);  // data offset with the palette
    EXPECT_EQ(Bytes(file.begin() + 54, file.begin() + 62), (Bytes{0, 0, 0, 0, 0, 0, 255, 0}));
    EXPECT_EQ(Bytes(file.begin() + 62, file.end()),
              (Bytes{0xAA, 0x80, 0, 0, 0x80, 0x40, 0, 0, 0xFF, 0xC0, 0, 0}));

    // 8 bits: a ramp of reds, 256 entries.
    ih.bitCount = 8;
    ih.imageSize = 36;
    std::vector<uint8_t> bytes(30, 7);
    ASSERT_EQ(Result(dms::encodeBmp(fh, ih, bytes.data(), bytes.size(), file)), Result(DMS_OK));
    ASSERT_EQ(file.size(), 54u + 1024u + 36u);
    EXPECT_EQ(Bytes(file.begin() + 54 + 4 * 200, file.begin() + 54 + 4 * 201), (Bytes{0, 0, 200, 0}));
    EXPECT_EQ(file[10] | (file[11] << 8), 54 + 1024);
    EXPECT_EQ(Bytes(file.begin() + 1078 + 10, file.begin() + 1078 + 12), (Bytes{0, 0}));  // padding

    // 24 bits: no palette. A stream too short or headers that do not agree
    // are refused.
    ih.bitCount = 24;
    ih.imageSize = 96;
    bytes.assign(90, 1);
    ASSERT_EQ(Result(dms::encodeBmp(fh, ih, bytes.data(), bytes.size(), file)), Result(DMS_OK));
    EXPECT_EQ(file.size(), 54u + 96u);
    EXPECT_EQ(Result(dms::encodeBmp(fh, ih, bytes.data(), 89, file)), Result(DMS_E_FORMAT));
    ih.imageSize = 90;
    EXPECT_EQ(Result(dms::encodeBmp(fh, ih, bytes.data(), bytes.size(), file)), Result(DMS_E_FORMAT));
    ih.imageSize = 96;
    ih.width = 0;
    EXPECT_EQ(Result(dms::encodeBmp(fh, ih, bytes.data(), bytes.size(), file)), Result(DMS_E_FORMAT));
    ih.width = 10;
    ih.bitCount = 3;
    EXPECT_EQ(Result(dms::encodeBmp(fh, ih, bytes.data(), bytes.size(), file)), Result(DMS_E_FORMAT));
}

TEST(BmpWrite, EveryStreamSurvivesWritingAndReadingBack) {
    std::mt19937 random(8);
    for (uint16_t bits : {1, 4, 8, 16, 24}) {
        for (int width = 1; width <= 40; width += 3) {
            for (int height = 1; height <= 5; ++height) {
                size_t streamBits = size_t(bits) * width * height;
                std::vector<uint8_t> stream((streamBits + 7) / 8);
                for (auto& b : stream) b = static_cast<uint8_t>(random());
                if (streamBits % 8) stream.back() &= static_cast<uint8_t>(0xFF << (8 - streamBits % 8));
                dms::BmpFileHeader fh;
                dms::BmpInfoHeader ih;
                headers(fh, ih, width, height, bits, static_cast<uint32_t>(dms::bmpStride(bits, width) * height));
                std::vector<uint8_t> padded = stream;
                padded.resize(std::max<size_t>(stream.size(), ih.imageSize), 0);
                Bytes file;
                ASSERT_EQ(Result(dms::encodeBmp(fh, ih, padded.data(), padded.size(), file)), Result(DMS_OK));
                Decoded d = decode(file, 4);
                ASSERT_EQ(Result(d.rc), Result(DMS_OK)) << bits << " bits " << width << " x " << height;
                ASSERT_EQ(head(d.pixels, stream.size()), stream) << bits << " bits " << width << " x " << height;
                ASSERT_TRUE(zeroFrom(d.pixels, stream.size()));
            }
        }
    }
}

TEST(BmpFiles, BlockSizeFromTheSignAndFileErrors) {
    SimSign sign(json{{"limits", {{"graphicBlockSize", 16}}}});
    TempFolder dir;
    const std::string path = dir.file("a.bmp");
    writeFile(path, bmpFile(10, 3, 1, {{0xFF, 0xC0}, {0x80, 0x40}, {0xAA, 0x80}}, 2));
    dms::BmpFileHeader fh;
    dms::BmpInfoHeader ih;
    std::vector<uint8_t> pixels;
    ASSERT_EQ(Result(dms::readBmpFile(path.c_str(), fh, ih, pixels)), Result(DMS_OK));
    EXPECT_EQ(pixels.size(), 16u + 12u + 1u);
    EXPECT_EQ(head(pixels, 4), (Bytes{0xFF, 0xE0, 0x1A, 0xA8}));
    auto defs = sign.calls("tqGetGraphicDefinition");
    ASSERT_EQ(defs.size(), 1u);
    EXPECT_EQ(defs[0]["args"][0], NTCIP_GRAPHIC_BLOCK_SIZE);

    // The sign is asked first, also for a file that does not open.
    sign.clearJournal();
    EXPECT_EQ(Result(dms::readBmpFile(dir.file("missing.bmp").c_str(), fh, ih, pixels)), Result(DMS_E_OPEN_INPUT));
    EXPECT_EQ(sign.calls("tqGetGraphicDefinition").size(), 1u);
    sign.fault({{"fn", "tqGetGraphicDefinition"}, {"args", {NTCIP_GRAPHIC_BLOCK_SIZE}}, {"result", 0x55}});
    EXPECT_EQ(dms::readBmpFile(dir.file("missing.bmp").c_str(), fh, ih, pixels), 0x55u);
    sign.fault({{"fn", "tqGetGraphicDefinition"}, {"args", {NTCIP_GRAPHIC_BLOCK_SIZE}}, {"reply", "00000000"}});
    EXPECT_EQ(Result(dms::readBmpFile(path.c_str(), fh, ih, pixels)), Result(DMS_E_INVALID));  // block size 0

    Bytes longer = bmpFile(10, 3, 1, {{0xFF, 0xC0}, {0x80, 0x40}, {0xAA, 0x80}}, 2);
    longer.push_back(0);
    writeFile(path, longer);
    EXPECT_EQ(Result(dms::readBmpFile(path.c_str(), fh, ih, pixels)), Result(DMS_E_FORMAT));
    writeFile(path, Bytes{'B', 'M', 1, 2, 3});
    EXPECT_EQ(Result(dms::readBmpFile(path.c_str(), fh, ih, pixels)), Result(DMS_E_FORMAT));

    const uint8_t stream[12] = {0xFF, 0xE0, 0x1A, 0xA8};
    ih.bitCount = 1;
    ih.imageSize = 12;
    ih.height = 3;
    EXPECT_EQ(Result(dms::writeBmpFile(dir.file("no/such/folder.bmp").c_str(), fh, ih, stream, sizeof stream)),
              Result(DMS_E_OPEN_OUTPUT));
    ASSERT_EQ(Result(dms::writeBmpFile(dir.file("b.bmp").c_str(), fh, ih, stream, sizeof stream)), Result(DMS_OK));
    EXPECT_EQ(readFile(dir.file("b.bmp")).size(), 62u + 12u);
}

}  // namespace
