// FromMulti of the tag elements: pictures, colour rectangles, fields, hex
// characters, line breaks, travel-time fields, and the text rectangle (which
// the page parser reads instead).
#include <cstring>

#include "dmscontent/common.h"
#include "multi/readers.h"
#include "multi/scan.h"

namespace dms {

uint32_t Picture::FromMulti(const char* multi) {
    if (multi == nullptr) return 0;
    int32_t n = kScanUnset, px = kScanUnset, py = kScanUnset;
    if (std::strchr(multi, ',') != nullptr) {
        Scan(multi).lit("[g").num(n).lit(",").num(px).lit(",").num(py);
        if (n != kScanUnset && px != kScanUnset && py != kScanUnset) {
            number = n;
            x = px;
            y = py;
        }
    } else {
        Scan(multi).lit("[g").num(n);
        number = n;  // the unset value when no number follows
        x = 0;
        y = 0;
    }
    return 0;
}

uint32_t ColorRectangle::FromMulti(const char* multi) {
    if (multi == nullptr) return 0;
    int32_t v[7];
    for (int32_t& value : v) value = kScanUnset;
    Scan s(multi);
    s.lit("[cr").num(v[0]);
    for (int i = 1; i < 7; ++i) s.lit(",").num(v[i]);
    if (v[0] != kScanUnset && v[6] != kScanUnset) {
        x = v[0];
        y = v[1];
        width = v[2];
        height = v[3];
        color = Color::fromRgb(combineRgb(v[4], v[5], v[6]));
    }
    return 0;
}

uint32_t SpecialObject::FromMulti(const char* multi) {
    if (multi == nullptr) return 0;
    const char* tag = FindClosedTag(multi, "f");
    if (tag == nullptr) return 0;
    int32_t n = kScanUnset;
    Scan(tag).lit("[f").num(n);
    if (n != kScanUnset) index = n;
    ReadFont(*this, multi);  // font and colour tags in front of the field
    return 0;
}

// The code is the run of non-blank characters after "[hc" without its "]".
// x holds three characters: a longer code is cut to its first three.
uint32_t HexCharacter::FromMulti(const char* multi) {
    std::memset(x, 0, sizeof x);
    if (multi == nullptr || std::strncmp(multi, "[hc", 3) != 0) return 0;
    const char* p = multi + 3;
    while (isScanSpace(*p)) ++p;
    const char* start = p;
    while (*p != '\0' && !isScanSpace(*p)) ++p;
    size_t n = static_cast<size_t>(p - start);
    if (n > 0 && start[n - 1] == ']') --n;
    if (n > sizeof x - 1) n = sizeof x - 1;
    std::memcpy(x, start, n);
    return 0;
}

uint32_t NewLine::FromMulti(const char* multi) {
    if (multi == nullptr || multi[0] == '\0') return DMS_E_ARGUMENT;
    const char* nl = findOpening(multi, "nl");
    if (nl == nullptr) return 0;
    int32_t n = kScanUnset;
    Scan(nl).lit("[nl").num(n);
    if (n != kScanUnset) count = n;
    const char* jl = findOpening(nl, "jl");
    if (jl != nullptr) {
        int32_t align = kScanUnset;
        Scan(jl).lit("[jl").num(align);
        if (align != kScanUnset) lineAlign = align;
    }
    return 0;
}

uint32_t WeatherJourneyTime::FromMulti(const char* multi) {
    if (multi == nullptr) return 0;
    int32_t v[5];
    for (int32_t& value : v) value = kScanUnset;
    Scan s(multi);
    s.lit("[tdc").num(v[0]);
    for (int i = 1; i < 5; ++i) s.lit(",").num(v[i]);
    if (v[0] != kScanUnset) tdno = v[0];
    if (v[1] != kScanUnset && v[4] != kScanUnset) {
        x = v[1];
        y = v[2];
        width = v[3];
        height = v[4];
    }
    return 0;
}

// Text rectangles need the page's flash regions and are read by the page
// parser (ReadTextRectangle).
uint32_t TextRectangle::FromMulti(const char*) { return DMS_E_ARGUMENT; }

}  // namespace dms
