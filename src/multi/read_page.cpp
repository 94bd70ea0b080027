// FromMulti of a page: the whole message, cut into pages at "[np".
//
// The caller's text is not changed: the escape markers go into a copy.
#include <cstring>
#include <string>

#include "multi/parser.h"
#include "multi/scan.h"

namespace dms {
namespace {

// Header tags count only where the previous one ended.
bool headerAt(const char* text, const char* name) { return tagAt(text, name, false); }

size_t readPageHeader(PageMessage& page, const char* text) {
    char tag[kMultiPieceSize];
    size_t pos = 0;
    auto take = [&](const char* name) -> bool {
        if (!headerAt(text + pos, name)) return false;
        if (CopyTag(tag, sizeof tag, text, static_cast<int32_t>(pos)) == nullptr) return false;
        pos += std::strlen(tag);
        return true;
    };
    if (take("pt")) {
        int32_t on = kScanUnset, off = kScanUnset;
        Scan(tag).lit("[pt").num(on);
        if (on != kScanUnset) page.pageOnTime = on;
        const char* o = std::strchr(tag, 'o');
        if (std::strstr(tag, "o]") == nullptr && o != nullptr) {
            Scan(o).lit("o").num(off);
            if (off != kScanUnset) page.pageOffTime = off;
        }
    }
    if (take("pb")) {
        int32_t red = kScanUnset, green = kScanUnset, blue = kScanUnset;
        Scan(tag).lit("[pb").num(red).lit(",").num(green).lit(",").num(blue);
        if (red != kScanUnset && green != kScanUnset && blue != kScanUnset)
            page.pageBackground = Color::fromRgb(combineRgb(red, green, blue));
    }
    // A justification or spacing tag without a number leaves the value as
    // it was.
    struct Header {
        const char* name;
        const char* pattern;
        int32_t* field;
    } headers[] = {{"jp", "[jp", &page.pageAlign},
                   {"jl", "[jl", &page.lineAlign},
                   {"sc", "[sc", &page.spaceCharacterCount}};
    for (const Header& h : headers) {
        if (!take(h.name)) continue;
        int32_t value = kScanUnset;
        Scan(tag).lit(h.pattern).num(value);
        if (value != kScanUnset) *h.field = value;
    }
    return pos;
}

}  // namespace

uint32_t PageMessage::FromMulti(const char* multi) {
    if (multi == nullptr) return 0;
    // Escape markers go only behind a font tag: without one the caller's
    // text is read as it is, uncopied.
    const size_t length = std::strlen(multi);
    std::string marked;
    const char* text = multi;
    if (findOpening(multi, multi + length, "fo") != nullptr) {
        marked.assign(multi, length);
        MarkEscapes(&marked[0], length);
        text = marked.c_str();
    }
    const char* const end = text + length;
    char pageText[kMultiPieceSize];
    PageMessage* page = this;
    PageMessage* last = this;
    while (last->next != nullptr) last = last->next;
    int32_t index = 0;
    const char* rest = text;
    for (;;) {
        const char* pageBreak = findOpening(rest, end, "np");
        size_t n = static_cast<size_t>((pageBreak != nullptr ? pageBreak : end) - rest);
        if (n > kMultiPieceSize - 1) n = kMultiPieceSize - 1;  // a longer page is cut
        // The last page, when not cut, ends where the text does: read in place.
        const char* pageStart = rest;
        if (pageBreak != nullptr || n < static_cast<size_t>(end - rest)) {
            std::memcpy(pageText, rest, n);
            pageText[n] = '\0';
            pageStart = pageText;
        }
        if (index > 0) {
            page = AppendNew(&last);
            if (page == nullptr) break;
            last = page;
        }
        page->pageNum = index++;
        const size_t pos = readPageHeader(*page, pageStart);
        ParsePageBody(*page, pageStart + pos, n - pos);
        if (pageBreak == nullptr) break;
        // Behind the "[np]"; a text ending in "[np" gives an empty last page.
        rest = pageBreak + (pageBreak[3] != '\0' ? 4 : 3);
    }
    return 0;
}

}  // namespace dms
