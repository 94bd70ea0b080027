// tqGetScheduleList and tqDeleteScheduleList: the sign's schedules as
// host items, and clearing the day plan events behind given items.
#include <vector>

#include "dmscontent/schedules.h"
#include "frame/export.h"
#include "schedules/schedule.h"

// Negative capacities are refused like missing arguments. The working
// list grows as entries are read, so a large capacity costs nothing.
DMS_API uint32_t DMS_CALL tqGetScheduleList(ScheduleItem* items, int32_t* itemCount, TimeBaseSchedule* schedules,
                                            int32_t* scheduleCount) {
    if (!items || !itemCount || !schedules || !scheduleCount) return DMS_E_ARGUMENT;
    if (*itemCount < 0 || *scheduleCount < 0) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface*) -> uint32_t {
        dms::ScheduleList entries;
        int capacity = *itemCount;
        *itemCount = 0;
        uint32_t rc = dms::ReadSchedules(entries, capacity, schedules, scheduleCount, 0, 100);
        *itemCount = static_cast<int32_t>(entries.size());
        if (rc != 0) return rc;
        for (size_t i = 0; i < entries.size(); ++i) items[i] = entries[i].item;
        return 0;
    });
}

// An event cleared for one item is not matched again, so a list naming
// the same schedule twice clears two events when the sign holds two, and
// the count is the number of events actually cleared.
DMS_API uint32_t DMS_CALL tqDeleteScheduleList(ScheduleItem* items, int32_t* count) {
    if (!items || !count || *count < 0) return DMS_E_ARGUMENT;
    int32_t given = *count;
    *count = 0;
    return dms::runWithInterface([&](DeviceInterface*) -> uint32_t {
        dms::ScheduleList held;
        std::vector<TimeBaseSchedule> rows(dms::kMaxScheduleEntries);
        int rowCount = dms::kMaxScheduleEntries;
        uint32_t rc = dms::ReadSchedules(held, dms::kMaxScheduleEntries, rows.data(), &rowCount, 0, 0);
        if (rc != 0) return rc;
        std::vector<bool> cleared(held.size(), false);
        for (int32_t i = 0; i < given; ++i) {
            size_t j = 0;
            while (j < held.size() && (cleared[j] || !dms::sameSchedule(held[j].item, items[i]))) ++j;
            if (j == held.size()) continue;
            ScheduleItem& it = items[i];
            it.dayPlan = it.month = 0;
            it.day = it.hour = it.minute = 0;
            it.date = 0;
            if ((rc = dms::clearEvent(held[j].item.dayPlan, static_cast<int>(held[j].event))) != 0) return rc;
            cleared[j] = true;
            ++*count;
        }
        return 0;
    });
}
