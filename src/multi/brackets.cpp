#include "multi/brackets.h"

#include "multi/find_byte.h"

namespace dms {
namespace multi {
namespace {

// The test FindTag makes of a candidate at p: the name follows the "[",
// then (strict) a digit, "]" or the end of the text.
bool nameFollows(const char* p, const char* end, const char* name, size_t length, bool loose) {
    if (static_cast<size_t>(end - p - 1) < length) return false;
    for (size_t k = 0; k < length; ++k)
        if (p[1 + k] != name[k]) return false;
    const char* after = p + 1 + length;
    return loose || after == end || *after == ']' || (*after >= '0' && *after <= '9');
}

// The tags whose name the text at p holds, chosen by the first letter.
uint16_t tagsAt(const char* p, const char* end) {
    auto has = [&](const char* name, size_t length, bool loose, TagBit bit) -> uint16_t {
        return nameFollows(p, end, name, length, loose) ? bit : 0;
    };
    if (end - p < 2) return 0;
    switch (p[1]) {
        case 'n': return has("nl", 2, false, kNlTag);
        case 'f': return has("f", 1, false, kFieldTag) | has("fl", 2, true, kFlashTag);
        case 'h': return has("hc", 2, true, kHexTag);
        case 'm': return has("mv", 2, true, kMoveTag);
        case 'g': return has("g", 1, false, kPictureTag);
        case 'c': return has("cr", 2, false, kColorRectTag);
        case 't': return has("tr", 2, false, kTextRectTag) | has("tdc", 3, false, kDataFieldTag);
        case '/': return has("/fl", 3, false, kFlashEndTag);
        default: return 0;
    }
}

}  // namespace

Brackets::Brackets(const char* text, size_t length) : text_(text), length_(length) {
    const char* end = text + length;
    visitBytes(text, end, '[', [&](const char* p) {
        // Brackets opening none of the names are never found: left out.
        const uint16_t tags = tagsAt(p, end);
        if (tags != 0) {
            const uint16_t after = p > text && p[-1] == '[' ? kAfterBracket : 0;
            entries_[count_++] = Entry{static_cast<uint16_t>(p - text), static_cast<uint16_t>(tags | after)};
        }
        return false;
    });
}

long Brackets::find(size_t from, TagBit bit) const {
    // The first entry at or after from. Searches mostly start at or a little
    // past the previous one's start, so the walk resumes there; every entry
    // before the hint lies before from whenever the hint's own entry does.
    int first = hint_ < count_ && entries_[hint_].at <= from ? hint_ : 0;
    while (first < count_ && entries_[first].at < from) ++first;
    hint_ = first;
    for (int i = first; i < count_; ++i) {
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
