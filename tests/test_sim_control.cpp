// The simulated sign's control objects: control mode, communications loss
// time, memory management, the syntax error position and the message of the
// last refused activation, through the boundary.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"
#include "tqdms/tqdms.h"
#include "tqdms/tqsim.h"

using namespace testing_support;

namespace {

using Id = std::array<uint8_t, NTCIP_MESSAGE_ID_CODE_SIZE>;

uint32_t control(int object) {
    uint32_t v = 0xDEAD;
    EXPECT_EQ(Result(tqGetSignControl(object, &v, 4)), Result(TQDMS_OK)) << object;
    return v;
}

uint32_t setControl(int object, uint32_t v) { return tqSetSignControl(object, &v, 4); }

Id controlId(int object) {
    Id id{};
    EXPECT_EQ(Result(tqGetSignControl(object, id.data(), 5)), Result(TQDMS_OK)) << object;
    return id;
}

uint32_t rowStatus(int type, int number) {
    uint32_t s = 0;
    EXPECT_EQ(Result(tqGetMsgTable(type, number, NTCIP_MSG_STATUS, &s, 4)), Result(TQDMS_OK));
    return s;
}

// Activation record in host order for a row whose CRC the sign fills in.
std::array<uint8_t, 12> activation(uint8_t type, uint16_t number) {
    std::array<uint8_t, 12> a = {0xFF, 0xFF, 100, type, 0, 0, 0, 0, 0, 0, 0, 0};
    std::memcpy(&a[4], &number, 2);
    return a;
}

uint32_t activate(uint8_t type, uint16_t number) { return tqActiveMessage(activation(type, number).data()); }

TEST(SimSignControl, IntegerObjectsAtTheirLimits) {
    SimSign sign;
    struct Case { int object; uint32_t value; uint32_t result; uint32_t reads; } cases[] = {
        {NTCIP_CONTROL_MODE, 0, TQDMS_E_BAD_VALUE, NTCIP_CONTROL_CENTRAL},
        {NTCIP_CONTROL_MODE, 1, TQDMS_OK, 1},
        {NTCIP_CONTROL_MODE, 6, TQDMS_OK, 6},
        {NTCIP_CONTROL_MODE, 7, TQDMS_E_BAD_VALUE, 6},
        {NTCIP_TIME_COMM_LOSS, 65535, TQDMS_OK, 65535},
        {NTCIP_TIME_COMM_LOSS, 65536, TQDMS_E_BAD_VALUE, 65535},
        {NTCIP_TIME_COMM_LOSS, 0, TQDMS_OK, 0},
        {NTCIP_MEMORY_MGMT, 1, TQDMS_E_BAD_VALUE, NTCIP_MEMORY_NORMAL},
        {NTCIP_MEMORY_MGMT, 5, TQDMS_E_BAD_VALUE, NTCIP_MEMORY_NORMAL},
        {NTCIP_MEMORY_MGMT, 2, TQDMS_OK, NTCIP_MEMORY_NORMAL},
        {NTCIP_MULTI_SYNTAX_ERROR_POSITION, 3, TQDMS_E_READ_ONLY, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Result(setControl(c.object, c.value)), Result(c.result)) << c.object << " " << c.value;
        EXPECT_EQ(control(c.object), c.reads) << c.object << " " << c.value;
    }
    // The mode also takes a one-byte buffer.
    uint8_t local = NTCIP_CONTROL_LOCAL;
    EXPECT_EQ(Result(tqSetSignControl(NTCIP_CONTROL_MODE, &local, 1)), Result(TQDMS_OK));
    EXPECT_EQ(control(NTCIP_CONTROL_MODE), uint32_t(NTCIP_CONTROL_LOCAL));
    Id id{};
    EXPECT_EQ(Result(tqSetSignControl(NTCIP_ACTIVATE_ERROR_MSG_CODE, id.data(), 5)), Result(TQDMS_E_READ_ONLY));
    EXPECT_EQ(Result(tqGetSignControl(20, id.data(), 4)), Result(TQDMS_E_NO_SUCH_NAME));
}

TEST(SimSignControl, EventMessagesResetPowerLossAndEndDuration) {
    SimSign sign;
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 4, 0, 0, 5, "me", "HELLO", 0)), Result(TQDMS_OK));
    uint16_t crc = 0;
    ASSERT_EQ(Result(tqGetMsgTable(NTCIP_MEM_CHANGEABLE, 4, NTCIP_MSG_CRC, &crc, 2)), Result(TQDMS_OK));
    const Id blank = {NTCIP_MEM_BLANK, 0, 1, 0, 0};
    const Id good = {NTCIP_MEM_CHANGEABLE, 0, 4, static_cast<uint8_t>(crc >> 8), static_cast<uint8_t>(crc)};
    const Id missing = {NTCIP_MEM_CHANGEABLE, 0, 9, 0, 0};
    for (int object : {NTCIP_RESET_MESSAGE, NTCIP_POWER_LOSS_MESSAGE, NTCIP_END_DURATION_MESSAGE}) {
        EXPECT_EQ(controlId(object), blank) << object;
        EXPECT_EQ(Result(tqSetSignControl(object, missing.data(), 5)), Result(TQDMS_E_BAD_VALUE)) << object;
        EXPECT_EQ(Result(tqSetSignControl(object, good.data(), 4)), Result(TQDMS_E_BAD_VALUE)) << object;
        EXPECT_EQ(controlId(object), blank) << object;
        EXPECT_EQ(Result(tqSetSignControl(object, good.data(), 5)), Result(TQDMS_OK)) << object;
        EXPECT_EQ(controlId(object), good) << object;
    }
}

