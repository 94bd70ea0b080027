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

// 0x80 in every byte of x that is zero, and nothing else: ((x & 0x7f..) +
// 0x7f..) | x has the high bit of a byte set exactly when the byte is not
// zero, and no carry crosses bytes.
inline uint64_t zeroBytes(uint64_t x) {
    constexpr uint64_t lows = 0x7f7f7f7f7f7f7f7full;
    return ~(((x & lows) + lows) | x | lows);
}

// The first q in [p, end) where the three bytes a, b, c stand (all inside
// [p, end)), or end. Eight candidates at a time from three overlapping
// reads, so plain text costs no branch per byte or per bracket.
inline const char* findTriple(const char* p, const char* end, char a, char b, char c) {
    constexpr uint64_t ones = 0x0101010101010101ull;
    const uint64_t pa = ones * static_cast<unsigned char>(a), pb = ones * static_cast<unsigned char>(b),
                   pc = ones * static_cast<unsigned char>(c);
    for (; end - p >= 10; p += 8) {
        uint64_t w0, w1, w2;
        std::memcpy(&w0, p, 8);
        std::memcpy(&w1, p + 1, 8);
        std::memcpy(&w2, p + 2, 8);
        const uint64_t marks = zeroBytes(w0 ^ pa) & zeroBytes(w1 ^ pb) & zeroBytes(w2 ^ pc);
        if (marks != 0) return p + __builtin_ctzll(marks) / 8;
    }
    for (; end - p >= 3; ++p) {
        if (p[0] == a && p[1] == b && p[2] == c) return p;
    }
    return end;
}

// Calls visit(q) for every q in [p, end) holding c, in order, until visit
// returns true; gives that q, or end. Eight bytes at a time.
template <typename Visit>
inline const char* visitBytes(const char* p, const char* end, char c, Visit visit) {
    constexpr uint64_t ones = 0x0101010101010101ull;
    const uint64_t pattern = ones * static_cast<unsigned char>(c);
    for (; end - p >= 8; p += 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        for (uint64_t marks = zeroBytes(w ^ pattern); marks != 0; marks &= marks - 1) {
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
