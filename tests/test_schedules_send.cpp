// tqSendSchedules: duplicates left out, day plan choice, event numbers and
// action rows shared and reused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "schedules/schedule.h"
#include "support/result.h"
#include "support/schedules.h"
#include "support/sim_sign.h"

using namespace testing_support;

namespace {

TEST(SendSchedules, EmptySignGetsDayPlanRowEventAndActionOne) {
    SimSign sign;
    ScheduleItem items[1] = {item(kAllMonths, kWeekdays, 0, 7, 30, 12, 3, 0xBEEF)};
    items[0].dayPlan = 9;  // chosen by the library, not by the caller
    int32_t count = 1;
    ASSERT_EQ(Result(tqSendSchedules(items, &count)), Result(DMS_OK));
    EXPECT_EQ(count, 1);
    auto rows = sign.calls("tqSetTimeBaseSchTable");
    ASSERT_EQ(rows.size(), 4u);
    const int columns[] = {2, 3, 4, 5};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(rows[i]["args"], json::array({1, columns[i]}));
    EXPECT_EQ(rows[3]["len"], 4);
    EXPECT_EQ(rows[3]["data"], hex32(1));
    auto actions = sign.calls("tqSetSchActionTable");
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0]["args"], json::array({1}));
    EXPECT_EQ(actions[0]["data"], "03000c00efbe");
    auto events = sign.calls("tqSetTimeBaseDayPlanTable");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0]["args"], json::array({1, 1, 3}));
    EXPECT_EQ(events[0]["data"], hex32(7));
    EXPECT_EQ(events[1]["data"], hex32(30));
    EXPECT_EQ(entryBytes(events[2]), std::string(kActionOid) + "1");
    EXPECT_EQ(events[2]["len"], static_cast<int>(std::strlen(kActionOid)) + 1);

    auto back = listed();
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].dayPlan, 1);
    EXPECT_TRUE(dms::sameSchedule(back[0], items[0]));
    EXPECT_EQ(back[0].crc, 0xBEEF);
}

TEST(SendSchedules, KnownItemsLeftOutAndNewOnesMovedToTheFront) {
    SimSign sign;
    ScheduleItem a = item(kAllMonths, kWeekdays, 0, 6, 0, 1);
    int32_t count = 1;
    ASSERT_EQ(Result(tqSendSchedules(&a, &count)), Result(DMS_OK));

    // The same item again: nothing is written, the count comes back 0.
    // Day plan and CRC do not make an item different.
    ScheduleItem again = a;
    again.dayPlan = 4;
    again.crc = 0x1234;
    sign.clearJournal();
    count = 1;
    ASSERT_EQ(Result(tqSendSchedules(&again, &count)), Result(DMS_OK));
    EXPECT_EQ(count, 0);
    expectNoWrite(sign);

    ScheduleItem b = item(kAllMonths, kWeekdays, 0, 7, 0, 2), c = item(0x0006, 0x41, 0, 8, 0, 3),
                 d = item(kAllMonths, 0, 0x2, 9, 15, 4, 4);
    ScheduleItem mixed[4] = {b, again, c, d};
    count = 4;
    ASSERT_EQ(Result(tqSendSchedules(mixed, &count)), Result(DMS_OK));
    ASSERT_EQ(count, 3);
    const ScheduleItem front[3] = {b, c, d};
    EXPECT_EQ(std::memcmp(mixed, front, sizeof front), 0);
    EXPECT_EQ(listed().size(), 4u);

    // Three new ones, the first matching nothing: all kept in place.
    ScheduleItem fresh[3] = {item(kAllMonths, kWeekdays, 0, 10, 0, 5), item(kAllMonths, kWeekdays, 0, 11, 0, 6),
                             item(kAllMonths, kWeekdays, 0, 12, 0, 7)};
    ScheduleItem copy[3];
    std::memcpy(copy, fresh, sizeof fresh);
    count = 3;
    ASSERT_EQ(Result(tqSendSchedules(fresh, &count)), Result(DMS_OK));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(std::memcmp(fresh, copy, sizeof fresh), 0);
    EXPECT_EQ(listed().size(), 7u);

    EXPECT_EQ(Result(tqSendSchedules(nullptr, &count)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqSendSchedules(fresh, nullptr)), Result(DMS_E_ARGUMENT));
    count = -1;
    EXPECT_EQ(Result(tqSendSchedules(fresh, &count)), Result(DMS_E_ARGUMENT));
}

