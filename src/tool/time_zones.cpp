// dmsctl's look-ups in the sign clock's time-zone table.
#include "clock/time_zones.h"
#include "tool/dmsctl_api.h"

namespace dms::tool {

int timeZoneOfOffset(int32_t seconds) {
    for (int i = 0; i < kTimeZoneCount; ++i)
        if (kTimeZoneTable[i] == seconds) return i;
    return -1;
}

int32_t timeZoneOffset(int index) {
    return index >= 0 && index < kTimeZoneCount ? kTimeZoneTable[index] : kTimeZoneEnd;
}

}  // namespace dms::tool
