#include "render/graphic.h"

#include <new>
#include <utility>

#include "render/colors.h"

namespace dms {
namespace render {
namespace {

// A pixel value of types 1 to 3 as its colour; false when it has none.
bool valueColor(uint8_t type, unsigned value, const SignProfile& profile, Rgb& out) {
    switch (type) {
    case 1:
        if (value > 1) return false;
        out = value ? profile.monochromeOn : profile.monochromeOff;
        return true;
    case 2: out = monochromeLevel(profile, static_cast<uint8_t>(value)); return true;
    default: return classicColor(static_cast<uint8_t>(value), out);
    }
}

}  // namespace

const char* describe(GraphicError error) {
    switch (error) {
    case GraphicError::None: return "no error";
    case GraphicError::BadType: return "graphic type is not 1 to 4";
    case GraphicError::EmptySize: return "graphic width or height is 0";
    case GraphicError::TooLarge: return "graphic has more pixels than the renderer takes";
    case GraphicError::ShortStream: return "graphic bitmap is shorter than its pixels take";
    case GraphicError::BadPixel: return "graphic pixel names no classic colour";
    case GraphicError::BadTransparentColor: return "transparent colour is too short or names no pixel value";
    case GraphicError::NoMemory: return "out of memory";
    }
    return "unknown graphic error";
}

uint64_t graphicStreamBytes(uint8_t type, uint16_t width, uint16_t height) {
    const uint64_t pixels = uint64_t{width} * height;
    switch (type) {
    case 1: return (pixels + 7) / 8;
    case 2:
    case 3: return pixels;
    case 4: return pixels * 3;
    default: return 0;
    }
}

GraphicError decodeGraphic(const GraphicForm& form, const uint8_t* stream, size_t length, const SignProfile& profile,
                           std::vector<Rgb>& pixels, Picture& picture) {
    const uint8_t type = form.type;
    if (type < 1 || type > 4) return GraphicError::BadType;
    if (form.width == 0 || form.height == 0) return GraphicError::EmptySize;
    const uint64_t count = uint64_t{form.width} * form.height;
    if (count > kMaxGraphicPixels) return GraphicError::TooLarge;
    if (!stream || length < graphicStreamBytes(type, form.width, form.height)) return GraphicError::ShortStream;

    Rgb transparent;
    if (form.transparentEnabled) {
        const size_t need = type == 4 ? 3 : 1;
        const uint8_t* t = form.transparentColor;
        if (!t || form.transparentLength < need) return GraphicError::BadTransparentColor;
        if (type == 4)
            transparent = Rgb{t[2], t[1], t[0]};
        else if (!valueColor(type, t[0], profile, transparent))
            return GraphicError::BadTransparentColor;
    }

    std::vector<Rgb> out;
    try {
        out.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        return GraphicError::NoMemory;
    }
    const size_t n = static_cast<size_t>(count);
    switch (type) {
    case 1:
        for (size_t i = 0; i < n; ++i)
            out[i] = (stream[i / 8] >> (7 - i % 8)) & 1 ? profile.monochromeOn : profile.monochromeOff;
        break;
    case 2: {
        Rgb levels[256];  // each level blended once
        for (unsigned v = 0; v < 256; ++v) levels[v] = monochromeLevel(profile, static_cast<uint8_t>(v));
        for (size_t i = 0; i < n; ++i) out[i] = levels[stream[i]];
        break;
    }
    case 3:
        for (size_t i = 0; i < n; ++i)
            if (!classicColor(stream[i], out[i])) return GraphicError::BadPixel;
        break;
    default:
        for (size_t i = 0; i < n; ++i) out[i] = Rgb{stream[3 * i + 2], stream[3 * i + 1], stream[3 * i]};
        break;
    }
    pixels = std::move(out);
    picture = Picture{form.width, form.height, pixels.data(), form.transparentEnabled, transparent};
    return GraphicError::None;
}

}  // namespace render
}  // namespace dms
