// Finding and cutting MULTI tags, and reading numbers out of them the way
// formatted scanning does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "multi/find_byte.h"

namespace dms {

// What the scanners return when they find nothing, and what a number target
// holds before it is read: a target still holding it counts as not read.
constexpr int32_t kScanUnset = 2147483647;

// Position of the "[" of the first tag called `name`. A strict search wants
// the name followed by a digit, "]" or the end of the text; a loose one takes
// any follower. A candidate right behind another "[" (at position 2 or later)
// is an escaped bracket and skipped. kScanUnset when there is none.
int32_t FindTag(const char* text, const char* name, bool loose);
// The same on the first `length` characters of text; candidates starting
// after `lastStart` are not looked at.
int32_t FindTag(const char* text, size_t length, const char* name, bool loose,
                size_t lastStart = static_cast<size_t>(-1));

// strstr(text, "[" name) for short names, without the library's set-up
// cost on short texts; the brackets are found with strchr, which steps over
// plain text many bytes at a time.
inline const char* findOpening(const char* text, const char* name) {
    for (const char* p = std::strchr(text, '['); p != nullptr; p = std::strchr(p + 1, '[')) {
        size_t k = 0;
        while (name[k] != '\0' && p[1 + k] == name[k]) ++k;
        if (name[k] == '\0') return p;
    }
    return nullptr;
}

// The same on [text, end) for a two-letter name, where the length is known:
// eight places are tested at a time.
inline const char* findOpening(const char* text, const char* end, const char (&name)[3]) {
    const char* found = multi::findTriple(text, end, '[', name[0], name[1]);
    return found != end ? found : nullptr;
}

// Whether FindTag(text, name, loose) would give 0: the tag opens text.
bool tagAt(const char* text, const char* name, bool loose);

// Length of the bracket group that opens text (nested groups counted), or 0
// when text does not start with "[" or the group does not close.
size_t TagLength(const char* text);

// Copies the bracket group at text + pos into dest and terminates it. Null
// when pos is kScanUnset, no group closes there, or the group does not fit
// in destSize - 1 characters (an over-long tag is refused, not cut).
char* CopyTag(char* dest, size_t destSize, const char* text, int32_t pos);

// Index of the bracket closing the group that opens text; 0 when none.
int32_t ClosingBracketIndex(const char* text);

// The first strictly named tag whose brackets close, or null.
const char* FindClosedTag(const char* text, const char* name);

// Position just after the run of adjacent tags opening text: 0 when text
// does not start with "[", kScanUnset when it is empty or the run does not
// end before the last character.
int32_t LeadingTagsEnd(const char* text);
int32_t LeadingTagsEnd(const char* text, size_t length);

// Sequential reader behaving like formatted scanning: lit() matches pattern
// characters (a space matches any white space, none included), num() reads a
// signed decimal after optional white space. After the first mismatch every
// later step fails, and the targets of failed steps are left alone.
// Numbers beyond 32 bits saturate (and the largest equals kScanUnset, so it
// counts as not read).
class Scan {
public:
    explicit Scan(const char* text) : p_(text) {}
    Scan& lit(const char* pattern);
    Scan& num(int32_t& target);
    bool ok() const { return p_ != nullptr; }

private:
    const char* p_;
};

inline bool isScanSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// (red << 16) + (green << 8) + blue without masking: a component above 255
// spills into the next one. Done in unsigned arithmetic (no overflow).
inline int32_t combineRgb(int32_t red, int32_t green, int32_t blue) {
    uint32_t v = (static_cast<uint32_t>(red) << 16) + (static_cast<uint32_t>(green) << 8) + static_cast<uint32_t>(blue);
    return static_cast<int32_t>(v);
}

}  // namespace dms
