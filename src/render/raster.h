// The picture a renderer draws into, and the view of a font it draws with.
//
// A Raster is width x height RGB pixels, rows top first. Every write is
// clipped to it: nothing is ever written outside.
//
// A FontView looks at a font held elsewhere (a fontContent read from a file,
// or a SignFont read from a sign), which must outlive it: per character code
// 0 to 255 its width and its packed bitmap (rows top first, rowBits bits a
// row, most significant bit first), and the font's height and spacings. A
// code of width 0 is not defined in the font.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/profile.h"

struct fontContent;

namespace dms {

struct SignFont;

namespace render {

class Raster {
public:
    Raster() = default;
    Raster(uint16_t width, uint16_t height, Rgb fill)
        : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

    uint16_t width() const { return width_; }
    uint16_t height() const { return height_; }
    // The pixel at (x, y) from the top left; black outside.
    Rgb at(int x, int y) const { return inside(x, y) ? pixels_[index(x, y)] : Rgb{}; }
    void set(int x, int y, Rgb color) {
        if (inside(x, y)) pixels_[index(x, y)] = color;
    }
    // The part of the rectangle that lies on the raster; any size or place.
    void fill(int x, int y, int width, int height, Rgb color);
    // Every pixel, rows top first, as red, green and blue bytes: out holds
    // width x height x 3 bytes.
    void copyRgb(uint8_t* out) const {
        for (const Rgb& c : pixels_) {
            *out++ = c.red;
            *out++ = c.green;
            *out++ = c.blue;
        }
    }

private:
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    size_t index(int x, int y) const { return static_cast<size_t>(y) * width_ + static_cast<size_t>(x); }

    uint16_t width_ = 0;
    uint16_t height_ = 0;
    std::vector<Rgb> pixels_;
};

struct Glyph {
    uint16_t width = 0;           // 0: not defined
    uint16_t rowBits = 0;         // bits from one row to the next
    const uint8_t* bits = nullptr;  // may be null: a blank character
    size_t length = 0;            // bytes at bits; bits past them read as unlit
    bool lit(unsigned x, unsigned y) const {
        size_t i = static_cast<size_t>(y) * rowBits + x;
        return x < width && bits && i / 8 < length && ((bits[i / 8] >> (7 - i % 8)) & 1) != 0;
    }
};

// A picture [g] draws: width x height pixels, rows top first, held
// elsewhere. With transparency on, pixels of the transparent colour are
// not drawn.
struct Picture {
    uint16_t width = 0, height = 0;
    const Rgb* pixels = nullptr;  // width x height, or null: nothing to draw
    bool transparent = false;
    Rgb transparentColor;
};

class FontView {
public:
    FontView() = default;
    // A view of a font read from a file; codes beyond 255 are left out.
    explicit FontView(const fontContent& font);
    // A view of a font read from a sign.
    explicit FontView(const SignFont& font);

    uint16_t height() const { return height_; }
    uint8_t charSpacing() const { return charSpacing_; }
    uint8_t lineSpacing() const { return lineSpacing_; }
    const Glyph& glyph(uint8_t code) const { return glyphs_[code]; }

private:
    uint16_t height_ = 0;
    uint8_t charSpacing_ = 0;
    uint8_t lineSpacing_ = 0;
    Glyph glyphs_[256];
};

}  // namespace render
}  // namespace dms
