// tqSetTime and tqGetTime: the sign's globalTime (seconds since 1970 UTC)
// and local time differential, both 4-byte values.
#include "clock/time_zones.h"

#include <cstring>
#include <ctime>

#include "dmscontent/clock.h"
#include "frame/device.h"
#include "frame/export.h"

namespace dms {

const int32_t kTimeZoneTable[kTimeZoneCount + 1] = {
    -43200, -39600, -36000, -32400, -28800, -25200, -21600, -18000, -14400,  // UTC-12 .. UTC-4
    -10800, -7200,  -3600,  0,      3600,   7200,   10800,  14400,  18000,   // UTC-3 .. UTC+5
    21600,  25200,  28800,  32400,  36000,  39600,  43200,                   // UTC+6 .. UTC+12
    -12600, 19800,  20700,  23400,  34200,  12600,  16200,  -16200,          // half and quarter hours
    kTimeZoneEnd};

namespace {

// Local date and time, taken as standard time, to seconds since the epoch.
bool localStandardToEpoch(std::tm tm, int64_t& out) {
    tm.tm_isdst = 0;
#ifdef _WIN32
    __time64_t t = _mktime64(&tm);
#else
    std::time_t t = std::mktime(&tm);
#endif
    if (t == -1) return false;
    out = static_cast<int64_t>(t);
    return true;
}

bool epochToLocal(int64_t seconds, std::tm& out) {
#ifdef _WIN32
    __time64_t t = seconds;
    return _localtime64_s(&out, &t) == 0;
#else
    std::time_t t = static_cast<std::time_t>(seconds);
    return localtime_r(&t, &out) != nullptr;
#endif
}

}  // namespace
}  // namespace dms

DMS_API uint32_t DMS_CALL tqSetTime(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                                    int32_t second, int32_t /*ignored*/, int32_t timeZoneIndex) {
    return dms::runWithInterface([&](DeviceInterface*) -> uint32_t {
        std::tm tm{};
        tm.tm_year = year - 1900;
        tm.tm_mon = month - 1;
        tm.tm_mday = day;
        tm.tm_hour = hour;
        tm.tm_min = minute;
        tm.tm_sec = second;
        int64_t epoch;
        // A date the host cannot convert is refused before anything is
        // written, rather than setting the sign to the conversion's error value.
        if (!dms::localStandardToEpoch(tm, epoch)) return DMS_E_INVALID;
        if (timeZoneIndex >= 0 && timeZoneIndex < dms::kTimeZoneCount) {
            int32_t diff = dms::kTimeZoneTable[timeZoneIndex];
            uint32_t rc = tqSetGlobalTime(NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL, &diff, 4);
            if (rc != DMS_OK) return rc;
        }
        uint32_t seconds = static_cast<uint32_t>(epoch);  // low 32 bits
        return tqSetGlobalTime(NTCIP_GLOBAL_TIME_SECONDS, &seconds, 4);
    });
}

DMS_API uint32_t DMS_CALL tqGetTime(int32_t* timeArray) {
    if (!timeArray) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface*) -> uint32_t {
        int32_t diff = 0;
        uint32_t seconds = 0;
        uint32_t rc = tqGetGlobalTime(NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL, &diff, 4);
        if (rc != DMS_OK) return rc;
        rc = tqGetGlobalTime(NTCIP_GLOBAL_TIME_SECONDS, &seconds, 4);
        if (rc != DMS_OK) return rc;
        std::tm tm{};
        if (!dms::epochToLocal(static_cast<int64_t>(seconds), tm)) return DMS_E_INVALID;
        timeArray[0] = tm.tm_year + 1900;
        timeArray[1] = tm.tm_mon + 1;
        timeArray[2] = tm.tm_mday;
        timeArray[3] = tm.tm_hour;
        timeArray[4] = tm.tm_min;
        timeArray[5] = tm.tm_sec;
        timeArray[6] = tm.tm_wday;
        timeArray[7] = -1;
        for (int i = 0; dms::kTimeZoneTable[i] != dms::kTimeZoneEnd; ++i) {
            if (dms::kTimeZoneTable[i] == diff) {
                timeArray[7] = i;
                return DMS_OK;
            }
        }
        return DMS_E_ARGUMENT;
    });
}
