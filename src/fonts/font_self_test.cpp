#include "fonts/font_self_test.h"

#include <cstring>
#include <vector>

#include "dmscontent/common.h"
#include "fonts/font_content.h"
#include "fonts/font_file.h"
#include "fonts/font_send.h"
#include "frame/device.h"
#include "frame/export.h"
#include "frame/log.h"

namespace dms {
namespace {

constexpr int kTestRow = 1;

uint32_t resetToPlaceholder(int row) {
    uint32_t rc = changeFontStatus(row, NTCIP_FONT_NOT_USED_REQ, NTCIP_FONT_NOT_USED);
    if (rc == 0) rc = changeFontStatus(row, NTCIP_FONT_MODIFY_REQ, NTCIP_FONT_MODIFYING);
    if (rc != 0) return rc;
    const uint8_t zero = 0, number = static_cast<uint8_t>(row);
    char name[64] = {0};
    std::strcpy(name, kPlaceholderFontName);
    if ((rc = tqSetFontTable(row, NTCIP_FONT_HEIGHT, &zero, 1)) != 0) return rc;
    if ((rc = tqSetFontTable(row, NTCIP_FONT_NUMBER, &number, 1)) != 0) return rc;
    if ((rc = tqSetFontTable(row, NTCIP_FONT_NAME, name, sizeof name)) != 0) return rc;
    if ((rc = tqSetFontTable(row, NTCIP_FONT_CHAR_SPACING, &zero, 1)) != 0) return rc;
    if ((rc = tqSetFontTable(row, NTCIP_FONT_LINE_SPACING, &zero, 1)) != 0) return rc;
    return changeFontStatus(row, NTCIP_FONT_NOT_USED_REQ, NTCIP_FONT_NOT_USED);
}

// Index of the first character the sign holds differently, or -1.
uint32_t compareWithSign(int row, const fontContent& font, int& total, int& firstDiff) {
    uint32_t maxCharacter = 0;
    uint32_t rc = tqGetFontDefinition(NTCIP_MAX_FONT_CHARACTERS, &maxCharacter, 4);
    if (rc != 0) return rc;
    total = 0;
    firstDiff = -1;
    for (uint32_t j = 0; j < font.charCount; ++j) {
        const fontChar& c = font.chars[j];
        const size_t length = bitmapLength(font.height, c.width);
        if (c.code > maxCharacter || length == 0) continue;
        ++total;
        uint8_t width = 0;
        std::vector<uint8_t> bits(length, 0);
        if ((rc = tqGetCharacterTable(row, c.code, NTCIP_CHARACTER_WIDTH, &width, 1)) != 0) return rc;
        rc = tqGetCharacterTable(row, c.code, NTCIP_CHARACTER_BITMAP, bits.data(), static_cast<int>(length));
        if (rc != 0) return rc;
        const bool same = width == c.width && c.bitmap && std::memcmp(bits.data(), c.bitmap, length) == 0;
        if (!same && firstDiff < 0) firstDiff = static_cast<int>(j);
    }
    return 0;
}

uint32_t run(const char* fontPath) {
    uint32_t rc = resetToPlaceholder(kTestRow);
    if (rc != 0) return rc;
    FontContentPtr font = newFontContent();
    if (!font) return DMS_E_NO_MEMORY;
    if (readFontFile(*font, fontPath, false) != 0) return DMS_E_FONT_FILE;
    char field[kPathField + 1] = {0};
    std::strncpy(field, fontPath, kPathField);
    int32_t sent = 0;
    if ((rc = sendFontSet(field, 1, false, sent)) != 0) return rc;
    int total = 0, firstDiff = -1;
    if ((rc = compareWithSign(kTestRow, *font, total, firstDiff)) != 0) return rc;
    if (firstDiff < 0) {
        logLine(kLogInfo, "All match.");
        return 0;
    }
    logLine(kLogInfo, "total:%d,diffIdx:%d", total, firstDiff);
    return DMS_E_FORMAT;
}

}  // namespace

uint32_t fontSelfTest(const char* fontPath) {
    if (!fontPath) return DMS_E_ARGUMENT;
    if (!currentInterface()) return DMS_E_NO_INTERFACE;
    return guarded([&] { return run(fontPath); });
}

}  // namespace dms
