// A raster drawn on a colour terminal: one character cell holds two pixel
// rows, the upper one as the foreground of "▀" (U+2580), the lower one as
// its background, in 24-bit colour escapes. A colour is given again only
// where it changes along the line; each line ends with a reset. A last row
// without a partner leaves the background the terminal's.
#pragma once

#include <string>

#include "render/raster.h"

namespace dms {
namespace preview {

std::string terminalDrawing(const render::Raster& raster);

}  // namespace preview
}  // namespace dms
