// Test helpers for schedules: host items, and schedule, day plan and
// action rows as the simulated sign's state holds them.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dmscontent/dmscontent.h"
#include "support/result.h"
#include "support/sim_sign.h"

namespace testing_support {

// The object identifier prefix a day plan event names its action row with.
constexpr const char* kActionOid = ".1.3.6.1.4.1.1206.4.2.3.8.2.1.1.";

// Timetables: every month, Monday to Friday, Saturday and Sunday.
constexpr uint16_t kAllMonths = 0x1FFE;
constexpr uint8_t kWeekdays = 0x7C;
constexpr uint8_t kWeekend = 0x82;

inline ScheduleItem item(uint16_t month, uint8_t day, uint32_t date, uint8_t hour, uint8_t minute,
                         uint16_t messageNumber, uint8_t memoryType = 3, uint16_t crc = 0, uint16_t dayPlan = 0) {
    ScheduleItem it;
    std::memset(&it, 0, sizeof it);
    it.dayPlan = dayPlan;
    it.month = month;
    it.day = day;
    it.date = date;
    it.hour = hour;
    it.minute = minute;
    it.memoryType = memoryType;
    it.messageNumber = messageNumber;
    it.crc = crc;
    return it;
}

inline json scheduleRow(int row, int dayPlan, int month, int day, uint32_t date) {
    return {{"row", row}, {"dayPlan", dayPlan}, {"month", month}, {"day", day}, {"date", date}};
}

inline json dayPlanEvent(int dayPlan, int event, int hour, int minute, int actionRow) {
    return {{"dayPlan", dayPlan}, {"event", event}, {"hour", hour}, {"minute", minute},
            {"action", kActionOid + std::to_string(actionRow)}};
}

inline json actionRow(int row, int memoryType, int number, int crc = 0) {
    return {{"row", row}, {"memoryType", memoryType}, {"number", number}, {"crc", crc}};
}

inline TimeBaseSchedule schedule(uint16_t dayPlan, uint16_t month, uint8_t day, uint32_t date = 0) {
    TimeBaseSchedule s{};
    s.dayPlan = dayPlan;
    s.month = month;
    s.day = day;
    s.date = date;
    return s;
}

// The sign's items as tqGetScheduleList gives them (room for 64), and the
// number of schedule rows when asked.
inline std::vector<ScheduleItem> listed(int32_t* rowCount = nullptr) {
    std::vector<ScheduleItem> items(64);
    std::vector<TimeBaseSchedule> rows(64);
    int32_t n = 64, r = 64;
    EXPECT_EQ(Result(tqGetScheduleList(items.data(), &n, rows.data(), &r)), Result(DMS_OK));
    items.resize(static_cast<size_t>(n));
    if (rowCount) *rowCount = r;
    return items;
}

// No device call since the journal began wrote anything.
inline void expectNoWrite(const SimSign& sign) {
    for (const json& call : sign.journal())
        EXPECT_NE(call["fn"].get<std::string>().rfind("tqSet", 0), 0u) << call.dump();
}

// "dayPlan/event" of every day plan action written, in order: those that
// name an action row, or (cleared) those that name row 0.
inline std::vector<std::string> eventsWritten(const SimSign& sign, bool cleared = false) {
    std::vector<std::string> out;
    for (const json& c : sign.calls("tqSetTimeBaseDayPlanTable"))
        if (c["args"][2] == 5 && (entryBytes(c) == std::string(kActionOid) + "0") == cleared)
            out.push_back(std::to_string(c["args"][0].get<int>()) + "/" + std::to_string(c["args"][1].get<int>()));
    return out;
}

// Action rows written, in order.
inline std::vector<int> actionRowsWritten(const SimSign& sign) {
    std::vector<int> out;
    for (const json& c : sign.calls("tqSetSchActionTable")) out.push_back(c["args"][0]);
    return out;
}

// Vectors rather than json values, so that a braced list of one row stays
// a list.
inline json timebase(const std::vector<json>& schedules, const std::vector<json>& dayPlans,
                     const std::vector<json>& actions) {
    return {{"timebase", {{"schedules", json(schedules)}, {"dayPlans", json(dayPlans)}, {"actions", json(actions)}}}};
}

// Schedule row 1 runs day plan 1 on weekdays; its event 1 at 8:00 names
// action row 1, which shows changeable message `message`.
inline json weekdayPlan(int message = 1) {
    return timebase({scheduleRow(1, 1, kAllMonths, kWeekdays, 0)}, {dayPlanEvent(1, 1, 8, 0, 1)},
                    {actionRow(1, 3, message)});
}

// One field of each item, in order.
template <typename Field>
std::vector<int> fieldOf(const std::vector<ScheduleItem>& items, Field ScheduleItem::*field) {
    std::vector<int> out;
    for (const ScheduleItem& it : items) out.push_back(static_cast<int>(it.*field));
    return out;
}

// The day plan events of the sign's state as "dayPlan/event" texts, for
// events with an action other than 0.
inline std::vector<std::string> usedEvents(const json& state) {
    std::vector<std::string> out;
    for (const json& e : state["timebase"]["dayPlans"]) {
        std::string a = e["action"];
        if (a.empty() || a == std::string(kActionOid) + "0") continue;
        out.push_back(std::to_string(e["dayPlan"].get<int>()) + "/" + std::to_string(e["event"].get<int>()));
    }
    return out;
}

}  // namespace testing_support
