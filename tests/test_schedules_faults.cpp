// Fault sweeps of the schedule exports: every device call failing in turn
// gives that call's code back, except in the first reading of
// tqSendSchedules, whose failures only shorten the comparison.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dmscontent/dmscontent.h"
#include "support/fault_sweep.h"
#include "support/result.h"
#include "support/schedules.h"
#include "support/sim_sign.h"

using namespace testing_support;

namespace {

// Two day plans of two events each on a small sign.
json smallSign() {
    json s = timebase({scheduleRow(1, 1, 0x1FFE, 0x7C, 0), scheduleRow(2, 2, 0x1FFE, 0x82, 0)},
                      {dayPlanEvent(1, 1, 7, 0, 1), dayPlanEvent(1, 2, 9, 30, 2), dayPlanEvent(2, 1, 10, 0, 1),
                       dayPlanEvent(2, 2, 11, 0, 1)},
                      {actionRow(1, 3, 1), actionRow(2, 3, 2)});
    s["limits"] = {{"maxScheduleEntries", 3}, {"maxDayPlans", 3}, {"maxDayPlanEvents", 4}, {"actionRows", 4}};
    return s;
}

struct Sweep {
    std::unique_ptr<SimSign> sign;
    void fresh() {
        sign.reset();
        sign = std::make_unique<SimSign>(smallSign());
    }
};

TEST(ScheduleFaults, GetScheduleList) {
    Sweep s;
    ScheduleItem items[8];
    TimeBaseSchedule rows[4];
    int32_t n = 8, r = 4;
    int calls = faultSweep([&] { s.fresh(); },
                           [&] {
                               n = 8;
                               r = 4;
                               return tqGetScheduleList(items, &n, rows, &r);
                           },
                           [&](const SweepStep& step) {
                               EXPECT_EQ(Result(step.result), Result(kSweepCode));
                               EXPECT_LE(n, 4);
                               EXPECT_LE(r, 2);
                           });
    EXPECT_GT(calls, 10);
}

TEST(ScheduleFaults, SendSchedules) {
    Sweep s;
    ScheduleItem items[3];
    int32_t n = 3;
    int firstReading = 0;
    auto run = [&] {
        items[0] = item(0x1FFE, 0x7C, 0, 7, 0, 1);  // held
        items[1] = item(0x1FFE, 0x7C, 0, 8, 0, 5);  // joins day plan 1
        items[2] = item(0x0002, 0x02, 0, 8, 0, 2);  // a new day plan 3
        n = 3;
        return tqSendSchedules(items, &n);
    };
    s.fresh();
    run();
    for (const json& c : s.sign->journal()) {
        if (c["fn"] == "tqGetNumActionTableEntries") break;
        ++firstReading;
    }
    ASSERT_GT(firstReading, 0);
    faultSweep([&] { s.fresh(); }, run, [&](const SweepStep& step) {
        if (step.index <= firstReading) {
            // The held item may then be taken for new: the rest still works.
            EXPECT_EQ(Result(step.result), Result(DMS_OK));
            EXPECT_GE(n, 2);
        } else {
            EXPECT_EQ(Result(step.result), Result(kSweepCode));
            EXPECT_EQ(n, 2);
        }
    });
}

TEST(ScheduleFaults, SendSchedulesWithClear) {
    Sweep s;
    ScheduleItem items[3];
    TimeBaseSchedule rows[1] = {};
    int32_t n = 3, r = 1;
    auto setItems = [&] {
        items[0] = item(0x1FFE, 0x7C, 0, 7, 0, 1, 3, 0, 1);
        items[1] = item(0x1FFE, 0x7C, 0, 8, 0, 2, 3, 0, 1);
        items[2] = item(0x0002, 0x02, 0, 9, 0, 1, 3, 0, 2);
        rows[0].dayPlan = 1;
        rows[0].month = 0x1FFE;
        n = 3;
        r = 1;
    };
    for (bool withRows : {false, true}) {
        SCOPED_TRACE(withRows ? "with schedule rows" : "rows from the items");
        faultSweep([&] { s.fresh(); },
                   [&] {
                       setItems();
                       return withRows ? tqSendSchedulesWithClear(items, &n, rows, &r)
                                       : tqSendSchedulesWithClear(items, &n, nullptr, nullptr);
                   },
                   [&](const SweepStep& step) { EXPECT_EQ(Result(step.result), Result(kSweepCode)); });
    }
}

TEST(ScheduleFaults, DeleteScheduleList) {
    Sweep s;
    ScheduleItem items[2];
    int32_t n = 2;
    faultSweep([&] { s.fresh(); },
               [&] {
                   items[0] = item(0x1FFE, 0x7C, 0, 9, 30, 2);
                   items[1] = item(0x1FFE, 0x82, 0, 11, 0, 1);
                   n = 2;
                   return tqDeleteScheduleList(items, &n);
               },
               [&](const SweepStep& step) {
                   EXPECT_EQ(Result(step.result), Result(kSweepCode));
                   EXPECT_LE(n, 1);
                   // The item being cleared has its timetable zeroed already.
                   if (n == 1) {
                       EXPECT_EQ(items[1].hour, 0);
                   }
               });
}

}  // namespace
