// tqTestInit, tqStop, tqForTest and the result texts.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/tqsim.h"

using testing_support::Result;
using testing_support::SimSign;

namespace {

std::vector<std::string> g_lines;
void DMS_CALL capture(const char* line, void*) { g_lines.emplace_back(line); }

TEST(Session, TestInitOpensTheSignWithTheFixedParameters) {
    ASSERT_EQ(Result(tqsimOpenMemory(nullptr)), Result(TQDMS_OK));
    g_lines.clear();
    dmsSetLogSink(capture, nullptr);
    EXPECT_EQ(Result(tqTestInit()), Result(DMS_OK));
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
    ASSERT_EQ(Result(tqsimOpenMemory(nullptr)), Result(TQDMS_OK));
    // With no sign current, the device library opens the file TQDMS_SIGN
    // names; one that is not a sign makes it refuse.
    tqsimClose();
    std::string bad = ::testing::TempDir() + "not_a_sign.json";
    FILE* f = fopen(bad.c_str(), "w");
    fputs("[1,2]", f);
    fclose(f);
    setenv("TQDMS_SIGN", bad.c_str(), 1);
    dmsSetLogSink(capture, nullptr);
    EXPECT_EQ(Result(tqTestInit()), Result(DMS_OK));
    dmsSetLogSink(nullptr, nullptr);
    EXPECT_EQ(GetIf(), nullptr);
    unsetenv("TQDMS_SIGN");
    remove(bad.c_str());
}

// With nothing running there is nothing to stop, and no flag is left behind
// to end the thread's next operation.
TEST(Session, StopWithNothingRunningLeavesNoFlag) {
    EXPECT_EQ(Result(tqStop()), Result(DMS_E_NO_INTERFACE));  // no interface object on this thread
    SimSign sign;
    auto* di = static_cast<DeviceInterface*>(GetIf());
    EXPECT_EQ(Result(tqStop()), Result(DMS_OK));
    EXPECT_EQ(di->params.stopRequested, 0);
    int32_t t[8];
    EXPECT_EQ(Result(tqGetTime(t)), Result(DMS_OK));
}

TEST(Session, ForTestRunsItsSequenceAndReturnsZero) {
    ASSERT_EQ(Result(tqsimOpenMemory(nullptr)), Result(TQDMS_OK));
    dmsSetLogSink(capture, nullptr);
    tqsimClearJournal();
    EXPECT_EQ(Result(tqForTest()), Result(DMS_OK));
    dmsSetLogSink(nullptr, nullptr);
    EXPECT_GT(tqsimJournalCount(), 0);
    tqsimClose();
}

TEST(Session, EveryLibraryCodeHasItsOwnText) {
    const uint32_t codes[] = {DMS_OK, DMS_E_FAILED, DMS_E_ARGUMENT, DMS_E_NO_INTERFACE, DMS_E_FONT_FILE,
                              DMS_E_NOT_MODIFYING, DMS_E_OPEN_INPUT, DMS_E_OPEN_OUTPUT, DMS_E_FORMAT,
                              DMS_E_NO_MEMORY, DMS_E_FULL, DMS_E_EMPTY, DMS_E_MISSING, DMS_E_INVALID,
                              DMS_E_PICTURE_NUMBER, DMS_E_NO_FREE, DMS_E_STATE_TIMEOUT, DMS_E_IN_USE,
                              DMS_E_GRAPHIC_STATUS, DMS_E_MULTI_TOO_LONG, DMS_E_MEMORY_TYPE};
    std::vector<std::string> seen;
    for (uint32_t c : codes) {
        std::string t = dmsResultText(c);
        EXPECT_NE(t, dmsResultText(0x12345)) << testing_support::resultName(c);
        for (const std::string& s : seen) EXPECT_NE(s, t) << testing_support::resultName(c);
        seen.push_back(t);
    }
}

}  // namespace
