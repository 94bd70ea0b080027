// The FNT writer for fonts read back from the sign.
#include <cstring>

#include "fonts/font_bytes.h"
#include "fonts/font_content.h"
#include "fonts/font_file.h"

namespace dms {

void fillFntTrailer(uint8_t (&t)[kFntTrailerSize], uint32_t widthMax, uint32_t height, uint32_t rowBytes,
                    uint32_t numberField, std::time_t now) {
    std::memset(t, 0, sizeof t);
    const uint8_t head[5] = {0x04, 'F', 'O', 'N', 'T'};
    std::memcpy(t, head, sizeof head);
    const uint64_t seconds = static_cast<uint64_t>(now);
    putLe32(t + 8, static_cast<uint32_t>(seconds));
    putLe32(t + 12, static_cast<uint32_t>(seconds >> 32));
    putLe32(t + 16, widthMax);
    putLe32(t + 20, height);
    putLe32(t + 24, rowBytes);
    putLe32(t + 28, 255 * height * rowBytes + 64);
    std::memcpy(t + 40, "LLIB", 4);
    putLe32(t + 44, numberField);
}

std::vector<uint8_t> buildFntFile(uint32_t height, uint32_t widthMax, uint32_t tableNumber,
                                  const std::vector<std::vector<uint8_t>>& packed, std::time_t now) {
    const size_t rowBytes = (widthMax + 7) / 8;
    const size_t cellSize = height * rowBytes;
    std::vector<uint8_t> file(256 * cellSize + kFntTrailerSize, 0);
    for (size_t c = 1; c < 256 && c < packed.size(); ++c) {
        const std::vector<uint8_t>& bits = packed[c];
        uint8_t* cell = file.data() + c * cellSize;
        for (size_t r = 0; r < height; ++r) {
            for (size_t b = 0; b < rowBytes; ++b) {
                uint8_t v = 0;
                const size_t first = widthMax * r + 8 * b;
                for (size_t k = 0; k < 8; ++k)
                    if (bitAt(bits.data(), bits.size(), first + k)) v |= static_cast<uint8_t>(0x80u >> k);
                cell[r * rowBytes + b] = v;
            }
        }
    }
    uint8_t trailer[kFntTrailerSize];
    fillFntTrailer(trailer, widthMax, height, static_cast<uint32_t>(rowBytes), fontNumberFromTable(tableNumber), now);
    std::memcpy(file.data() + 256 * cellSize, trailer, sizeof trailer);
    return file;
}

}  // namespace dms
