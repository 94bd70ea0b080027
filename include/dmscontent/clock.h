/*
 * clock.h - the sign clock.
 *
 * Time-zone index: 0..24 are UTC-12..UTC+12 in whole hours (index - 12);
 * 25 UTC-3:30, 26 UTC+5:30, 27 UTC+5:45, 28 UTC+6:30, 29 UTC+9:30,
 * 30 UTC+3:30, 31 UTC+4:30, 32 UTC-4:30.
 */
#ifndef DMSCONTENT_CLOCK_H
#define DMSCONTENT_CLOCK_H

#include "common.h"

/* Sets the sign clock from a date and time in the host's local time, taken
 * as standard time (no daylight saving). `ignored` is not read. When
 * timeZoneIndex is 0..32 the zone's differential is written first; any
 * other index leaves the sign's differential unchanged. Arguments are not
 * range-tested. Returns DMS_OK, DMS_E_NO_INTERFACE without a sign,
 * DMS_E_INVALID when the host cannot convert the date (nothing is written),
 * or the device's code. */
DMS_API uint32_t DMS_CALL tqSetTime(int32_t year, int32_t month, int32_t day, int32_t hour,
                                    int32_t minute, int32_t second, int32_t ignored,
                                    int32_t timeZoneIndex);

/* Reads the sign clock into eight integers: year, month (1..12), day, hour,
 * minute, second, weekday (0 Sunday), time-zone index. The date is in the
 * host's local time zone. When the sign's differential is not in the zone
 * table, element 7 is -1 and the result is DMS_E_ARGUMENT (the date is
 * filled all the same). Returns DMS_OK, DMS_E_ARGUMENT for a null array,
 * DMS_E_NO_INTERFACE without a sign, or the device's code. */
DMS_API uint32_t DMS_CALL tqGetTime(int32_t* timeArray);

#endif /* DMSCONTENT_CLOCK_H */
