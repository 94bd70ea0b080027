// What a renderer needs to know about a sign: its pixel matrix, its colour
// scheme and the MULTI defaults it applies where a message gives no tag.
// Plain data; the defaults describe a 96 x 32 full-matrix colour sign.
#pragma once

#include <cstdint>

namespace dms {
namespace render {

struct Rgb {
    uint8_t red = 0, green = 0, blue = 0;
};
inline bool operator==(const Rgb& a, const Rgb& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }

// dmsSignType's matrix kinds: characters in fixed cells, lines of fixed
// height, or free pixels.
enum class Matrix : uint8_t { Character, Line, Full };

// dmsColorScheme (1 to 4).
enum class ColorScheme : uint8_t { Monochrome1Bit = 1, Monochrome8Bit = 2, ColorClassic = 3, Color24Bit = 4 };

// dmsDefaultJustificationLine and Page values; 1 ("other") is not placeable.
enum class LineJustify : uint8_t { Left = 2, Center = 3, Right = 4, Full = 5 };
enum class PageJustify : uint8_t { Top = 2, Middle = 3, Bottom = 4 };

struct SignProfile {
    uint16_t width = 96;   // pixels
    uint16_t height = 32;  // pixels
    Matrix matrix = Matrix::Full;
    uint8_t characterWidth = 0;   // pixels of a cell (character matrix), else 0
    uint8_t characterHeight = 0;  // pixels of a line (character and line matrix), else 0

    ColorScheme scheme = ColorScheme::Color24Bit;
    Rgb monochromeOn{255, 180, 0};  // the lit colour of a monochrome sign
    Rgb monochromeOff{0, 0, 0};     // its dark colour

    // MULTI defaults. The colours serve the colour schemes; a monochrome
    // sign draws text in its on colour on its off colour.
    uint8_t font = 1;
    LineJustify lineJustify = LineJustify::Center;
    PageJustify pageJustify = PageJustify::Top;
    Rgb foreground{255, 180, 0};
    Rgb background{0, 0, 0};
    uint8_t pageOnTime = 30;  // tenths of a second
    uint8_t pageOffTime = 0;
    uint8_t flashOnTime = 5;
    uint8_t flashOffTime = 5;
    uint8_t maxPages = 0;  // dmsMaxNumberPages; 0: no limit
};

}  // namespace render
}  // namespace dms
