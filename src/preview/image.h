// A picture for the screen: the sign's face drawn larger than its raster,
// and the pictures written from it. RGB bytes, rows top first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/raster.h"

namespace dms {
namespace preview {

struct Image {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> rgb;  // width x height x 3
    render::Rgb at(uint32_t x, uint32_t y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return render::Rgb{p[0], p[1], p[2]};
    }
};

// The face of a sign: the panel between the LEDs, and an LED that is dark.
constexpr render::Rgb kFaceColor{16, 16, 16};
constexpr render::Rgb kDarkLedColor{40, 40, 40};

// Scales allowed, and the largest side of a face in pixels.
constexpr unsigned kMaxScale = 32;
constexpr uint32_t kMaxFaceSide = 16384;

// Draws each pixel of the raster as a scale x scale cell. With flat, the
// cell is the pixel's colour. Otherwise it is a round LED of the pixel's
// colour on the dark face; a black pixel is an LED that is off, drawn in
// kDarkLedColor. False (and image left empty) for a scale of 0 or past
// kMaxScale, or a side past kMaxFaceSide; an empty raster gives an empty
// image. Throws std::bad_alloc when memory runs out.
bool drawFace(const render::Raster& raster, unsigned scale, bool flat, Image& image);

// Whether the LED of a scale x scale cell covers the cell's pixel (x, y):
// a disc of radius 0.42 scale about the cell's centre, tested at the
// pixel's centre.
bool ledCovers(unsigned scale, unsigned x, unsigned y);

}  // namespace preview
}  // namespace dms
