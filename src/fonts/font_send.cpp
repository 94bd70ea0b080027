// sendFontSet and tqSendFonts: font files into font rows 1, 2, ...
#include <cstring>
#include <vector>

#include "dmscontent/fonts.h"
#include "fonts/font_content.h"
#include "fonts/font_file.h"
#include "fonts/font_send.h"
#include "frame/device.h"
#include "frame/export.h"
#include "frame/text.h"
#include "messages/events.h"

namespace dms {
namespace {

// Asks every row but the last for notUsed; a refused request is passed
// over, an accepted one must reach notUsed within 10 polls. Not written with
// requestStatus: a refused request skips the row instead of ending the send,
// a failed read and a timeout both give 1, and there is no wait after the
// last poll.
uint32_t freeRows(uint32_t rows) {
    for (uint32_t r = 1; r < rows; ++r) {
        const int32_t request = NTCIP_FONT_NOT_USED_REQ;
        if (tqSetFontTable(static_cast<int>(r), NTCIP_FONT_STATUS, &request, 4) != 0) continue;
        bool freed = false;
        for (int poll = 0; poll < 10 && !freed; ++poll) {
            if (poll > 0) pollWait(100);
            int32_t status = 0;
            if (tqGetFontTable(static_cast<int>(r), NTCIP_FONT_STATUS, &status, 4) != 0) return DMS_E_FAILED;
            freed = status == NTCIP_FONT_NOT_USED;
        }
        if (!freed) return DMS_E_FAILED;
    }
    return 0;
}

void fillEntry(dmsFont& e, uint8_t row, const fontContent& c) {
    e.row = row;
    e.number = static_cast<uint8_t>(c.number);
    e.height = static_cast<uint8_t>(c.height);
    e.charSpacing = c.charSpacing;
    e.lineSpacing = c.lineSpacing;
    std::memcpy(e.name, c.name, sizeof e.name);
    e.name[sizeof e.name - 1] = '\0';
}

uint32_t sendAll(const char* paths, uint32_t count, bool raw, int32_t& sent) {
    uint32_t rows = 0, maxCharacter = 0;
    uint32_t rc = tqGetFontDefinition(NTCIP_NUM_FONTS, &rows, 4);
    if (rc == 0) rc = tqGetFontDefinition(NTCIP_MAX_FONT_CHARACTERS, &maxCharacter, 4);
    if (rc != 0) return rc;
    if (count == 0) return DMS_E_NO_MEMORY;
    // Font rows are one byte: a sign claiming more has no more to offer.
    if (rows > 255) rows = 255;
    if ((rc = blankSign(0)) != 0) return rc;
    pollWait(100);
    if ((rc = freeRows(rows)) != 0) return rc;

    // The entries of the rows that will be written, kept for the whole send.
    std::vector<dmsFont> entries(count < rows ? count : rows);
    const int step = static_cast<int>(100 / count);
    uint32_t nextRow = 1;
    for (uint32_t i = 0; i < count; ++i) {
        if (nextRow > rows) continue;
        dmsFont& e = entries[nextRow - 1];
        std::memset(&e, 0, sizeof e);
        std::memcpy(e.path, paths + kPathField * i, kPathField);  // e.path[255] stays NUL
        FontContentPtr content = newFontContent();
        if (!content) return DMS_E_NO_MEMORY;
        if (!fileNameOfPath(e.path)) return DMS_E_FONT_FILE;
        if (readFontFile(*content, e.path, raw) != 0) return DMS_E_FONT_FILE;
        fillEntry(e, static_cast<uint8_t>(nextRow++), *content);
        rc = uploadFont(e, *content, step * static_cast<int>(i), step, maxCharacter);
        if (rc == 0) ++sent;
    }
    return rc;
}

}  // namespace

uint32_t sendFontSet(const char* paths, uint32_t count, bool raw, int32_t& sent) {
    DeviceInterface* di = currentInterface();
    if (!di) return DMS_E_NO_INTERFACE;
    sent = 0;
    uint32_t rc = guarded([&] { return sendAll(paths, count, raw, sent); });
    reportProgress(di, static_cast<int>(rc), 100);
    return rc;
}

}  // namespace dms

// A negative count sends nothing, like a count of 0.
DMS_API uint32_t DMS_CALL tqSendFonts(const char* paths, int32_t* count, int32_t raw) {
    if (!paths || !count) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface*) -> uint32_t {
        const uint32_t n = *count > 0 ? static_cast<uint32_t>(*count) : 0;
        int32_t sent = 0;
        uint32_t rc = dms::sendFontSet(paths, n, raw != 0, sent);
        *count = sent;
        return rc;
    });
}
