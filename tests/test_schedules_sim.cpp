// The simulated sign's time base: limits, the schedule, day plan and
// action tables, their checks on writes and their place in the state.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/result.h"
#include "support/schedules.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using namespace testing_support;

namespace {

uint32_t limit(int object) {
    uint32_t v = 0xFFFF;
    EXPECT_EQ(Result(tqGetTimeBase(object, &v, 4)), Result(TQDMS_OK));
    return v;
}

TEST(SimTimeBase, LimitsAndScheduleRows) {
    SimSign sign(json{{"limits", {{"maxScheduleEntries", 4}, {"maxDayPlans", 6}, {"maxDayPlanEvents", 9}}}});
    EXPECT_EQ(std::vector<uint32_t>({limit(1), limit(3), limit(4)}), std::vector<uint32_t>({4, 6, 9}));
    uint32_t v = 0;
    EXPECT_EQ(Result(tqGetTimeBase(NTCIP_TIME_BASE_SCHEDULE_TABLE, &v, 4)), Result(TQDMS_E_NO_SUCH_NAME));

    // Values little-endian in `len` bytes.
    struct Set { int row, column; uint32_t value; int len; uint32_t rc; } sets[] = {
        {4, NTCIP_SCHEDULE_MONTH, 0x1FFE, 2, TQDMS_OK}, {4, NTCIP_SCHEDULE_DAY, 0x7C, 1, TQDMS_OK},
        {4, NTCIP_SCHEDULE_DATE, 0xFFFFFFFE, 4, TQDMS_OK}, {4, NTCIP_SCHEDULE_DAY_PLAN, 6, 4, TQDMS_OK},
        {4, NTCIP_SCHEDULE_DAY_PLAN, 7, 4, TQDMS_E_BAD_VALUE},  // above maxDayPlans
        {5, NTCIP_SCHEDULE_DAY_PLAN, 7, 4, TQDMS_E_NO_SUCH_NAME}, {4, NTCIP_SCHEDULE_NUMBER, 7, 4, TQDMS_E_READ_ONLY},
        {4, NTCIP_SCHEDULE_MONTH, 7, 3, TQDMS_E_BAD_VALUE}};
    for (const Set& c : sets)
        EXPECT_EQ(Result(tqSetTimeBaseSchTable(c.row, c.column, &c.value, c.len)), Result(c.rc)) << c.row << "/" << c.column;
    uint16_t p = 0;
    uint8_t number = 0;
    ASSERT_EQ(Result(tqGetTimeBaseSchTable(4, NTCIP_SCHEDULE_DAY_PLAN, &p, 2)), Result(TQDMS_OK));
    ASSERT_EQ(Result(tqGetTimeBaseSchTable(4, NTCIP_SCHEDULE_NUMBER, &number, 1)), Result(TQDMS_OK));
    EXPECT_EQ(p, 6);
    EXPECT_EQ(number, 4);
    ASSERT_EQ(Result(tqGetTimeBaseSchTable(3, NTCIP_SCHEDULE_DAY_PLAN, &p, 2)), Result(TQDMS_OK));
    EXPECT_EQ(p, 0);  // never written: not in use
    EXPECT_EQ(sign.state()["timebase"]["schedules"], json::array({scheduleRow(4, 6, 0x1FFE, 0x7C, 0xFFFFFFFE)}));
}

TEST(SimTimeBase, DayPlanEventsCheckTimesAndIdentifiers) {
    SimSign sign(json{{"limits", {{"maxDayPlans", 2}, {"maxDayPlanEvents", 3}}}});
    struct Set { int dayPlan, event, column; uint32_t value, rc; } sets[] = {
        {2, 3, NTCIP_DAY_PLAN_HOUR, 23, TQDMS_OK}, {2, 3, NTCIP_DAY_PLAN_MINUTE, 59, TQDMS_OK},
        {2, 3, NTCIP_DAY_PLAN_HOUR, 24, TQDMS_E_BAD_VALUE}, {2, 3, NTCIP_DAY_PLAN_MINUTE, 60, TQDMS_E_BAD_VALUE},
        {3, 1, NTCIP_DAY_PLAN_HOUR, 1, TQDMS_E_NO_SUCH_NAME}, {1, 4, NTCIP_DAY_PLAN_HOUR, 1, TQDMS_E_NO_SUCH_NAME},
        {1, 1, NTCIP_DAY_PLAN_EVENT_NUMBER, 1, TQDMS_E_READ_ONLY}};
    for (const Set& c : sets)
        EXPECT_EQ(Result(tqSetTimeBaseDayPlanTable(c.dayPlan, c.event, c.column, &c.value, 4)), Result(c.rc))
            << c.dayPlan << "/" << c.event << "/" << c.column << " = " << c.value;
    for (const char* bad : {"abc", "1..2", ".1.3.", "..", ".1.3.6 "})
        EXPECT_EQ(Result(tqSetTimeBaseDayPlanTable(2, 3, NTCIP_DAY_PLAN_ACTION, bad, static_cast<int>(std::strlen(bad)))),
                  Result(TQDMS_E_BAD_VALUE))
            << bad;
    const std::string oid = std::string(kActionOid) + "17";
    ASSERT_EQ(Result(tqSetTimeBaseDayPlanTable(2, 3, NTCIP_DAY_PLAN_ACTION, oid.c_str(), static_cast<int>(oid.size()))),
              Result(TQDMS_OK));
    std::string tooLong(128, '1');
    EXPECT_EQ(Result(tqSetTimeBaseDayPlanTable(2, 3, NTCIP_DAY_PLAN_ACTION, tooLong.c_str(), 128)),
              Result(TQDMS_E_BAD_VALUE));

    uint8_t hm[2] = {};
    ASSERT_EQ(Result(tqGetTimeBaseDayPlanTable(2, 3, NTCIP_DAY_PLAN_HOUR, &hm[0], 1)), Result(TQDMS_OK));
    ASSERT_EQ(Result(tqGetTimeBaseDayPlanTable(2, 3, NTCIP_DAY_PLAN_MINUTE, &hm[1], 1)), Result(TQDMS_OK));
    EXPECT_EQ(std::vector<int>({hm[0], hm[1]}), std::vector<int>({23, 59}));
    char text[128];
    ASSERT_EQ(Result(tqGetTimeBaseDayPlanTable(2, 3, NTCIP_DAY_PLAN_ACTION, text, sizeof text)), Result(TQDMS_OK));
    EXPECT_EQ(oid, text);
    char small[8];
    ASSERT_EQ(Result(tqGetTimeBaseDayPlanTable(2, 3, NTCIP_DAY_PLAN_ACTION, small, sizeof small)), Result(TQDMS_OK));
    EXPECT_STREQ(small, ".1.3.6.");  // cut, still terminated
    ASSERT_EQ(Result(tqGetTimeBaseDayPlanTable(1, 1, NTCIP_DAY_PLAN_ACTION, text, sizeof text)), Result(TQDMS_OK));
    EXPECT_STREQ(text, "");
    EXPECT_EQ(sign.state()["timebase"]["dayPlans"], json::array({dayPlanEvent(2, 3, 23, 59, 17)}));
}

TEST(SimTimeBase, ActionTableRowsAndState) {
    SimSign sign(json{{"limits", {{"actionRows", 5}}}});
    uint32_t rows = 0;
    ASSERT_EQ(Result(tqGetNumActionTableEntries(&rows, 4)), Result(TQDMS_OK));
    EXPECT_EQ(rows, 5u);
    const uint8_t row[6] = {4, 0x77, 0x34, 0x12, 0xCD, 0xAB};
    ASSERT_EQ(Result(tqSetSchActionTable(5, row, 6)), Result(TQDMS_OK));
    EXPECT_EQ(Result(tqSetSchActionTable(6, row, 6)), Result(TQDMS_E_NO_SUCH_NAME));
    EXPECT_EQ(Result(tqSetSchActionTable(0, row, 6)), Result(TQDMS_E_NO_SUCH_NAME));
    EXPECT_EQ(Result(tqSetSchActionTable(1, row, 5)), Result(TQDMS_E_BAD_VALUE));
    const uint8_t badType[6] = {8, 0, 1, 0, 0, 0};
    EXPECT_EQ(Result(tqSetSchActionTable(1, badType, 6)), Result(TQDMS_E_BAD_VALUE));
    uint8_t back[6];
    std::memset(back, 0xEE, sizeof back);
    ASSERT_EQ(Result(tqGetSchActionTable(5, back, 6)), Result(TQDMS_OK));
    const uint8_t want[6] = {4, 0, 0x34, 0x12, 0xCD, 0xAB};  // the unused byte is not kept
    EXPECT_EQ(std::memcmp(back, want, 6), 0);
    EXPECT_EQ(Result(tqGetSchActionTable(2, back, 4)), Result(TQDMS_E_BAD_VALUE));
    EXPECT_EQ(sign.state()["timebase"]["actions"], json::array({actionRow(5, 4, 0x1234, 0xABCD)}));

    // The state takes rows as they stand, refuses values that do not fit
    // their width, and a refused state changes nothing.
    sign.patch(timebase({scheduleRow(1, 2, 1, 2, 3)}, {dayPlanEvent(2, 1, 99, 99, 3)}, {actionRow(3, 3, 9)}));
    uint8_t h = 0;
    ASSERT_EQ(Result(tqGetTimeBaseDayPlanTable(2, 1, NTCIP_DAY_PLAN_HOUR, &h, 1)), Result(TQDMS_OK));
    EXPECT_EQ(h, 99);
    EXPECT_NE(Result(tqsimPatchState(timebase({scheduleRow(1, 300, 1, 2, 3)}, {}, {}).dump().c_str())),
              Result(TQDMS_OK));
    EXPECT_NE(Result(tqsimPatchState(R"({"timebase":{"actions":[{"row":0}]}})")), Result(TQDMS_OK));
    EXPECT_EQ(sign.state()["timebase"]["schedules"][0]["dayPlan"], 2);
    // Faults reach these functions like every other.
    sign.fault({{"fn", "tqGetSchActionTable"}, {"args", {3}}, {"result", 0x42}});
    EXPECT_EQ(tqGetSchActionTable(3, back, 6), 0x42u);
    EXPECT_EQ(Result(tqGetSchActionTable(3, back, 6)), Result(TQDMS_OK));
    EXPECT_EQ(back[2], 9);
}

}  // namespace
