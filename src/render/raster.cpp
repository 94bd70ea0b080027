#include "render/raster.h"

#include <algorithm>

#include "dmscontent/records.h"
#include "fonts/font_file.h"

namespace dms {
namespace render {

void Raster::fill(int x, int y, int width, int height, Rgb color) {
    // Clip in 64 bits: x + width may not fit an int.
    int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
    int64_t x1 = std::min<int64_t>(int64_t{x} + width, width_), y1 = std::min<int64_t>(int64_t{y} + height, height_);
    for (int64_t r = y0; r < y1; ++r)
        for (int64_t c = x0; c < x1; ++c) pixels_[static_cast<size_t>(r) * width_ + static_cast<size_t>(c)] = color;
}

FontView::FontView(const fontContent& font)
    : height_(font.height), charSpacing_(font.charSpacing), lineSpacing_(font.lineSpacing) {
    for (uint32_t i = 0; font.chars && i < font.charCount; ++i) {
        const fontChar& c = font.chars[i];
        if (c.code > 255) continue;
        Glyph& g = glyphs_[c.code];
        g.width = c.width;
        g.rowBits = c.width;
        g.bits = c.bitmap;
        g.length = c.bitmap ? static_cast<size_t>(font.height) * ((c.width + 7u) / 8u) : 0;
    }
}

FontView::FontView(const SignFont& font)
    : height_(static_cast<uint16_t>(std::min<uint32_t>(font.height, 0xFFFF))),
      charSpacing_(font.charSpacing),
      lineSpacing_(font.lineSpacing) {
    size_t n = std::min<size_t>(256, std::min(font.widths.size(), font.packed.size()));
    for (size_t code = 0; code < n; ++code) {
        Glyph& g = glyphs_[code];
        g.width = font.widths[code];
        g.rowBits = font.widths[code];
        g.bits = font.packed[code].empty() ? nullptr : font.packed[code].data();
        g.length = font.packed[code].size();
    }
}

}  // namespace render
}  // namespace dms
