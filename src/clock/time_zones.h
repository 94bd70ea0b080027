// The sign clock's time-zone table: 33 differentials in seconds, then the
// end marker 0x7FFFFFFF. The index of an entry is the exports' zone index.
#pragma once

#include <cstdint>

namespace dms {

constexpr int kTimeZoneCount = 33;
constexpr int32_t kTimeZoneEnd = 0x7FFFFFFF;
extern const int32_t kTimeZoneTable[kTimeZoneCount + 1];

}  // namespace dms
