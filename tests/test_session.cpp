// tqTestInit, tqStop, tqForTest and the result texts.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "support/sim_sign.h"
#include "tqdms/tqsim.h"

using testing_support::SimSign;

namespace {

std::vector<std::string> g_lines;
void DMS_CALL capture(const char* line, void*) { g_lines.emplace_back(line); }

TEST(Session, TestInitOpensTheSignWithTheFixedParameters) {
    ASSERT_EQ(tqsimOpenMemory(nullptr), 0u);
    g_lines.clear();
    dmsSetLogSink(capture, nullptr);
    EXPECT_EQ(tqTestInit(), 0u);
    dmsSetLogSink(nullptr, nullptr);
    auto* di = static_cast<DeviceInterface*>(GetIf());
    ASSERT_NE(di, nullptr);
    EXPECT_STREQ(di->params.address, "169.254.10.20");
    EXPECT_EQ(di->params.port, 9520);
    EXPECT_EQ(di->params.baudRate, 19200);
    EXPECT_EQ(di->params.retries, 4);
    EXPECT_EQ(di->params.timeout, 100000);
    EXPECT_NE(di->params.progress, nullptr);
    EXPECT_NE(di->params.onIdle, nullptr);
    di->params.progress(di, 0, 50);  // the test callbacks do nothing, safely
    ASSERT_EQ(g_lines.size(), 1u);
    EXPECT_NE(g_lines[0].find("] Runing dwTlsIndex:" + std::to_string(static_cast<int>(GetTlsIndex()))),
              std::string::npos);
    EXPECT_EQ(g_lines[0].rfind("[INFO][", 0), 0u);
    tqsimClose();
}

TEST(Session, TestInitReturnsZeroEvenWhenRefused) {
    ASSERT_EQ(tqsimOpenMemory(nullptr), 0u);
    // With no sign current, the device library opens the file TQDMS_SIGN
    // names; one that is not a sign makes it refuse.
    tqsimClose();
    std::string bad = ::testing::TempDir() + "not_a_sign.json";
    FILE* f = fopen(bad.c_str(), "w");
    fputs("[1,2]", f);
    fclose(f);
    setenv("TQDMS_SIGN", bad.c_str(), 1);
    dmsSetLogSink(capture, nullptr);
    EXPECT_EQ(tqTestInit(), 0u);
    dmsSetLogSink(nullptr, nullptr);
    EXPECT_EQ(GetIf(), nullptr);
    unsetenv("TQDMS_SIGN");
    remove(bad.c_str());
}

// With nothing running there is nothing to stop, and no flag is left behind
// to end the thread's next operation.
TEST(Session, StopWithNothingRunningLeavesNoFlag) {
    EXPECT_EQ(tqStop(), 3u);  // no interface object on this thread
    SimSign sign;
    auto* di = static_cast<DeviceInterface*>(GetIf());
    EXPECT_EQ(tqStop(), 0u);
    EXPECT_EQ(di->params.stopRequested, 0);
    int32_t t[8];
    EXPECT_EQ(tqGetTime(t), 0u);
}

TEST(Session, ForTestRunsItsSequenceAndReturnsZero) {
    ASSERT_EQ(tqsimOpenMemory(nullptr), 0u);
    dmsSetLogSink(capture, nullptr);
    tqsimClearJournal();
    EXPECT_EQ(tqForTest(), 0u);
    dmsSetLogSink(nullptr, nullptr);
    EXPECT_GT(tqsimJournalCount(), 0);
    tqsimClose();
}

TEST(Session, EveryLibraryCodeHasItsOwnText) {
    const uint32_t codes[] = {0, 1, 2, 3, 258, 259, 32513, 32514, 32515, 32516, 32517,
                              32518, 32519, 32520, 32521, 32522, 32523, 32525, 32526, 32527, 32529};
    std::vector<std::string> seen;
    for (uint32_t c : codes) {
        std::string t = dmsResultText(c);
        EXPECT_NE(t, dmsResultText(0x12345)) << c;
        for (const std::string& s : seen) EXPECT_NE(s, t) << c;
        seen.push_back(t);
    }
}

}  // namespace
