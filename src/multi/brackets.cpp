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

// The tags whose name the text at p holds, chosen by the first letter; here
// a name may run into the end of the text.
uint16_t tagsNearEnd(const char* p, const char* end) {
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

// Whether a strict name may end before c.
inline bool strictFollower(char c) { return c == ']' || (c >= '0' && c <= '9'); }

// The tags whose name the text at p holds. With four characters behind the
// "[" every name and its follower lie inside the text: all names are tested
// at once, without a branch per letter.
uint16_t tagsAt(const char* p, const char* end) {
    if (end - p < 5) return tagsNearEnd(p, end);
    const char a = p[1], b = p[2], c = p[3], d = p[4];
    const bool nl = (a == 'n') & (b == 'l') & strictFollower(c);
    const bool field = (a == 'f') & strictFollower(b);
    const bool hex = (a == 'h') & (b == 'c');
    const bool move = (a == 'm') & (b == 'v');
    const bool picture = (a == 'g') & strictFollower(b);
    const bool colorRect = (a == 'c') & (b == 'r') & strictFollower(c);
    const bool textRect = (a == 't') & (b == 'r') & strictFollower(c);
    const bool dataField = (a == 't') & (b == 'd') & (c == 'c') & strictFollower(d);
    const bool flash = (a == 'f') & (b == 'l');
    const bool flashEnd = (a == '/') & (b == 'f') & (c == 'l') & strictFollower(d);
    return static_cast<uint16_t>(nl * kNlTag | field * kFieldTag | hex * kHexTag | move * kMoveTag |
                                 picture * kPictureTag | colorRect * kColorRectTag | textRect * kTextRectTag |
                                 dataField * kDataFieldTag | flash * kFlashTag | flashEnd * kFlashEndTag);
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
            present_ |= tags;
        }
        return false;
    });
}

long Brackets::find(size_t from, TagBit bit) const {
    if ((present_ & bit) == 0) return -1;  // most kinds are absent from most texts
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
