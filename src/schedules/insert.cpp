// Adding new schedule items to the sign: choosing their day plans, event
// numbers and action rows around what the sign already holds.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "dmscontent/common.h"
#include "schedules/schedule.h"

namespace dms {
namespace {

// The working list: the sign's entries and the new ones, each new one
// knowing its item.
struct Slot {
    ScheduleEntry entry;
    int item;  // index of the new item, -1 for an entry read from the sign
};
using Slots = std::vector<Slot>;

uint32_t readActions(std::vector<ActionEntry>& actions) {
    uint32_t rows = 0;
    uint32_t rc = tqGetNumActionTableEntries(&rows, 4);
    if (rc != 0) return rc;
    // Rows above 128 are never written, so they are not read either.
    rows = std::min<uint32_t>(rows, kMaxActionRows);
    actions.assign(rows, ActionEntry{});
    for (uint32_t r = 1; r <= rows; ++r)
        if ((rc = tqGetSchActionTable(static_cast<int>(r), &actions[r - 1], sizeof(ActionEntry))) != 0) return rc;
    return 0;
}

bool sameDays(const ScheduleItem& a, const ScheduleItem& b) {
    return a.month == b.month && a.date == b.date && a.day == b.day;
}

// The number of a new day plan: the first gap in the listed day plan
// numbers, else one above the last, else 1. A number already taken on the
// sign (see readTableUse) or by an earlier item of this call gives way to
// the next free one above it, then below it; 0 when none is left.
uint16_t newDayPlan(const Slots& list, const std::vector<bool>& taken, uint32_t limit, size_t& pos) {
    uint32_t first = 1;
    pos = 0;
    if (!list.empty()) {
        first = list.back().entry.item.dayPlan + 1u;
        pos = list.size();
        for (size_t j = 1; j < list.size(); ++j) {
            if (list[j].entry.item.dayPlan > list[j - 1].entry.item.dayPlan + 1) {
                first = list[j - 1].entry.item.dayPlan + 1u;
                pos = j;
                break;
            }
        }
    }
    auto isFree = [&](uint32_t d) { return d >= 1 && d <= limit && d < taken.size() && !taken[d]; };
    if (isFree(first)) return static_cast<uint16_t>(first);
    pos = list.size();
    for (uint32_t d = first + 1; d <= limit; ++d)
        if (isFree(d)) return static_cast<uint16_t>(d);
    for (uint32_t d = 1; d < first && d <= limit; ++d)
        if (isFree(d)) return static_cast<uint16_t>(d);
    return 0;
}

// Where a new item goes: into the day plan whose first entry has its
// month, date and day (earlier new items of this call count, so equal
// timetables share one day plan), else into a new day plan. dayPlan 0
// when no number is left for a new one.
void place(const Slots& list, const ScheduleItem& item, const std::vector<bool>& taken, uint32_t limit, bool& isNew,
           uint16_t& dayPlan, size_t& pos) {
    std::vector<uint16_t> seen;
    for (size_t j = 0; j < list.size(); ++j) {
        uint16_t dp = list[j].entry.item.dayPlan;
        if (std::find(seen.begin(), seen.end(), dp) != seen.end()) continue;
        seen.push_back(dp);
        if (!sameDays(list[j].entry.item, item)) continue;
        isNew = false;
        dayPlan = dp;
        for (size_t k = 0; k < list.size(); ++k)
            if (list[k].entry.item.dayPlan == dp) pos = k + 1;
        return;
    }
    isNew = true;
    dayPlan = newDayPlan(list, taken, limit, pos);
}

// A new day plan writes the schedule row of its own number, so its number
// stays within both the day plans and the schedule rows of the sign.
// Nothing is written here: newPlans receives the items that start a new
// day plan, in order.
uint32_t placeAll(Slots& list, const ScheduleItem* items, int count, const TimeBaseLimits& lim, TableUse& use,
                  std::vector<int>& newPlans) {
    const uint32_t limit = std::min({lim.maxDayPlans, lim.maxScheduleEntries,
                                     static_cast<uint32_t>(use.dayPlanTaken.size() - 1)});
    for (int i = 0; i < count; ++i) {
        Slot slot{{items[i], 0}, i};
        slot.entry.item.dayPlan = 0;
        bool isNew = false;
        uint16_t dayPlan = 0;
        size_t pos = 0;
        place(list, items[i], use.dayPlanTaken, limit, isNew, dayPlan, pos);
        if (list.size() >= static_cast<size_t>(kMaxScheduleEntries)) return DMS_E_FULL;
        if (isNew) {
            if (dayPlan == 0) return DMS_E_NO_FREE;
            newPlans.push_back(i);
            use.dayPlanTaken[dayPlan] = true;
        }
        slot.entry.item.dayPlan = dayPlan;
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), slot);
    }
    return 0;
}

// Numbers every new entry, day plan by day plan. A day plan whose events
// were not read (above 255) has none known free.
uint32_t numberEvents(Slots& list, uint32_t maxEvents, const std::vector<std::vector<bool>>& held) {
    static const std::vector<bool> noneFree;
    std::vector<uint16_t> done;
    for (const Slot& first : list) {
        uint16_t dp = first.entry.item.dayPlan;
        if (std::find(done.begin(), done.end(), dp) != done.end()) continue;
        done.push_back(dp);
        std::vector<size_t> idx;
        for (size_t j = 0; j < list.size(); ++j)
            if (list[j].entry.item.dayPlan == dp) idx.push_back(j);
        std::vector<int64_t> ev;
        std::vector<bool> fresh;
        for (size_t j : idx) {
            ev.push_back(list[j].entry.event);
            fresh.push_back(list[j].item >= 0);
        }
        const std::vector<bool>& h = dp < held.size() ? held[dp] : noneFree;
        uint32_t rc = numberDayPlanEvents(ev, fresh, maxEvents, &h);
        if (rc != 0) return rc;
        for (size_t k = 0; k < idx.size(); ++k) list[idx[k]].entry.event = static_cast<uint32_t>(ev[k]);
    }
    return 0;
}

