// GetFontFile and GetFontFileCount: a font of the sign into an FNT file, and
// the number of font rows in use.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "dmscontent/fonts.h"
#include "fonts/font_content.h"
#include "fonts/font_file.h"
#include "fonts/font_send.h"
#include "frame/device.h"
#include "frame/export.h"

namespace dms {
namespace {

bool readable(int32_t status) {
    return status == NTCIP_FONT_READY_FOR_USE || status == NTCIP_FONT_IN_USE || status == NTCIP_FONT_PERMANENT ||
           status == NTCIP_FONT_UNMANAGED;
}

// The sign's font name becomes a file name inside the caller's folder:
// nothing that could lead out of it (a separator, a drive, a parent step).
bool safeFileName(const char* name) {
    return name[0] != '\0' && std::strpbrk(name, "/\\:") == nullptr && std::strstr(name, "..") == nullptr;
}

uint32_t writeFontFile(int row, const char* folder) {
    int32_t status = 0;
    uint32_t rc = tqGetFontTable(row, NTCIP_FONT_STATUS, &status, 4);
    if (rc != 0) return rc;
    if (!readable(status)) return DMS_E_ARGUMENT;
    dmsFont e;
    std::memset(&e, 0, sizeof e);
    if ((rc = tqGetFontTable(row, NTCIP_FONT_HEIGHT, &e.height, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, NTCIP_FONT_NUMBER, &e.number, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, NTCIP_FONT_NAME, e.name, sizeof e.name)) != 0) return rc;
    e.name[sizeof e.name - 1] = '\0';
    if ((rc = tqGetFontTable(row, NTCIP_FONT_CHAR_SPACING, &e.charSpacing, 1)) != 0) return rc;
    if ((rc = tqGetFontTable(row, NTCIP_FONT_LINE_SPACING, &e.lineSpacing, 1)) != 0) return rc;
    // A name that is not a plain file name, or a path the buffer would cut,
    // is refused before anything else is read or written.
    char path[260];
    const int pathLength = std::snprintf(path, sizeof path, "%s/%s", folder, e.name);
    if (!safeFileName(e.name) || pathLength < 0 || static_cast<size_t>(pathLength) >= sizeof path) return DMS_E_OPEN_INPUT;

    SignFont font;
    if ((rc = readSignFont(row, e, font)) != 0) return rc;
    std::vector<uint8_t> file = buildFntFile(font, std::time(nullptr));

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
// cannot be created, and so does a font name that is not a plain file name.
DMS_API uint32_t DMS_CALL GetFontFile(int32_t row, const char* folder) {
    if (!folder) return DMS_E_ARGUMENT;
    return dms::runWithInterface(
        [&](DeviceInterface*) { return dms::writeFontFile(static_cast<uint8_t>(row), folder); });
}

DMS_API uint32_t DMS_CALL GetFontFileCount(uint32_t* count) {
    if (!count) return DMS_E_ARGUMENT;
    dms::runWithInterface([&](DeviceInterface*) -> uint32_t {
        uint32_t rows = 0;
        if (tqGetFontDefinition(NTCIP_NUM_FONTS, &rows, 4) != 0) return 0;
        for (uint32_t r = 1; r < rows && r <= 255; ++r) {
            char name[64];
            std::memset(name, 0, sizeof name);
            if (tqGetFontTable(static_cast<int>(r), NTCIP_FONT_NAME, name, sizeof name) != 0) break;
            name[sizeof name - 1] = '\0';
            if (std::strcmp(name, dms::kPlaceholderFontName) == 0 || std::strcmp(name, " ") == 0) break;
            *count = r;
        }
        return 0;
    });
    return 0;
}
