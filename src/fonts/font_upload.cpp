// uploadFont: one font into one row of the font table and its characters.
#include <cstring>
#include <vector>

#include "dmscontent/common.h"
#include "fonts/font_content.h"
#include "fonts/font_send.h"
#include "frame/device.h"
#include "frame/status_request.h"

namespace dms {
namespace {

uint32_t readStatus(int row, uint32_t& status) {
    status = 0;
    return tqGetFontTable(row, NTCIP_FONT_STATUS, &status, 4);
}

uint32_t writeStatus(int row, uint32_t status) { return tqSetFontTable(row, NTCIP_FONT_STATUS, &status, 4); }

uint32_t toModifying(int row) {
    return requestStatusEachTry([row](uint32_t v) { return writeStatus(row, v); },
                                [row](uint32_t& s) { return readStatus(row, s); }, NTCIP_FONT_MODIFY_REQ,
                                NTCIP_FONT_MODIFYING, 3, 10, RoundWait::kBeforeRead, DMS_E_STATE_TIMEOUT);
}

uint32_t writeColumns(int row, const dmsFont& e) {
    uint32_t rc = tqSetFontTable(row, NTCIP_FONT_HEIGHT, &e.height, 1);
    if (rc == 0) rc = tqSetFontTable(row, NTCIP_FONT_NUMBER, &e.number, 1);
    if (rc == 0) {
        char name[64];
        std::memcpy(name, e.name, sizeof name);
        name[sizeof name - 1] = '\0';
        rc = tqSetFontTable(row, NTCIP_FONT_NAME, name, sizeof name);
    }
    if (rc == 0) rc = tqSetFontTable(row, NTCIP_FONT_CHAR_SPACING, &e.charSpacing, 1);
    if (rc == 0) rc = tqSetFontTable(row, NTCIP_FONT_LINE_SPACING, &e.lineSpacing, 1);
    return rc;
}

uint32_t writeCharacters(int row, const fontContent& content, int base, int step, uint32_t maxCharacter) {
    DeviceInterface* di = currentInterface();
    for (uint32_t j = 0; j < content.charCount && content.chars; ++j) {
        const fontChar& c = content.chars[j];
        const size_t length = bitmapLength(content.height, c.width);
        if (c.code > maxCharacter || length == 0) continue;
        const uint8_t width = static_cast<uint8_t>(c.width);
        if (tqSetCharacterTable(row, c.code, NTCIP_CHARACTER_WIDTH, &width, 1) != 0) return DMS_E_FAILED;
        // A character whose bitmap could not be allocated goes out blank.
        std::vector<uint8_t> blank;
        const uint8_t* bits = c.bitmap;
        if (!bits) {
            blank.assign(length, 0);
            bits = blank.data();
        }
        if (tqSetCharacterTable(row, c.code, NTCIP_CHARACTER_BITMAP, bits, static_cast<int>(length)) != 0)
            return DMS_E_FAILED;
        reportProgress(di, 0, base + static_cast<int>(static_cast<double>(step) / content.charCount * j));
    }
    return 0;
}

}  // namespace

uint32_t changeFontStatus(int row, uint32_t request, uint32_t target) {
    return requestStatus([row](uint32_t v) { return writeStatus(row, v); },
                         [row](uint32_t& s) { return readStatus(row, s); }, request, target, 3, 10,
                         DMS_E_STATE_TIMEOUT);
}

uint32_t uploadFont(const dmsFont& entry, const fontContent& content, int base, int step, uint32_t maxCharacter) {
    if (!currentInterface()) return DMS_E_NO_INTERFACE;
    const int row = entry.row;
    uint32_t status = 0;
    uint32_t rc = readStatus(row, status);
    if (rc != 0) return rc;
    if (status == NTCIP_FONT_IN_USE || status == NTCIP_FONT_PERMANENT) return DMS_E_IN_USE;
    if ((rc = toModifying(row)) != 0) return rc;
    if ((rc = writeColumns(row, entry)) != 0) return rc;
    if ((rc = writeCharacters(row, content, base, step, maxCharacter)) != 0) return rc;
    return changeFontStatus(row, NTCIP_FONT_READY_FOR_USE_REQ, NTCIP_FONT_READY_FOR_USE);
}

}  // namespace dms
