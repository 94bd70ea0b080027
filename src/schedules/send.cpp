// tqSendSchedules: adds the items the sign does not hold yet.
#include <vector>

#include "dmscontent/schedules.h"
#include "frame/export.h"
#include "frame/log.h"
#include "schedules/schedule.h"

// A negative count is refused like a missing one, as is an hour above 23, a
// minute above 59 or a memory type above 7 in any item.
DMS_API uint32_t DMS_CALL tqSendSchedules(ScheduleItem* items, int32_t* count) {
    if (!items || !count || *count < 0) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface*) -> uint32_t {
        // An item the sign cannot take would be half written (its schedule
        // and action rows before the refused event): refused before
        // anything is read, written or moved.
        for (int32_t i = 0; i < *count; ++i)
            if (!dms::writableItem(items[i])) return DMS_E_ARGUMENT;
        // A failed reading is not reported: what was read is compared.
        dms::ScheduleList held;
        std::vector<TimeBaseSchedule> rows(dms::kMaxScheduleEntries);
        int rowCount = dms::kMaxScheduleEntries;
        dms::ReadSchedules(held, dms::kMaxScheduleEntries, rows.data(), &rowCount, 0, 0);
        int32_t kept = 0;
        for (int32_t i = 0; i < *count; ++i) {
            bool known = false;
            for (const dms::ScheduleEntry& e : held) known = known || dms::sameSchedule(e.item, items[i]);
            if (!known) items[kept++] = items[i];
        }
        *count = kept;
        if (kept == 0) return 0;
        dms::logLine(dms::kLogInfo, "Schedule Insert Count:%d", kept);
        return dms::insertSchedules(items, kept);
    });
}
