// A picture as a sign keeps it in its graphic table and graphic bitmap
// table, turned into the pixels [g] draws.
//
// The bitmap is one packed stream: rows top first, no padding between rows,
// most significant bit of each byte first. By dmsGraphicType a pixel is
//   1 monochrome1bit  1 bit: 1 the sign's monochrome on colour, 0 its off colour
//   2 monochrome8bit  1 byte: a level from off (0) to on (255), blended as [cf] is
//   3 colorClassic    1 byte: a classic colour index (0 to 9, render/colors.h)
//   4 color24bit      3 bytes: blue, green, red (the order BMP files and the
//                     project's streams keep them in, graphics/bmp.h)
// Bytes past the last pixel (the rest of the last bitmap block) are not read.
//
// dmsGraphicTransparentColor, when transparency is enabled: for types 1 to 3
// its first byte is a pixel value (0 or 1; a level; an index), for type 4
// its first three bytes are a pixel's blue, green and red. The picture then
// leaves out every pixel of that value's colour (render/raster.h compares
// colours: on a sign whose off and on colours are alike, values giving the
// same colour are left out together).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/profile.h"
#include "render/raster.h"

namespace dms {
namespace render {

// The columns of a graphic table row the pixels depend on.
struct GraphicForm {
    uint16_t width = 0, height = 0;
    uint8_t type = 0;  // dmsGraphicType, 1 to 4
    bool transparentEnabled = false;
    const uint8_t* transparentColor = nullptr;  // dmsGraphicTransparentColor's bytes
    size_t transparentLength = 0;
};

// The most pixels a picture may have (2048 x 2048): 12 MiB of colours.
constexpr uint64_t kMaxGraphicPixels = uint64_t{1} << 22;

enum class GraphicError : uint8_t {
    None,
    BadType,              // not 1 to 4
    EmptySize,            // a width or height of 0
    TooLarge,             // more than kMaxGraphicPixels pixels
    ShortStream,          // fewer bytes than its pixels take
    BadPixel,             // a colorClassic index past 9
    BadTransparentColor,  // too few bytes, or a value no pixel can have
    NoMemory,
};
const char* describe(GraphicError error);

// Bytes of a stream of `width` x `height` pixels of `type`; 0 for a type
// that is not 1 to 4.
uint64_t graphicStreamBytes(uint8_t type, uint16_t width, uint16_t height);

// Fills `pixels` (replacing what it held) and `picture`, which points into
// `pixels`, from `stream` of `length` bytes. On an error neither changes.
GraphicError decodeGraphic(const GraphicForm& form, const uint8_t* stream, size_t length, const SignProfile& profile,
                           std::vector<Rgb>& pixels, Picture& picture);

}  // namespace render
}  // namespace dms