bool referenced(const Slots& list, const ActionEntry& a) {
    for (const Slot& s : list)
        if (s.entry.item.messageNumber == a.messageNumber && s.entry.item.memoryType == a.memoryType) return true;
    return false;
}

// The action row of a message: the row already naming it, else the first
// row that no entry refers to and no day plan event names (an unlisted
// event would show the new message), else the row after the last.
int actionRowFor(const std::vector<ActionEntry>& actions, const Slots& list, const std::vector<bool>& named,
                 const ScheduleItem& item) {
    for (size_t r = 0; r < actions.size(); ++r)
        if (actions[r].messageNumber == item.messageNumber && actions[r].memoryType == item.memoryType)
            return static_cast<int>(r + 1);
    for (size_t r = 0; r < actions.size(); ++r)
        if (!named[r + 1] && !referenced(list, actions[r])) return static_cast<int>(r + 1);
    return static_cast<int>(actions.size() + 1);
}

const ScheduleEntry& entryOf(const Slots& list, int i) {
    return std::find_if(list.begin(), list.end(), [i](const Slot& s) { return s.item == i; })->entry;
}

// The action row of each new item, in item order, worked out as the rows
// will be written: later items of the same message find the row of an
// earlier one. 32522 when a row above 128 would be needed.
uint32_t planActions(std::vector<ActionEntry>& actions, const Slots& list, std::vector<bool>& named, int count,
                     std::vector<int>& rowOf) {
    for (int i = 0; i < count; ++i) {
        const ScheduleEntry& entry = entryOf(list, i);
        int row = actionRowFor(actions, list, named, entry.item);
        if (row > kMaxActionRows) return DMS_E_NO_FREE;
        named[static_cast<size_t>(row)] = true;
        if (static_cast<size_t>(row) > actions.size()) actions.resize(static_cast<size_t>(row), ActionEntry{});
        actions[static_cast<size_t>(row) - 1] = ActionEntry{entry.item.memoryType, 0, entry.item.messageNumber,
                                                            entry.item.crc};
        rowOf.push_back(row);
    }
    return 0;
}

// The writes, once everything is known: the new day plans' schedule rows,
// then each item's action row and day plan event.
uint32_t writeAll(const Slots& list, const ScheduleItem* items, const std::vector<int>& newPlans,
                  const std::vector<int>& rowOf) {
    for (int i : newPlans) {
        const uint16_t dayPlan = entryOf(list, i).item.dayPlan;
        uint32_t rc = writeScheduleRow(dayPlan, items[i].month, items[i].day, items[i].date, dayPlan, 4, false);
        if (rc != 0) return rc;
    }
    for (size_t i = 0; i < rowOf.size(); ++i) {
        const ScheduleEntry& entry = entryOf(list, static_cast<int>(i));
        ActionEntry a{entry.item.memoryType, 0, entry.item.messageNumber, entry.item.crc};
        uint32_t rc = tqSetSchActionTable(rowOf[i], &a, sizeof a);
        if (rc != 0) return rc;
        if ((rc = WriteEvent(rowOf[i], entry)) != 0) return rc;
    }
    return 0;
}

}  // namespace

uint32_t insertSchedules(const ScheduleItem* items, int count) {
    std::vector<ActionEntry> actions;
    uint32_t rc = readActions(actions);
    if (rc != 0) return rc;
    TimeBaseLimits lim;
    if ((rc = readTimeBase(NTCIP_MAX_TIME_BASE_SCHEDULE_ENTRIES, lim.maxScheduleEntries)) != 0) return rc;
    if ((rc = readTimeBase(NTCIP_MAX_DAY_PLANS, lim.maxDayPlans)) != 0) return rc;
    if ((rc = readTimeBase(NTCIP_MAX_DAY_PLAN_EVENTS, lim.maxDayPlanEvents)) != 0) return rc;
    ScheduleList signEntries;
    std::vector<TimeBaseSchedule> rows(kMaxScheduleEntries);
    std::vector<uint32_t> rowNumbers;
    int rowCount = kMaxScheduleEntries;
    if ((rc = ReadSchedules(signEntries, kMaxScheduleEntries, rows.data(), &rowCount, 0, 0, &rowNumbers)) != 0)
        return rc;
    TableUse use;
    if ((rc = readTableUse(lim, rowNumbers, rows.data(), use)) != 0) return rc;
    Slots list;
    list.reserve(kMaxScheduleEntries);
    for (const ScheduleEntry& e : signEntries) list.push_back(Slot{e, -1});
    // Day plans, event numbers and action rows are all chosen before the
    // first write, so a refusal leaves the sign as it was.
    std::vector<int> newPlans, rowOf;
    if ((rc = placeAll(list, items, count, lim, use, newPlans)) != 0) return rc;
    if ((rc = numberEvents(list, lim.maxDayPlanEvents, use.eventHeld)) != 0) return rc;
    if ((rc = planActions(actions, list, use.actionNamed, count, rowOf)) != 0) return rc;
    return writeAll(list, items, newPlans, rowOf);
}

}  // namespace dms
