// Schedules never take what the sign still uses: listing behind schedule
// rows out of use, action rows that unlisted events name, day plan numbers
// whose row or events are held, event numbers held behind a free event,
// and uploads refused before their first write.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "support/result.h"
#include "support/schedules.h"
#include "support/sim_sign.h"

using namespace testing_support;

namespace {

// The message every day plan event with an action shows, by "dayPlan/event".
std::map<std::string, std::pair<int, int>> shownMessages(const json& state) {
    std::map<int, std::pair<int, int>> actions;
    for (const json& a : state["timebase"]["actions"])
        actions[a["row"].get<int>()] = {a["memoryType"].get<int>(), a["number"].get<int>()};
    std::map<std::string, std::pair<int, int>> out;
    for (const json& e : state["timebase"]["dayPlans"]) {
        std::string text = e["action"];
        size_t dot = text.rfind('.');
        int row = dot == std::string::npos ? 0 : std::atoi(text.c_str() + dot + 1);
        if (row == 0) continue;
        out[std::to_string(e["dayPlan"].get<int>()) + "/" + std::to_string(e["event"].get<int>())] = actions[row];
    }
    return out;
}

// Every event that showed a message before still shows the same one.
void expectSameMessages(const json& before, const json& after) {
    auto was = shownMessages(before), now = shownMessages(after);
    for (const auto& kv : was) {
        ASSERT_TRUE(now.count(kv.first)) << kv.first << " is gone";
        EXPECT_EQ(now[kv.first], kv.second) << kv.first << " shows another message";
    }
}

// Every schedule row, day plan event and action row of `before` is in
// `after` unchanged.
void expectKept(const json& before, const json& after) {
    for (const char* table : {"schedules", "dayPlans", "actions"})
        for (const json& row : before["timebase"][table]) {
            bool found = false;
            for (const json& now : after["timebase"][table]) found = found || now == row;
            EXPECT_TRUE(found) << table << " lost or changed " << row.dump();
        }
}

// Sends `items` expecting `rc`: every row the sign had stays, and a refusal
// writes nothing. True when the items were taken.
bool sendKeepingRows(const SimSign& sign, std::vector<ScheduleItem> items, uint32_t rc) {
    const json before = sign.state();
    int32_t count = static_cast<int32_t>(items.size());
    EXPECT_EQ(Result(tqSendSchedules(items.data(), &count)), Result(rc));
    expectKept(before, sign.state());
    if (rc != DMS_OK) expectNoWrite(sign);
    return rc == DMS_OK;
}

// --- Listing goes past rows out of use; action rows named by any event stay.

TEST(ScheduleSafetyListing, ReplacedDayPlansListAndKeepTheirActionRows) {
    SimSign sign;
    // Day plan 1 on weekdays (messages 1 and 3), day plan 2 at weekends.
    ScheduleItem first[3] = {item(kAllMonths, kWeekdays, 0, 6, 0, 1), item(kAllMonths, kWeekend, 0, 9, 0, 2),
                             item(kAllMonths, kWeekdays, 0, 12, 0, 3)};
    int32_t count = 3;
    ASSERT_EQ(Result(tqSendSchedules(first, &count)), Result(DMS_OK));
    // Day plans 5 and 6 rewritten: every schedule row is taken out of use
    // first, then rows 5 and 6 are written.
    ScheduleItem replace[2] = {item(0x0006, kWeekdays, 0, 7, 0, 10, 3, 0, 5),
                               item(0x0006, kWeekend, 0, 8, 0, 11, 3, 0, 6)};
    int32_t n = 2;
    ASSERT_EQ(Result(tqSendSchedulesWithClear(replace, &n, nullptr, nullptr)), Result(DMS_OK));

    int32_t rows = 0;
    auto now = listed(&rows);
    EXPECT_EQ(rows, 2);
    ASSERT_EQ(now.size(), 2u);
    EXPECT_EQ(std::make_pair(int(now[0].dayPlan), int(now[0].messageNumber)), std::make_pair(5, 10));
    EXPECT_EQ(std::make_pair(int(now[1].dayPlan), int(now[1].messageNumber)), std::make_pair(6, 11));

    // More items: a new timetable, and one joining day plan 5. Event 1/2
    // (out of use, unlisted) still names the action row of message 3.
    const json before = sign.state();
    ScheduleItem more[2] = {item(0x0100, 0x7F, 0, 5, 0, 12), item(0x0006, kWeekdays, 0, 19, 0, 13)};
    count = 2;
    ASSERT_EQ(Result(tqSendSchedules(more, &count)), Result(DMS_OK));
    ASSERT_EQ(count, 2);
    expectSameMessages(before, sign.state());
    auto after = listed();
    // 5/1, 5/2, 6/1 and the new day plan
    EXPECT_EQ(fieldOf(after, &ScheduleItem::messageNumber), std::vector<int>({10, 13, 11, 12}));
}

TEST(ScheduleSafetyListing, RowsOutOfUseAreSkipped) {
    struct Case {
        const char* name;
        std::vector<json> rows;
        std::vector<int> dayPlans;  // listed, in row order
    };
    const Case cases[] = {
        {"only the last row in use", {scheduleRow(4, 3, 1, 1, 0)}, {3}},
        {"free rows between", {scheduleRow(2, 1, 1, 1, 0), scheduleRow(4, 2, 2, 2, 0)}, {1, 2}},
        {"a row taken out of use", {scheduleRow(1, 0, 5, 5, 0), scheduleRow(3, 2, 2, 2, 0)}, {2}},
        {"every row in use", {scheduleRow(1, 3, 3, 3, 0), scheduleRow(2, 1, 1, 1, 0), scheduleRow(3, 2, 2, 2, 0),
                              scheduleRow(4, 3, 4, 4, 0)}, {3, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimSign sign(json{{"limits", {{"maxScheduleEntries", 4}, {"maxDayPlans", 4}}}});
        sign.patch(timebase(c.rows, {dayPlanEvent(1, 1, 1, 0, 1), dayPlanEvent(2, 1, 2, 0, 1),
                                     dayPlanEvent(3, 1, 3, 0, 1)},
                            {actionRow(1, 3, 1)}));
        int32_t rows = 0;
        EXPECT_EQ(fieldOf(listed(&rows), &ScheduleItem::dayPlan), c.dayPlans);
        EXPECT_EQ(rows, static_cast<int32_t>(c.dayPlans.size()));
    }
}

TEST(ScheduleSafetyListing, UnlistedEventsKeepTheirActionRows) {
    // Row 1 runs day plan 1, whose event 1 shows message 1; action row 2
    // shows message 2 for an event that is not listed.
    json base = weekdayPlan();
    base["timebase"]["actions"].push_back(actionRow(2, 3, 2));
    struct Case {
        const char* name;
        json event;
    };
    const Case cases[] = {
        {"behind a free event of a listed day plan", dayPlanEvent(1, 3, 9, 0, 2)},
        {"in a day plan no schedule row names", dayPlanEvent(7, 1, 9, 0, 2)},
        {"the last event of the last day plan", dayPlanEvent(16, 16, 9, 0, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimSign sign(base);
        json events = sign.state()["timebase"]["dayPlans"];
        events.push_back(c.event);
        sign.patch({{"timebase", {{"dayPlans", events}}}});
        const json before = sign.state();
        ScheduleItem fresh[2] = {item(kAllMonths, kWeekdays, 0, 17, 0, 9), item(kAllMonths, kWeekend, 0, 10, 0, 8)};
        int32_t count = 2;
        ASSERT_EQ(Result(tqSendSchedules(fresh, &count)), Result(DMS_OK));
        expectSameMessages(before, sign.state());
        EXPECT_EQ(actionRowsWritten(sign), std::vector<int>({3, 4}));
    }
}

// --- A new day plan number leaves other schedules' rows and events alone.

TEST(ScheduleSafetyDayPlanNumber, ForeignRowsAndEventsStayIntact) {
    // Four schedule rows and four day plans; row 1 runs day plan 1.
    const json limits = {{"limits", {{"maxScheduleEntries", 4}, {"maxDayPlans", 4}, {"maxDayPlanEvents", 4}}}};
    const json row1 = scheduleRow(1, 1, kAllMonths, kWeekdays, 0), event1 = dayPlanEvent(1, 1, 8, 0, 1);
    struct Case {
        const char* name;
        std::vector<json> rows, events;
        uint32_t rc;
        int dayPlan;  // the new item's day plan when rc is DMS_OK
    };
    const Case cases[] = {
        {"the gap's schedule row holds another day plan",
         {row1, scheduleRow(2, 3, 1, 1, 0)}, {event1, dayPlanEvent(3, 1, 6, 0, 1)}, DMS_OK, 4},
        {"a row names the number, its events behind a free event 1",
         {row1, scheduleRow(2, 2, 2, 2, 0)}, {event1, dayPlanEvent(2, 2, 6, 0, 1)}, DMS_OK, 3},
        {"the number's events exist without a schedule row",
         {row1}, {event1, dayPlanEvent(2, 1, 6, 0, 1), dayPlanEvent(2, 2, 7, 0, 1)}, DMS_OK, 3},
        {"a held number below is passed over upwards, then from 1",
         {scheduleRow(3, 3, 3, 3, 0)}, {dayPlanEvent(1, 1, 6, 0, 1), dayPlanEvent(3, 1, 6, 0, 1),
                                        dayPlanEvent(4, 1, 6, 0, 1)}, DMS_OK, 2},
        {"the last number, at the sign's limit",
         {row1, scheduleRow(2, 2, 2, 2, 0), scheduleRow(3, 3, 3, 3, 0)},
         {event1, dayPlanEvent(2, 1, 6, 0, 1), dayPlanEvent(3, 1, 6, 0, 1)}, DMS_OK, 4},
        {"no number left",
         {row1, scheduleRow(2, 2, 2, 2, 0), scheduleRow(4, 4, 4, 4, 0)},
         {event1, dayPlanEvent(2, 1, 6, 0, 1), dayPlanEvent(3, 1, 6, 0, 1), dayPlanEvent(4, 1, 6, 0, 1)},
         DMS_E_NO_FREE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimSign sign(limits);
        sign.patch(timebase(c.rows, c.events, {actionRow(1, 3, 1)}));
        if (!sendKeepingRows(sign, {item(0x0040, 0x01, 0, 12, 0, 9)}, c.rc)) continue;
        bool found = false;
        for (const ScheduleItem& it : listed())
            if (it.messageNumber == 9) {
                found = true;
                EXPECT_EQ(it.dayPlan, c.dayPlan);
            }
        EXPECT_TRUE(found);
    }
}

// --- A replacement with a bad item is refused before its first write.

TEST(ScheduleSafetyReplace, BadItemRefusedBeforeAnyWrite) {
    // Six day plans of three events but only four schedule rows.
    const json limits = {{"limits", {{"maxScheduleEntries", 4}, {"maxDayPlans", 6}, {"maxDayPlanEvents", 3}}}};
    struct Case {
        const char* name;
        ScheduleItem last;  // sent after two good items of day plan 1
        uint32_t rc;
    };
    const Case cases[] = {
        {"hour 23, minute 59, memory type 7, day plan 4", item(1, 1, 0, 23, 59, 5, 7, 0, 4), DMS_OK},
        {"a third event, the most a day plan holds", item(1, 1, 0, 9, 0, 5, 3, 0, 1), DMS_OK},
        {"hour 24", item(1, 1, 0, 24, 0, 5, 3, 0, 2), DMS_E_ARGUMENT},
        {"minute 60", item(1, 1, 0, 1, 60, 5, 3, 0, 2), DMS_E_ARGUMENT},
        {"memory type 8", item(1, 1, 0, 1, 0, 5, 8, 0, 2), DMS_E_ARGUMENT},
        {"day plan 0", item(1, 1, 0, 1, 0, 5, 3, 0, 0), DMS_E_ARGUMENT},
        {"day plan above maxDayPlans", item(1, 1, 0, 1, 0, 5, 3, 0, 7), DMS_E_ARGUMENT},
        {"day plan without a schedule row of its number", item(1, 1, 0, 1, 0, 5, 3, 0, 5), DMS_E_NO_FREE},
        {"a fourth event in one day plan", item(1, 1, 0, 9, 0, 5, 3, 0, 1), DMS_E_NO_FREE},
    };
    for (bool withRows : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (withRows ? ", rows given" : ", rows from the items"));
            SimSign sign(limits);
            sign.patch(timebase({scheduleRow(1, 1, 1, 1, 0)}, {dayPlanEvent(1, 1, 1, 0, 1)}, {actionRow(1, 3, 1)}));
            const json before = sign.state();
            std::vector<ScheduleItem> items = {item(1, 1, 0, 7, 0, 1, 3, 0, 1), item(1, 1, 0, 8, 0, 2, 3, 0, 1),
                                               c.last};
            if (std::string(c.name).find("fourth") != std::string::npos)
                items.insert(items.begin(), item(1, 1, 0, 6, 0, 1, 3, 0, 1));
            std::vector<TimeBaseSchedule> rows;
            for (const ScheduleItem& it : items)  // rows must name valid day plans
                if (it.dayPlan >= 1 && it.dayPlan <= 6) rows.push_back(schedule(it.dayPlan, it.month, it.day));
            int32_t n = static_cast<int32_t>(items.size()), r = static_cast<int32_t>(rows.size());
            uint32_t rc = withRows ? tqSendSchedulesWithClear(items.data(), &n, rows.data(), &r)
                                   : tqSendSchedulesWithClear(items.data(), &n, nullptr, nullptr);
            EXPECT_EQ(Result(rc), Result(c.rc));
            if (c.rc == DMS_OK) {
                EXPECT_EQ(listed().size(), items.size());
                continue;
            }
            EXPECT_EQ(sign.state()["timebase"], before["timebase"]);
            expectNoWrite(sign);
        }
    }
}

// --- New event numbers take only event rows that are free on the sign.

TEST(ScheduleSafetyEventNumber, NewEventsTakeOnlyFreeEventRows) {
    // Schedule row 1 runs day plan 1 on weekdays; day plan 2 has no row.
    const json row1 = scheduleRow(1, 1, kAllMonths, kWeekdays, 0);
    struct Case {
        const char* name;
        std::vector<json> events;  // besides 1/1
        int maxEvents;
        int newItems;
        uint8_t day;  // kWeekdays joins day plan 1, kWeekend makes day plan 2
        uint32_t rc;
        std::vector<std::string> written;  // when rc is 0
    };
    const Case cases[] = {
        {"1/3 in use behind free 1/2", {dayPlanEvent(1, 3, 9, 0, 1)}, 4, 2, kWeekdays, 0, {"1/2", "1/4"}},
        {"1/3 in use, one new item at the limit", {dayPlanEvent(1, 3, 9, 0, 1)}, 3, 1, kWeekdays, 0, {"1/2"}},
        {"1/3 in use, no free event left", {dayPlanEvent(1, 3, 9, 0, 1)}, 3, 2, kWeekdays, DMS_E_NO_FREE, {}},
        {"1/4 in use behind listed 1/2, last free event at the limit",
         {dayPlanEvent(1, 2, 9, 0, 1), dayPlanEvent(1, 4, 9, 0, 1)}, 5, 2, kWeekdays, 0, {"1/3", "1/5"}},
        {"a new day plan whose event 2 is in use", {dayPlanEvent(2, 2, 9, 0, 1)}, 3, 2, kWeekend, 0,
         {"2/1", "2/3"}},
        {"a new day plan with no free second event", {dayPlanEvent(2, 2, 9, 0, 1)}, 2, 2, kWeekend,
         DMS_E_NO_FREE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimSign sign(json{{"limits", {{"maxScheduleEntries", 4}, {"maxDayPlans", 4},
                                      {"maxDayPlanEvents", c.maxEvents}}}});
        std::vector<json> events = {dayPlanEvent(1, 1, 8, 0, 1)};
        events.insert(events.end(), c.events.begin(), c.events.end());
        sign.patch(timebase({row1}, events, {actionRow(1, 3, 1)}));
        std::vector<ScheduleItem> items;
        for (int i = 0; i < c.newItems; ++i)
            items.push_back(item(kAllMonths, c.day, 0, static_cast<uint8_t>(12 + i), 0, static_cast<uint16_t>(5 + i)));
        if (!sendKeepingRows(sign, items, c.rc)) continue;
        EXPECT_EQ(eventsWritten(sign), c.written);
    }
}

// --- tqSendSchedules refuses bad items and full tables before its first write.

TEST(ScheduleSafetySend, BadItemRefusedBeforeAnyWrite) {
    struct Case {
        const char* name;
        uint8_t hour, minute, memoryType;
        uint32_t rc;
    };
    const Case cases[] = {
        {"hour 23, minute 59, memory type 7", 23, 59, 7, 0},
        {"hour 24", 24, 0, 3, DMS_E_ARGUMENT},
        {"minute 60", 1, 60, 3, DMS_E_ARGUMENT},
        {"memory type 8", 1, 0, 8, DMS_E_ARGUMENT},
    };
    for (uint8_t day : {kWeekdays, kWeekend}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (day == kWeekdays ? ", joining day plan 1" : ", new day plan"));
            SimSign sign;
            sign.patch(weekdayPlan());
            const json before = sign.state();
            // A held item, a good new one, then the one under test.
            ScheduleItem items[3] = {item(kAllMonths, kWeekdays, 0, 8, 0, 1), item(kAllMonths, kWeekdays, 0, 10, 0, 5),
                                     item(kAllMonths, day, 0, c.hour, c.minute, 6, c.memoryType)};
            const ScheduleItem last = items[2];
            int32_t count = 3;
            ASSERT_EQ(tqSendSchedules(items, &count), c.rc);
            if (c.rc == 0) {
                EXPECT_EQ(count, 2);
                EXPECT_EQ(listed().size(), 3u);
                continue;
            }
            EXPECT_EQ(sign.state()["timebase"], before["timebase"]);
            expectNoWrite(sign);
            // The refused call leaves the host's items as they were.
            EXPECT_EQ(count, 3);
            EXPECT_EQ(std::memcmp(&items[2], &last, sizeof last), 0);
        }
    }
}

TEST(ScheduleSafetySend, NoActionRowLeftWritesNothing) {
    struct Case {
        int used;  // action rows 1..used show messages of day plan 1's events
        uint32_t rc;
    };
    const Case cases[] = {{127, 0}, {128, DMS_E_NO_FREE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.used);
        SimSign sign(json{{"limits", {{"maxScheduleEntries", 2}, {"maxDayPlans", 2}, {"maxDayPlanEvents", 128},
                                      {"actionRows", 128}}}});
        std::vector<json> events, actions;
        for (int r = 1; r <= c.used; ++r) {
            events.push_back(dayPlanEvent(1, r, r % 24, 0, r));
            actions.push_back(actionRow(r, 3, r));
        }
        sign.patch(timebase({scheduleRow(1, 1, kAllMonths, kWeekdays, 0)}, events, actions));
        // A new timetable (a new day plan) with a message no row shows.
        if (!sendKeepingRows(sign, {item(kAllMonths, kWeekend, 0, 12, 0, 500)}, c.rc)) continue;
        EXPECT_EQ(actionRowsWritten(sign), std::vector<int>({128}));
    }
}

}  // namespace
