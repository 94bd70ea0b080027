// GetFontFile and GetFontFileCount: a font of the sign into an FNT file, and
// the number of font rows in use.
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "dmscontent/fonts.h"
#include "fonts/font_file.h"
#include "fonts/font_send.h"
#include "frame/device.h"
#include "frame/export.h"

namespace dms {
namespace {

bool readable(int32_t status) { return status == 4 || status == 5 || status == 6 || status == 11; }

uint32_t writeFontFile(int row, const char* folder) {
    int32_t status = 0;
    uint32_t rc = tqGetFontTable(row, kFontStatus, &status, 4);
    if (rc != 0) return rc;
    if (!readable(status)) return DMS_E_ARGUMENT;
    dmsFont e;
    std::memset(&e, 0, sizeof e);
    if ((rc = tqGetFontTable(row, kFontHeight, &e.height, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, kFontNumber, &e.number, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, kFontName, e.name, sizeof e.name)) != 0) return rc;
    e.name[sizeof e.name - 1] = '\0';
    if ((rc = tqGetFontTable(row, kFontCharSpacing, &e.charSpacing, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, kFontLineSpacing, &e.lineSpacing, 1)) != 0) return rc;

    uint8_t widthMax = 0;
    for (int code = 1; code < 256; ++code) {
        uint8_t width = 0;
        if ((rc = tqGetCharacterTable(row, code, 2, &width, 1)) != 0) return rc;
        if (width > widthMax) widthMax = width;
    }
    // Every bitmap is taken as widthMax pixels wide, whatever the character's
    // own width: the file has no width table, and its characters read back
    // at widthMax. A font with no pixels (cell size 0) has nothing to read.
    const size_t cellSize = static_cast<size_t>(e.height) * ((widthMax + 7u) / 8u);
    std::vector<std::vector<uint8_t>> packed(256);
    for (int code = 1; code < 256 && cellSize > 0; ++code) {
        packed[code].assign(cellSize + 1, 0);
        rc = tqGetCharacterTable(row, code, 3, packed[code].data(), static_cast<int>(cellSize));
        if (rc != 0) return rc;
        packed[code].resize(cellSize);
    }
    std::vector<uint8_t> file = buildFntFile(e.height, widthMax, e.number, packed, std::time(nullptr));

    char path[260];
    std::snprintf(path, sizeof path, "%s/%s", folder, e.name);
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path, "wb+"), std::fclose);
    if (!f) return DMS_E_OPEN_INPUT;
    if (std::fwrite(file.data(), 1, file.size(), f.get()) != file.size()) return DMS_E_OPEN_INPUT;
    if (std::fclose(f.release()) != 0) return DMS_E_OPEN_INPUT;
    return 0;
}

}  // namespace
}  // namespace dms

// The file is folder/fontname with a forward slash whatever the folder's own
// separators; a write that fails half way gives the same 32513 as a file that
// cannot be created.
DMS_API uint32_t DMS_CALL GetFontFile(int32_t row, const char* folder) {
    if (!folder) return DMS_E_ARGUMENT;
    return dms::runWithInterface(
        [&](DeviceInterface*) { return dms::writeFontFile(static_cast<uint8_t>(row), folder); });
}

DMS_API uint32_t DMS_CALL GetFontFileCount(uint32_t* count) {
    if (!count) return DMS_E_ARGUMENT;
    dms::runWithInterface([&](DeviceInterface*) -> uint32_t {
        uint32_t rows = 0;
        if (tqGetFontDefinition(1, &rows, 4) != 0) return 0;
        for (uint32_t r = 1; r < rows && r <= 255; ++r) {
            char name[64];
            std::memset(name, 0, sizeof name);
            if (tqGetFontTable(static_cast<int>(r), dms::kFontName, name, sizeof name) != 0) break;
            name[sizeof name - 1] = '\0';
            if (std::strcmp(name, dms::kPlaceholderFontName) == 0 || std::strcmp(name, " ") == 0) break;
            *count = r;
        }
        return 0;
    });
    return 0;
}
