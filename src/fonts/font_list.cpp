// tqGetFontList: the usable fonts of the sign, read row by row from the font
// table (column 8 status; 2 number, 3 name, 4 height, 5 and 6 spacings,
// 7 version id).
#include <cstring>

#include "dmscontent/fonts.h"
#include "frame/device.h"
#include "fonts/font_list.h"
#include "frame/export.h"

namespace dms {
namespace {

bool listable(int32_t status) { return status == 4 || status == 5 || status == 6 || status == 11; }

uint32_t readEntry(int row, dmsFont& e) {
    uint32_t rc = tqGetFontTable(row, 2, &e.number, 1);
    if (rc != 0) return rc;
    e.row = static_cast<uint8_t>(row);
    std::memset(e.name, 0, sizeof e.name);
    if ((rc = tqGetFontTable(row, 3, e.name, sizeof e.name)) != 0) return rc;
    e.name[sizeof e.name - 1] = '\0';
    if ((rc = tqGetFontTable(row, 4, &e.height, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, 5, &e.charSpacing, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, 6, &e.lineSpacing, 1)) != 0) return rc;
    return tqGetFontTable(row, 7, &e.versionId, 2);
}

}  // namespace

uint32_t listFonts(dmsFont* list, uint32_t capacity, uint32_t& filled) {
    filled = 0;
    uint32_t bound = 0;
    uint32_t rc = tqGetFontDefinition(3, &bound, 4);
    if (rc != 0) return rc;
    for (uint32_t row = 1; row < bound && row <= 255; ++row) {
        // A failed read that still changed the value is the sign saying there
        // are no more rows: the list ends there.
        int32_t status = -2;
        rc = tqGetFontTable(static_cast<int>(row), 8, &status, 4);
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

// Rows are read up to the sign's highest character number (font definition
// 3), as the sign family reports its font rows that way; rows past the last
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
