// Activation and event messages: tqClearMessageEvent, tqGetMessageErrorDefine,
// activateByEventCode.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "dmscontent/dmscontent.h"
#include "messages/events.h"
#include "support/fault_sweep.h"
#include "support/message_rows.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using testing_support::Result;
using testing_support::json;
using testing_support::SimSign;

namespace {

TEST(MessageEvents, ClearActivatesBlankBeforeTheEventMessages) {
    SimSign sign(json{{"messages", {testing_support::row(NTCIP_MEM_CHANGEABLE, 4, "[jp3]A")}}});
    sign.patch({{"control", {{"doorOpen", "0300040000"}, {"commLoss", "0300040000"}}}});
    ASSERT_EQ(Result(tqClearMessageEvent()), Result(DMS_OK));
    EXPECT_EQ(sign.callNames(), (std::vector<std::string>{"tqActiveMessage", "tqSetDoorOpen", "tqSetSignControl",
                                                          "tqSetSignControl", "tqSetSignControl"}));
    json objects = json::array();
    for (const json& c : sign.calls("tqSetSignControl")) objects.push_back(c["args"][0]);
    EXPECT_EQ(objects, json({NTCIP_COMMUNICATIONS_LOSS_MESSAGE, NTCIP_SHORT_POWER_RECOVERY_MESSAGE,
                             NTCIP_LONG_POWER_RECOVERY_MESSAGE}));
    json control = sign.state()["control"];
    EXPECT_EQ(json({control["activated"], control["doorOpen"], control["commLoss"]}),
              json({"ffff6407000100000000" "0000", "0700010000", "0700010000"}));

    // A failing activation leaves the event messages untouched.
    sign.patch({{"control", {{"doorOpen", "0300040000"}}}});
    sign.clearJournal();
    sign.fault({{"fn", "tqActiveMessage"}, {"result", 0x31}});
    EXPECT_EQ(tqClearMessageEvent(), 0x31u);
    EXPECT_EQ(sign.journal().size(), 1u);
    EXPECT_EQ(sign.state()["control"]["doorOpen"], "0300040000");
}

TEST(MessageEvents, ErrorDefineReadsTheSyntaxErrorOnlyAfterFive) {
    SimSign sign;
    uint32_t v = 99, s = 99;
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 1, 0, 0, 5, "me", "[jp3]OK", 0)), Result(TQDMS_OK));
    EXPECT_EQ(Result(tqGetMessageErrorDefine(&v, &s)), Result(DMS_OK));
    EXPECT_EQ(std::make_pair(v, s), std::make_pair(2u, 99u));
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 1, 0, 0, 5, "me", "[zz]BAD", 0)), Result(TQDMS_OK));
    EXPECT_EQ(Result(tqGetMessageErrorDefine(&v, nullptr)), Result(DMS_OK));
    EXPECT_EQ(v, 5u);
    EXPECT_EQ(Result(tqGetMessageErrorDefine(&v, &s)), Result(DMS_OK));
    EXPECT_EQ(s, 3u);
    sign.clearJournal();
    EXPECT_EQ(Result(tqGetMessageErrorDefine(nullptr, &s)), Result(DMS_OK));
    EXPECT_TRUE(sign.journal().empty());
}

TEST(MessageEvents, EventCodesPickTheDeviceCall) {
    SimSign sign(json{{"messages", {testing_support::row(NTCIP_MEM_CHANGEABLE, 4, "[jp3]A")}}});
    MessageTableEntry e = testing_support::entry(3, 4, "");
    const char* calls[] = {"tqActiveMessage", "tqSetDoorOpen", "tqSetSignControl", "tqSetSignControl",
                           "tqSetSignControl"};
    const int objects[] = {0, 0, 12, 8, 9};
    for (int code = 1; code <= 5; ++code) {
        sign.clearJournal();
        e.eventCode = static_cast<uint8_t>(code);
        ASSERT_EQ(Result(dms::activateByEventCode(e)), Result(DMS_OK)) << code;
        json j = sign.journal();
        ASSERT_EQ(j.size(), 1u);
        EXPECT_EQ(j[0]["fn"], calls[code - 1]);
        if (objects[code - 1]) { EXPECT_EQ(j[0]["args"][0], objects[code - 1]); }
        if (code > 1) { EXPECT_EQ(j[0]["data"], "0300040000"); }
    }
    // Activation: for ever, priority 100, from 127.0.0.1, host order.
    EXPECT_EQ(sign.state()["control"]["activated"], "ffff640300040000" "7f000001");
    for (int code : {0, 6, 255}) {
        sign.clearJournal();
        e.eventCode = static_cast<uint8_t>(code);
        EXPECT_EQ(Result(dms::activateByEventCode(e)), Result(DMS_E_ARGUMENT));
        EXPECT_TRUE(sign.journal().empty());
    }
}

TEST(MessageEvents, FaultSweeps) {
    std::unique_ptr<SimSign> sign;
    auto fresh = [&] {
        sign.reset();
        sign = std::make_unique<SimSign>();
        ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 1, 0, 0, 5, "me", "[zz]", 0)), Result(TQDMS_OK));
    };
    auto passesCode = [](const testing_support::SweepStep& s) {
        EXPECT_EQ(s.result, testing_support::kSweepCode);
    };
    EXPECT_EQ(testing_support::faultSweep(fresh, [] { return tqClearMessageEvent(); }, passesCode), 5);
    uint32_t v, s;
    EXPECT_EQ(testing_support::faultSweep(fresh, [&] { return tqGetMessageErrorDefine(&v, &s); }, passesCode), 2);
    sign.reset();
}

}  // namespace
