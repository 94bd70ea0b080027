#include "render/colors.h"

namespace dms {
namespace render {

using multi::ColorForm;
using multi::ColorValue;

namespace {

// The classic colour numbers (colorClassic, and colour signs given an index).
constexpr Rgb kClassic[] = {{0, 0, 0},     {255, 0, 0},   {255, 255, 0},   {0, 255, 0},   {0, 255, 255},
                            {0, 0, 255},   {255, 0, 255}, {255, 255, 255}, {255, 165, 0}, {255, 180, 0}};

uint8_t blend(uint8_t off, uint8_t on, unsigned level) {
    return static_cast<uint8_t>((off * (255u - level) + on * level + 127u) / 255u);
}

}  // namespace

Rgb monochromeLevel(const SignProfile& p, uint8_t level) {
    return Rgb{blend(p.monochromeOff.red, p.monochromeOn.red, level),
               blend(p.monochromeOff.green, p.monochromeOn.green, level),
               blend(p.monochromeOff.blue, p.monochromeOn.blue, level)};
}

bool classicColor(uint8_t index, Rgb& out) {
    if (index >= sizeof kClassic / sizeof kClassic[0]) return false;
    out = kClassic[index];
    return true;
}

bool monochrome(const SignProfile& p) {
    return p.scheme == ColorScheme::Monochrome1Bit || p.scheme == ColorScheme::Monochrome8Bit;
}

Rgb defaultForeground(const SignProfile& p) { return monochrome(p) ? p.monochromeOn : p.foreground; }
Rgb defaultBackground(const SignProfile& p) { return monochrome(p) ? p.monochromeOff : p.background; }

bool resolveColor(const SignProfile& p, const ColorValue& v, Rgb fallback, Rgb& out) {
    switch (v.form) {
    case ColorForm::Default: out = fallback; return true;
    case ColorForm::Rgb:
        if (p.scheme != ColorScheme::Color24Bit) return false;
        out = Rgb{v.red, v.green, v.blue};
        return true;
    case ColorForm::Index: break;
    }
    if (p.scheme == ColorScheme::Monochrome1Bit) {
        if (v.index > 1) return false;
        out = v.index ? p.monochromeOn : p.monochromeOff;
    } else if (p.scheme == ColorScheme::Monochrome8Bit) {
        out = monochromeLevel(p, v.index);
    } else {
        return classicColor(v.index, out);
    }
    return true;
}

}  // namespace render
}  // namespace dms