TEST(SendSchedules, DayPlanJoinedOrChosenAtTheFirstGap) {
    // Day plan 1 runs weekdays; an item on weekdays joins it at event 2
    // without a schedule row being written, and reuses its action row.
    SimSign sign(weekdayPlan(5));
    ScheduleItem join = item(kAllMonths, kWeekdays, 0, 17, 0, 5, 3, 0x99);
    int32_t count = 1;
    ASSERT_EQ(Result(tqSendSchedules(&join, &count)), Result(DMS_OK));
    EXPECT_TRUE(sign.calls("tqSetTimeBaseSchTable").empty());
    EXPECT_EQ(eventsWritten(sign), std::vector<std::string>({"1/2"}));
    auto actions = sign.calls("tqSetSchActionTable");
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0]["args"], json::array({1}));

    // Day plans 1, 2 and 4 in schedule rows 1, 2 and 4: a new timetable
    // takes day plan 3 and schedule row 3, listed between them.
    SimSign rowsInOrder(
        timebase({scheduleRow(1, 1, 1, 1, 0), scheduleRow(2, 2, 2, 2, 0), scheduleRow(4, 4, 4, 4, 0)},
                 {dayPlanEvent(1, 1, 1, 0, 1), dayPlanEvent(2, 1, 2, 0, 1), dayPlanEvent(4, 1, 4, 0, 1)},
                 {actionRow(1, 3, 1)}));
    EXPECT_EQ(listed().size(), 3u);
    ScheduleItem fresh = item(8, 8, 0, 3, 0, 1);
    count = 1;
    ASSERT_EQ(Result(tqSendSchedules(&fresh, &count)), Result(DMS_OK));
    auto rows = rowsInOrder.calls("tqSetTimeBaseSchTable");
    ASSERT_EQ(rows.size(), 4u);
    for (const json& r : rows) EXPECT_EQ(r["args"][0], 3);
    EXPECT_EQ(rows[3]["data"], hex32(3));
    EXPECT_EQ(eventsWritten(rowsInOrder), std::vector<std::string>({"3/1"}));
    auto all = listed();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[2].dayPlan, 3);
    EXPECT_EQ(all[3].dayPlan, 4);

    // Two new items with one new timetable share their new day plan.
    SimSign empty;
    ScheduleItem two[2] = {item(2, 2, 0, 5, 0, 1), item(2, 2, 0, 6, 0, 2)};
    count = 2;
    ASSERT_EQ(Result(tqSendSchedules(two, &count)), Result(DMS_OK));
    EXPECT_EQ(empty.calls("tqSetTimeBaseSchTable").size(), 4u);
    EXPECT_EQ(eventsWritten(empty), std::vector<std::string>({"1/1", "1/2"}));
}

std::vector<int64_t> numbered(std::vector<int64_t> ev, const std::vector<bool>& fresh, uint32_t maxEvents,
                              uint32_t expect = DMS_OK) {
    EXPECT_EQ(Result(dms::numberDayPlanEvents(ev, fresh, maxEvents)), Result(expect));
    return ev;
}

TEST(SendSchedules, EventNumbersBelowBetweenAndAfterTheSignsEvents) {
    const std::vector<bool> signThenThree = {false, false, true, true, true};
    EXPECT_EQ(numbered({1, 3, 0, 0, 0}, signThenThree, 16), std::vector<int64_t>({1, 3, 2, 4, 5}));
    EXPECT_EQ(numbered({3, 0, 0, 0}, {false, true, true, true}, 16), std::vector<int64_t>({3, 1, 2, 4}));
    EXPECT_EQ(numbered({0, 0, 0}, {true, true, true}, 16), std::vector<int64_t>({1, 2, 3}));
    EXPECT_EQ(numbered({1, 2, 3, 0, 0}, signThenThree, 16), std::vector<int64_t>({1, 2, 3, 4, 5}));
    // A wider gap is filled before anything goes above the last event.
    auto wide = numbered({1, 5, 0, 0, 0, 0}, {false, false, true, true, true, true}, 16);
    EXPECT_EQ(std::set<int64_t>(wide.begin() + 2, wide.end()), std::set<int64_t>({2, 3, 4, 6}));
    // No room: the numbers would pass maxDayPlanEvents.
    numbered({1, 2, 0}, {false, false, true}, 2, DMS_E_NO_FREE);
    numbered({0, 0}, {true, true}, 1, DMS_E_NO_FREE);
}

