// tqSendSchedulesWithClear: clearing day plans, schedule rows given or
// derived from the items, action rows and events numbered per day plan.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "support/result.h"
#include "support/schedules.h"
#include "support/sim_sign.h"

using namespace testing_support;

namespace {

// Schedule rows written with their day plan column, in order.
std::vector<int> rowWrites(const SimSign& sign) {
    std::vector<int> out;
    for (const json& c : sign.calls("tqSetTimeBaseSchTable"))
        if (c["args"][1] == 5 && c["len"] == 1) out.push_back(c["args"][0]);
    return out;
}

json smallSign() { return {{"limits", {{"maxScheduleEntries", 8}, {"maxDayPlans", 8}, {"maxDayPlanEvents", 12}}}}; }

TEST(SendSchedulesWithClear, EventsNumberedPerDayPlanInItemOrder) {
    SimSign sign(smallSign());
    ScheduleItem items[3] = {item(1, 2, 0, 7, 0, 10, 3, 0x55, 5), item(1, 2, 0, 8, 0, 11, 3, 0, 5),
                             item(4, 8, 0, 9, 0, 10, 3, 0, 6)};
    TimeBaseSchedule rows[2] = {schedule(6, 4, 8, 0), schedule(5, 1, 2, 0)};
    int32_t n = 3, r = 2;
    ASSERT_EQ(Result(tqSendSchedulesWithClear(items, &n, rows, &r)), Result(DMS_OK));
    EXPECT_EQ(eventsWritten(sign), std::vector<std::string>({"5/1", "5/2", "6/1"}));
    // The given rows are written in their order, each with its day plan first.
    EXPECT_EQ(rowWrites(sign), std::vector<int>({6, 5}));
    // One action row per message, in order of first use, CRC 0.
    auto actions = sign.calls("tqSetSchActionTable");
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0]["args"], json::array({1}));
    EXPECT_EQ(actions[0]["data"], "03000a000000");
    EXPECT_EQ(actions[1]["data"], "03000b000000");
    auto events = sign.calls("tqSetTimeBaseDayPlanTable");
    EXPECT_EQ(entryBytes(events.back()), std::string(kActionOid) + "1");  // 6/1 shows message 10 again
    EXPECT_EQ(usedEvents(sign.state()), std::vector<std::string>({"5/1", "5/2", "6/1"}));
    // Every schedule row was taken out of use first, with 4 zero bytes.
    auto sch = sign.calls("tqSetTimeBaseSchTable");
    ASSERT_GE(sch.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(sch[static_cast<size_t>(i)]["args"], json::array({i + 1, 5}));
        EXPECT_EQ(sch[static_cast<size_t>(i)]["data"], hex32(0));
    }
    // Progress goes from 0 to 100 without going back.
    auto& progress = SimSign::progress();
    ASSERT_FALSE(progress.empty());
    for (size_t i = 1; i < progress.size(); ++i) EXPECT_GE(progress[i].second, progress[i - 1].second);
    EXPECT_EQ(progress.back(), std::make_pair(0, 100));
}

TEST(SendSchedulesWithClear, RowsDerivedFromTheItemsInOrderOfFirstUse) {
    SimSign sign(smallSign());
    // Day plans 5 and 6 hold events; 5 is cleared before 6.
    sign.patch(timebase({scheduleRow(1, 5, 1, 1, 0), scheduleRow(2, 6, 1, 1, 0)},
                        {dayPlanEvent(5, 1, 1, 0, 1), dayPlanEvent(5, 2, 1, 0, 1), dayPlanEvent(6, 1, 1, 0, 1)},
                        {actionRow(1, 3, 1)}));
    ScheduleItem items[3] = {item(0x10, 0x02, 0, 7, 0, 10, 3, 0, 5), item(0x20, 0x04, 9, 8, 0, 11, 3, 0, 6),
                             item(0x40, 0x08, 0, 9, 0, 12, 3, 0, 5)};
    int32_t n = 3;
    ASSERT_EQ(Result(tqSendSchedulesWithClear(items, &n, nullptr, nullptr)), Result(DMS_OK));
    // Each day plan is cleared from event 1 up to the first free one of
    // events 1, 11, 21, ...: here events 1 to 10 of day plan 5, then of 6.
    auto cleared = eventsWritten(sign, true);
    ASSERT_EQ(cleared.size(), 20u);
    EXPECT_EQ(cleared[0], "5/1");
    EXPECT_EQ(cleared[9], "5/10");
    EXPECT_EQ(cleared[10], "6/1");
    EXPECT_EQ(rowWrites(sign), std::vector<int>({5, 6}));
    EXPECT_EQ(eventsWritten(sign), std::vector<std::string>({"5/1", "6/1", "5/2"}));
    // Rows 5 and 6 carry the timetables of the first and second item.
    const json rows = sign.state()["timebase"]["schedules"];
    // Rows 1 and 2 were taken out of use.
    EXPECT_EQ(rows, json::array({scheduleRow(1, 0, 1, 1, 0), scheduleRow(2, 0, 1, 1, 0),
                                 scheduleRow(5, 5, 0x10, 0x02, 0), scheduleRow(6, 6, 0x20, 0x04, 9)}));
}

