// The simulated NTCIP 1201 time base schedule and day plan tables and the
// NTCIP 1203 action table (dmsActionTable). Their sizes are the sign's
// limits: maxScheduleEntries, maxDayPlans x maxDayPlanEvents, actionRows.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include <nlohmann/json_fwd.hpp>

namespace tqsim {

// One timeBaseScheduleEntry: bitmaps of months, weekdays and days of the
// month, and the day plan that runs on them (0 = row not in use).
struct ScheduleRow {
    uint16_t month = 0;
    uint8_t day = 0;
    uint32_t date = 0;
    uint8_t dayPlan = 0;
};

// One dayPlanEntry: when the event starts and the object identifier of the
// action it runs, kept as dotted text (empty when never written).
struct DayPlanEvent {
    uint8_t hour = 0;
    uint8_t minute = 0;
    std::string action;
};

// One dmsActionEntry: the message ID the action activates.
struct ActionRow {
    uint8_t memoryType = 0;
    uint16_t number = 0;
    uint16_t crc = 0;
};

struct TimeBaseStore {
    // Rows ever written; rows not held read as zeros.
    std::map<int, ScheduleRow> schedules;                   // by schedule row
    std::map<std::pair<int, int>, DayPlanEvent> dayPlans;   // by (day plan, event)
    std::map<int, ActionRow> actions;                       // by action row

    void load(const nlohmann::json& state);
    void save(nlohmann::json& state) const;
};

// Whether text is a dotted object identifier a sign can store: digits and
// dots only, no empty arc, at most 127 characters. Empty text is allowed
// (no action).
bool validActionOid(const std::string& text);

}  // namespace tqsim
