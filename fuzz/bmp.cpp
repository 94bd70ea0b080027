// libFuzzer target: BMP files into the packed pixel stream (the reader of
// readBmpFile), and every picture it accepts written back and read again,
// which must give the same stream.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "graphics/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint32_t blockSize = 16;
    dms::BmpFileHeader fh;
    dms::BmpInfoHeader ih;
    std::vector<uint8_t> pixels;
    if (dms::decodeBmp(data, size, blockSize, fh, ih, pixels) != 0) return 0;
    // A 32-bit picture keeps the buffer of its 32-bit rows.
    if (pixels.size() < blockSize + ih.imageSize + 1u) std::abort();

    // Written back as a plain 40-byte-header file, the picture reads the same.
    fh.type = dms::kBmpType;
    ih.size = 40;
    ih.compression = 0;
    std::vector<uint8_t> file;
    if (dms::encodeBmp(fh, ih, pixels.data(), pixels.size(), file) != 0) std::abort();
    dms::BmpFileHeader fh2;
    dms::BmpInfoHeader ih2;
    std::vector<uint8_t> again;
    if (dms::decodeBmp(file.data(), file.size(), blockSize, fh2, ih2, again) != 0) std::abort();
    size_t bytes = (static_cast<size_t>(ih.bitCount) * static_cast<size_t>(ih.width) * static_cast<size_t>(ih.height) + 7) / 8;
    if (ih2.width != ih.width || ih2.height != ih.height || ih2.bitCount != ih.bitCount ||
        std::memcmp(again.data(), pixels.data(), bytes) != 0)
        std::abort();
    return 0;
}