TEST(SendSchedules, ActionRowsSharedByAMessageAndReusedWhenUnused) {
    // Row 1 shows message 5, which an event uses; row 2 shows message 6,
    // which no event uses any more.
    SimSign sign(timebase({scheduleRow(1, 1, 1, 1, 0)}, {dayPlanEvent(1, 1, 8, 0, 1)},
                          {actionRow(1, 3, 5), actionRow(2, 3, 6)}));
    ScheduleItem items[3] = {item(1, 1, 0, 9, 0, 7, 3, 0x11), item(2, 2, 0, 9, 0, 7, 3, 0x22),
                             item(2, 2, 0, 10, 0, 8)};
    int32_t count = 3;
    ASSERT_EQ(Result(tqSendSchedules(items, &count)), Result(DMS_OK));
    EXPECT_EQ(actionRowsWritten(sign), std::vector<int>({2, 2, 3}));
    const json state = sign.state()["timebase"]["actions"];
    EXPECT_EQ(state, json::array({actionRow(1, 3, 5), actionRow(2, 3, 7, 0x22), actionRow(3, 3, 8)}));
    auto back = listed();
    ASSERT_EQ(back.size(), 4u);
    EXPECT_EQ(back[1].messageNumber, 7);
    EXPECT_EQ(back[2].messageNumber, 7);
}

TEST(SendSchedules, RunningOutOfEventsActionRowsOrEntries) {
    // A day plan holding maxDayPlanEvents events takes no more.
    SimSign full(json{{"limits", {{"maxDayPlanEvents", 2}}}});
    full.patch(timebase({scheduleRow(1, 1, 1, 1, 0)}, {dayPlanEvent(1, 1, 1, 0, 1), dayPlanEvent(1, 2, 2, 0, 1)},
                        {actionRow(1, 3, 1)}));
    ScheduleItem one = item(1, 1, 0, 3, 0, 1);
    int32_t count = 1;
    EXPECT_EQ(Result(tqSendSchedules(&one, &count)), Result(DMS_E_NO_FREE));
    EXPECT_TRUE(full.calls("tqSetTimeBaseDayPlanTable").empty());

    // 128 action rows all showing messages in use: a new message has none.
    std::vector<json> events, actions;
    for (int i = 1; i <= 128; ++i) {
        events.push_back(dayPlanEvent(1, i, i % 24, 0, i));
        actions.push_back(actionRow(i, 3, i));
    }
    SimSign many(json{{"limits", {{"maxDayPlanEvents", 200}, {"actionRows", 200}}}});
    many.patch(timebase({scheduleRow(1, 1, 1, 1, 0)}, events, actions));
    ScheduleItem other = item(1, 1, 0, 3, 30, 500);
    count = 1;
    EXPECT_EQ(Result(tqSendSchedules(&other, &count)), Result(DMS_E_NO_FREE));
    EXPECT_TRUE(many.calls("tqSetSchActionTable").empty());
    // ... while a message already in a row still finds it.
    ScheduleItem known = item(1, 1, 0, 3, 30, 17);
    count = 1;
    EXPECT_EQ(Result(tqSendSchedules(&known, &count)), Result(DMS_OK));

    // 255 entries on the sign: one more is refused.
    events.clear();
    for (int i = 1; i <= 255; ++i) events.push_back(dayPlanEvent(1, i, 1, 0, 1));
    SimSign crowded(json{{"limits", {{"maxDayPlanEvents", 255}}}});
    crowded.patch(timebase({scheduleRow(1, 1, 1, 1, 0)}, events, {actionRow(1, 3, 1)}));
    ScheduleItem extra = item(2, 2, 0, 3, 0, 1);
    count = 1;
    EXPECT_EQ(Result(tqSendSchedules(&extra, &count)), Result(DMS_E_FULL));
    EXPECT_EQ(count, 1);
}

TEST(SendSchedules, LogsTheNumberOfNewItems) {
    static std::vector<std::string> lines;
    lines.clear();
    dmsSetLogSink([](const char* line, void*) { lines.emplace_back(line); }, nullptr);
    SimSign sign;
    ScheduleItem items[2] = {item(1, 1, 0, 1, 0, 1), item(1, 1, 0, 2, 0, 1)};
    int32_t count = 2;
    EXPECT_EQ(Result(tqSendSchedules(items, &count)), Result(DMS_OK));
    count = 2;
    EXPECT_EQ(Result(tqSendSchedules(items, &count)), Result(DMS_OK));
    dmsSetLogSink(nullptr, nullptr);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("[INFO]"), std::string::npos);
    EXPECT_NE(lines[0].find("Schedule Insert Count:2\n"), std::string::npos);
}

}  // namespace
