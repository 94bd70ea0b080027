// Range-tested text conversions and bounded copies used by the readers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dms {

// Reads a signed decimal integer the way a standard input stream does:
// leading blanks skipped, reading stops at the first character that cannot
// continue the number, text without a number reads as 0. Gives 0 and stores
// the value when min <= value <= max, else DMS_E_INVALID (32520). A number
// too large for 64 bits counts as out of range.
uint32_t textToInt(const char* text, int64_t& out, int64_t min, int64_t max);
uint32_t textToInt(const char* text, int& out, int min, int max);

// Copies text with its NUL when its length n satisfies n <= capacity,
// minLength <= n <= maxLength; dest must hold capacity + 1 bytes. Gives 0, or
// DMS_E_INVALID without copying (also for null text).
uint32_t boundedCopy(const char* text, char* dest, size_t capacity, size_t minLength, size_t maxLength);

// The part of a path after its last '\' or '/': the whole text when there is
// no separator, null when the only separator is the first character.
const char* fileNameOfPath(const char* path);

}  // namespace dms
