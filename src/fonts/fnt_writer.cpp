// The FNT writer for fonts read back from the sign.
#include <cstring>

#include "fonts/font_bytes.h"
#include "fonts/font_content.h"
#include "fonts/font_file.h"

namespace dms {

void fillFntTrailer(uint8_t (&t)[kFntTrailerSize], uint32_t widthMax, uint32_t height, uint32_t rowBytes,
                    uint32_t numberField, uint8_t charSpacing, uint8_t lineSpacing, std::time_t now) {
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
    t[49] = charSpacing;
    t[50] = lineSpacing;
}

uint32_t widestCharacter(const SignFont& font) {
    uint32_t widest = 0;
    for (size_t c = 1; c < 256 && c < font.widths.size(); ++c)
        if (font.widths[c] > widest) widest = font.widths[c];
    return widest;
}

std::vector<uint8_t> buildFntFile(const SignFont& font, std::time_t now) {
    const uint32_t widthMax = widestCharacter(font);
    const size_t rowBytes = (widthMax + 7) / 8;
    const size_t cellSize = font.height * rowBytes;
    std::vector<uint8_t> file(256 * cellSize + kFntTrailerSize, 0);
    for (size_t c = 1; c < 256 && c < font.packed.size() && c < font.widths.size(); ++c) {
        const std::vector<uint8_t>& bits = font.packed[c];
        unpackRows(bits.data(), bits.size(), font.height, font.widths[c], file.data() + c * cellSize, rowBytes);
    }
    uint8_t trailer[kFntTrailerSize];
    fillFntTrailer(trailer, widthMax, font.height, static_cast<uint32_t>(rowBytes), fontNumberFromTable(font.tableNumber),
                   font.charSpacing, font.lineSpacing, now);
    std::memcpy(file.data() + 256 * cellSize, trailer, sizeof trailer);
    return file;
}

}  // namespace dms
