// The sign clock: write order, zone table, standard time, read-back rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "clock/time_zones.h"
#include "dmscontent/dmscontent.h"
#include "support/fault_sweep.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using testing_support::Result;
using testing_support::SimSign;
using testing_support::hex32;

namespace {

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override { useZone("UTC0"); }
    void TearDown() override { useZone("UTC0"); }
    static void useZone(const char* tz) {
        setenv("TZ", tz, 1);
        tzset();
    }
};

// 2026-12-06 10:20:30 UTC
constexpr uint32_t kDec6 = 1796552430u;

TEST_F(ClockTest, SetTimeWritesDifferentialThenSeconds) {
    SimSign sign;
    sign.freezeClock(0, 3600);
    ASSERT_EQ(Result(tqSetTime(2026, 12, 6, 10, 20, 30, 999, 26)), Result(DMS_OK));
    auto writes = sign.calls("tqSetGlobalTime");
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0]["args"][0], NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL);
    EXPECT_EQ(writes[0]["data"], hex32(19800));
    EXPECT_EQ(writes[1]["args"][0], NTCIP_GLOBAL_TIME_SECONDS);
    EXPECT_EQ(writes[1]["data"], hex32(kDec6));
    EXPECT_EQ(sign.state()["clock"]["time"], kDec6);
    EXPECT_EQ(sign.state()["clock"]["differential"], 19800);

    // The table's last index (32) is written; indexes outside it leave the
    // differential alone.
    struct Case { int index; bool written; } cases[] = {{32, true}, {33, false}, {-1, false}, {1000, false}};
    for (const Case& c : cases) {
        sign.clearJournal();
        ASSERT_EQ(Result(tqSetTime(2026, 12, 6, 10, 20, 31, 0, c.index)), Result(DMS_OK));
        auto w = sign.calls("tqSetGlobalTime");
        ASSERT_EQ(w.size(), c.written ? 2u : 1u) << c.index;
        EXPECT_EQ(w.back()["args"][0], NTCIP_GLOBAL_TIME_SECONDS);
        if (c.written) {
            EXPECT_EQ(w[0]["data"], hex32(static_cast<uint32_t>(-16200)));
        }
    }
    EXPECT_EQ(sign.state()["clock"]["differential"], -16200);
}

TEST_F(ClockTest, LocalTimeIsTakenAsStandardTime) {
    useZone("CET-1CEST,M3.5.0,M10.5.0/3");
    SimSign sign;
    sign.freezeClock(0);
    // 1 July 12:00 local is daylight-saving time in this zone, but the date is
    // taken as standard time (UTC+1), so the sign gets 11:00 UTC.
    ASSERT_EQ(Result(tqSetTime(2026, 7, 1, 12, 0, 0, 0, -1)), Result(DMS_OK));
    EXPECT_EQ(sign.state()["clock"]["time"], 1782903600u);
}

TEST_F(ClockTest, FailingDifferentialWriteLeavesSecondsAlone) {
    SimSign sign;
    sign.freezeClock(1234, 0);
    sign.fault({{"fn", "tqSetGlobalTime"}, {"args", {NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL}}, {"result", 0x4242}});
    EXPECT_EQ(tqSetTime(2026, 12, 6, 10, 20, 30, 0, 13), 0x4242u);
    EXPECT_EQ(sign.state()["clock"]["time"], 1234);
    EXPECT_EQ(sign.calls("tqSetGlobalTime").size(), 1u);
}

TEST_F(ClockTest, GetTimeFindsTheZoneOrReportsTwo) {
    SimSign sign;
    sign.freezeClock(kDec6, 3600);
    int32_t t[8];
    ASSERT_EQ(Result(tqGetTime(t)), Result(DMS_OK));
    const int32_t want[8] = {2026, 12, 6, 10, 20, 30, 0, 13};  // a Sunday, zone UTC+1
    for (int i = 0; i < 8; ++i) EXPECT_EQ(t[i], want[i]) << i;
    // Differential read first, then the seconds.
    auto reads = sign.calls("tqGetGlobalTime");
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(reads[0]["args"][0], NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL);
    EXPECT_EQ(reads[1]["args"][0], NTCIP_GLOBAL_TIME_SECONDS);

    sign.patch({{"clock", {{"differential", 1800}}}});
    ASSERT_EQ(Result(tqGetTime(t)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(t[0], 2026);
    EXPECT_EQ(t[5], 30);
    EXPECT_EQ(t[7], -1);

    // The date uses the host's zone, not the sign's differential.
    useZone("JST-9");
    ASSERT_EQ(Result(tqGetTime(t)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(t[3], 19);
}

TEST_F(ClockTest, SecondsAboveTwoToTheThirtyOneReadAsUnsigned) {
    SimSign sign;
    sign.freezeClock(0x80000000u, 0);
    int32_t t[8];
    ASSERT_EQ(Result(tqGetTime(t)), Result(DMS_OK));
    EXPECT_EQ(t[0], 2038);
    EXPECT_EQ(t[7], 12);
}

TEST_F(ClockTest, ArgumentAndInterfaceChecks) {
    int32_t t[8];
    EXPECT_EQ(Result(tqGetTime(nullptr)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqGetTime(t)), Result(DMS_E_NO_INTERFACE));
    EXPECT_EQ(Result(tqSetTime(2026, 1, 1, 0, 0, 0, 0, 12)), Result(DMS_E_NO_INTERFACE));
    SimSign sign;
    EXPECT_EQ(Result(tqGetTime(nullptr)), Result(DMS_E_ARGUMENT));
    EXPECT_TRUE(sign.journal().empty());
}

TEST_F(ClockTest, FaultSweep) {
    std::unique_ptr<SimSign> sign;
    auto fresh = [&] {
        sign.reset();
        sign = std::make_unique<SimSign>();
        sign->freezeClock(kDec6, 3600);
    };
    int n = testing_support::faultSweep(
        fresh, [] { return tqSetTime(2026, 12, 6, 10, 20, 30, 0, 26); },
        [](const testing_support::SweepStep& s) { EXPECT_EQ(s.result, testing_support::kSweepCode); });
    EXPECT_EQ(n, 2);
    int32_t t[8];
    n = testing_support::faultSweep(
        fresh, [&] { return tqGetTime(t); },
        [](const testing_support::SweepStep& s) { EXPECT_EQ(s.result, testing_support::kSweepCode); });
    EXPECT_EQ(n, 2);
    sign.reset();
}

}  // namespace
