// Buffer conventions of the boundary: 1-, 2- and 4-byte integers in host
// order, text NUL-terminated within the buffer, raw bytes as they stand.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "tqdms/tqdms.h"

namespace tqdms {

// Stores v in a 1-, 2- or 4-byte buffer (truncated to that width).
inline uint32_t putInt(void* buf, int len, int64_t v) {
    switch (len) {
    case 1: { uint8_t b = static_cast<uint8_t>(v); std::memcpy(buf, &b, 1); return TQDMS_OK; }
    case 2: { uint16_t s = static_cast<uint16_t>(v); std::memcpy(buf, &s, 2); return TQDMS_OK; }
    case 4: { uint32_t w = static_cast<uint32_t>(v); std::memcpy(buf, &w, 4); return TQDMS_OK; }
    default: return TQDMS_E_BAD_VALUE;
    }
}

// Reads a 1-, 2- or 4-byte unsigned value; false for any other length.
inline bool getUInt(const void* buf, int len, uint32_t& out) {
    switch (len) {
    case 1: { uint8_t b; std::memcpy(&b, buf, 1); out = b; return true; }
    case 2: { uint16_t s; std::memcpy(&s, buf, 2); out = s; return true; }
    case 4: { std::memcpy(&out, buf, 4); return true; }
    default: return false;
    }
}

// Copies text into a buffer of len bytes, cut so that it stays NUL-terminated.
inline uint32_t putText(void* buf, int len, const std::string& text) {
    if (len < 1) return TQDMS_E_BAD_VALUE;
    size_t n = text.size() < static_cast<size_t>(len - 1) ? text.size() : static_cast<size_t>(len - 1);
    std::memcpy(buf, text.data(), n);
    static_cast<char*>(buf)[n] = '\0';
    return TQDMS_OK;
}

// Text written by a set: up to the first NUL or len bytes.
inline std::string getText(const void* buf, int len) {
    const char* p = static_cast<const char*>(buf);
    size_t n = 0;
    while (n < static_cast<size_t>(len) && p[n] != '\0') ++n;
    return std::string(p, n);
}

std::string toHex(const void* data, size_t len);
// Parses hex text (pairs of digits, blanks allowed); false on a bad digit.
bool fromHex(const std::string& hex, std::string& out);

}  // namespace tqdms
