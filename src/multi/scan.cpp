#include "multi/scan.h"

#include <cstring>

#include "multi/find_byte.h"

namespace dms {

namespace {
// Names are two or three letters: compared inline, without library calls.
inline bool nameFollows(const char* p, const char* end, const char* name, size_t nameLength, bool loose) {
    if (static_cast<size_t>(end - p - 1) < nameLength) return false;
    for (size_t k = 0; k < nameLength; ++k)
        if (p[1 + k] != name[k]) return false;
    const char* after = p + 1 + nameLength;
    return loose || after == end || *after == ']' || (*after >= '0' && *after <= '9');
}
}  // namespace

int32_t FindTag(const char* text, size_t length, const char* name, bool loose, size_t lastStart) {
    if (text == nullptr || name == nullptr) return kScanUnset;
    size_t nameLength = 0;
    while (name[nameLength] != '\0') ++nameLength;
    const char* end = text + length;
    const char* p = text;
    while (p < end) {
        p = multi::findByte(p, end, '[');
        if (p == end) break;
        const size_t j = static_cast<size_t>(p - text);
        if (j > lastStart) break;
        if (nameFollows(p, end, name, nameLength, loose) && !(j >= 2 && p[-1] == '[')) return static_cast<int32_t>(j);
        ++p;
    }
    return kScanUnset;
}

bool tagAt(const char* text, const char* name, bool loose) {
    if (text == nullptr || name == nullptr || text[0] != '[') return false;
    size_t nameLength = 0;
    while (name[nameLength] != '\0') {
        if (text[1 + nameLength] != name[nameLength]) return false;
        ++nameLength;
    }
    const char after = text[1 + nameLength];
    return loose || after == '\0' || after == ']' || (after >= '0' && after <= '9');
}

int32_t FindTag(const char* text, const char* name, bool loose) {
    if (text == nullptr) return kScanUnset;
    return FindTag(text, std::strlen(text), name, loose);
}

size_t TagLength(const char* text) {
    if (text == nullptr || text[0] != '[') return 0;
    long depth = 0;
    for (size_t i = 0; text[i] != '\0'; ++i) {
        if (text[i] == '[')
            ++depth;
        else if (text[i] == ']')
            --depth;
        if (depth == 0) return i + 1;
    }
    return 0;
}

char* CopyTag(char* dest, size_t destSize, const char* text, int32_t pos) {
    if (dest == nullptr || text == nullptr || pos == kScanUnset || pos < 0) return nullptr;
    size_t n = TagLength(text + pos);
    if (n == 0 || n >= destSize) return nullptr;
    std::memcpy(dest, text + pos, n);
    dest[n] = '\0';
    return dest;
}

int32_t ClosingBracketIndex(const char* text) {
    size_t n = TagLength(text);
    return n == 0 ? 0 : static_cast<int32_t>(n - 1);
}

const char* FindClosedTag(const char* text, const char* name) {
    int32_t at = FindTag(text, name, false);
    if (at == kScanUnset) return nullptr;
    if (ClosingBracketIndex(text + at) == 0) return nullptr;
    return text + at;
}

int32_t LeadingTagsEnd(const char* text, size_t length) {
    if (text == nullptr || length == 0) return kScanUnset;
    if (text[0] != '[') return 0;
    // Each "]" before the last character, found eight bytes at a time.
    const char* last = text + length - 1;
    for (const char* p = multi::findByte(text, last, ']'); p != last; p = multi::findByte(p + 1, last, ']')) {
        if (p[1] != '[') return static_cast<int32_t>(p - text + 1);
    }
    return kScanUnset;
}

int32_t LeadingTagsEnd(const char* text) {
    if (text == nullptr) return kScanUnset;
    return LeadingTagsEnd(text, std::strlen(text));
}

Scan& Scan::lit(const char* pattern) {
    if (p_ == nullptr) return *this;
    for (; *pattern != '\0'; ++pattern) {
        if (*pattern == ' ') {
            while (isScanSpace(*p_)) ++p_;
        } else if (*p_ == *pattern) {
            ++p_;
        } else {
            p_ = nullptr;
            break;
        }
    }
    return *this;
}

Scan& Scan::num(int32_t& target) {
    if (p_ == nullptr) return *this;
    const char* p = p_;
    while (isScanSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (*p < '0' || *p > '9') {
        p_ = nullptr;
        return *this;
    }
    // Saturate like a 32-bit strtol: far too long numbers stay bounded.
    int64_t value = 0;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (value < limit) {
            value = value * 10 + (*p - '0');
            if (value > limit) value = limit;
        }
    }
    target = static_cast<int32_t>(negative ? -value : value);
    p_ = p;
    return *this;
}

}  // namespace dms
