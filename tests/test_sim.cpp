// The simulated sign and the device library's test facilities.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/tqdms.h"
#include "tqdms/tqsim.h"
#include "tqdms/ntcip.h"


using namespace testing_support;

namespace {

uint32_t status(int type, int number) {
    uint32_t s = 0;
    EXPECT_EQ(Result(tqGetMsgTable(type, number, NTCIP_MSG_STATUS, &s, 4)), Result(TQDMS_OK));
    return s;
}

uint32_t setStatus(int type, int number, uint32_t value) {
    return tqSetMsgTable(type, number, NTCIP_MSG_STATUS, &value, 4);
}

// The MULTI text of a changeable message row, read into `room` bytes.
std::string multiText(int number, size_t room = 64) {
    std::vector<char> text(room, '\x55');
    EXPECT_EQ(Result(tqGetMsgTable(NTCIP_MEM_CHANGEABLE, number, NTCIP_MSG_MULTI_STRING, text.data(),
                                   static_cast<int>(room))), Result(TQDMS_OK));
    return std::string(text.data(), strnlen(text.data(), room));
}

TEST(SimSign, NoInterfaceUntilASignIsOpenOnTheThread) {
    EXPECT_EQ(GetIf(), nullptr);
    uint32_t v;
    EXPECT_EQ(Result(tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &v, 4)), Result(TQDMS_E_EXCHANGE));
    {
        SimSign sign;
        EXPECT_NE(GetIf(), nullptr);
        // Another thread has no interface of its own until it opens one.
        void* other = reinterpret_cast<void*>(1);
        std::thread([&] { other = GetIf(); }).join();
        EXPECT_EQ(other, nullptr);
    }
    EXPECT_EQ(GetIf(), nullptr);
}

TEST(SimSign, LimitsComeFromTheConfiguration) {
    SimSign sign(json{{"limits", {{"maxChangeable", 7}, {"maxVolatile", 3}, {"maxMultiLength", 250}}}});
    uint32_t v = 0, changeable = 0, volatiles = 0, length = 0;
    ASSERT_EQ(tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &changeable, 4) | tqGetMsgInfo(NTCIP_MAX_VOLATILE_MSG, &volatiles, 4) |
                  tqGetMultiCfg(NTCIP_DMS_MAX_MULTI_STRING_LENGTH, &length, 4),
              0u);
    EXPECT_EQ(std::vector<uint32_t>({changeable, volatiles, length}), std::vector<uint32_t>({7, 3, 250}));
    EXPECT_EQ(Result(tqGetMultiCfg(17, &v, 4)), Result(TQDMS_E_NO_SUCH_NAME));
    EXPECT_EQ(Result(tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &v, 2)), Result(TQDMS_E_BAD_VALUE));
    EXPECT_EQ(Result(tqsimPatchState(R"({"limits":{"maxChangeable":-1}})")), Result(TQDMS_E_BAD_VALUE));
    EXPECT_EQ(sign.state()["limits"]["maxChangeable"], 7);
}

