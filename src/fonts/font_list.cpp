// tqGetFontList: the usable fonts of the sign, read row by row from the font
// table (status, then number, name, height, spacings and version id).
#include <cstring>

#include "dmscontent/fonts.h"
#include "frame/device.h"
#include "fonts/font_list.h"
#include "frame/export.h"

namespace dms {
namespace {

bool listable(int32_t status) {
    return status == NTCIP_FONT_READY_FOR_USE || status == NTCIP_FONT_IN_USE || status == NTCIP_FONT_PERMANENT ||
           status == NTCIP_FONT_UNMANAGED;
}

uint32_t readEntry(int row, dmsFont& e) {
    uint32_t rc = tqGetFontTable(row, NTCIP_FONT_NUMBER, &e.number, 1);
    if (rc != 0) return rc;
    e.row = static_cast<uint8_t>(row);
    std::memset(e.name, 0, sizeof e.name);
    if ((rc = tqGetFontTable(row, NTCIP_FONT_NAME, e.name, sizeof e.name)) != 0) return rc;
    e.name[sizeof e.name - 1] = '\0';
    if ((rc = tqGetFontTable(row, NTCIP_FONT_HEIGHT, &e.height, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, NTCIP_FONT_CHAR_SPACING, &e.charSpacing, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, NTCIP_FONT_LINE_SPACING, &e.lineSpacing, 1)) != 0) return rc;
    return tqGetFontTable(row, NTCIP_FONT_VERSION_ID, &e.versionId, 2);
}

}  // namespace

uint32_t listFonts(dmsFont* list, uint32_t capacity, uint32_t& filled) {
    filled = 0;
    uint32_t bound = 0;
    uint32_t rc = tqGetFontDefinition(NTCIP_MAX_FONT_CHARACTERS, &bound, 4);
    if (rc != 0) return rc;
    for (uint32_t row = 1; row < bound && row <= 255; ++row) {
        // A failed read that still changed the value is the sign saying there
        // are no more rows: the list ends there.
        int32_t status = -2;
        rc = tqGetFontTable(static_cast<int>(row), NTCIP_FONT_STATUS, &status, 4);
        if (rc != 0) return status != -2 ? 0 : rc;
        if (!listable(status)) continue;
        if (filled >= capacity) return DMS_E_FULL;
        rc = readEntry(static_cast<int>(row), list[filled]);
        if (rc != 0) return rc;
        ++filled;
    }
    return 0;
}

}  // namespace dms

// Rows are read up to the sign's highest character number
// (maxFontCharacters), as the sign family reports its font rows that way; rows past the last
// one end the list. Font rows are one byte, so no row above 255 is asked for.
DMS_API uint32_t DMS_CALL tqGetFontList(dmsFont* list, uint32_t* count) {
    if (!list || !count) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface*) -> uint32_t {
        uint32_t filled = 0;
        uint32_t rc = dms::listFonts(list, *count, filled);
        *count = filled;
        return rc;
    });
}