TEST(SimSignControl, LocalModeRefusesActivationUntilCentral) {
    SimSign sign;
    const Id blank1 = {NTCIP_MEM_BLANK, 0, 1, 0, 0};
    EXPECT_EQ(controlId(NTCIP_ACTIVATE_ERROR_MSG_CODE), blank1);  // nothing refused yet
    std::array<uint8_t, 12> before{};
    ASSERT_EQ(Result(tqGetSignControl(NTCIP_ACTIVATE_MESSAGE, before.data(), 12)), Result(TQDMS_OK));
    ASSERT_EQ(Result(setControl(NTCIP_CONTROL_MODE, NTCIP_CONTROL_LOCAL)), Result(TQDMS_OK));
    EXPECT_EQ(Result(activate(NTCIP_MEM_BLANK, 3)), Result(TQDMS_E_GEN_ERR));
    EXPECT_EQ(control(NTCIP_ACTIVATE_MSG_ERROR), uint32_t(NTCIP_ACTIVATE_LOCAL_MODE));
    EXPECT_EQ(controlId(NTCIP_ACTIVATE_ERROR_MSG_CODE), (Id{NTCIP_MEM_BLANK, 0, 3, 0, 0}));
    std::array<uint8_t, 12> after{};
    ASSERT_EQ(Result(tqGetSignControl(NTCIP_ACTIVATE_MESSAGE, after.data(), 12)), Result(TQDMS_OK));
    EXPECT_EQ(after, before);
    ASSERT_EQ(Result(setControl(NTCIP_CONTROL_MODE, NTCIP_CONTROL_CENTRAL)), Result(TQDMS_OK));
    EXPECT_EQ(Result(activate(NTCIP_MEM_BLANK, 3)), Result(TQDMS_OK));
    EXPECT_EQ(control(NTCIP_ACTIVATE_MSG_ERROR), uint32_t(NTCIP_ACTIVATE_NONE));
    // Any refusal names its message, not only one in local mode.
    EXPECT_EQ(Result(activate(NTCIP_MEM_CHANGEABLE, 12)), Result(TQDMS_E_GEN_ERR));
    EXPECT_EQ(controlId(NTCIP_ACTIVATE_ERROR_MSG_CODE), (Id{NTCIP_MEM_CHANGEABLE, 0, 12, 0, 0}));
}

TEST(SimSignControl, MemoryManagementClearsOneMemoryType) {
    SimSign sign;
    for (int n : {1, 2})
        ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, n, 0, 0, 5, "me", "CHANGEABLE", 0)), Result(TQDMS_OK));
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_VOLATILE, 1, 0, 0, 5, "me", "VOLATILE", 0)), Result(TQDMS_OK));
    auto statuses = [] {
        return std::vector<uint32_t>{rowStatus(NTCIP_MEM_CHANGEABLE, 1), rowStatus(NTCIP_MEM_CHANGEABLE, 2),
                                     rowStatus(NTCIP_MEM_VOLATILE, 1)};
    };
    const std::vector<uint32_t> allValid = {NTCIP_MSG_VALID, NTCIP_MSG_VALID, NTCIP_MSG_VALID};
    // Refused, changing nothing, while a changeable message is shown.
    ASSERT_EQ(Result(activate(NTCIP_MEM_CHANGEABLE, 2)), Result(TQDMS_OK));
    EXPECT_EQ(Result(setControl(NTCIP_MEMORY_MGMT, NTCIP_MEMORY_CLEAR_CHANGEABLE)), Result(TQDMS_E_GEN_ERR));
    EXPECT_EQ(statuses(), allValid);
    ASSERT_EQ(Result(activate(NTCIP_MEM_VOLATILE, 1)), Result(TQDMS_OK));
    EXPECT_EQ(Result(setControl(NTCIP_MEMORY_MGMT, NTCIP_MEMORY_CLEAR_VOLATILE)), Result(TQDMS_E_GEN_ERR));
    EXPECT_EQ(statuses(), allValid);
    // Clearing the changeable messages leaves the volatile ones.
    EXPECT_EQ(Result(setControl(NTCIP_MEMORY_MGMT, NTCIP_MEMORY_CLEAR_CHANGEABLE)), Result(TQDMS_OK));
    EXPECT_EQ(statuses(), (std::vector<uint32_t>{NTCIP_MSG_NOT_USED, NTCIP_MSG_NOT_USED, NTCIP_MSG_VALID}));
    uint32_t count = 99;
    ASSERT_EQ(Result(tqGetMsgInfo(NTCIP_NUM_CHANGEABLE_MSG, &count, 4)), Result(TQDMS_OK));
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(control(NTCIP_MEMORY_MGMT), uint32_t(NTCIP_MEMORY_NORMAL));
}

