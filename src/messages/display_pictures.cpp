// tqDisplayPictures: pictures uploaded and shown one per page at once.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "dmscontent/display.h"
#include "dmscontent/graphics.h"
#include "frame/device.h"
#include "frame/export.h"
#include "messages/display.h"
#include "messages/events.h"
#include "messages/sign_facts.h"
#include "messages/table.h"

namespace dms {
namespace {

constexpr int32_t kListSize = 255;

// The graphic type for the file's bits per pixel (BMP header offset 28).
// Nothing else names a type for these uploads, and a sign refuses a graphic
// without one: 1 bit is monochrome1bit, 8 bits monochrome8bit, anything
// else color24bit (32-bit files are sent as 24-bit).
uint8_t graphicTypeOf(const char* path) {
    unsigned char header[30] = {0};
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return NTCIP_COLOR_24BIT;
    size_t got = std::fread(header, 1, sizeof header, f);
    std::fclose(f);
    if (got < sizeof header) return NTCIP_COLOR_24BIT;
    int bits = header[28] | (header[29] << 8);
    return bits == 1 ? NTCIP_MONOCHROME_1BIT : bits == 8 ? NTCIP_MONOCHROME_8BIT : NTCIP_COLOR_24BIT;
}

// The graphic numbers a MULTI text shows: its "[g" tags (a doubled bracket
// is text, not a tag).
std::vector<bool> shownGraphics(const std::string& multi) {
    std::vector<bool> shown(kListSize + 1, false);
    for (size_t i = 0; i + 1 < multi.size(); ++i) {
        if (multi[i] != '[') continue;
        if (multi[i + 1] == '[') {
            ++i;
            continue;
        }
        if (multi[i + 1] != 'g' && multi[i + 1] != 'G') continue;
        long n = 0;
        size_t k = i + 2;
        for (; k < multi.size() && std::isdigit(static_cast<unsigned char>(multi[k])) && n <= kListSize; ++k)
            n = n * 10 + (multi[k] - '0');
        if (k > i + 2 && n >= 1 && n <= kListSize) shown[static_cast<size_t>(n)] = true;
    }
    return shown;
}

// The graphic rows the pictures may take, in the order they are taken: the
// rows that are free or hold the quick display's own pictures (those its
// message `ownedText` shows), then the rows holding other pictures. Rows in
// use or permanent are never taken.
uint32_t pictureRows(uint32_t maxGraphics, const std::string& ownedText, std::vector<uint8_t>& rows) {
    const std::vector<bool> own = shownGraphics(ownedText);
    std::vector<uint8_t> others;
    for (uint32_t r = 1; r <= maxGraphics && r <= static_cast<uint32_t>(kListSize); ++r) {
        uint32_t status = 0;
        uint32_t rc = tqGetGraphicTable(static_cast<int>(r), NTCIP_GRAPHIC_STATUS, &status, 4);
        if (rc != 0) return rc;
        if (status == NTCIP_GRAPHIC_IN_USE || status == NTCIP_GRAPHIC_PERMANENT) continue;
        (status == NTCIP_GRAPHIC_NOT_USED || own[r] ? rows : others).push_back(static_cast<uint8_t>(r));
    }
    rows.insert(rows.end(), others.begin(), others.end());
    return 0;
}

// Uploads picture i into the next row of `rows` (from `next` on), going on
// to the following row while the sign answers that a row is in use or
// permanent. 32525 when no row is left.
uint32_t uploadPicture(const char* path, dmsGraphic& picture, int32_t i, const std::vector<uint8_t>& rows,
                       size_t& next) {
    std::memset(&picture, 0, sizeof picture);
    picture.type = graphicTypeOf(path);
    std::snprintf(picture.name, sizeof picture.name, "%ld",
                  static_cast<long>(std::time(nullptr) % 100000000) + static_cast<long>(i));
    picture.status = NTCIP_GRAPHIC_READY_FOR_USE;
    uint32_t rc = DMS_E_IN_USE;
    while (rc == DMS_E_IN_USE && next < rows.size()) {
        picture.index = rows[next++];
        rc = tqSendSinglePicture(path, &picture);
    }
    return rc;
}

bool listed(const dmsGraphic* list, int32_t count, uint8_t index) {
    for (int32_t k = 0; k < count; ++k)
        if (list[k].index == index) return true;
    return false;
}

uint32_t displayPictures(const char* path, const int32_t* pageTimes, int32_t count, const char* sourceAddress) {
    std::unique_ptr<CMessage> blank(new (std::nothrow) CMessage);
    std::unique_ptr<CMessage> m(new (std::nothrow) CMessage);
    std::unique_ptr<dmsGraphic[]> list(new (std::nothrow) dmsGraphic[kListSize]());
    std::unique_ptr<dmsGraphic[]> pictures(new (std::nothrow) dmsGraphic[count]());
    if (!blank || !m || !list || !pictures) return DMS_E_NO_MEMORY;

    uint32_t rc = blankSign(0);
    uint32_t maxGraphics = 0;
    if (rc == 0) rc = tqGetGraphicDefinition(NTCIP_MAX_GRAPHICS, &maxGraphics, 4);
    if (rc != 0) return rc;
    // The message row first: its current pictures are the quick display's
    // own, and their rows are taken again before rows of other pictures.
    int32_t number = 0;
    std::string ownedText;
    if ((rc = findDisplayRow(kDisplayPicturesOwner, number, &ownedText)) != 0) return rc;
    std::vector<uint8_t> rows;
    if ((rc = pictureRows(maxGraphics, ownedText, rows)) != 0) return rc;
    size_t next = 0;
    for (int32_t i = 0; i < count; ++i) {
        if ((rc = uploadPicture(path, pictures[i], i, rows, next)) != 0) return rc;
    }
    int32_t listedCount = kListSize;
    if ((rc = tqGetPictures(list.get(), &listedCount, nullptr, 0)) != 0) return rc;
    // A picture the sign does not list is not shown: the call ends here.
    for (int32_t i = 0; i < count; ++i)
        if (!listed(list.get(), listedCount, pictures[i].index)) return DMS_E_STATE_TIMEOUT;

    for (int32_t i = 0; i < count; ++i) {
        PageMessage* page = m->AddPage(i);
        if (page == nullptr) return DMS_E_NO_MEMORY;
        page->pageBackground = Color(-1, -1);
        page->pageOnTime = pageTimes[i];
        if (page->AddPicture(pictures[i].index, 0, 0) == nullptr) return DMS_E_NO_MEMORY;
    }
    if ((rc = m->BuildMulti(readMaxMultiLength())) != 0) return rc;
    setDisplayMessage(*m, kDisplayPicturesOwner, number, 4095, 1);

    MessageAttributes& b = blank->MessageAttributes;
    blank->memoryType = NTCIP_MEM_BLANK;
    blank->m_MemoryNum = 1;
    b.RunTimePriority = 255;
    b.duration = 65535;
    b.PixelService = 1;
    uint32_t address = sourceAddressOf(sourceAddress);
    if ((rc = activateMessage(*blank, address)) != 0) return rc;
    if ((rc = defineMessage(*m)) != 0) return rc;
    return activateMessage(*m, address);
}

}  // namespace
}  // namespace dms

// count must be 1..255 (a sign has at most 255 graphic rows); otherwise 2.
DMS_API uint32_t DMS_CALL tqDisplayPictures(const char* path, const int32_t* pageTimes, int32_t* count,
                                            const char* sourceAddress) {
    if (path == nullptr || pageTimes == nullptr || count == nullptr) return DMS_E_ARGUMENT;
    if (*count < 1 || *count > dms::kListSize) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface*) {
        return dms::displayPictures(path, pageTimes, *count, sourceAddress);
    });
}
