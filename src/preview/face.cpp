#include "preview/image.h"

#include <cstring>

namespace dms {
namespace preview {

bool ledCovers(unsigned scale, unsigned x, unsigned y) {
    // In units of half a pixel, so that everything stays integral:
    // (2x + 1 - scale)^2 + (2y + 1 - scale)^2 <= (0.84 scale)^2.
    const long dx = 2 * static_cast<long>(x) + 1 - static_cast<long>(scale);
    const long dy = 2 * static_cast<long>(y) + 1 - static_cast<long>(scale);
    const long r = 84 * static_cast<long>(scale);
    return (dx * dx + dy * dy) * 10000 <= r * r;
}

bool drawFace(const render::Raster& raster, unsigned scale, bool flat, Image& image) {
    image = Image{};
    if (scale == 0 || scale > kMaxScale) return false;
    const uint32_t width = uint32_t{raster.width()} * scale, height = uint32_t{raster.height()} * scale;
    if (width > kMaxFaceSide || height > kMaxFaceSide) return false;
    if (width == 0 || height == 0) return true;
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    std::vector<bool> mask(static_cast<size_t>(scale) * scale);
    for (unsigned y = 0; y < scale; ++y)
        for (unsigned x = 0; x < scale; ++x) mask[y * scale + x] = flat || ledCovers(scale, x, y);

    const size_t stride = static_cast<size_t>(width) * 3;
    for (uint16_t row = 0; row < raster.height(); ++row) {
        uint8_t* top = &rgb[static_cast<size_t>(row) * scale * stride];
        for (unsigned cy = 0; cy < scale; ++cy) {
            uint8_t* p = top + cy * stride;
            // The LED is symmetric: the lower half of a cell row repeats the upper.
            if (cy >= (scale + 1) / 2) {
                std::memcpy(p, top + (scale - 1 - cy) * stride, stride);
                continue;
            }
            for (uint16_t col = 0; col < raster.width(); ++col) {
                render::Rgb led = raster.at(col, row);
                if (!flat && led == render::Rgb{}) led = kDarkLedColor;
                for (unsigned cx = 0; cx < scale; ++cx) {
                    const render::Rgb c = mask[cy * scale + cx] ? led : kFaceColor;
                    *p++ = c.red;
                    *p++ = c.green;
                    *p++ = c.blue;
                }
            }
        }
    }
    image.width = width;
    image.height = height;
    image.rgb = std::move(rgb);
    return true;
}

}  // namespace preview
}  // namespace dms
