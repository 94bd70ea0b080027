// Schedule entries: comparison, action references, progress and the
// reading of the sign's schedule, day plan and action tables.
#include <cstdio>
#include <cstring>

#include "frame/device.h"
#include "schedules/schedule.h"

namespace dms {

uint32_t readTimeBase(int object, uint32_t& value) {
    value = 0;
    return tqGetTimeBase(object, &value, 4);
}

bool sameSchedule(const ScheduleItem& a, const ScheduleItem& b) {
    return a.month == b.month && a.date == b.date && a.day == b.day && a.minute == b.minute && a.hour == b.hour &&
           a.messageNumber == b.messageNumber && a.memoryType == b.memoryType;
}

bool writableItem(const ScheduleItem& item) {
    return item.hour <= 23 && item.minute <= 59 && item.memoryType <= NTCIP_MEM_BLANK;
}

std::string actionReference(int row) {
    char text[64];
    std::snprintf(text, sizeof text, NTCIP_ACTION_OID_PREFIX "%d", row);
    return text;
}

// Only digits count: a sign or a letter after the last dot reads as 0, so
// such an event is free rather than naming a row that cannot exist.
uint32_t actionRowOf(const char* text) {
    const char* dot = std::strrchr(text, '.');
    if (!dot) return 0;
    uint32_t row = 0;
    for (const char* p = dot + 1; *p >= '0' && *p <= '9'; ++p) {
        row = row * 10 + static_cast<uint32_t>(*p - '0');
        if (row > 0xFFFFFFu) return 0xFFFFFFu;
    }
    return row;
}

void scheduleProgress(int base, double range, double done, double total) {
    if (range == 0 || total <= 0) return;
    // The reading's formula counts schedule rows from 1, so the last rows
    // would pass the end: values are kept within base..base+range.
    double part = done < total ? done / total : 1.0;
    reportProgress(currentInterface(), 0, base + static_cast<int>(part * range));
}

namespace {

struct RowRead {
    uint16_t dayPlan = 0;
    uint16_t month = 0;
    uint32_t date = 0;
    uint8_t day = 0;
};

uint32_t readRow(int s, RowRead& r) {
    uint32_t rc = tqGetTimeBaseSchTable(s, NTCIP_SCHEDULE_DAY_PLAN, &r.dayPlan, 2);
    if (rc != 0 || r.dayPlan == 0) return rc;
    if ((rc = tqGetTimeBaseSchTable(s, NTCIP_SCHEDULE_MONTH, &r.month, 2)) != 0) return rc;
    if ((rc = tqGetTimeBaseSchTable(s, NTCIP_SCHEDULE_DATE, &r.date, 4)) != 0) return rc;
    return tqGetTimeBaseSchTable(s, NTCIP_SCHEDULE_DAY, &r.day, 1);
}

uint32_t readEvent(const RowRead& r, int e, uint32_t actionRow, ScheduleEntry& out) {
    std::memset(&out, 0, sizeof out);
    ScheduleItem& it = out.item;
    it.itemSize = sizeof(ScheduleItem);
    it.dayPlan = r.dayPlan;
    it.month = r.month;
    it.day = r.day;
    it.date = r.date;
    out.event = static_cast<uint32_t>(e);
    uint32_t rc = tqGetTimeBaseDayPlanTable(r.dayPlan, e, NTCIP_DAY_PLAN_HOUR, &it.hour, 1);
    if (rc != 0) return rc;
    if ((rc = tqGetTimeBaseDayPlanTable(r.dayPlan, e, NTCIP_DAY_PLAN_MINUTE, &it.minute, 1)) != 0) return rc;
    ActionEntry a{};
    if ((rc = tqGetSchActionTable(static_cast<int>(actionRow), &a, sizeof a)) != 0) return rc;
    it.memoryType = a.memoryType;
    it.messageNumber = a.messageNumber;
    it.crc = a.crc;
    return 0;
}

}  // namespace

uint32_t ReadSchedules(ScheduleList& entries, int entryCapacity, TimeBaseSchedule* schedules, int* scheduleCount,
                       int progressBase, double progressRange, std::vector<uint32_t>* rowNumbers) {
    entries.clear();
    if (rowNumbers) rowNumbers->clear();
    int rowCapacity = scheduleCount ? *scheduleCount : 0;
    if (scheduleCount) *scheduleCount = 0;
    TimeBaseLimits lim;
    uint32_t rc = readTimeBase(NTCIP_MAX_TIME_BASE_SCHEDULE_ENTRIES, lim.maxScheduleEntries);
    if (rc == 0) rc = readTimeBase(NTCIP_MAX_DAY_PLANS, lim.maxDayPlans);
    if (rc == 0) rc = readTimeBase(NTCIP_MAX_DAY_PLAN_EVENTS, lim.maxDayPlanEvents);
    if (rc != 0) return rc;
    if (lim.maxScheduleEntries == 0) return 0;
    const double total = static_cast<double>(lim.maxScheduleEntries) * lim.maxDayPlanEvents;
    for (uint32_t s = 1; s <= lim.maxScheduleEntries; ++s) {
        RowRead r;
        if ((rc = readRow(static_cast<int>(s), r)) != 0) return rc;
        // A row out of use hides nothing: the rows behind it still run
        // their day plans (a replacement leaves rows 1.. out of use).
        if (r.dayPlan == 0) continue;
        if (rowNumbers) rowNumbers->push_back(s);
        if (schedules && scheduleCount) {
            if (*scheduleCount >= rowCapacity) return DMS_E_FULL;
            TimeBaseSchedule& out = schedules[*scheduleCount];
            out.dayPlan = r.dayPlan;
            out.month = r.month;
            out.day = r.day;
            out.date = r.date;
            ++*scheduleCount;
        }
        for (uint32_t e = 1; e <= lim.maxDayPlanEvents; ++e) {
            char text[128] = {0};
            rc = tqGetTimeBaseDayPlanTable(r.dayPlan, static_cast<int>(e), NTCIP_DAY_PLAN_ACTION, text, sizeof text);
            if (rc != 0) return rc;
            text[sizeof text - 1] = '\0';
            scheduleProgress(progressBase, progressRange, static_cast<double>(s) * lim.maxDayPlanEvents + e, total);
            uint32_t actionRow = text[0] ? actionRowOf(text) : 0;
            if (actionRow == 0) break;
            if (static_cast<int>(entries.size()) >= entryCapacity) return DMS_E_FULL;
            ScheduleEntry entry;
            if ((rc = readEvent(r, static_cast<int>(e), actionRow, entry)) != 0) return rc;
            entries.push_back(entry);
        }
    }
    scheduleProgress(progressBase, progressRange, 1, 1);
    return 0;
}

}  // namespace dms
