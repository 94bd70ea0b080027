// tqDisplayText: a text in a named font on the sign at once.
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "dmscontent/display.h"
#include "dmscontent/fonts.h"
#include "frame/export.h"
#include "messages/display.h"
#include "messages/events.h"
#include "messages/sign_facts.h"
#include "messages/table.h"

namespace dms {
namespace {

constexpr uint32_t kFontListSize = 512;

}  // namespace

namespace {

// The host's text as MULTI text: brackets are doubled, so they are shown
// and never read as tags.
std::string escapeBrackets(const char* from, const char* to) {
    std::string out;
    for (const char* p = from; p < to; ++p) {
        out += *p;
        if (*p == '[' || *p == ']') out += *p;
    }
    return out;
}

}  // namespace

// One page, centred, whose lines end at every CR, LF or CR LF. Ended lines
// carry the colour as palette index and a line break; the text after the
// last end carries it as rgb and no break.
uint32_t buildDisplayTextPage(CMessage& m, const char* text, int fontNum, int32_t color, int32_t lineCount,
                       int32_t columnGap) {
    PageMessage* page = new (std::nothrow) PageMessage(0, 60, columnGap, 3, 3, -1, 0x000000);
    if (page == nullptr) return DMS_E_NO_MEMORY;
    page->pageOffTime = 0;
    m.pages = page;
    const char* start = text;
    for (const char* p = text;; ++p) {
        bool end = *p == '\r' || *p == '\n';
        if (!end && *p != '\0') continue;
        std::string line = escapeBrackets(start, p);
        if (!end) {
            if (!line.empty()) {
                NormalText* t = page->AddNormalText(line.c_str());
                if (t == nullptr) return DMS_E_NO_MEMORY;
                t->fontNum = fontNum;
                t->fontColor.rgb = color;
            }
            return 0;
        }
        NormalText* t = page->AddNormalText(line.c_str());
        NewLine* lineEnd = t != nullptr ? page->AddNewLine(lineCount) : nullptr;
        if (lineEnd == nullptr) return DMS_E_NO_MEMORY;
        t->fontNum = fontNum;
        t->fontColor.index = color;
        lineEnd->lineAlign = 3;
        if (*p == '\r' && p[1] == '\n') ++p;
        start = p + 1;
    }
}

namespace {

uint32_t displayText(const char* text, const char* fontName, int32_t color, int32_t lineCount,
                     int32_t columnGap, const char* sourceAddress) {
    std::unique_ptr<CMessage> m(new (std::nothrow) CMessage);
    std::unique_ptr<dmsFont[]> fonts(new (std::nothrow) dmsFont[kFontListSize]());
    if (!m || !fonts) return DMS_E_NO_MEMORY;
    uint32_t count = kFontListSize;
    uint32_t rc = tqGetFontList(fonts.get(), &count);
    if (rc != 0) return rc;
    int fontNum = -1;
    for (uint32_t i = 0; i < count && i < kFontListSize; ++i) {
        if (std::strncmp(fonts[i].name, fontName, sizeof fonts[i].name) == 0) {
            fontNum = fonts[i].number;
            break;
        }
    }
    if (fontNum < 0) return DMS_E_ARGUMENT;
    int32_t number = 0;
    if ((rc = findDisplayRow(kDisplayTextOwner, number)) != 0) return rc;
    if ((rc = buildDisplayTextPage(*m, text, fontNum, color, lineCount, columnGap)) != 0) return rc;
    if ((rc = m->BuildMulti(readMaxMultiLength())) != 0) return rc;
    setDisplayMessage(*m, kDisplayTextOwner, number, NTCIP_DURATION_INFINITE, 0);
    uint32_t address = sourceAddressOf(sourceAddress);
    if ((rc = blankSign(address)) != 0) return rc;
    if ((rc = defineMessage(*m)) != 0) return rc;
    return activateMessage(*m, address);
}

}  // namespace
}  // namespace dms

DMS_API uint32_t DMS_CALL tqDisplayText(const char* text, const char* fontName, int32_t color, int32_t lineCount,
                                        int32_t columnGap, const char* sourceAddress) {
    if (text == nullptr || fontName == nullptr) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface*) {
        return dms::displayText(text, fontName, color, lineCount, columnGap, sourceAddress);
    });
}
