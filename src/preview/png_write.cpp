#include "preview/png_write.h"

#include "preview/file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace dms {
namespace preview {
namespace {

// Frees libpng's state when the write ends, however it ends.
struct PngImage {
    png_image image;
    explicit PngImage(const Image& from) {
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
        image.width = from.width;
        image.height = from.height;
        image.format = PNG_FORMAT_RGB;
        // Filters and compression for speed: sign faces are flat colour
        // and compress well either way.
        image.flags = PNG_IMAGE_FLAG_FAST;
    }
    ~PngImage() { png_image_free(&image); }
    std::string message() const { return image.message[0] ? image.message : "libpng failed"; }
};

bool usable(const Image& image, std::string& error) {
    if (image.width == 0 || image.height == 0 || image.rgb.size() != size_t{image.width} * image.height * 3) {
        error = "no picture to write";
        return false;
    }
    return true;
}

}  // namespace

Image imageOf(const render::Raster& raster) {
    Image image;
    image.width = raster.width();
    image.height = raster.height();
    image.rgb.resize(size_t{image.width} * image.height * 3);
    raster.copyRgb(image.rgb.data());
    return image;
}

bool encodePng(const Image& image, std::vector<uint8_t>& out, std::string& error) {
    if (!usable(image, error)) return false;
    PngImage png(image);
    // Room for the largest PNG the image can make, so that one pass does.
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(png.image);
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&png.image, bytes.data(), &size, 0, image.rgb.data(), 0, nullptr)) {
        error = png.message();
        return false;
    }
    bytes.resize(size);
    out = std::move(bytes);
    return true;
}

bool writePng(const Image& image, const std::string& path, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!encodePng(image, bytes, error)) return false;
    return writeFile(bytes, path, error);
}

}  // namespace preview
}  // namespace dms
