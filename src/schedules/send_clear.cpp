// tqSendSchedulesWithClear: rewrites day plans from scratch, with the
// schedule rows given or derived from the items.
#include <algorithm>
#include <utility>
#include <vector>

#include "dmscontent/schedules.h"
#include "frame/export.h"
#include "schedules/schedule.h"

namespace dms {
namespace {

struct Plan {
    TimeBaseLimits lim;
    std::vector<int> clear;                        // day plans to clear, in order
    std::vector<const ScheduleItem*> firstItems;   // derived rows: the first item of each day plan
    std::vector<std::pair<uint8_t, uint16_t>> messages;  // action rows 1, 2, ...
    std::vector<uint32_t> events;                  // event number of each item
};

bool inRange(uint32_t dayPlan, const TimeBaseLimits& lim) { return dayPlan >= 1 && dayPlan <= lim.maxDayPlans; }

// Everything is checked before the first write, so refused input leaves
// the sign as it was: day plans outside 1..maxDayPlans and times or
// memory types out of range give 2; too many rows, events or actions, or a
// day plan whose row the sign lacks, 32522.
uint32_t makePlan(const ScheduleItem* items, int itemCount, const TimeBaseSchedule* schedules, int scheduleCount,
                  Plan& p) {
    if (schedules) {
        if (static_cast<uint32_t>(scheduleCount) > p.lim.maxScheduleEntries) return DMS_E_NO_FREE;
        for (int i = 0; i < scheduleCount; ++i) {
            if (!inRange(schedules[i].dayPlan, p.lim)) return DMS_E_ARGUMENT;
            p.clear.push_back(schedules[i].dayPlan);
        }
        std::sort(p.clear.begin(), p.clear.end());
        p.clear.erase(std::unique(p.clear.begin(), p.clear.end()), p.clear.end());
    } else {
        p.clear.reserve(100);
        for (int i = 0; i < itemCount; ++i) {
            if (std::find(p.clear.begin(), p.clear.end(), items[i].dayPlan) != p.clear.end()) continue;
            p.clear.push_back(items[i].dayPlan);
            p.firstItems.push_back(&items[i]);
        }
        if (p.clear.size() > p.lim.maxScheduleEntries) return DMS_E_NO_FREE;
    }
    for (int i = 0; i < itemCount; ++i) {
        if (!inRange(items[i].dayPlan, p.lim) || !writableItem(items[i])) return DMS_E_ARGUMENT;
        uint32_t event = 1;
        for (int j = 0; j < i; ++j) event += items[j].dayPlan == items[i].dayPlan;
        if (event > p.lim.maxDayPlanEvents) return DMS_E_NO_FREE;
        p.events.push_back(event);
        std::pair<uint8_t, uint16_t> m{items[i].memoryType, items[i].messageNumber};
        if (std::find(p.messages.begin(), p.messages.end(), m) == p.messages.end()) p.messages.push_back(m);
    }
    // Each day plan's schedule row is the row of its own number.
    for (int d : p.clear)
        if (static_cast<uint32_t>(d & 0xFF) > p.lim.maxScheduleEntries) return DMS_E_NO_FREE;
    if (p.messages.size() > static_cast<size_t>(kMaxActionRows)) return DMS_E_NO_FREE;
    return 0;
}

uint32_t writeRows(const Plan& p, const TimeBaseSchedule* schedules, int scheduleCount) {
    uint32_t rc = 0;
    if (schedules) {
        for (int i = 0; i < scheduleCount && rc == 0; ++i) {
            const TimeBaseSchedule& s = schedules[i];
            rc = writeScheduleRow(s.dayPlan & 0xFF, s.month, s.day, s.date, s.dayPlan & 0xFF, 1, true);
        }
    } else {
        for (size_t i = 0; i < p.clear.size() && rc == 0; ++i) {
            const ScheduleItem& it = *p.firstItems[i];
            rc = writeScheduleRow(p.clear[i] & 0xFF, it.month, it.day, it.date, p.clear[i] & 0xFF, 1, true);
        }
    }
    return rc;
}

uint32_t writeEvents(const Plan& p, const ScheduleItem* items, int itemCount, double done, double total) {
    for (int i = 0; i < itemCount; ++i) {
        std::pair<uint8_t, uint16_t> m{items[i].memoryType, items[i].messageNumber};
        int row = static_cast<int>(std::find(p.messages.begin(), p.messages.end(), m) - p.messages.begin()) + 1;
        ScheduleEntry entry{items[i], p.events[static_cast<size_t>(i)]};
        uint32_t rc = WriteEvent(row, entry);
        if (rc != 0) return rc;
        scheduleProgress(0, 100, done + i + 1, total);
    }
    scheduleProgress(0, 100, 1, 1);
    return 0;
}

uint32_t sendWithClear(const ScheduleItem* items, int itemCount, const TimeBaseSchedule* schedules,
                       int scheduleCount) {
    Plan p;
    uint32_t rc = readTimeBase(NTCIP_MAX_TIME_BASE_SCHEDULE_ENTRIES, p.lim.maxScheduleEntries);
    if (rc == 0) rc = readTimeBase(NTCIP_MAX_DAY_PLANS, p.lim.maxDayPlans);
    if (rc == 0) rc = readTimeBase(NTCIP_MAX_DAY_PLAN_EVENTS, p.lim.maxDayPlanEvents);
    if (rc != 0) return rc;
    if ((rc = makePlan(items, itemCount, schedules, scheduleCount, p)) != 0) return rc;
    const double rowsCleared = static_cast<double>(schedules ? scheduleCount : static_cast<int>(p.clear.size()));
    const double clearSteps = rowsCleared * p.lim.maxDayPlanEvents;
    const double total = clearSteps + itemCount;
    const double clearRange = total > 0 ? 100.0 * clearSteps / total : 0;
    if ((rc = ClearDayPlans(p.clear.data(), static_cast<int>(p.clear.size()), 0, clearRange)) != 0) return rc;
    if ((rc = writeRows(p, schedules, scheduleCount)) != 0) return rc;
    for (size_t r = 0; r < p.messages.size(); ++r) {
        ActionEntry a{p.messages[r].first, 0, p.messages[r].second, 0};
        if ((rc = tqSetSchActionTable(static_cast<int>(r + 1), &a, sizeof a)) != 0) return rc;
    }
    return writeEvents(p, items, itemCount, clearSteps, total);
}

}  // namespace
}  // namespace dms

// Negative counts are refused like missing ones.
DMS_API uint32_t DMS_CALL tqSendSchedulesWithClear(ScheduleItem* items, int32_t* itemCount,
                                                   TimeBaseSchedule* schedules, int32_t* scheduleCount) {
    if (!items || !itemCount || (!schedules) != (!scheduleCount)) return DMS_E_ARGUMENT;
    if (*itemCount < 0 || (scheduleCount && *scheduleCount < 0)) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface*) {
        return dms::sendWithClear(items, *itemCount, schedules, schedules ? *scheduleCount : 0);
    });
}
