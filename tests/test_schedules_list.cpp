// tqGetScheduleList and tqDeleteScheduleList: the sign's tables as host
// items, the capacities, free events, and clearing the events behind items.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "support/result.h"
#include "support/schedules.h"
#include "support/sim_sign.h"

using namespace testing_support;

namespace {

// Schedule row 1 runs day plan 2 (three events), row 2 day plan 1 (one).
json twoDayPlans() {
    return timebase({scheduleRow(1, 2, 0x0FF0, 0x82, 0), scheduleRow(2, 1, 0x1FFE, 0x7C, 0x80000002)},
                    {dayPlanEvent(2, 1, 6, 15, 2), dayPlanEvent(2, 2, 12, 0, 1), dayPlanEvent(2, 3, 18, 45, 2),
                     dayPlanEvent(1, 1, 7, 0, 3)},
                    {actionRow(1, 3, 11, 0xA1), actionRow(2, 4, 12, 0xA2), actionRow(3, 3, 13, 0xA3)});
}

struct Listing {
    uint32_t rc;
    std::vector<ScheduleItem> items;
    std::vector<TimeBaseSchedule> rows;
    int32_t itemCount;
    int32_t rowCount;
};

Listing list(int itemCapacity = 32, int rowCapacity = 32) {
    Listing l;
    l.items.assign(static_cast<size_t>(itemCapacity) + 1, ScheduleItem{});
    std::memset(l.items.data(), 0xAB, l.items.size() * sizeof(ScheduleItem));
    l.rows.assign(static_cast<size_t>(rowCapacity) + 1, TimeBaseSchedule{});
    l.itemCount = itemCapacity;
    l.rowCount = rowCapacity;
    l.rc = tqGetScheduleList(l.items.data(), &l.itemCount, l.rows.data(), &l.rowCount);
    return l;
}

// An item as the listing gives it back.
ScheduleItem listedItem(ScheduleItem it) {
    it.itemSize = 20;
    return it;
}

bool same(const ScheduleItem& a, const ScheduleItem& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(ScheduleList, ItemsGroupedByScheduleRowInEventOrder) {
    SimSign sign(twoDayPlans());
    Listing l = list();
    ASSERT_EQ(Result(l.rc), Result(DMS_OK));
    ASSERT_EQ(l.itemCount, 4);
    ASSERT_EQ(l.rowCount, 2);
    const ScheduleItem want[4] = {item(0x0FF0, 0x82, 0, 6, 15, 12, 4, 0xA2, 2), item(0x0FF0, 0x82, 0, 12, 0, 11, 3, 0xA1, 2),
                                  item(0x0FF0, 0x82, 0, 18, 45, 12, 4, 0xA2, 2),
                                  item(0x1FFE, 0x7C, 0x80000002, 7, 0, 13, 3, 0xA3, 1)};
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(same(l.items[i], listedItem(want[i]))) << i;
    EXPECT_EQ(l.items[4].itemSize, 0xABABABABu);  // beyond the count: untouched
    EXPECT_EQ(l.rows[0].dayPlan, 2);
    EXPECT_EQ(l.rows[1].dayPlan, 1);
    EXPECT_EQ(l.rows[1].date, 0x80000002u);
    // Progress runs from the start of the reading to 100.
    auto& progress = SimSign::progress();
    ASSERT_FALSE(progress.empty());
    for (size_t i = 0; i < progress.size(); ++i) {
        EXPECT_EQ(progress[i].first, 0);
        EXPECT_GE(progress[i].second, i ? progress[i - 1].second : 0);
    }
    EXPECT_EQ(progress.back().second, 100);
}

TEST(ScheduleList, StopsAndCapacities) {
    // Rows out of use before rows in use: ScheduleSafetyListing.
    // Three entries into room for two: DMS_E_FULL, the count tells how far the
    // reading got and no item is copied.
    SimSign sign(twoDayPlans());
    Listing l = list(2, 8);
    EXPECT_EQ(Result(l.rc), Result(DMS_E_FULL));
    EXPECT_EQ(l.itemCount, 2);
    EXPECT_EQ(l.items[0].itemSize, 0xABABABABu);
    l = list(8, 1);
    EXPECT_EQ(Result(l.rc), Result(DMS_E_FULL));
    EXPECT_EQ(l.rowCount, 1);

    // An event whose action names row 0, or no row at all, is free and ends
    // its day plan; digits after the last dot name the row.
    for (const char* text : {".1.3.6.1.4.1.1206.4.2.3.8.2.1.1.0", "5", "1.3.x", ".1.3.-2"}) {
        sign.patch({{"timebase", {{"dayPlans", {dayPlanEvent(2, 1, 6, 15, 2), {{"dayPlan", 2}, {"event", 2},
                                                                              {"action", text}}}}}}});
        l = list();
        EXPECT_EQ(Result(l.rc), Result(DMS_OK));
        EXPECT_EQ(l.itemCount, 1) << text;
    }
    sign.patch({{"timebase", {{"dayPlans", {{{"dayPlan", 2}, {"event", 1}, {"action", ".1.3.3junk"}}}}}}});
    l = list();
    ASSERT_EQ(l.itemCount, 1);
    EXPECT_EQ(l.items[0].messageNumber, 13);
    // An action row the sign does not have is the sign's failure.
    sign.patch({{"timebase", {{"dayPlans", {{{"dayPlan", 2}, {"event", 1}, {"action", ".1.99"}}}}}}});
    EXPECT_EQ(Result(list().rc), Result(TQDMS_E_NO_SUCH_NAME));

    int32_t n = 1, r = 1;
    ScheduleItem it;
    TimeBaseSchedule row;
    EXPECT_EQ(Result(tqGetScheduleList(nullptr, &n, &row, &r)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqGetScheduleList(&it, nullptr, &row, &r)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqGetScheduleList(&it, &n, nullptr, &r)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqGetScheduleList(&it, &n, &row, nullptr)), Result(DMS_E_ARGUMENT));
    n = -1;
    EXPECT_EQ(Result(tqGetScheduleList(&it, &n, &row, &r)), Result(DMS_E_ARGUMENT));
}

TEST(DeleteScheduleList, ClearsTheEventAndZeroesTheTimetable) {
    SimSign sign(twoDayPlans());
    Listing before = list();
    ASSERT_EQ(before.itemCount, 4);
    ScheduleItem victim = before.items[3];
    victim.crc = 0x7777;  // not compared
    victim.dayPlan = 9;
    sign.clearJournal();
    int32_t count = 1;
    ASSERT_EQ(Result(tqDeleteScheduleList(&victim, &count)), Result(DMS_OK));
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(same(victim, listedItem(item(0, 0, 0, 0, 0, 13, 3, 0x7777, 0))));  // timetable zeroed
    auto writes = sign.calls("tqSetTimeBaseDayPlanTable");
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0]["args"], json::array({1, 1, 3}));
    EXPECT_EQ(writes[0]["data"], hex32(0));
    EXPECT_EQ(writes[1]["data"], hex32(0));
    EXPECT_EQ(entryBytes(writes[2]), std::string(kActionOid) + "0");
    // Schedule and action rows stay.
    EXPECT_TRUE(sign.calls("tqSetTimeBaseSchTable").empty());
    EXPECT_TRUE(sign.calls("tqSetSchActionTable").empty());
    Listing after = list();
    EXPECT_EQ(after.itemCount, 3);
    EXPECT_EQ(after.rowCount, 2);

