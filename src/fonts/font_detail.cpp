// GetFontFileDetail: the sign's fonts into host records, characters in row
// form, with the trailer an FNT file of the font would have.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "dmscontent/fonts.h"
#include "fonts/font_content.h"
#include "fonts/font_file.h"
#include "fonts/font_send.h"
#include "frame/device.h"
#include "frame/export.h"

namespace dms {
namespace {

// Blocks for the host come from calloc, as the header promises.
uint32_t ensureBlocks(fontDetail& d) {
    if (!d.trailer) d.trailer = static_cast<uint8_t*>(std::calloc(kFntTrailerSize, 1));
    if (!d.content) d.content = static_cast<fontContent*>(std::calloc(1, sizeof(fontContent)));
    return d.trailer && d.content ? 0 : DMS_E_NO_MEMORY;
}

uint32_t readCharacters(int row, unsigned height, FontCharArray& chars, uint8_t& widthMax, bool& proportional) {
    if (!chars.allocate(256)) return DMS_E_NO_MEMORY;
    widthMax = 0;
    for (int code = 1; code < 256; ++code) {
        uint8_t width = 0;
        uint32_t rc = tqGetCharacterTable(row, code, NTCIP_CHARACTER_WIDTH, &width, 1);
        if (rc != 0) return rc;
        chars.get()[code].code = static_cast<uint16_t>(code);
        chars.get()[code].width = width;
        if (width > widthMax) widthMax = width;
    }
    proportional = false;
    for (int code = 1; code < 256; ++code) {
        fontChar& c = chars.get()[code];
        if (c.width != widthMax) proportional = true;
        const size_t length = bitmapLength(height, c.width);
        c.bitmap = static_cast<uint8_t*>(std::calloc(length + 1, 1));
        if (!c.bitmap) return DMS_E_NO_MEMORY;
        if (length == 0) continue;
        std::vector<uint8_t> packed(length + 1, 0);
        // A bitmap that cannot be read stays blank.
        if (tqGetCharacterTable(row, code, NTCIP_CHARACTER_BITMAP, packed.data(), static_cast<int>(length)) != 0)
            continue;
        unpackRows(packed.data(), length, height, c.width, c.bitmap, (c.width + 7u) / 8u);
    }
    return 0;
}

uint32_t readDetail(int row, fontDetail* d) {
    if (!d) return DMS_E_NO_MEMORY;
    uint32_t rc = ensureBlocks(*d);
    if (rc != 0) return rc;
    std::memset(d->name, 0, sizeof d->name);
    int32_t status = 0;
    uint8_t height = 0, number = 0, charSpacing = 0, lineSpacing = 0;
    char name[64] = {0};
    if ((rc = tqGetFontTable(row, NTCIP_FONT_STATUS, &status, 4)) != 0) return rc;
    if ((rc = tqGetFontTable(row, NTCIP_FONT_HEIGHT, &height, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, NTCIP_FONT_NUMBER, &number, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, NTCIP_FONT_NAME, name, sizeof name)) != 0) return rc;
    name[sizeof name - 1] = '\0';
    if (std::strcmp(name, kPlaceholderFontName) == 0) return 0;
    if ((rc = tqGetFontTable(row, NTCIP_FONT_CHAR_SPACING, &charSpacing, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, NTCIP_FONT_LINE_SPACING, &lineSpacing, 1)) != 0) return rc;

    FontCharArray chars;
    uint8_t widthMax = 0;
    bool proportional = false;
    if ((rc = readCharacters(row, height, chars, widthMax, proportional)) != 0) return rc;
    d->content->chars = chars.release();

    std::snprintf(d->name, sizeof d->name, "%s", name);
    uint8_t trailer[kFntTrailerSize];
    const uint32_t rowBytes = (widthMax + 7u) / 8u;
    fillFntTrailer(trailer, widthMax, height, rowBytes, proportional ? number : fontNumberFromTable(number),
                   charSpacing, lineSpacing, std::time(nullptr));
    if (proportional) trailer[48] = 0xF0;
    // The spacings also stay where earlier hosts look for them.
    trailer[51] = charSpacing;
    trailer[52] = lineSpacing;
    std::memcpy(d->trailer, trailer, sizeof trailer);
    return 0;
}

}  // namespace
}  // namespace dms

DMS_API uint32_t DMS_CALL GetFontFileDetail(fontDetail** details, int32_t* count) {
    if (!details || !count) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface* di) -> uint32_t {
        uint32_t rc = 0;
        for (int32_t i = 1; i <= *count && i <= 255; ++i) {
            rc = dms::guarded([&] { return dms::readDetail(i, details[i - 1]); });
            dms::reportProgress(di, static_cast<int>(rc), i);
        }
        return rc;
    });
}
