#include "timebase.h"

#include <nlohmann/json.hpp>

#include <cstring>
#include <stdexcept>

#include "../bytes.h"
#include "sign.h"
#include "tqdms/ntcip.h"

namespace tqsim {
namespace {

constexpr size_t kMaxOid = 127;

template <class T>
T member(const nlohmann::json& j, const char* name, uint32_t max) {
    uint32_t v = j.value(name, 0u);
    if (v > max) throw std::invalid_argument(std::string("time base value out of range: ") + name);
    return static_cast<T>(v);
}

int rowOf(const nlohmann::json& j, const char* name, int max) {
    int v = j.at(name).get<int>();
    if (v < 1 || v > max) throw std::invalid_argument(std::string("time base row out of range: ") + name);
    return v;
}

}  // namespace

bool validActionOid(const std::string& text) {
    if (text.size() > kMaxOid) return false;
    if (text.empty()) return true;
    bool digitBefore = text[0] == '.';  // a leading dot is the usual form
    for (size_t i = text[0] == '.' ? 1 : 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '.') {
            if (!digitBefore) return false;
            digitBefore = false;
        } else if (c >= '0' && c <= '9') {
            digitBefore = true;
        } else {
            return false;
        }
    }
    return digitBefore;
}

// The state keeps what the sign's memory holds: widths are checked, while
// the hour, minute and identifier rules apply to writes through the sign,
// so that tests can set up a sign holding odd values.
void TimeBaseStore::load(const nlohmann::json& state) {
    if (!state.contains("timebase")) return;
    const nlohmann::json& t = state.at("timebase");
    if (!t.is_object()) throw std::invalid_argument("timebase must be an object");
    schedules.clear();
    dayPlans.clear();
    actions.clear();
    if (t.contains("schedules")) {
        for (const nlohmann::json& j : t.at("schedules")) {
            ScheduleRow r;
            r.month = member<uint16_t>(j, "month", 0xFFFF);
            r.day = member<uint8_t>(j, "day", 0xFF);
            r.date = member<uint32_t>(j, "date", 0xFFFFFFFFu);
            r.dayPlan = member<uint8_t>(j, "dayPlan", 0xFF);
            schedules[rowOf(j, "row", 65535)] = r;
        }
    }
    if (t.contains("dayPlans")) {
        for (const nlohmann::json& j : t.at("dayPlans")) {
            DayPlanEvent e;
            e.hour = member<uint8_t>(j, "hour", 0xFF);
            e.minute = member<uint8_t>(j, "minute", 0xFF);
            e.action = j.value("action", "");
            if (e.action.size() > kMaxOid) throw std::invalid_argument("day plan action too long");
            dayPlans[{rowOf(j, "dayPlan", 255), rowOf(j, "event", 255)}] = e;
        }
    }
    if (t.contains("actions")) {
        for (const nlohmann::json& j : t.at("actions")) {
            ActionRow a;
            a.memoryType = member<uint8_t>(j, "memoryType", 0xFF);
            a.number = member<uint16_t>(j, "number", 0xFFFF);
            a.crc = member<uint16_t>(j, "crc", 0xFFFF);
            actions[rowOf(j, "row", 65535)] = a;
        }
    }
}

void TimeBaseStore::save(nlohmann::json& state) const {
    nlohmann::json s = nlohmann::json::array(), d = nlohmann::json::array(), a = nlohmann::json::array();
    for (const auto& kv : schedules) {
        const ScheduleRow& r = kv.second;
        if (!r.month && !r.day && !r.date && !r.dayPlan) continue;
        s.push_back({{"row", kv.first}, {"month", r.month}, {"day", r.day}, {"date", r.date}, {"dayPlan", r.dayPlan}});
    }
    for (const auto& kv : dayPlans) {
        const DayPlanEvent& e = kv.second;
        if (!e.hour && !e.minute && e.action.empty()) continue;
        d.push_back({{"dayPlan", kv.first.first}, {"event", kv.first.second}, {"hour", e.hour},
                     {"minute", e.minute}, {"action", e.action}});
    }
    for (const auto& kv : actions) {
        const ActionRow& r = kv.second;
        if (!r.memoryType && !r.number && !r.crc) continue;
        a.push_back({{"row", kv.first}, {"memoryType", r.memoryType}, {"number", r.number}, {"crc", r.crc}});
    }
    state["timebase"] = {{"schedules", s}, {"dayPlans", d}, {"actions", a}};
}

