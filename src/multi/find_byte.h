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

}  // namespace multi
}  // namespace dms
