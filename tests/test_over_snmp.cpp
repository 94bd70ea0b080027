// The second run of the export tests must really talk to an agent: a sign
// reached over SNMP has no state in this process, while its calls are
// journalled here and a patched state shows on the wire.
#include <gtest/gtest.h>

#include "dmscontent/dmscontent.h"
#include "support/result.h"
#include "support/sign_over_snmp.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

namespace {

using testing_support::Result;
using testing_support::json;
using testing_support::SimSign;

TEST(OverSnmp, TestSignIsTheOneTheModeNames) {
    SimSign sign(json{{"limits", {{"maxVolatile", 7}}}});
    uint32_t value = 0;
    ASSERT_EQ(tqGetMsgInfo(NTCIP_MAX_VOLATILE_MSG, &value, 4), TQDMS_OK);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(sign.calls("tqGetMsgInfo").size(), 1u);
    // Only an in-process sign shows its state to tqsimGetState.
    EXPECT_EQ(tqsimGetState(nullptr, 0) == 0, testing_support::overSnmp());
}

TEST(OverSnmp, PatchAndStateReachTheServedSign) {
    SimSign sign;
    sign.patch({{"clock", {{"running", false}, {"time", 1700000000u}, {"differential", 3600}}}});
    uint32_t seconds = 0;
    ASSERT_EQ(tqGetGlobalTime(NTCIP_GLOBAL_TIME_SECONDS, &seconds, 4), TQDMS_OK);
    EXPECT_EQ(seconds, 1700000000u);
    uint32_t later = 42;
    ASSERT_EQ(tqSetGlobalTime(NTCIP_GLOBAL_TIME_SECONDS, &later, 4), TQDMS_OK);
    EXPECT_EQ(sign.state()["clock"]["time"], 42u);
    EXPECT_THROW(sign.patch({{"limits", {{"maxVolatile", "many"}}}}), std::runtime_error);
    // A refused patch changes nothing and the sign is still served.
    ASSERT_EQ(tqGetGlobalTime(NTCIP_GLOBAL_TIME_SECONDS, &seconds, 4), TQDMS_OK);
    EXPECT_EQ(seconds, 42u);
}

// Its other tests lean on the door-open message, which NTCIP has no object for.
TEST(OverSnmp, ClearMessageEventBlanksTheEventMessages) {
    SimSign sign(json{{"control", {{"commLoss", "0300040000"}, {"longPower", "0300040000"}}}});
    ASSERT_EQ(Result(tqClearMessageEvent()), Result(DMS_OK));
    for (int object : {NTCIP_COMMUNICATIONS_LOSS_MESSAGE, NTCIP_LONG_POWER_RECOVERY_MESSAGE}) {
        uint8_t id[5] = {};
        ASSERT_EQ(Result(tqGetSignControl(object, id, 5)), Result(TQDMS_OK));
        EXPECT_EQ(std::vector<int>(id, id + 5), std::vector<int>({NTCIP_MEM_BLANK, 0, 1, 0, 0})) << object;
    }
    uint8_t a[12] = {};
    ASSERT_EQ(Result(tqGetSignControl(NTCIP_ACTIVATE_MESSAGE, a, 12)), Result(TQDMS_OK));
    EXPECT_EQ(a[3], NTCIP_MEM_BLANK);
}

}  // namespace
