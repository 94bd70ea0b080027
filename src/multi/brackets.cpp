#include "multi/brackets.h"

#include "multi/find_byte.h"

namespace dms {
namespace multi {
namespace {

struct Name {
    const char* name;
    size_t length;
    bool loose;
    TagBit bit;
};
const Name kNames[] = {{"nl", 2, false, kNlTag},        {"f", 1, false, kFieldTag},      {"hc", 2, true, kHexTag},
                       {"mv", 2, true, kMoveTag},       {"g", 1, false, kPictureTag},    {"cr", 2, false, kColorRectTag},
                       {"tr", 2, false, kTextRectTag},  {"tdc", 3, false, kDataFieldTag}, {"fl", 2, true, kFlashTag},
                       {"/fl", 3, false, kFlashEndTag}};

// The same test as FindTag's for a candidate at p.
bool nameFollows(const char* p, const char* end, const Name& n) {
    if (static_cast<size_t>(end - p - 1) < n.length) return false;
    for (size_t k = 0; k < n.length; ++k)
        if (p[1 + k] != n.name[k]) return false;
    const char* after = p + 1 + n.length;
    return n.loose || after == end || *after == ']' || (*after >= '0' && *after <= '9');
}

}  // namespace

Brackets::Brackets(const char* text, size_t length) : text_(text), length_(length) {
    const char* end = text + length;
    for (const char* p = text;; ++p) {
        p = findByte(p, end, '[');
        if (p == end) break;
        uint16_t tags = p > text && p[-1] == '[' ? kAfterBracket : 0;
        if (p + 1 < end) {
            for (const Name& n : kNames) {
                if (n.name[0] == p[1] && nameFollows(p, end, n)) tags |= n.bit;
            }
        }
        entries_[count_++] = Entry{static_cast<uint16_t>(p - text), tags};
    }
}

long Brackets::find(size_t from, TagBit bit) const {
    // The first entry at or after from, by halving.
    int lo = 0, hi = count_;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (entries_[mid].at < from)
            lo = mid + 1;
        else
            hi = mid;
    }
    for (int i = lo; i < count_; ++i) {
        const Entry& e = entries_[i];
        if ((e.tags & bit) == 0) continue;
        // An escaped bracket counts only two or more past the search start.
        if ((e.tags & kAfterBracket) != 0 && e.at - from >= 2) continue;
        return e.at;
    }
    return -1;
}

}  // namespace multi
}  // namespace dms
