// Reading BMP files into the packed pixel stream of a graphic.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "dmscontent/common.h"
#include "frame/device.h"
#include "frame/log.h"
#include "graphics/bmp.h"
#include "graphics/bmp_bytes.h"

namespace dms {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool knownBitCount(uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Rows stored as they stand: no compression, or bit fields over plain 16- and
// 32-bit pixels (the form many tools write 32-bit pictures in). Run-length
// pictures cannot be cut into rows and are refused.
bool plainRows(uint32_t compression, uint32_t bits) {
    if (compression == 0) return true;
    return (compression == 3 || compression == 6) && (bits == 16 || bits == 32);
}

// Reads the two headers from head (54 bytes) and checks them against the
// real file size. imageSize is the size of the stored rows.
uint32_t checkHeaders(const uint8_t* head, uint64_t fileSize, BmpFileHeader& fh, BmpInfoHeader& ih,
                      uint64_t& imageSize) {
    if (fileSize < kBmpHeadersSize) return DMS_E_FORMAT;
    fh.type = le16(head);
    fh.size = le32(head + 2);
    fh.reserved1 = le16(head + 6);
    fh.reserved2 = le16(head + 8);
    fh.offset = le32(head + 10);
    ih.size = le32(head + 14);
    ih.width = static_cast<int32_t>(le32(head + 18));
    ih.height = static_cast<int32_t>(le32(head + 22));
    ih.planes = le16(head + 26);
    ih.bitCount = le16(head + 28);
    ih.compression = le32(head + 30);
    ih.imageSize = le32(head + 34);
    ih.xPelsPerMeter = static_cast<int32_t>(le32(head + 38));
    ih.yPelsPerMeter = static_cast<int32_t>(le32(head + 42));
    ih.colorsUsed = le32(head + 46);
    ih.colorsImportant = le32(head + 50);
    if (fh.type != kBmpType || ih.size < 40) return DMS_E_FORMAT;
    if (!knownBitCount(ih.bitCount) || !plainRows(ih.compression, ih.bitCount)) return DMS_E_FORMAT;
    // Graphic rows hold 16-bit widths and heights.
    if (ih.width < 1 || ih.width > 65535 || ih.height == 0 || ih.height < -65535 || ih.height > 65535)
        return DMS_E_FORMAT;
    uint64_t height = static_cast<uint64_t>(ih.height < 0 ? -static_cast<int64_t>(ih.height) : ih.height);
    imageSize = bmpStride(ih.bitCount, static_cast<uint32_t>(ih.width)) * height;
    if (imageSize > kMaxImageBytes) return DMS_E_FORMAT;
    // The rows start after the headers and fill the rest of the file exactly.
    if (fh.offset < 14 + static_cast<uint64_t>(ih.size) || fh.offset > fileSize ||
        fileSize - fh.offset != imageSize)
        return DMS_E_FORMAT;
    ih.imageSize = static_cast<uint32_t>(imageSize);
    return 0;
}

// 32-bit pixels keep their first three bytes, in rows of the 24-bit stride.
void thirtyTwoToTwentyFour(std::vector<uint8_t>& buf, BmpInfoHeader& ih, uint32_t width, uint32_t height) {
    size_t from = static_cast<size_t>(bmpStride(32, width));
    size_t to = static_cast<size_t>(bmpStride(24, width));
    for (size_t r = 0; r < height; ++r) {
        uint8_t* dst = buf.data() + r * to;
        const uint8_t* src = buf.data() + r * from;
        for (size_t x = 0; x < width; ++x) std::memmove(dst + 3 * x, src + 4 * x, 3);
        std::fill(dst + 3 * static_cast<size_t>(width), dst + to, 0);
    }
    std::fill(buf.begin() + static_cast<ptrdiff_t>(to * height), buf.begin() + static_cast<ptrdiff_t>(from * height),
              0);
    ih.bitCount = 24;
    ih.imageSize = static_cast<uint32_t>(to * height);
}

// Drops the padding after each row's bits: row r starts at bit r x rowBits.
void removePadding(std::vector<uint8_t>& buf, size_t stride, size_t rowBits, size_t height) {
    size_t rowBytes = (rowBits + 7) / 8;
    size_t streamBytes = (rowBits * height + 7) / 8;
    if (rowBits % 8 == 0) {
        for (size_t r = 1; r < height; ++r) std::memmove(&buf[r * rowBytes], &buf[r * stride], rowBytes);
    } else {
        std::vector<uint8_t> out(streamBytes + 1, 0);
        const uint8_t lastMask = static_cast<uint8_t>(0xFF << (8 - rowBits % 8));
        for (size_t r = 0; r < height; ++r) {
            size_t pos = r * rowBits;
            for (size_t k = 0; k < rowBytes; ++k, pos += 8) {
                uint8_t b = buf[r * stride + k];
                if (k + 1 == rowBytes) b &= lastMask;
                unsigned shift = pos % 8;
                out[pos / 8] |= static_cast<uint8_t>(b >> shift);
                if (shift) out[pos / 8 + 1] |= static_cast<uint8_t>(b << (8 - shift));
            }
        }
        std::copy(out.begin(), out.begin() + static_cast<ptrdiff_t>(streamBytes), buf.begin());
    }
    // What follows the stream is zero, so a last block sent whole carries no
    // leftover rows.
    std::fill(buf.begin() + static_cast<ptrdiff_t>(streamBytes), buf.begin() + static_cast<ptrdiff_t>(stride * height),
              0);
}

// Turns the stored rows (the first image-size bytes of buf) into the stream.
void packRows(std::vector<uint8_t>& buf, BmpInfoHeader& ih) {
    bool topDown = ih.height < 0;
    uint32_t width = static_cast<uint32_t>(ih.width);
    uint32_t height = static_cast<uint32_t>(topDown ? -static_cast<int64_t>(ih.height) : ih.height);
    ih.height = static_cast<int32_t>(height);
    if (ih.bitCount == 32) thirtyTwoToTwentyFour(buf, ih, width, height);
    size_t stride = static_cast<size_t>(bmpStride(ih.bitCount, width));
    // Pictures stored top row first (negative height) are already in order.
    if (!topDown) {
        for (size_t r = height / 2; r-- > 0;) {
            uint8_t* a = buf.data() + r * stride;
            std::swap_ranges(a, a + stride, buf.data() + (height - 1 - r) * stride);
        }
    }
    size_t rowBits = static_cast<size_t>(ih.bitCount) * width;
    if (rowBits % 32 != 0) removePadding(buf, stride, rowBits, height);
}

uint32_t allocate(std::vector<uint8_t>& pixels, uint64_t bytes) {
    try {
        pixels.assign(static_cast<size_t>(bytes), 0);
    } catch (const std::bad_alloc&) {
        return DMS_E_NO_MEMORY;
    }
    return 0;
}

}  // namespace

uint64_t bmpStride(uint32_t bitCount, uint32_t width) {
    return (static_cast<uint64_t>(bitCount) * width + 31) / 32 * 4;
}

uint32_t decodeBmp(const uint8_t* data, size_t size, uint32_t blockSize, BmpFileHeader& fh, BmpInfoHeader& ih,
                   std::vector<uint8_t>& pixels) {
    uint64_t imageSize = 0;
    if (!data) return DMS_E_FORMAT;
    uint32_t rc = checkHeaders(data, size, fh, ih, imageSize);
    if (rc != 0) return rc;
    if ((rc = allocate(pixels, uint64_t{blockSize} + imageSize + 1)) != 0) return rc;
    std::memcpy(pixels.data(), data + fh.offset, static_cast<size_t>(imageSize));
    packRows(pixels, ih);
    return 0;
}

uint32_t readBmpFile(const char* path, BmpFileHeader& fh, BmpInfoHeader& ih, std::vector<uint8_t>& pixels) {
    File f(path ? std::fopen(path, "rb") : nullptr);
    uint32_t blockSize = 1024;
    uint32_t rc = tqGetGraphicDefinition(NTCIP_GRAPHIC_BLOCK_SIZE, &blockSize, 4);
    if (rc != 0) return rc;
    if (!f) return DMS_E_OPEN_INPUT;
    if (blockSize == 0 || blockSize > 65535) return DMS_E_INVALID;
    uint8_t head[kBmpHeadersSize] = {0};
    size_t got = std::fread(head, 1, sizeof head, f.get());
    long end = std::fseek(f.get(), 0, SEEK_END) == 0 ? std::ftell(f.get()) : -1;
    if (got != sizeof head || end < 0) return DMS_E_FORMAT;
    uint64_t imageSize = 0;
    if ((rc = checkHeaders(head, static_cast<uint64_t>(end), fh, ih, imageSize)) != 0) return rc;
    if ((rc = allocate(pixels, uint64_t{blockSize} + imageSize + 1)) != 0) return rc;
    if (std::fseek(f.get(), static_cast<long>(fh.offset), SEEK_SET) != 0) return DMS_E_FORMAT;
    // Pieces of one block; the buffer holds a block more than the image.
    size_t total = 0;
    for (;;) {
        size_t n = std::fread(pixels.data() + total, 1, blockSize, f.get());
        total += n;
        if (n < blockSize || total > imageSize) break;
    }
    if (total != imageSize) {
        logLine(kLogInfo, "Read BmpFile Error.");
        return DMS_E_FORMAT;
    }
    packRows(pixels, ih);
    return 0;
}

}  // namespace dms