TEST(SimSignControl, SyntaxErrorPositionOfTheLastValidation) {
    SimSign sign(json{{"limits", {{"maxMultiLength", 20}}}});
    struct Case { const char* multi; uint32_t syntax, position; } cases[] = {
        {"[jp3]AB[xx]C", NTCIP_MULTI_UNSUPPORTED_TAG, 7},
        {"AB]", NTCIP_MULTI_OTHER, 2},
        {"[jp3]AB[fo", NTCIP_MULTI_OTHER, 10},  // the end of the text, where the tag is cut off
        {"AB[fo9]", NTCIP_MULTI_FONT_NOT_DEFINED, 2},
        {"[mvcl1,2,3,[zz]X]", NTCIP_MULTI_UNSUPPORTED_TAG, 11},  // inside the moving text
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", NTCIP_MULTI_TEXT_TOO_BIG, 20},
        {"[jp3]FINE", NTCIP_MULTI_NONE, 0},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 1, 0, 0, 5, "me", c.multi, 0)), Result(TQDMS_OK));
        EXPECT_EQ(control(NTCIP_MULTI_SYNTAX_ERROR), c.syntax) << c.multi;
        EXPECT_EQ(control(NTCIP_MULTI_SYNTAX_ERROR_POSITION), c.position) << c.multi;
    }
}

TEST(SimSignControl, ControlValuesKeptInTheState) {
    json saved;
    const Id reset = {NTCIP_MEM_BLANK, 0, 7, 0, 0};
    {
        SimSign sign;
        ASSERT_EQ(Result(setControl(NTCIP_CONTROL_MODE, NTCIP_CONTROL_SIMULATION)), Result(TQDMS_OK));
        ASSERT_EQ(Result(setControl(NTCIP_TIME_COMM_LOSS, 90)), Result(TQDMS_OK));
        ASSERT_EQ(Result(tqSetSignControl(NTCIP_RESET_MESSAGE, reset.data(), 5)), Result(TQDMS_OK));
        ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 1, 0, 0, 5, "me", "AB[xx]", 0)), Result(TQDMS_OK));
        ASSERT_EQ(Result(activate(NTCIP_MEM_CHANGEABLE, 5)), Result(TQDMS_E_GEN_ERR));
        saved = sign.state();
    }
    SimSign sign(saved);
    EXPECT_EQ(control(NTCIP_CONTROL_MODE), uint32_t(NTCIP_CONTROL_SIMULATION));
    EXPECT_EQ(control(NTCIP_TIME_COMM_LOSS), 90u);
    EXPECT_EQ(control(NTCIP_MULTI_SYNTAX_ERROR_POSITION), 2u);
    EXPECT_EQ(controlId(NTCIP_RESET_MESSAGE), reset);
    EXPECT_EQ(controlId(NTCIP_ACTIVATE_ERROR_MSG_CODE), (Id{NTCIP_MEM_CHANGEABLE, 0, 5, 0, 0}));
    // Values out of range make the whole state fail and change nothing.
    const json bad[] = {{{"controlMode", 0}}, {{"controlMode", 7}}, {{"timeCommLoss", 65536}},
                        {{"syntaxErrorPosition", 65536}}, {{"reset", "0700"}}, {{"endDuration", "zz"}},
                        {{"controlMode", "local"}}, {{"timeCommLoss", 4294967300LL}}, {{"controlMode", 4.0}}};
    for (const json& c : bad) {
        EXPECT_EQ(Result(tqsimPatchState(json{{"control", c}}.dump().c_str())), Result(TQDMS_E_BAD_VALUE)) << c;
        EXPECT_EQ(sign.state(), saved) << c;
    }
    EXPECT_EQ(Result(tqsimPatchState(R"({"control":{"timeCommLoss":65535,"controlMode":1}})")), Result(TQDMS_OK));
    EXPECT_EQ(control(NTCIP_TIME_COMM_LOSS), 65535u);
}

}  // namespace
