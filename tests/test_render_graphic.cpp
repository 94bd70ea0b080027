// Pictures from the sign's graphic table form: the packed stream of each
// graphic type turned into colours, the transparent colour, and the limits
// (sizes, short streams, values without a colour).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "render/graphic.h"

namespace {

using namespace dms::render;

constexpr Rgb kOn{250, 180, 0}, kOff{10, 20, 30};

SignProfile monochromeSign() {
    SignProfile p;
    p.monochromeOn = kOn;
    p.monochromeOff = kOff;
    return p;
}

std::string name(Rgb c) {
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}

std::vector<std::string> names(const std::vector<Rgb>& pixels) {
    std::vector<std::string> out;
    for (Rgb c : pixels) out.push_back(name(c));
    return out;
}

struct Decoded {
    GraphicError error;
    std::vector<Rgb> pixels;
    Picture picture;
};

Decoded decode(GraphicForm form, const std::vector<uint8_t>& stream) {
    Decoded d;
    d.error = decodeGraphic(form, stream.data(), stream.size(), monochromeSign(), d.pixels, d.picture);
    return d;
}

TEST(RenderGraphic, EachTypeToColours) {
    struct {
        GraphicForm form;
        std::vector<uint8_t> stream;
        std::vector<std::string> expected;
    } const cases[] = {
        // 3 x 2, 1 bit: rows run on without padding, first bit first: 101 011.
        {{3, 2, 1}, {0xAC}, {"250,180,0", "10,20,30", "250,180,0", "10,20,30", "250,180,0", "250,180,0"}},
        // A row crossing a byte: 9 x 1.
        {{9, 1, 1}, {0x00, 0x80}, {"10,20,30", "10,20,30", "10,20,30", "10,20,30", "10,20,30", "10,20,30",
                                   "10,20,30", "10,20,30", "250,180,0"}},
        // Levels 0, 255 and 128 (halfway, rounded) from off to on.
        {{3, 1, 2}, {0, 255, 128}, {"10,20,30", "250,180,0", "130,100,15"}},
        // Classic indexes: black, red, amber (9, the last).
        {{3, 1, 3}, {0, 1, 9}, {"0,0,0", "255,0,0", "255,180,0"}},
        // 24 bits: blue, green, red bytes; extra bytes after the pixels unread.
        {{2, 1, 4}, {1, 2, 3, 30, 20, 10, 99}, {"3,2,1", "10,20,30"}},
    };
    for (const auto& c : cases) {
        Decoded d = decode(c.form, c.stream);
        ASSERT_EQ(d.error, GraphicError::None) << int(c.form.type);
        EXPECT_EQ(names(d.pixels), c.expected) << int(c.form.type);
        EXPECT_EQ(d.picture.width, c.form.width);
        EXPECT_EQ(d.picture.height, c.form.height);
        EXPECT_EQ(d.picture.pixels, d.pixels.data());
        EXPECT_FALSE(d.picture.transparent);
    }
}

TEST(RenderGraphic, TransparentColourByType) {
    const uint8_t one[] = {1}, level[] = {128}, classic[] = {9}, bgr[] = {30, 20, 10}, bgrLong[] = {30, 20, 10, 7};
    struct {
        uint8_t type;
        const uint8_t* color;
        size_t length;
        GraphicError error;
        std::string expected;
    } const cases[] = {
        {1, one, 1, GraphicError::None, "250,180,0"},
        {2, level, 1, GraphicError::None, "130,100,15"},
        {3, classic, 1, GraphicError::None, "255,180,0"},
        {4, bgr, 3, GraphicError::None, "10,20,30"},  // the stream's order
        {4, bgrLong, 4, GraphicError::None, "10,20,30"},
        {4, bgr, 2, GraphicError::BadTransparentColor, ""},  // one byte short
        {1, one, 0, GraphicError::BadTransparentColor, ""},
        {1, nullptr, 1, GraphicError::BadTransparentColor, ""},
        {1, classic, 1, GraphicError::BadTransparentColor, ""},  // 1 bit has values 0 and 1 only
        {3, level, 1, GraphicError::BadTransparentColor, ""},    // no classic colour 128
    };
    for (const auto& c : cases) {
        GraphicForm form{1, 1, c.type, true, c.color, c.length};
        Decoded d = decode(form, std::vector<uint8_t>(3, 0));
        EXPECT_EQ(d.error, c.error) << int(c.type) << " " << c.length;
        if (c.error != GraphicError::None) continue;
        EXPECT_TRUE(d.picture.transparent);
        EXPECT_EQ(name(d.picture.transparentColor), c.expected) << int(c.type);
    }
    // Not enabled: the colour is not read.
    Decoded d = decode(GraphicForm{1, 1, 4, false, nullptr, 0}, {0, 0, 0});
    EXPECT_EQ(d.error, GraphicError::None);
    EXPECT_FALSE(d.picture.transparent);
}

TEST(RenderGraphic, RefusesWhatItCannotDecodeAndKeepsTheOutput) {
    struct {
        GraphicForm form;
        size_t streamBytes;
        GraphicError error;
    } const cases[] = {
        {{1, 1, 0}, 8, GraphicError::BadType},
        {{1, 1, 5}, 8, GraphicError::BadType},
        {{0, 1, 2}, 8, GraphicError::EmptySize},
        {{1, 0, 2}, 8, GraphicError::EmptySize},
        {{9, 1, 1}, 1, GraphicError::ShortStream},  // 9 bits need 2 bytes
        {{9, 1, 1}, 2, GraphicError::None},
        {{3, 2, 2}, 5, GraphicError::ShortStream},
        {{3, 2, 2}, 6, GraphicError::None},
        {{2, 2, 4}, 11, GraphicError::ShortStream},
        {{2, 2, 4}, 12, GraphicError::None},
        {{2049, 2048, 2}, 0, GraphicError::TooLarge},  // one column past the limit, before the stream
        {{65535, 65535, 4}, 0, GraphicError::TooLarge},
    };
    for (const auto& c : cases) {
        std::vector<Rgb> pixels(2, Rgb{1, 1, 1});
        Picture picture{7, 7, nullptr, false, Rgb{}};
        std::vector<uint8_t> stream(c.streamBytes, 0);
        GraphicError e = decodeGraphic(c.form, stream.data(), stream.size(), monochromeSign(), pixels, picture);
        EXPECT_EQ(e, c.error) << c.form.width << "x" << c.form.height << " type " << int(c.form.type);
        EXPECT_NE(std::string(describe(e)), "");
        if (e == GraphicError::None) continue;
        EXPECT_EQ(pixels.size(), 2u);  // untouched
        EXPECT_EQ(picture.width, 7);
        EXPECT_EQ(picture.pixels, nullptr);
    }
    // A classic index past 9 anywhere in the stream.
    std::vector<Rgb> pixels;
    Picture picture;
    const uint8_t bad[] = {1, 2, 10};
    EXPECT_EQ(decodeGraphic(GraphicForm{3, 1, 3}, bad, 3, monochromeSign(), pixels, picture), GraphicError::BadPixel);
    EXPECT_TRUE(pixels.empty());
    EXPECT_EQ(decodeGraphic(GraphicForm{1, 1, 2}, nullptr, 5, monochromeSign(), pixels, picture),
              GraphicError::ShortStream);
}

// The largest picture taken: exactly kMaxGraphicPixels.
TEST(RenderGraphic, DecodesAtThePixelLimit) {
    std::vector<uint8_t> stream(kMaxGraphicPixels, 255);
    stream.back() = 0;
    Decoded d = decode(GraphicForm{2048, 2048, 2}, stream);
    ASSERT_EQ(d.error, GraphicError::None);
    ASSERT_EQ(d.pixels.size(), kMaxGraphicPixels);
    EXPECT_EQ(name(d.pixels.front()), "250,180,0");
    EXPECT_EQ(name(d.pixels.back()), "10,20,30");
    EXPECT_EQ(graphicStreamBytes(1, 2048, 2048), kMaxGraphicPixels / 8);
    EXPECT_EQ(graphicStreamBytes(4, 2048, 2048), kMaxGraphicPixels * 3);
    EXPECT_EQ(graphicStreamBytes(0, 2048, 2048), 0u);
}

}  // namespace
