// Writing the sign's schedule rows and day plan events, and clearing day plans.
#include <cstring>

#include "frame/device.h"
#include "schedules/schedule.h"

namespace dms {
namespace {

// Hour and minute travel in 4-byte buffers whose first byte is the value.
uint32_t writeByteColumn(int dayPlan, int event, int column, uint8_t value) {
    uint32_t buf = value;
    return tqSetTimeBaseDayPlanTable(dayPlan, event, column, &buf, 4);
}

uint32_t writeEventColumns(int dayPlan, int event, uint8_t hour, uint8_t minute, const std::string& action) {
    uint32_t rc = writeByteColumn(dayPlan, event, NTCIP_DAY_PLAN_HOUR, hour);
    if (rc == 0) rc = writeByteColumn(dayPlan, event, NTCIP_DAY_PLAN_MINUTE, minute);
    if (rc == 0)
        rc = tqSetTimeBaseDayPlanTable(dayPlan, event, NTCIP_DAY_PLAN_ACTION, action.c_str(),
                                       static_cast<int>(action.size()));
    return rc;
}

}  // namespace

uint32_t WriteEvent(int actionRow, const ScheduleEntry& entry) {
    return writeEventColumns(entry.item.dayPlan, static_cast<int>(entry.event), entry.item.hour, entry.item.minute,
                             actionReference(actionRow));
}

uint32_t clearEvent(int dayPlan, int event) { return writeEventColumns(dayPlan, event, 0, 0, actionReference(0)); }

uint32_t writeScheduleRow(int row, uint16_t month, uint8_t day, uint32_t date, uint32_t dayPlan, int dayPlanLength,
                          bool dayPlanFirst) {
    // A 1-byte day plan is a single byte, a 4-byte one a host-order value.
    uint8_t small = static_cast<uint8_t>(dayPlan);
    const void* plan = dayPlanLength == 1 ? static_cast<const void*>(&small) : static_cast<const void*>(&dayPlan);
    uint32_t rc = 0;
    if (dayPlanFirst && (rc = tqSetTimeBaseSchTable(row, NTCIP_SCHEDULE_DAY_PLAN, plan, dayPlanLength)) != 0)
        return rc;
    if ((rc = tqSetTimeBaseSchTable(row, NTCIP_SCHEDULE_MONTH, &month, 2)) != 0) return rc;
    if ((rc = tqSetTimeBaseSchTable(row, NTCIP_SCHEDULE_DAY, &day, 1)) != 0) return rc;
    if ((rc = tqSetTimeBaseSchTable(row, NTCIP_SCHEDULE_DATE, &date, 4)) != 0) return rc;
    if (!dayPlanFirst) rc = tqSetTimeBaseSchTable(row, NTCIP_SCHEDULE_DAY_PLAN, plan, dayPlanLength);
    return rc;
}

uint32_t ClearDayPlans(const int* dayPlans, int count, int progressBase, double progressRange) {
    TimeBaseLimits lim;
    uint32_t actionRows = 0;
    uint32_t rc = readTimeBase(NTCIP_MAX_TIME_BASE_SCHEDULE_ENTRIES, lim.maxScheduleEntries);
    if (rc == 0) rc = readTimeBase(NTCIP_MAX_DAY_PLAN_EVENTS, lim.maxDayPlanEvents);
    if (rc == 0) rc = readTimeBase(NTCIP_MAX_DAY_PLANS, lim.maxDayPlans);
    if (rc == 0) rc = tqGetNumActionTableEntries(&actionRows, 4);
    if (rc != 0) return rc;
    for (uint32_t s = 1; s <= lim.maxScheduleEntries; ++s) {
        uint32_t zero = 0;
        if ((rc = tqSetTimeBaseSchTable(static_cast<int>(s), NTCIP_SCHEDULE_DAY_PLAN, &zero, 4)) != 0) return rc;
    }
    const double total = static_cast<double>(count) * lim.maxDayPlanEvents;
    for (int i = 0; i < count; ++i) {
        for (uint32_t e = 1; e <= lim.maxDayPlanEvents; ++e) {
            scheduleProgress(progressBase, progressRange, static_cast<double>(i) * lim.maxDayPlanEvents + e, total);
            // The day plan's events are looked at every tenth one: clearing
            // stops at the first of those that is already free.
            if (e % 10 == 1) {
                char text[128] = {0};
                rc = tqGetTimeBaseDayPlanTable(dayPlans[i], static_cast<int>(e), NTCIP_DAY_PLAN_ACTION, text,
                                               sizeof text);
                if (rc != 0) return rc;
                text[sizeof text - 1] = '\0';
                if (!text[0] || actionRowOf(text) == 0) break;
            }
            if ((rc = clearEvent(dayPlans[i], static_cast<int>(e))) != 0) return rc;
        }
    }
    return 0;
}

}  // namespace dms
