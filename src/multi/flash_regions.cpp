// Escape markers and flash regions.
#include <algorithm>
#include <cstring>

#include "multi/brackets.h"
#include "multi/find_byte.h"
#include "multi/parser.h"
#include "multi/readers.h"
#include "multi/scan.h"

namespace dms {

void MarkEscapes(char* text) {
    if (text == nullptr) return;
    MarkEscapes(text, std::strlen(text));
}

void MarkEscapes(char* text, size_t length) {
    char* const end = text + length;
    char* offset = text;
    for (;;) {
        char* font = const_cast<char*>(findOpening(offset, end, "fo"));
        if (font == nullptr) return;
        char* close = const_cast<char*>(multi::findByte(font + 1, end, ']'));
        if (close == end) return;
        char* p = close + 1;
        for (;;) {
            if (*p == '[' && p[1] == '[') {
                p[0] = p[1] = '\x01';
                p += 2;
            } else if (*p == ']' && p[1] == ']') {
                if (p - text >= 3 && std::strncmp(p - 3, "/fl", 3) == 0) {
                    ++p;  // closes "[/fl]" inside an enclosing tag
                } else {
                    p[0] = '\x01';
                    p[1] = '\x02';
                    p += 2;
                }
            } else if (*p == '[' || *p == ']' || *p == '\0') {
                break;
            } else {
                ++p;
            }
        }
        offset = p;
    }
}

namespace {

// A nested opening (not valid MULTI) is paired with the nearest unpaired
// opening before its closing by exchanging opening positions only; times
// stay with the record they were read into. A closing with no opening
// before it takes the first opening left over, giving a region that holds
// nothing.
void pairRegions(Flash* regions, int n, const int32_t* begins) {
    bool paired[kMaxFlashRegions] = {};
    bool assigned[kMaxFlashRegions] = {};
    for (int k = 0; k < n; ++k) {
        for (int j = n - 1; j >= 0; --j) {
            if (!paired[j] && begins[j] < regions[k].flashEnd) {
                regions[k].flashBegin = begins[j];
                paired[j] = assigned[k] = true;
                break;
            }
        }
    }
    int j = 0;
    for (int k = 0; k < n; ++k) {
        if (assigned[k]) continue;
        while (paired[j]) ++j;
        regions[k].flashBegin = begins[j];
        paired[j] = true;
    }
    std::stable_sort(regions, regions + n,
                     [](const Flash& a, const Flash& b) { return a.flashBegin < b.flashBegin; });
}

// find(from, closing) gives the position of the next opening ("fl", loose)
// or closing ("/fl", strict) tag searched from `from`, or -1.
template <typename Find>
void readRegions(const char* text, size_t length, Find find, Flash* regions, int* count) {
    int32_t begins[kMaxFlashRegions];
    int openings = 0;
    size_t from = 0;
    while (from < length) {
        const long at = find(from, false);
        if (at < 0) break;
        const size_t pos = static_cast<size_t>(at);
        char tag[kShortTagSize];
        if (CopyTag(tag, sizeof tag, text, static_cast<int32_t>(pos)) == nullptr) break;
        if (openings < kMaxFlashRegions) {
            regions[openings] = Flash();
            regions[openings].flashBegin = static_cast<int32_t>(pos);
            begins[openings] = static_cast<int32_t>(pos);
            readFlashTimes(tag, regions[openings]);
        }
        ++openings;
        from = pos + std::strlen(tag);
    }
    // Without an opening no region pairs, whatever the closings: most pages
    // end here and skip the second scan.
    if (openings == 0) return;
    int closings = 0;
    from = 0;
    while (from < length) {
        const long at = find(from, true);
        if (at < 0) break;
        const size_t pos = static_cast<size_t>(at);
        if (closings < kMaxFlashRegions && closings < openings) regions[closings].flashEnd = static_cast<int32_t>(pos);
        ++closings;
        from = pos + 3;
    }
    if (openings != closings) return;
    const int n = std::min(openings, kMaxFlashRegions);
    pairRegions(regions, n, begins);
    *count = n;
}

}  // namespace

void ReadFlashRegions(const char* text, Flash* regions, int* count) {
    *count = 0;
    if (text == nullptr) return;
    const size_t length = std::strlen(text);
    auto find = [&](size_t from, bool closing) -> long {
        const int32_t at = closing ? FindTag(text + from, length - from, "/fl", false)
                                   : FindTag(text + from, length - from, "fl", true);
        return at == kScanUnset ? -1 : static_cast<long>(from) + at;
    };
    readRegions(text, length, find, regions, count);
}

void ReadFlashRegions(const multi::Brackets& brackets, Flash* regions, int* count) {
    *count = 0;
    auto find = [&](size_t from, bool closing) -> long {
        return brackets.find(from, closing ? multi::kFlashEndTag : multi::kFlashTag);
    };
    readRegions(brackets.text(), brackets.length(), find, regions, count);
}

const Flash* RegionAt(const Flash* regions, int count, long p) {
    const Flash* found = nullptr;
    for (int i = 0; i < count; ++i) {
        if (regions[i].flashBegin <= p && p <= regions[i].flashEnd) found = &regions[i];
    }
    return found;
}

}  // namespace dms
