// readSignFont: one font of the sign, character by character.
#include "dmscontent/records.h"
#include "fonts/font_content.h"
#include "fonts/font_file.h"
#include "frame/device.h"

namespace dms {

uint32_t readSignFont(int row, const dmsFont& entry, SignFont& font) {
    font.height = entry.height;
    font.tableNumber = entry.number;
    font.charSpacing = entry.charSpacing;
    font.lineSpacing = entry.lineSpacing;
    uint32_t rc = 0;
    for (int code = 1; code < 256; ++code)
        if ((rc = tqGetCharacterTable(row, code, NTCIP_CHARACTER_WIDTH, &font.widths[code], 1)) != 0) return rc;
    // Each bitmap is read at its character's own width.
    for (int code = 1; code < 256; ++code) {
        const size_t length = bitmapLength(entry.height, font.widths[code]);
        if (length == 0) continue;
        std::vector<uint8_t>& bits = font.packed[code];
        bits.assign(length + 1, 0);
        rc = tqGetCharacterTable(row, code, NTCIP_CHARACTER_BITMAP, bits.data(), static_cast<int>(length));
        if (rc != 0) return rc;
        bits.resize(length);
    }
    return 0;
}

}  // namespace dms
