// readFntFile: 256 cells, an optional width table, then the 64-byte trailer.
#include <cstring>

#include "dmscontent/common.h"
#include "fonts/font_bytes.h"
#include "fonts/font_content.h"
#include "fonts/font_file.h"

namespace dms {
namespace {

constexpr uint8_t kMagic[4] = {0x04, 'F', 'O', 'N'};
constexpr uint8_t kWidthTableFlag = 0xF0;

}  // namespace

// Beyond the format: a cell size of 0, a height above 255 (the sign's font
// height is one byte), and a file too short for its cells, width table and
// trailer are refused as not an FNT file, so no read leaves the file.
uint32_t readFntBytes(fontContent& record, const uint8_t* data, size_t size, const char* name, bool raw) {
    if (!data || size < kFntTrailerSize) return DMS_E_FORMAT;
    const uint8_t* t = data + size - kFntTrailerSize;
    if (std::memcmp(t, kMagic, sizeof kMagic) != 0) return DMS_E_FORMAT;
    const uint32_t height = le32(t + 20);
    const uint64_t rowBytes = le32(t + 24);
    if (height == 0 || height > 255 || rowBytes == 0) return DMS_E_FORMAT;
    const uint64_t cellSize = height * rowBytes;
    const bool widthTable = t[48] == kWidthTableFlag;
    const uint64_t need = 256 * cellSize + (widthTable ? 256 : 0) + kFntTrailerSize;
    if (need > size) return DMS_E_FORMAT;

    FontCharArray chars;
    if (!chars.allocate(256)) return DMS_E_NO_MEMORY;
    const uint32_t nominal = le32(t + 16);
    const uint8_t* widths = widthTable ? data + 256 * cellSize : nullptr;
    for (unsigned i = 0; i < 256; ++i) {
        fontChar& c = chars.get()[i];
        c.code = static_cast<uint16_t>(i);
        c.width = widths ? widths[i] : static_cast<uint8_t>(nominal);
        // A failed allocation leaves just this character without a bitmap.
        c.bitmap = packCell(data + i * cellSize, cellSize, height, rowBytes, c.width);
    }

    record.height = static_cast<uint16_t>(height);
    record.width = static_cast<uint16_t>(nominal);
    record.cellSize = static_cast<uint32_t>(cellSize);
    record.charSpacing = t[49];
    record.lineSpacing = t[50];
    record.number = fontNumberToTable(le32(t + 44), raw);
    record.firstCode = 0;
    setFontName(record, name);
    record.charCount = static_cast<uint32_t>(chars.size());
    record.chars = chars.release();
    return 0;
}

uint32_t readFntFile(fontContent& record, const char* path, const char* name, bool raw) {
    if (!path) return DMS_E_OPEN_INPUT;
    std::vector<uint8_t> data;
    switch (readWholeFile(path, data)) {
    case FileRead::kCannotOpen: return DMS_E_OPEN_INPUT;
    case FileRead::kTooLarge: return DMS_E_FORMAT;
    case FileRead::kOk: break;
    }
    return readFntBytes(record, data.data(), data.size(), name ? name : baseNameOf(path), raw);
}

}  // namespace dms