TEST(SendSchedulesWithClear, ClearingLooksAtEveryTenthEvent) {
    SimSign sign(smallSign());
    std::vector<json> events;
    for (int e = 1; e <= 12; ++e) events.push_back(dayPlanEvent(2, e, 1, 0, 1));  // 12 used
    for (int e = 1; e <= 10; ++e) events.push_back(dayPlanEvent(3, e, 1, 0, 1));  // 11 free
    sign.patch(timebase({}, events, {actionRow(1, 3, 1)}));
    ScheduleItem items[3] = {item(1, 1, 0, 1, 0, 1, 3, 0, 2), item(1, 1, 0, 1, 0, 1, 3, 0, 3),
                             item(1, 1, 0, 1, 0, 1, 3, 0, 4)};
    int32_t n = 3;
    ASSERT_EQ(Result(tqSendSchedulesWithClear(items, &n, nullptr, nullptr)), Result(DMS_OK));
    std::map<char, int> cleared;  // events cleared per day plan
    for (const std::string& c : eventsWritten(sign, true)) ++cleared[c[0]];
    EXPECT_EQ(cleared, (std::map<char, int>{{'2', 12}, {'3', 10}}));
    std::vector<int> looked;
    for (const json& c : sign.calls("tqGetTimeBaseDayPlanTable"))
        if (c["args"][0] == 2) looked.push_back(c["args"][1]);
    EXPECT_EQ(looked, std::vector<int>({1, 11}));
    EXPECT_EQ(usedEvents(sign.state()), std::vector<std::string>({"2/1", "3/1", "4/1"}));
}

TEST(SendSchedulesWithClear, DayPlansFromOneToTheSignsLast) {
    // smallSign has 8 day plans: 8 itself is taken, as item and as row.
    struct Case { uint16_t dayPlan; uint32_t result; } cases[] = {
        {0, DMS_E_ARGUMENT}, {1, DMS_OK}, {8, DMS_OK}, {9, DMS_E_ARGUMENT}};
    for (const Case& c : cases) {
        SimSign sign(smallSign());
        ScheduleItem it = item(1, 1, 0, 1, 0, 1, 3, 0, c.dayPlan);
        int32_t n = 1;
        EXPECT_EQ(Result(tqSendSchedulesWithClear(&it, &n, nullptr, nullptr)), Result(c.result)) << c.dayPlan;
        TimeBaseSchedule row = schedule(c.dayPlan, 1, 1, 0);
        ScheduleItem first = item(1, 1, 0, 1, 0, 1, 3, 0, 1);
        int32_t r = 1;
        if (c.dayPlan != 1) {  // item and row on different day plans: the row is what is checked
            EXPECT_EQ(Result(tqSendSchedulesWithClear(&first, &n, &row, &r)), Result(c.result)) << c.dayPlan;
        }
        if (c.result == DMS_OK) {
            ASSERT_FALSE(eventsWritten(sign).empty());
            EXPECT_EQ(eventsWritten(sign).front(), std::to_string(c.dayPlan) + "/1");
        }
    }
}

TEST(SendSchedulesWithClear, RefusedInputChangesNothing) {
    SimSign sign(smallSign());
    ScheduleItem ok = item(1, 1, 0, 1, 0, 1, 3, 0, 1);
    TimeBaseSchedule rows[9];
    for (int i = 0; i < 9; ++i) rows[i] = schedule(static_cast<uint16_t>(i % 8 + 1), 1, 1, 0);
    int32_t n = 1, r = 9;
    EXPECT_EQ(Result(tqSendSchedulesWithClear(&ok, &n, rows, &r)),
              Result(DMS_E_NO_FREE));  // more rows than the sign has
    r = 1;
    EXPECT_EQ(Result(tqSendSchedulesWithClear(&ok, &n, rows, nullptr)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqSendSchedulesWithClear(&ok, &n, nullptr, &r)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqSendSchedulesWithClear(nullptr, &n, nullptr, nullptr)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqSendSchedulesWithClear(&ok, nullptr, nullptr, nullptr)), Result(DMS_E_ARGUMENT));
    ScheduleItem high = item(1, 1, 0, 1, 0, 1, 3, 0, 9), zero = item(1, 1, 0, 1, 0, 1, 3, 0, 0);
    EXPECT_EQ(Result(tqSendSchedulesWithClear(&high, &n, nullptr, nullptr)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqSendSchedulesWithClear(&zero, &n, nullptr, nullptr)), Result(DMS_E_ARGUMENT));
    std::vector<ScheduleItem> crowd(13, ok);  // 13 events in one day plan of 12
    n = 13;
    EXPECT_EQ(Result(tqSendSchedulesWithClear(crowd.data(), &n, nullptr, nullptr)), Result(DMS_E_NO_FREE));
    std::vector<ScheduleItem> messages;
    for (int i = 0; i < 129; ++i) messages.push_back(item(1, 1, 0, 1, 0, static_cast<uint16_t>(i + 1), 3, 0,
                                                          static_cast<uint16_t>(i % 8 + 1)));
    expectNoWrite(sign);
    n = 129;
    SimSign wide(json{{"limits", {{"maxDayPlanEvents", 20}}}});
    EXPECT_EQ(Result(tqSendSchedulesWithClear(messages.data(), &n, nullptr, nullptr)), Result(DMS_E_NO_FREE));
    expectNoWrite(wide);
}

}  // namespace
