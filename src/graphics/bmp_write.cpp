// Writing a graphic's packed pixel stream as a BMP file.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "dmscontent/common.h"
#include "graphics/bmp.h"
#include "graphics/bmp_bytes.h"

namespace dms {
namespace {

// Palette entries (blue, green, red, reserved): 1 bit black and red, 8 bits
// a ramp of reds, none for other depths.
void putPalette(std::vector<uint8_t>& out, uint32_t bitCount) {
    if (bitCount == 1) {
        const uint8_t entries[8] = {0, 0, 0, 0, 0, 0, 255, 0};
        out.insert(out.end(), entries, entries + 8);
    } else if (bitCount == 8) {
        for (unsigned i = 0; i < 256; ++i) {
            const uint8_t entry[4] = {0, 0, static_cast<uint8_t>(i), 0};
            out.insert(out.end(), entry, entry + 4);
        }
    }
}

uint32_t paletteBytes(uint32_t bitCount) { return bitCount == 1 ? 8 : bitCount == 8 ? 1024 : 0; }

// Stored rows from the stream: row r's bits start at bit r x rowBits; the
// bits past the row in its last byte and the rest of the stride are zero.
void padRows(const uint8_t* stream, size_t streamSize, size_t rowBits, size_t height, size_t stride, uint8_t* rows) {
    size_t rowBytes = (rowBits + 7) / 8;
    const uint8_t lastMask = rowBits % 8 ? static_cast<uint8_t>(0xFF << (8 - rowBits % 8)) : 0xFF;
    for (size_t r = 0; r < height; ++r) {
        size_t pos = r * rowBits;
        for (size_t k = 0; k < rowBytes; ++k, pos += 8) {
            size_t i = pos / 8;
            unsigned shift = pos % 8;
            uint8_t v = static_cast<uint8_t>(stream[i] << shift);
            if (shift && i + 1 < streamSize) v = static_cast<uint8_t>(v | (stream[i + 1] >> (8 - shift)));
            rows[r * stride + k] = k + 1 == rowBytes ? static_cast<uint8_t>(v & lastMask) : v;
        }
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

uint32_t encodeBmp(const BmpFileHeader& fh, const BmpInfoHeader& ih, const uint8_t* stream, size_t streamSize,
                   std::vector<uint8_t>& file) {
    const uint32_t bits = ih.bitCount;
    if (ih.width < 1 || ih.width > 65535 || ih.height < 1 || ih.height > 65535) return DMS_E_FORMAT;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return DMS_E_FORMAT;
    const size_t width = static_cast<size_t>(ih.width);
    const size_t height = static_cast<size_t>(ih.height);
    const uint64_t stride = bmpStride(bits, static_cast<uint32_t>(width));
    const uint64_t imageSize = stride * height;
    if (imageSize > kMaxImageBytes || ih.imageSize != imageSize) return DMS_E_FORMAT;
    const size_t rowBits = bits * width;
    const bool padded = rowBits % 32 != 0;
    const uint64_t need = padded ? (static_cast<uint64_t>(rowBits) * height + 7) / 8 : imageSize;
    if (!stream || streamSize < need) return DMS_E_FORMAT;

    // The palette lies between the headers and the rows; the file size and
    // the data offset are written as this layout makes them.
    const uint32_t palette = paletteBytes(bits);
    const uint32_t offset = kBmpHeadersSize + palette;
    file.clear();
    file.reserve(offset + static_cast<size_t>(imageSize));
    putLe16(file, fh.type);
    putLe32(file, offset + static_cast<uint32_t>(imageSize));
    putLe16(file, fh.reserved1);
    putLe16(file, fh.reserved2);
    putLe32(file, offset);
    putLe32(file, ih.size);
    putLe32(file, static_cast<uint32_t>(ih.width));
    putLe32(file, static_cast<uint32_t>(ih.height));
    putLe16(file, ih.planes);
    putLe16(file, ih.bitCount);
    putLe32(file, ih.compression);
    putLe32(file, ih.imageSize);
    putLe32(file, static_cast<uint32_t>(ih.xPelsPerMeter));
    putLe32(file, static_cast<uint32_t>(ih.yPelsPerMeter));
    putLe32(file, ih.colorsUsed);
    putLe32(file, ih.colorsImportant);
    putPalette(file, bits);

    file.resize(offset + static_cast<size_t>(imageSize), 0);
    uint8_t* rows = file.data() + offset;
    if (padded)
        padRows(stream, streamSize, rowBits, height, static_cast<size_t>(stride), rows);
    else
        std::memcpy(rows, stream, static_cast<size_t>(imageSize));
    // Bottom row first in the file.
    for (size_t r = (height - 1) / 2 + 1; r-- > 0;) {
        if (r == height - 1 - r) continue;
        uint8_t* a = rows + r * stride;
        std::swap_ranges(a, a + stride, rows + (height - 1 - r) * stride);
    }
    return 0;
}

uint32_t writeBmpFile(const char* path, const BmpFileHeader& fh, const BmpInfoHeader& ih, const uint8_t* stream,
                      size_t streamSize) {
    std::vector<uint8_t> image;
    uint32_t rc = encodeBmp(fh, ih, stream, streamSize, image);
    if (rc != 0) return rc;
    std::unique_ptr<std::FILE, FileCloser> f(path ? std::fopen(path, "wb+") : nullptr);
    if (!f) return DMS_E_OPEN_OUTPUT;
    // A short write leaves a broken picture: reported like a file that
    // could not be created.
    bool written = std::fwrite(image.data(), 1, image.size(), f.get()) == image.size();
    written = std::fclose(f.release()) == 0 && written;
    return written ? 0 : DMS_E_OPEN_OUTPUT;
}

}  // namespace dms
