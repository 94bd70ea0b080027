// The colours a MULTI colour value stands for on a sign: an index by the
// sign's colour scheme (monochrome1bit 0 and 1 for its off and on colours,
// monochrome8bit 0 to 255 from off to on, otherwise the classic colours 0 to
// 9), an RGB value on a color24bit sign only, the default as given.
#pragma once

#include "multi/tokenizer.h"
#include "render/profile.h"

namespace dms {
namespace render {

bool monochrome(const SignProfile& profile);
// The sign's default text and background colours: a monochrome sign's on
// and off colours, else the profile's.
Rgb defaultForeground(const SignProfile& profile);
Rgb defaultBackground(const SignProfile& profile);
// A monochrome8bit level from the off colour (0) to the on colour (255).
Rgb monochromeLevel(const SignProfile& profile, uint8_t level);
// A classic colour (0 to 9); false past 9.
bool classicColor(uint8_t index, Rgb& out);
// False when the sign cannot show the value; `fallback` stands for the default.
bool resolveColor(const SignProfile& profile, const multi::ColorValue& value, Rgb fallback, Rgb& out);

}  // namespace render
}  // namespace dms