// timeBase scalars: maxTimeBaseScheduleEntries, maxDayPlans, maxDayPlanEvents
// (the tables have calls of their own).
uint32_t SimSign::getTimeBase(int object, void* buf, int len) {
    switch (object) {
    case NTCIP_MAX_TIME_BASE_SCHEDULE_ENTRIES: return tqdms::putInt(buf, len, limits.maxScheduleEntries);
    case NTCIP_MAX_DAY_PLANS: return tqdms::putInt(buf, len, limits.maxDayPlans);
    case NTCIP_MAX_DAY_PLAN_EVENTS: return tqdms::putInt(buf, len, limits.maxDayPlanEvents);
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

uint32_t SimSign::getTimeBaseSchTable(int row, int column, void* buf, int len) {
    if (row < 1 || row > limits.maxScheduleEntries) return TQDMS_E_NO_SUCH_NAME;
    auto it = timebase.schedules.find(row);
    ScheduleRow r = it == timebase.schedules.end() ? ScheduleRow() : it->second;
    switch (column) {
    case NTCIP_SCHEDULE_NUMBER: return tqdms::putInt(buf, len, row);
    case NTCIP_SCHEDULE_MONTH: return tqdms::putInt(buf, len, r.month);
    case NTCIP_SCHEDULE_DAY: return tqdms::putInt(buf, len, r.day);
    case NTCIP_SCHEDULE_DATE: return tqdms::putInt(buf, len, r.date);
    case NTCIP_SCHEDULE_DAY_PLAN: return tqdms::putInt(buf, len, r.dayPlan);
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

uint32_t SimSign::setTimeBaseSchTable(int row, int column, const void* buf, int len) {
    if (row < 1 || row > limits.maxScheduleEntries) return TQDMS_E_NO_SUCH_NAME;
    if (column == NTCIP_SCHEDULE_NUMBER) return TQDMS_E_READ_ONLY;
    if (column < NTCIP_SCHEDULE_MONTH || column > NTCIP_SCHEDULE_DAY_PLAN) return TQDMS_E_NO_SUCH_NAME;
    uint32_t v = 0;
    if (!tqdms::getUInt(buf, len, v)) return TQDMS_E_BAD_VALUE;
    ScheduleRow& r = timebase.schedules[row];
    switch (column) {
    case NTCIP_SCHEDULE_MONTH:
        if (v > 0xFFFF) return TQDMS_E_BAD_VALUE;
        r.month = static_cast<uint16_t>(v);
        break;
    case NTCIP_SCHEDULE_DAY:
        if (v > 0xFF) return TQDMS_E_BAD_VALUE;
        r.day = static_cast<uint8_t>(v);
        break;
    case NTCIP_SCHEDULE_DATE: r.date = v; break;
    default:  // NTCIP_SCHEDULE_DAY_PLAN
        // A schedule names a day plan the sign has, or 0 (not in use).
        if (v > static_cast<uint32_t>(limits.maxDayPlans)) return TQDMS_E_BAD_VALUE;
        r.dayPlan = static_cast<uint8_t>(v);
        break;
    }
    return TQDMS_OK;
}

uint32_t SimSign::getTimeBaseDayPlanTable(int dayPlan, int event, int column, void* buf, int len) {
    if (dayPlan < 1 || dayPlan > limits.maxDayPlans || event < 1 || event > limits.maxDayPlanEvents)
        return TQDMS_E_NO_SUCH_NAME;
    auto it = timebase.dayPlans.find({dayPlan, event});
    DayPlanEvent e = it == timebase.dayPlans.end() ? DayPlanEvent() : it->second;
    switch (column) {
    case NTCIP_DAY_PLAN_NUMBER: return tqdms::putInt(buf, len, dayPlan);
    case NTCIP_DAY_PLAN_EVENT_NUMBER: return tqdms::putInt(buf, len, event);
    case NTCIP_DAY_PLAN_HOUR: return tqdms::putInt(buf, len, e.hour);
    case NTCIP_DAY_PLAN_MINUTE: return tqdms::putInt(buf, len, e.minute);
    case NTCIP_DAY_PLAN_ACTION: return tqdms::putText(buf, len, e.action);
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

uint32_t SimSign::setTimeBaseDayPlanTable(int dayPlan, int event, int column, const void* buf, int len) {
    if (dayPlan < 1 || dayPlan > limits.maxDayPlans || event < 1 || event > limits.maxDayPlanEvents)
        return TQDMS_E_NO_SUCH_NAME;
    if (column == NTCIP_DAY_PLAN_NUMBER || column == NTCIP_DAY_PLAN_EVENT_NUMBER) return TQDMS_E_READ_ONLY;
    if (column < NTCIP_DAY_PLAN_HOUR || column > NTCIP_DAY_PLAN_ACTION) return TQDMS_E_NO_SUCH_NAME;
    if (column == NTCIP_DAY_PLAN_ACTION) {
        std::string text = tqdms::getText(buf, len);
        if (!validActionOid(text)) return TQDMS_E_BAD_VALUE;
        timebase.dayPlans[{dayPlan, event}].action = text;
        return TQDMS_OK;
    }
    uint32_t v = 0;
    if (!tqdms::getUInt(buf, len, v)) return TQDMS_E_BAD_VALUE;
    if (v > (column == NTCIP_DAY_PLAN_HOUR ? 23u : 59u)) return TQDMS_E_BAD_VALUE;
    DayPlanEvent& e = timebase.dayPlans[{dayPlan, event}];
    (column == NTCIP_DAY_PLAN_HOUR ? e.hour : e.minute) = static_cast<uint8_t>(v);
    return TQDMS_OK;
}

// dmsNumActionTableEntries: every row of the action table exists.
uint32_t SimSign::getNumActionTableEntries(void* buf, int len) { return tqdms::putInt(buf, len, limits.actionRows); }

// An action row travels as 6 bytes: memory type, one unused byte, message
// number and CRC as 16-bit host-order values.
uint32_t SimSign::getSchActionTable(int row, void* entry, int len) {
    if (row < 1 || row > limits.actionRows) return TQDMS_E_NO_SUCH_NAME;
    if (len < 6) return TQDMS_E_BAD_VALUE;
    auto it = timebase.actions.find(row);
    ActionRow a = it == timebase.actions.end() ? ActionRow() : it->second;
    auto* p = static_cast<uint8_t*>(entry);
    p[0] = a.memoryType;
    p[1] = 0;
    std::memcpy(p + 2, &a.number, 2);
    std::memcpy(p + 4, &a.crc, 2);
    return TQDMS_OK;
}

uint32_t SimSign::setSchActionTable(int row, const void* entry, int len) {
    if (row < 1 || row > limits.actionRows) return TQDMS_E_NO_SUCH_NAME;
    if (len != 6) return TQDMS_E_BAD_VALUE;
    const auto* p = static_cast<const uint8_t*>(entry);
    // Any memory type (other .. blank); 0 leaves the row empty.
    if (p[0] > NTCIP_MEM_BLANK) return TQDMS_E_BAD_VALUE;
    ActionRow a;
    a.memoryType = p[0];
    std::memcpy(&a.number, p + 2, 2);
    std::memcpy(&a.crc, p + 4, 2);
    timebase.actions[row] = a;
    return TQDMS_OK;
}

}  // namespace tqsim