TEST(SimSign, MessageRowStatusMachine) {
    SimSign sign;
    EXPECT_EQ(status(3, 5), 1u);
    // Columns change only while modifying.
    EXPECT_EQ(Result(tqSetMsgTable(NTCIP_MEM_CHANGEABLE, 5, NTCIP_MSG_MULTI_STRING, "ABC", 4)),
              Result(TQDMS_E_GEN_ERR));
    EXPECT_EQ(Result(setStatus(3, 5, 7)), Result(TQDMS_E_GEN_ERR));
    ASSERT_EQ(Result(setStatus(3, 5, 6)), Result(TQDMS_OK));
    EXPECT_EQ(status(3, 5), 2u);
    const char multi[] = "[jp3]TEST [fl]Flashing[/fl]";
    ASSERT_EQ(Result(tqSetMsgTable(NTCIP_MEM_CHANGEABLE, 5, NTCIP_MSG_MULTI_STRING, multi, sizeof multi)),
              Result(TQDMS_OK));
    ASSERT_EQ(Result(tqSetMsgTable(NTCIP_MEM_CHANGEABLE, 5, NTCIP_MSG_OWNER, "owner", 6)), Result(TQDMS_OK));
    ASSERT_EQ(Result(setStatus(3, 5, 7)), Result(TQDMS_OK));
    EXPECT_EQ(status(3, 5), 4u);
    uint16_t crc = 0;
    ASSERT_EQ(Result(tqGetMsgTable(NTCIP_MEM_CHANGEABLE, 5, NTCIP_MSG_CRC, &crc, 2)), Result(TQDMS_OK));
    EXPECT_EQ(crc, 0x95F9);  // the standard's worked example
    EXPECT_EQ(multiText(5, 10), "[jp3]TEST");  // cut to the buffer, NUL-terminated
    ASSERT_EQ(Result(setStatus(3, 5, 8)), Result(TQDMS_OK));
    EXPECT_EQ(status(3, 5), 1u);
    EXPECT_EQ(multiText(5), "");
    // Rows outside the limits and permanent rows cannot be changed.
    EXPECT_EQ(Result(setStatus(3, 101, 6)), Result(TQDMS_E_NO_SUCH_NAME));
    EXPECT_EQ(Result(setStatus(2, 1, 6)), Result(TQDMS_E_READ_ONLY));
    EXPECT_EQ(Result(setStatus(3, 5, 3)), Result(TQDMS_E_BAD_VALUE));
}

TEST(SimSign, RequestsTakeTheConfiguredNumberOfPolls) {
    SimSign sign(json{{"limits", {{"pollLatency", 2}}}});
    ASSERT_EQ(Result(setStatus(3, 1, 6)), Result(TQDMS_OK));
    EXPECT_EQ(status(3, 1), 6u);
    EXPECT_EQ(status(3, 1), 2u);
}

// A slow sign: the request also takes its time, however often it is polled.
TEST(SimSign, RequestsTakeTheConfiguredTimeAsWell) {
    SimSign sign(json{{"limits", {{"pollLatency", 2}, {"settleMs", 400}}}});
    ASSERT_EQ(Result(setStatus(3, 1, 6)), Result(TQDMS_OK));
    EXPECT_EQ(status(3, 1), 6u);
    EXPECT_EQ(status(3, 1), 6u);  // the reads are done, the time is not
    EXPECT_EQ(status(3, 1), 6u);
    std::this_thread::sleep_for(std::chrono::milliseconds(450));
    EXPECT_EQ(status(3, 1), 2u);
    EXPECT_EQ(Result(tqsimPatchState(R"({"limits": {"settleMs": 60001}})")), Result(TQDMS_E_BAD_VALUE));
}

TEST(SimSign, DefineValidatesLikeASign) {
    SimSign sign(json{{"limits", {{"maxMultiLength", 20}}}});
    uint32_t v = 0, syntax = 0;
    auto errors = [&] {
        tqGetMsgInfo(NTCIP_VALIDATE_MESSAGE_ERROR, &v, 4);
        tqGetSignControl(NTCIP_MULTI_SYNTAX_ERROR, &syntax, 4);
    };
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 1, 0, 0, 5, "me", "[jp3]HELLO", 0)), Result(TQDMS_OK));
    errors();
    EXPECT_EQ(v, 2u);
    EXPECT_EQ(status(3, 1), 4u);
    struct Case { const char* multi; uint32_t syntax; } cases[] = {
        {"[xx]AB", 3}, {"[jp3]AB[fo", 1}, {"AB]", 1}, {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 5}};
    for (const Case& c : cases) {
        ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 2, 0, 0, 5, "me", c.multi, 0)), Result(TQDMS_OK)) << c.multi;
        errors();
        EXPECT_EQ(v, 5u) << c.multi;
        EXPECT_EQ(syntax, c.syntax) << c.multi;
        EXPECT_EQ(status(3, 2), 5u) << c.multi;
    }
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 2, 2, 0, 5, "me", "A", 0)), Result(TQDMS_OK));
    errors();
    EXPECT_EQ(v, 3u);
    // Escaped brackets and nested moving-text tags are valid.
    sign.patch({{"limits", {{"maxMultiLength", 40}}}});
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 3, 0, 0, 5, "me", "[[A]][mvcl1,2,3,[fo1]X]", 0)),
              Result(TQDMS_OK));
    EXPECT_EQ(status(3, 3), 4u);
    EXPECT_EQ(Result(tqDefine1Message(NTCIP_MEM_CURRENT_BUFFER, 1, 0, 0, 5, "me", "A", 0)), Result(TQDMS_E_READ_ONLY));
    EXPECT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 1, 0, 0, 5, nullptr, "A", 0)), Result(TQDMS_E_BAD_VALUE));
}

