// Plain value structures shared by the element classes.
#pragma once

#include <cstdint>

namespace dms {

struct Color {
    int32_t index = -1;  // palette index, -1 = not given
    int32_t rgb = -1;    // 0xRRGGBB, -1 = not given

    Color() = default;
    Color(int32_t paletteIndex, int32_t rgbValue) : index(paletteIndex), rgb(rgbValue) {}
    // A colour given by its rgb value has no palette index.
    static Color fromRgb(int32_t rgbValue) { return Color(-1, rgbValue); }
    bool operator==(const Color& o) const { return index == o.index && rgb == o.rgb; }
    bool operator!=(const Color& o) const { return !(*this == o); }
};

struct Flash {
    int32_t flashBegin = -1;   // position of the flash opening tag in the source MULTI
    int32_t flashEnd = -1;     // position of the flash closing tag
    int32_t flashOnTime = 0;   // both times 0 = not flashing
    int32_t flashOffTime = 0;
};

struct Font {
    int32_t fontNum = -1;  // -1 = not given
    Color fontColor;
};

struct Rectangle {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

extern const Color kColorUnset;
extern const Color kColorBlack;
extern const Color kColorWhite;
extern const Color kColorRed;
extern const Color kColorGreen;
extern const Color kColorBlue;

}  // namespace dms
