// Random item lists sent in rounds to an empty sign: the listing always
// holds exactly what was sent, events are never reused within a day plan
// and no two action rows name the same message.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "schedules/schedule.h"
#include "support/result.h"
#include "support/schedules.h"
#include "support/sim_sign.h"

using namespace testing_support;

namespace {

struct Timetable {
    uint16_t month;
    uint8_t day;
    uint32_t date;
};

// The sign's default limits: 32 schedule rows, 16 day plans of 16 events,
// 32 action rows. The pools keep every run within them.
const Timetable kTimetables[] = {{0x1FFE, 0x7C, 0}, {0x1FFE, 0x82, 0}, {0x0070, 0x7F, 0}, {0x1FFE, 0, 0x2},
                                 {0x0002, 0x02, 0x80000000}, {0x1000, 0x7F, 0x10}};
constexpr int kMessages = 20;   // (memory type, number) pairs used
constexpr int kPerDayPlan = 16;

ScheduleItem randomItem(std::mt19937& rng) {
    const Timetable& t = kTimetables[rng() % (sizeof kTimetables / sizeof kTimetables[0])];
    int message = static_cast<int>(rng() % kMessages);
    return item(t.month, t.day, t.date, static_cast<uint8_t>(rng() % 24), static_cast<uint8_t>(rng() % 4 * 15),
                static_cast<uint16_t>(message / 2 + 1), static_cast<uint8_t>(3 + message % 2),
                static_cast<uint16_t>(rng()));
}

bool contains(const std::vector<ScheduleItem>& list, const ScheduleItem& it) {
    for (const ScheduleItem& x : list)
        if (dms::sameSchedule(x, it)) return true;
    return false;
}

int onTimetable(const std::vector<ScheduleItem>& list, const ScheduleItem& it) {
    int n = 0;
    for (const ScheduleItem& x : list) n += x.month == it.month && x.day == it.day && x.date == it.date;
    return n;
}

void checkSign(const SimSign& sign, const std::vector<ScheduleItem>& sent) {
    std::vector<ScheduleItem> items(300);
    std::vector<TimeBaseSchedule> rows(40);
    int32_t n = 300, r = 40;
    ASSERT_EQ(Result(tqGetScheduleList(items.data(), &n, rows.data(), &r)), Result(DMS_OK));
    ASSERT_EQ(n, static_cast<int32_t>(sent.size()));
    for (const ScheduleItem& s : sent) {
        int found = 0;
        for (int32_t i = 0; i < n; ++i) found += dms::sameSchedule(items[static_cast<size_t>(i)], s);
        EXPECT_EQ(found, 1);
    }
    std::set<std::pair<int, int>> messages;
    const json actions = sign.state()["timebase"]["actions"];
    for (const json& a : actions)
        EXPECT_TRUE(messages.insert({a["memoryType"].get<int>(), a["number"].get<int>()}).second) << a.dump();
}

TEST(SchedulesProperty, RoundsOfRandomItemsKeepTheListingExact) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        SimSign sign;
        std::vector<ScheduleItem> sent;
        std::set<std::pair<int, int>> usedEvents;
        for (int round = 0; round < 5; ++round) {
            // A round: some earlier items again, and new ones that differ
            // from each other, never more than a day plan can hold.
            std::vector<ScheduleItem> batch, fresh;
            for (int k = 0; k < 2 && !sent.empty(); ++k) batch.push_back(sent[rng() % sent.size()]);
            int want = 1 + static_cast<int>(rng() % 8);
            for (int tries = 0; tries < 100 && static_cast<int>(fresh.size()) < want; ++tries) {
                ScheduleItem it = randomItem(rng);
                if (contains(sent, it) || contains(fresh, it)) continue;
                if (onTimetable(sent, it) + onTimetable(fresh, it) >= kPerDayPlan) continue;
                fresh.push_back(it);
            }
            for (const ScheduleItem& f : fresh) batch.insert(batch.begin() + static_cast<long>(rng() % (batch.size() + 1)), f);
            if (batch.empty()) continue;  // a null array would be refused
            sign.clearJournal();
            int32_t count = static_cast<int32_t>(batch.size());
            ASSERT_EQ(Result(tqSendSchedules(batch.data(), &count)), Result(DMS_OK));
            ASSERT_EQ(count, static_cast<int32_t>(fresh.size()));
            for (int32_t i = 0; i < count; ++i) EXPECT_TRUE(contains(fresh, batch[static_cast<size_t>(i)]));
            for (const json& c : sign.calls("tqSetTimeBaseDayPlanTable")) {
                if (c["args"][2] != 5) continue;
                EXPECT_TRUE(usedEvents.insert({c["args"][0].get<int>(), c["args"][1].get<int>()}).second)
                    << "event written twice: " << c.dump();
            }
            sent.insert(sent.end(), fresh.begin(), fresh.end());
            checkSign(sign, sent);
            if (HasFailure()) return;
        }
    }
}

}  // namespace