TEST(SimSign, ActivationChecksStatusAndCrc) {
    SimSign sign;
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_VOLATILE, 5, 0, 0, 5, "me", "[jp3]TEST [fl]Flashing[/fl]", 0)),
              Result(TQDMS_OK));
    // 267 minutes at priority 55 from 103.8.9.10, host order.
    uint8_t a[12] = {0x0B, 0x01, 55, 4, 5, 0, 0xF9, 0x95, 10, 9, 8, 103};
    ASSERT_EQ(Result(tqActiveMessage(a)), Result(TQDMS_OK));
    uint8_t code[12];
    ASSERT_EQ(Result(tqGetSignControl(NTCIP_ACTIVATE_MESSAGE, code, 12)), Result(TQDMS_OK));
    const uint8_t want[12] = {0x01, 0x0B, 0x37, 0x04, 0x00, 0x05, 0x95, 0xF9, 0x67, 0x08, 0x09, 0x0A};
    EXPECT_EQ(std::memcmp(code, want, 12), 0);
    // The message on display cannot be changed.
    EXPECT_EQ(Result(tqDefine1Message(NTCIP_MEM_VOLATILE, 5, 0, 0, 5, "me", "X", 0)), Result(TQDMS_E_GEN_ERR));
    a[6] = 1;  // wrong CRC
    EXPECT_EQ(Result(tqActiveMessage(a)), Result(TQDMS_E_GEN_ERR));
    a[6] = a[7] = 0;  // CRC 0 stands for the stored one...
    EXPECT_EQ(Result(tqActiveMessage(a)), Result(TQDMS_OK));
    sign.patch({{"limits", {{"strictCrc", 1}}}});
    EXPECT_EQ(Result(tqActiveMessage(a)), Result(TQDMS_E_GEN_ERR));  // ...unless the sign is strict
    uint8_t blank[12] = {0xFF, 0xFF, 100, 7, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Result(tqActiveMessage(blank)), Result(TQDMS_OK));
    uint8_t missing[12] = {0xFF, 0xFF, 100, 3, 9, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Result(tqActiveMessage(missing)), Result(TQDMS_E_GEN_ERR));
    // Event messages must name something the sign can show.
    uint8_t id[5] = {4, 0, 5, 0x95, 0xF9};
    EXPECT_EQ(Result(tqSetSignControl(NTCIP_COMMUNICATIONS_LOSS_MESSAGE, id, 5)), Result(TQDMS_OK));
    uint8_t bad[5] = {3, 0, 9, 0, 0};
    EXPECT_EQ(Result(tqSetDoorOpen(bad, 5)), Result(TQDMS_E_BAD_VALUE));
    uint8_t back[5];
    ASSERT_EQ(Result(tqGetSignControl(NTCIP_COMMUNICATIONS_LOSS_MESSAGE, back, 5)), Result(TQDMS_OK));
    EXPECT_EQ(std::memcmp(back, id, 5), 0);
}

TEST(SimSign, MultiTextOfExactlyTheLengthLimitIsKept) {
    // Wide enough for 20 characters on a line (5 pixels and 1 between).
    SimSign sign(json{{"limits", {{"maxMultiLength", 20}}}, {"profile", {{"signWidthPixels", 119}}}});
    ASSERT_EQ(Result(setStatus(3, 1, 6)), Result(TQDMS_OK));
    const std::string full(20, 'A'), over(21, 'B');
    EXPECT_EQ(Result(tqSetMsgTable(NTCIP_MEM_CHANGEABLE, 1, NTCIP_MSG_MULTI_STRING, full.c_str(), 21)),
              Result(TQDMS_OK));
    EXPECT_EQ(Result(tqSetMsgTable(NTCIP_MEM_CHANGEABLE, 1, NTCIP_MSG_MULTI_STRING, over.c_str(), 22)),
              Result(TQDMS_E_BAD_VALUE));
    ASSERT_EQ(Result(setStatus(3, 1, 7)), Result(TQDMS_OK));
    EXPECT_EQ(status(3, 1), 4u);  // valid at the limit itself
    EXPECT_EQ(multiText(1), full);  // the refused text changed nothing
}