    // An item the sign does not hold: nothing changes, count 0.
    ScheduleItem stranger = before.items[0];
    stranger.minute = 16;
    ScheduleItem copy = stranger;
    count = 1;
    sign.clearJournal();
    ASSERT_EQ(Result(tqDeleteScheduleList(&stranger, &count)), Result(DMS_OK));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(same(stranger, copy));
    EXPECT_TRUE(sign.calls("tqSetTimeBaseDayPlanTable").empty());

    // Deleting the first of day plan 2's events hides the other two, and
    // sending them again finds no duplicate for them.
    ScheduleItem first = before.items[0];
    count = 1;
    ASSERT_EQ(Result(tqDeleteScheduleList(&first, &count)), Result(DMS_OK));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(list().itemCount, 0);  // day plan 2 is in row 1; its event 1 is free
    ScheduleItem again[2] = {before.items[1], before.items[2]};
    count = 2;
    ASSERT_EQ(Result(tqSendSchedules(again, &count)), Result(DMS_OK));
    EXPECT_EQ(count, 2);

    EXPECT_EQ(Result(tqDeleteScheduleList(nullptr, &count)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqDeleteScheduleList(again, nullptr)), Result(DMS_E_ARGUMENT));
}

TEST(DeleteScheduleList, EachEventClearedOnceAndFailuresCounted) {
    SimSign sign(twoDayPlans());
    Listing l = list();
    ScheduleItem items[3] = {l.items[1], l.items[1], l.items[2]};
    int32_t count = 3;
    ASSERT_EQ(Result(tqDeleteScheduleList(items, &count)), Result(DMS_OK));
    EXPECT_EQ(count, 2);  // the second copy finds nothing left to clear
    EXPECT_EQ(items[1].hour, 12);
    EXPECT_EQ(items[2].hour, 0);

    // A failing write ends the deletion; the count tells what was cleared.
    SimSign again(twoDayPlans());
    ScheduleItem two[2] = {l.items[3], l.items[0]};
    again.fault({{"fn", "tqSetTimeBaseDayPlanTable"}, {"nth", 5}, {"result", 0x31}});
    count = 2;
    EXPECT_EQ(tqDeleteScheduleList(two, &count), 0x31u);
    EXPECT_EQ(count, 1);
}

TEST(Schedules, NoInterfaceGivesThree) {
    ScheduleItem it{};
    TimeBaseSchedule row{};
    int32_t n = 1, r = 1;
    EXPECT_EQ(Result(tqGetScheduleList(&it, &n, &row, &r)), Result(DMS_E_NO_INTERFACE));
    EXPECT_EQ(Result(tqSendSchedules(&it, &n)), Result(DMS_E_NO_INTERFACE));
    EXPECT_EQ(Result(tqSendSchedulesWithClear(&it, &n, &row, &r)), Result(DMS_E_NO_INTERFACE));
    n = 1;
    EXPECT_EQ(Result(tqDeleteScheduleList(&it, &n)), Result(DMS_E_NO_INTERFACE));
    EXPECT_EQ(n, 0);
}

}  // namespace
