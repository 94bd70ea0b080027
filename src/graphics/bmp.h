// BMP files and the sign's packed pixel stream.
//
// A stored BMP row holds width x bits-per-pixel bits padded to a multiple of
// 32 bits, bottom row first. The sign's graphic bitmap is one stream: rows
// top first, no padding, most significant bit of each byte first. Pixel
// values pass unchanged (palette indices, or blue-green-red bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dms {

// The two BMP headers as they stand in the file (little-endian there).
struct BmpFileHeader {
    uint16_t type = 0;  // 19778, "BM"
    uint32_t size = 0;
    uint16_t reserved1 = 0;
    uint16_t reserved2 = 0;
    uint32_t offset = 0;  // of the pixel rows
};

struct BmpInfoHeader {
    uint32_t size = 0;  // 40
    int32_t width = 0;
    int32_t height = 0;  // negative: rows stored top first
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t colorsUsed = 0;
    uint32_t colorsImportant = 0;
};

constexpr uint16_t kBmpType = 19778;
constexpr uint32_t kBmpHeadersSize = 54;
// Largest pixel area accepted from a file or a sign. Graphic rows have 16-bit
// widths and heights; this keeps a picture well within memory.
constexpr uint64_t kMaxImageBytes = uint64_t{1} << 28;

// Bytes of one stored row: ((bits x width + 31) / 32) x 4.
uint64_t bmpStride(uint32_t bitCount, uint32_t width);

// Headers and pixel rows from a whole file in memory, converted into the
// packed stream: 32-bit pixels become 24-bit, rows are turned top first and
// the padding is removed. pixels gets blockSize + image size + 1 bytes
// holding the stream, zero after it. The returned information header has
// the image size computed, bits per pixel 24 for a 32-bit file and a
// positive height. 32515 for a file that is not an uncompressed BMP of
// consistent size, 32516 when memory runs out.
uint32_t decodeBmp(const uint8_t* data, size_t size, uint32_t blockSize, BmpFileHeader& fileHeader,
                   BmpInfoHeader& infoHeader, std::vector<uint8_t>& pixels);

// A BMP file image of a packed stream. The caller fills the headers (type,
// size 54 + image size, offset 54, header size 40, width, height, planes 1,
// bits per pixel, image size); the palette for 1 and 8 bits (black and red;
// a ramp of reds) is added to the size and offset. stream holds at least the
// image size or the packed bits, whichever is larger. 32515 for headers
// that do not describe a picture or a stream too short for them.
uint32_t encodeBmp(const BmpFileHeader& fileHeader, const BmpInfoHeader& infoHeader, const uint8_t* stream,
                   size_t streamSize, std::vector<uint8_t>& file);

// readBmpFile: the file at path as decodeBmp turns it, with the block size
// asked from the sign (dmsGraphicBlockSize). The device's code when that
// read fails, 32513 when the file cannot be opened, 32515 ("Read BmpFile
// Error." logged for a short read) or 32520 for a block size the sign
// cannot mean (0 or above 65535).
uint32_t readBmpFile(const char* path, BmpFileHeader& fileHeader, BmpInfoHeader& infoHeader,
                     std::vector<uint8_t>& pixels);

// writeBmpFile: encodeBmp's image written to path (mode "wb+"); 32514 when
// the file cannot be created or fully written.
uint32_t writeBmpFile(const char* path, const BmpFileHeader& fileHeader, const BmpInfoHeader& infoHeader,
                      const uint8_t* stream, size_t streamSize);

}  // namespace dms
