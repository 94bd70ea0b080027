// Images as PNG files (8-bit RGB, through libpng).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "preview/image.h"

namespace dms {
namespace preview {

// The PNG of the image into out (replacing what it held). False with a
// reason in error for an empty image or when libpng fails.
bool encodePng(const Image& image, std::vector<uint8_t>& out, std::string& error);
// The same into a file, as writeFile (preview/file.h) writes it.
bool writePng(const Image& image, const std::string& path, std::string& error);
// The raster's own pixels, one for one.
Image imageOf(const render::Raster& raster);

}  // namespace preview
}  // namespace dms
