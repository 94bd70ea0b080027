// Finding one byte in a piece of text eight bytes at a time: in w ^ cc..c
// the byte is zero, and (x - 0x01..) & ~x & 0x80.. marks the lowest zero
// byte of x exactly (higher marks may be false, so only the lowest is used;
// the text is read little-endian). Reads stay inside [p, end).
#pragma once

#include <cstdint>
#include <cstring>

namespace dms {
namespace multi {

inline const char* findByte(const char* p, const char* end, char c) {
    constexpr uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    const uint64_t pattern = ones * static_cast<unsigned char>(c);
    for (; end - p >= 8; p += 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        const uint64_t x = w ^ pattern;
        const uint64_t marks = (x - ones) & ~x & highs;
        if (marks != 0) return p + __builtin_ctzll(marks) / 8;
    }
    while (p < end && *p != c) ++p;
    return p;
}

// Calls visit(q) for every q in [p, end) holding c, in order, until visit
// returns true; gives that q, or end. Eight bytes at a time with an exact
// test for every byte: ((x & 0x7f..) + 0x7f..) | x has the high bit of a
// byte set exactly when the byte is not zero, and no carry crosses bytes.
template <typename Visit>
inline const char* visitBytes(const char* p, const char* end, char c, Visit visit) {
    constexpr uint64_t ones = 0x0101010101010101ull, lows = 0x7f7f7f7f7f7f7f7full;
    const uint64_t pattern = ones * static_cast<unsigned char>(c);
    for (; end - p >= 8; p += 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        const uint64_t x = w ^ pattern;
        for (uint64_t marks = ~(((x & lows) + lows) | x | lows); marks != 0; marks &= marks - 1) {
            const char* q = p + __builtin_ctzll(marks) / 8;
            if (visit(q)) return q;
        }
    }
    for (; p < end; ++p) {
        if (*p == c && visit(p)) return p;
    }
    return end;
}

}  // namespace multi
}  // namespace dms
