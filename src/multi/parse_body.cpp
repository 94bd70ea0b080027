// A page body: the page's own running text, then its graphic elements, and
// text rectangles with their header tags. Like a section, each graphic kind
// keeps the position of its next tag and only the kind just read is searched
// again. Text standing between graphic elements outside a text rectangle is
// consumed unread. A graphic tag whose bracket never closes ends the body.
#include <algorithm>
#include <cstring>

#include "multi/brackets.h"
#include "multi/parser.h"
#include "multi/scan.h"

namespace dms {
namespace {

enum GraphicKind { kPicture, kColorRect, kTextRect, kDataField, kGraphicKinds };
const multi::TagBit kGraphicTags[kGraphicKinds] = {multi::kPictureTag, multi::kColorRectTag, multi::kTextRectTag,
                                                   multi::kDataFieldTag};
constexpr long kNone = -1;

}  // namespace

uint32_t ReadTextRectangle(TextRectangle& rectangle, const char* text, size_t length, Flash* regions, int count) {
    if (text == nullptr) return 0;
    int32_t v[4] = {kScanUnset, kScanUnset, kScanUnset, kScanUnset};
    Scan(text).lit("[tr").num(v[0]).lit(",").num(v[1]).lit(",").num(v[2]).lit(",").num(v[3]);
    if (v[0] != kScanUnset && v[3] != kScanUnset) {
        rectangle.x = v[0];
        rectangle.y = v[1];
        rectangle.width = v[2];
        rectangle.height = v[3];
    }
    char tag[kShortTagSize];
    size_t pos = CopyTag(tag, sizeof tag, text, 0) != nullptr ? std::strlen(tag) : 0;
    // The three header tags share one number: a tag without a readable
    // number stores the one read before (0 at first).
    struct Header {
        const char* name;
        const char* pattern;
        int32_t* field;
    } headers[] = {{"jp", "[jp", &rectangle.pageAlign},
                   {"jl", "[jl", &rectangle.lineAlign},
                   {"sc", "[sc", &rectangle.spaceCharacterCount}};
    int32_t shared = 0;
    for (const Header& h : headers) {
        if (!tagAt(text + pos, h.name, false)) continue;
        if (CopyTag(tag, sizeof tag, text, static_cast<int32_t>(pos)) == nullptr) continue;
        Scan(tag).lit(h.pattern).num(shared);
        *h.field = shared;
        pos += std::strlen(tag);
    }
    if (text[pos] == '\0') return 0;
    for (int i = 0; i < count; ++i) {
        regions[i].flashBegin -= static_cast<int32_t>(pos);
        regions[i].flashEnd -= static_cast<int32_t>(pos);
    }
    return ParseSection(rectangle, multi::Brackets(text + pos, length - pos), regions, count);
}

uint32_t ParsePageBody(PageMessage& page, const char* body) {
    if (body == nullptr) return 0;
    return ParsePageBody(page, body, std::strlen(body));
}

uint32_t ParsePageBody(PageMessage& page, const char* body, size_t length) {
    char cut[kMultiPieceSize];
    if (length >= kMultiPieceSize) {  // pages are cut already; direct callers are too
        length = kMultiPieceSize - 1;
        std::memcpy(cut, body, length);
        cut[length] = '\0';
        body = cut;
    }
    const multi::Brackets brackets(body, length);
    Flash regions[kMaxFlashRegions];
    int count = 0;
    ReadFlashRegions(brackets, regions, &count);

    long next[kGraphicKinds];
    long first = kNone;
    for (int k = 0; k < kGraphicKinds; ++k) {
        next[k] = brackets.find(0, kGraphicTags[k]);
        if (next[k] != kNone && (first == kNone || next[k] < first)) first = next[k];
    }
    if (first == kNone) return ParseSection(page, brackets, regions, count);

    char work[kMultiPieceSize];
    std::memcpy(work, body, static_cast<size_t>(first));
    work[first] = '\0';
    ParseSection(page, multi::Brackets(work, static_cast<size_t>(first)), regions, count);

    size_t current = static_cast<size_t>(first);
    int taken = -1;
    while (current < length) {
        if (taken >= 0) next[taken] = brackets.find(current, kGraphicTags[taken]);
        int best = -1;
        for (int k = 0; k < kGraphicKinds; ++k) {
            if (next[k] != kNone && (best < 0 || next[k] < next[best])) best = k;
        }
        if (best < 0) break;
        const size_t at = static_cast<size_t>(next[best]);
        const Flash* region = RegionAt(regions, count, static_cast<long>(at));
        size_t elementLength = 0;
        if (best == kTextRect) {
            size_t end = length;
            const long nextRect = brackets.find(at + 3, multi::kTextRectTag);
            if (nextRect != kNone) end = static_cast<size_t>(nextRect);
            for (int k : {kPicture, kColorRect, kDataField}) {
                if (next[k] != kNone) end = std::min(end, static_cast<size_t>(next[k]));
            }
            elementLength = end - at;
            std::memcpy(work, body + at, elementLength);
            work[elementLength] = '\0';
            TextRectangle* rectangle = page.AddTextRectangle();
            if (rectangle != nullptr) {
                // Region positions made relative to the rectangle's own
                // "[tr", where its text starts (text skipped in front of it
                // does not count).
                Flash shifted[kMaxFlashRegions];
                for (int i = 0; i < count; ++i) {
                    shifted[i] = regions[i];
                    shifted[i].flashBegin -= static_cast<int32_t>(at);
                    shifted[i].flashEnd -= static_cast<int32_t>(at);
                }
                ReadTextRectangle(*rectangle, work, elementLength, shifted, count);
                if (region != nullptr) rectangle->flash = *region;
            }
        } else {
            if (CopyTag(work, sizeof work, body, static_cast<int32_t>(at)) == nullptr) break;
            elementLength = std::strlen(work);
            if (best == kPicture) {
                if (Picture* e = page.AddPicture()) {
                    e->FromMulti(work);
                    if (region != nullptr) e->flash = *region;
                }
            } else if (best == kColorRect) {
                if (ColorRectangle* e = page.AddColorRectangle()) {
                    e->FromMulti(work);
                    if (region != nullptr) e->flash = *region;
                }
            } else {
                if (WeatherJourneyTime* e = page.AddWeatherJourneyTime()) e->FromMulti(work);
            }
        }
        current = at + elementLength;
        for (long& position : next) {
            if (position != kNone && position < static_cast<long>(current)) position = kNone;
        }
        taken = best;
    }
    return 0;
}

}  // namespace dms
