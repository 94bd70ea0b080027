// readFnnFile: a header, a table of ranges of consecutive character codes,
// and the runs of cells the ranges point to.
#include <algorithm>
#include <vector>

#include "dmscontent/common.h"
#include "fonts/font_bytes.h"
#include "fonts/font_content.h"
#include "fonts/font_file.h"

namespace dms {
namespace {

struct Range {
    uint64_t start;
    uint64_t cells;
    uint32_t firstCode;
};

}  // namespace

// Beyond the format, and so that a lying header can neither make a read
// leave the file nor ask for memory the file does not back: the header and
// range table must fit the file, every run must lie inside it, the runs
// together may not hold more cell bytes than the file has, codes must fit 16
// bits, the height 1..255, the width 0..255 (the sign's columns are bytes)
// and the cell size may not be 0. Any of these gives 32515.
uint32_t readFnnBytes(fontContent& record, const uint8_t* data, size_t size, const char* name, bool raw) {
    if (!data || size < kFnnHeaderSize) return DMS_E_FORMAT;
    const uint64_t tableOffset = le32(data + 4);
    const uint64_t rangeCount = le32(data + 8);
    const uint32_t width = le32(data + 24);
    const uint32_t height = le32(data + 28);
    const uint64_t rowBytes = le32(data + 32);
    if (height == 0 || height > 255 || width > 255 || rowBytes == 0) return DMS_E_FORMAT;
    const uint64_t cellSize = height * rowBytes;
    if (tableOffset > size || rangeCount > (size - tableOffset) / kFnnRangeSize) return DMS_E_FORMAT;

    std::vector<Range> ranges;
    ranges.reserve(static_cast<size_t>(rangeCount));
    uint64_t total = 0, cellBytes = 0;
    for (uint64_t i = 0; i < rangeCount; ++i) {
        const uint8_t* r = data + tableOffset + i * kFnnRangeSize;
        Range range{le32(r + 4), 0, le32(r + 12)};
        const uint64_t end = le32(r + 8);
        if (range.start > end || end > size) return DMS_E_FORMAT;
        range.cells = (end - range.start) / cellSize;
        if (range.cells > 0 && range.firstCode + range.cells - 1 > 0xFFFF) return DMS_E_FORMAT;
        cellBytes += range.cells * cellSize;
        if (cellBytes > size) return DMS_E_FORMAT;
        total += range.cells;
        ranges.push_back(range);
    }
    std::stable_sort(ranges.begin(), ranges.end(),
                     [](const Range& a, const Range& b) { return a.firstCode < b.firstCode; });

    FontCharArray chars;
    if (!chars.allocate(static_cast<size_t>(total))) return DMS_E_NO_MEMORY;
    size_t j = 0;
    for (const Range& range : ranges) {
        for (uint64_t k = 0; k < range.cells; ++k, ++j) {
            fontChar& c = chars.get()[j];
            c.code = static_cast<uint16_t>(range.firstCode + k);
            c.width = static_cast<uint16_t>(width);
            c.bitmap = packCell(data + range.start + k * cellSize, cellSize, height, rowBytes, width);
        }
    }

    record.height = static_cast<uint16_t>(height);
    record.width = static_cast<uint16_t>(width);
    record.cellSize = static_cast<uint32_t>(cellSize);
    record.charSpacing = data[40];
    record.lineSpacing = data[41];
    record.number = fontNumberToTable(le32(data + 36), raw);
    record.firstCode = 0;
    setFontName(record, name);
    record.charCount = static_cast<uint32_t>(chars.size());
    record.chars = chars.release();
    return 0;
}

// A file that cannot be opened is an empty font, not an error.
uint32_t readFnnFile(fontContent& record, const char* path, const char* name, bool raw) {
    if (!path) return 0;
    std::vector<uint8_t> data;
    switch (readWholeFile(path, data)) {
    case FileRead::kCannotOpen: return 0;
    case FileRead::kTooLarge: return DMS_E_FORMAT;
    case FileRead::kOk: break;
    }
    return readFnnBytes(record, data.data(), data.size(), name ? name : baseNameOf(path), raw);
}

}  // namespace dms