TEST(SimSign, BlankMessagesOneToTwoHundredFiftyFive) {
    SimSign sign;
    struct Case { uint16_t number; uint32_t activate, event; } cases[] = {
        {0, TQDMS_E_GEN_ERR, TQDMS_E_BAD_VALUE},
        {1, TQDMS_OK, TQDMS_OK},
        {255, TQDMS_OK, TQDMS_OK},
        {256, TQDMS_E_GEN_ERR, TQDMS_E_BAD_VALUE}};
    for (const Case& c : cases) {
        // Activation record in host order; message ID code in network order.
        uint8_t a[12] = {0xFF, 0xFF, 100, 7, 0, 0, 0, 0, 0, 0, 0, 0};
        std::memcpy(a + 4, &c.number, 2);
        EXPECT_EQ(Result(tqActiveMessage(a)), Result(c.activate)) << c.number;
        uint8_t id[5] = {7, static_cast<uint8_t>(c.number >> 8), static_cast<uint8_t>(c.number), 0, 0};
        EXPECT_EQ(Result(tqSetSignControl(NTCIP_COMMUNICATIONS_LOSS_MESSAGE, id, 5)), Result(c.event)) << c.number;
    }
}

TEST(SimSign, LocalTimeDifferentialFromUtcMinusTwelveToPlusFourteen) {
    SimSign sign;
    struct Case { int32_t diff; uint32_t result; } cases[] = {
        {-43201, TQDMS_E_BAD_VALUE}, {-43200, TQDMS_OK}, {50400, TQDMS_OK}, {50401, TQDMS_E_BAD_VALUE}};
    int32_t kept = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(Result(tqSetGlobalTime(NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL, &c.diff, 4)), Result(c.result)) << c.diff;
        if (c.result == TQDMS_OK) kept = c.diff;
        EXPECT_EQ(sign.state()["clock"]["differential"], kept) << c.diff;
    }
}

TEST(SimSign, FaultsFireOnTheNthMatchingCallAndChangeNothing) {
    SimSign sign;
    sign.freezeClock(100);
    sign.fault({{"fn", "tqSetGlobalTime"}, {"args", {NTCIP_GLOBAL_TIME_SECONDS}}, {"nth", 2}, {"result", 99}});
    uint32_t t = 200;
    EXPECT_EQ(Result(tqSetGlobalTime(NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL, &t, 4)),
              Result(TQDMS_OK));  // object 5 does not match the fault
    EXPECT_EQ(Result(tqSetGlobalTime(NTCIP_GLOBAL_TIME_SECONDS, &t, 4)), Result(TQDMS_OK));
    t = 300;
    EXPECT_EQ(tqSetGlobalTime(NTCIP_GLOBAL_TIME_SECONDS, &t, 4), 99u);
    EXPECT_EQ(sign.state()["clock"]["time"], 200);
    EXPECT_EQ(Result(tqSetGlobalTime(NTCIP_GLOBAL_TIME_SECONDS, &t, 4)), Result(TQDMS_OK));  // times defaults to 1
    auto j = sign.calls("tqSetGlobalTime");
    ASSERT_EQ(j.size(), 4u);
    EXPECT_TRUE(j[2].value("fault", false));
    EXPECT_EQ(j[2]["result"], 99);
    EXPECT_FALSE(j[3].value("fault", false));

    // A reply fault answers a get with given bytes; a swallowed set sticks.
    sign.fault({{"fn", "tqGetMsgTable"},
                {"args", {NTCIP_MEM_CHANGEABLE, nullptr, NTCIP_MSG_STATUS}},
                {"times", -1},
                {"reply", "06"}});
    sign.fault({{"fn", "tqSetMsgTable"}, {"args", {NTCIP_MEM_CHANGEABLE, 4, NTCIP_MSG_STATUS}}, {"swallow", true}});
    EXPECT_EQ(status(3, 4), 6u);
    EXPECT_EQ(status(3, 8), 6u);
    EXPECT_EQ(Result(setStatus(3, 4, 6)), Result(TQDMS_OK));
    sign.clearFaults();
    EXPECT_EQ(status(3, 4), 1u);
    EXPECT_EQ(Result(tqsimAddFault(R"({"fn":"x","nth":0})")), Result(TQDMS_E_BAD_VALUE));
    EXPECT_EQ(Result(tqsimAddFault("not json")), Result(TQDMS_E_BAD_VALUE));
}

