// Schedules inside the library: the working entry (a host item with its day
// plan event number), the action table row as the device library passes it,
// and the table readers and writers the schedule exports share.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dmscontent/common.h"
#include "dmscontent/records.h"
#include "tqdms/ntcip.h"
#include "tqdms/tqdms.h"

namespace dms {

#pragma pack(push, 1)
// A ScheduleItem followed by its day plan event number (0 = not yet given).
struct ScheduleEntry {
    ScheduleItem item;
    uint32_t event;
};

// One row of the action table: the message an action activates.
struct ActionEntry {
    uint8_t memoryType;
    uint8_t unused;
    uint16_t messageNumber;
    uint16_t crc;
};
#pragma pack(pop)
static_assert(sizeof(ScheduleEntry) == 24, "ScheduleEntry size");
static_assert(sizeof(ActionEntry) == 6, "ActionEntry size");

using ScheduleList = std::vector<ScheduleEntry>;

// Highest action row the library writes, and the most entries an upload
// or a deletion works on.
constexpr int kMaxActionRows = 128;
constexpr int kMaxScheduleEntries = 255;

// The sign's time base limits (tqGetTimeBase 1, 3, 4).
struct TimeBaseLimits {
    uint32_t maxScheduleEntries = 0;
    uint32_t maxDayPlans = 0;
    uint32_t maxDayPlanEvents = 0;
};
uint32_t readTimeBase(int object, uint32_t& value);

// Same month, date, day, minute, hour, messageNumber and memoryType;
// itemSize, dayPlan, crc and event do not count.
bool sameSchedule(const ScheduleItem& a, const ScheduleItem& b);

// Whether the sign can take the item's hour (0..23, NTCIP 1201), minute
// (0..59) and memory type (up to 7, NTCIP 1203). Uploads check every item
// with it before their first write, so that no item is half written.
bool writableItem(const ScheduleItem& item);

// The object identifier text that names action row `row` in a day plan event.
std::string actionReference(int row);
// The action row an event's text names: the number after its last dot, 0
// when there is no dot or no digit follows it (a free event). Saturates.
uint32_t actionRowOf(const char* text);

// Reports progress (code 0) when the thread's interface has a callback and
// range is not 0.
void scheduleProgress(int base, double range, double done, double total);

// Reads the sign's schedule rows and their day plan events into entries,
// and, when schedules is not null, the rows into schedules. entryCapacity
// and *scheduleCount are capacities; entries.size() and *scheduleCount
// tell how far the reading got, also after a failure. Skips schedule rows
// whose day plan is 0 and stops a day plan at its first free event. When
// rowNumbers is given it receives the number of every row in use, in the
// order read. 32517 when a capacity is exceeded.
uint32_t ReadSchedules(ScheduleList& entries, int entryCapacity, TimeBaseSchedule* schedules, int* scheduleCount,
                       int progressBase, double progressRange, std::vector<uint32_t>* rowNumbers = nullptr);

// Writes the day plan event (entry.item.dayPlan, entry.event): hour, minute
// and the action reference of actionRow.
uint32_t WriteEvent(int actionRow, const ScheduleEntry& entry);

// Clears day plan event (dayPlan, event): hour 0, minute 0, action 0.
uint32_t clearEvent(int dayPlan, int event);

// Takes every schedule row out of use, then clears the given day plans'
// events up to their first free one (looked at every tenth event).
uint32_t ClearDayPlans(const int* dayPlans, int count, int progressBase, double progressRange);

// Writes one schedule row: month, day and date, and the day plan with
// dayPlanLength bytes, written first or last as dayPlanFirst says.
uint32_t writeScheduleRow(int row, uint16_t month, uint8_t day, uint32_t date, uint32_t dayPlan, int dayPlanLength,
                          bool dayPlanFirst);

// Event numbers for the new entries of one day plan. ev holds the day
// plan's events in list order (the sign's first, in event order, then the
// new ones); fresh[k] tells whether entry k is new and gets its number
// here. New entries take the numbers below the sign's first event, then
// the free numbers between its events, then numbers above them. A number
// outside 1..maxEvents, already given, or held (when held is given, by
// event number, see TableUse; numbers past its end count as held) gives
// way to the lowest number that is none of these. 32522 when no number is
// left.
uint32_t numberDayPlanEvents(std::vector<int64_t>& ev, const std::vector<bool>& fresh, uint32_t maxEvents,
                             const std::vector<bool>* held = nullptr);

// What the sign's tables hold beyond the listed entries: the day plan
// numbers a new day plan must not take, and the action rows that some day
// plan event names, listed or not.
struct TableUse {
    std::vector<bool> dayPlanTaken;  // by day plan number, 0..maxDayPlans
    std::vector<bool> actionNamed;   // by action row, 0..kMaxActionRows
    // Events whose action is not 0, listed or not, by day plan then event
    // number (0..maxDayPlans, 0..maxDayPlanEvents, at most 255 each).
    std::vector<std::vector<bool>> eventHeld;
};

// Reads the action of every event of day plans 1..maxDayPlans (at most
// 255 day plans of 255 events) and marks the events in use. A day plan
// number is taken when a schedule row in use names it, when its own
// schedule row is in use, or when its event 1 is in use. rowNumbers and
// rows are the schedule rows in use as ReadSchedules gives them.
uint32_t readTableUse(const TimeBaseLimits& lim, const std::vector<uint32_t>& rowNumbers,
                      const TimeBaseSchedule* rows, TableUse& use);

// Adds new items to the sign's tables (the insertion of tqSendSchedules).
uint32_t insertSchedules(const ScheduleItem* items, int count);

}  // namespace dms
