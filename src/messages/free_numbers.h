// Free message numbers for records whose numbers do not fit their table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/message.h"

namespace dms {

// No number above this is handed out.
constexpr int32_t kHighestFreeNumber = 512;

// Up to `needed` free changeable numbers, in the order they are handed out:
// the gaps between the numbers read (reading order: permanent, then
// changeable), the numbers after the last one read, then those below the
// first. Only rows within 1..maxChangeable that hold no valid message (as
// read into `used`) and are not in `taken` are offered. When the table read
// was not complete, each number is confirmed by reading its row's status,
// and a row whose status cannot be read is not offered.
std::vector<int32_t> freeChangeableNumbers(const MessageSet& used, bool readComplete, uint32_t maxChangeable,
                                           const std::vector<int32_t>& taken, size_t needed);

// Up to `needed` free volatile numbers in ascending order: rows within
// 1..maxVolatile, not in `taken`, whose status reads as anything but valid.
std::vector<int32_t> freeVolatileNumbers(uint32_t maxVolatile, const std::vector<int32_t>& taken, size_t needed);

}  // namespace dms