TEST(SimSign, JournalRecordsArgumentsAndBytes) {
    SimSign sign;
    int32_t diff = -3600;
    ASSERT_EQ(Result(tqSetGlobalTime(NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL, &diff, 4)), Result(TQDMS_OK));
    uint32_t v = 0;
    ASSERT_EQ(Result(tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &v, 4)), Result(TQDMS_OK));
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 2, 0, 1, 9, "own", "[nl]", 0)), Result(TQDMS_OK));
    json j = sign.journal();
    ASSERT_EQ(j.size(), 3u);
    EXPECT_EQ(j[0]["fn"], "tqSetGlobalTime");
    EXPECT_EQ(j[0]["data"], "f0f1ffff");
    EXPECT_EQ(j[1]["data"], hex32(100));
    EXPECT_EQ(j[2]["args"], json({3, 2, 0, 1, 9, 0}));
    EXPECT_EQ(j[2]["texts"], json({"own", "[nl]"}));
    EXPECT_EQ(tqsimJournalCount(), 3);
    tqsimSetJournal(0);
    tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &v, 4);
    EXPECT_EQ(tqsimJournalCount(), 3);
    tqsimSetJournal(1);
}

TEST(SimSign, StopFlagEndsTheNextExchangeOnly) {
    SimSign sign;
    auto* di = static_cast<DeviceInterface*>(GetIf());
    ASSERT_NE(di, nullptr);
    di->params.stopRequested = 1;
    uint32_t v;
    EXPECT_EQ(Result(tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &v, 4)), Result(TQDMS_E_EXCHANGE));
    EXPECT_EQ(di->params.stopRequested, 0);
    EXPECT_EQ(Result(tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &v, 4)), Result(TQDMS_OK));
}

TEST(SimSign, StateFileRoundTripAndBadStates) {
    std::string path = ::testing::TempDir() + "sim_state_" + std::to_string(getpid()) + ".json";
    std::remove(path.c_str());
    {
        ASSERT_EQ(Result(tqsimOpen(path.c_str())), Result(TQDMS_OK));
        DeviceInitParameters p{};
        ASSERT_EQ(Result(tqDMSInitNotVerify(&p)), Result(TQDMS_OK));
        ASSERT_EQ(Result(tqsimPatchState(R"({"limits":{"maxChangeable":42}})")), Result(TQDMS_OK));
        ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 9, 1, 0, 7, "kept", "[jp2]KEPT", 0)), Result(TQDMS_OK));
        tqsimClose();  // saves the file
    }
    ASSERT_EQ(Result(tqsimOpen(path.c_str())), Result(TQDMS_OK));
    DeviceInitParameters p{};
    ASSERT_EQ(Result(tqDMSInitNotVerify(&p)), Result(TQDMS_OK));
    uint32_t v = 0;
    ASSERT_EQ(Result(tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &v, 4)), Result(TQDMS_OK));
    EXPECT_EQ(v, 42u);
    EXPECT_EQ(multiText(9), "[jp2]KEPT");
    // A state that does not load changes nothing.
    EXPECT_EQ(Result(tqsimPatchState(R"({"messages":[{"type":9,"number":1}]})")), Result(TQDMS_E_BAD_VALUE));
    EXPECT_EQ(multiText(9), "[jp2]KEPT");
    tqsimClose();
    std::FILE* f = std::fopen(path.c_str(), "w");
    std::fputs("{\"format\":\"something else\"}", f);
    std::fclose(f);
    EXPECT_EQ(Result(tqsimOpen(path.c_str())), Result(TQDMS_E_BAD_VALUE));
    std::remove(path.c_str());
}

}  // namespace
