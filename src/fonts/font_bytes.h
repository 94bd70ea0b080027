// Small helpers the font file readers and writers share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dmscontent/records.h"

namespace dms {

inline uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

inline void putLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

enum class FileRead { kOk, kCannotOpen, kTooLarge };
// Reads a whole file (at most kMaxFontFileSize bytes).
FileRead readWholeFile(const char* path, std::vector<uint8_t>& out);

// The text after the last '\' or '/' (the whole path without one).
const char* baseNameOf(const char* path);

// Copies a name into the record's 64-byte field, cut to 63 characters.
void setFontName(fontContent& record, const char* name);

}  // namespace dms
