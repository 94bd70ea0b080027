// Message rows from and to host records: tqGetSingleMessage, tqGetMessages,
// tqSendSingleMessage, tqSendAllMessage, tqDeleteMessage.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "support/fault_sweep.h"
#include "support/fields.h"
#include "support/message_rows.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using testing_support::Result;
using testing_support::ints;
using testing_support::entry;
using testing_support::json;
using testing_support::row;
using testing_support::SimSign;

namespace {

std::vector<std::string> g_lines;
void DMS_CALL capture(const char* line, void*) { g_lines.emplace_back(line); }

uint32_t rowStatus(int type, int number) {
    uint32_t s = 0;
    EXPECT_EQ(Result(tqGetMsgTable(type, number, NTCIP_MSG_STATUS, &s, 4)), Result(TQDMS_OK));
    return s;
}

TEST(MessageRows, GetSingleMessageReadsColumnsInOrder) {
    SimSign sign(json{{"messages", {row(NTCIP_MEM_VOLATILE, 7, "[jp2]HELLO", "ops")}}});
    MessageTableEntry e;
    std::memset(&e, 0x5A, sizeof e);
    ASSERT_EQ(Result(tqGetSingleMessage(4, 7, &e)), Result(DMS_OK));
    // Event code, CRC and length are not touched.
    EXPECT_EQ(ints(e.memoryType, e.number, e.priority, e.status, e.eventCode, e.crc, e.multiLength),
              ints(4, 7, 1, 4, 0x5A, 0x5A5A, 0x5A5A));
    EXPECT_EQ(std::string(e.multi) + "," + e.owner, "[jp2]HELLO,ops");

    g_lines.clear();
    dmsSetLogSink(capture, nullptr);
    sign.fault({{"fn", "tqGetMsgTable"}, {"args", {NTCIP_MEM_VOLATILE, 7, NTCIP_MSG_BEACON}}, {"result", 0x44}});
    EXPECT_EQ(tqGetSingleMessage(4, 7, &e), 0x44u);
    dmsSetLogSink(nullptr, nullptr);
    ASSERT_EQ(g_lines.size(), 1u);
    EXPECT_NE(g_lines[0].find("[ERROR]"), std::string::npos);
    EXPECT_NE(g_lines[0].find("] GetMessage Error.\n"), std::string::npos);
    EXPECT_EQ(Result(tqGetSingleMessage(4, 7, nullptr)), Result(DMS_E_ARGUMENT));
}

json signWithRows() {
    return {{"limits", {{"maxChangeable", 4}, {"maxVolatile", 2}}},
            {"messages",
             {row(NTCIP_MEM_CHANGEABLE, 1, "[jp3]ONE"), row(NTCIP_MEM_CHANGEABLE, 2, "[jp3]TWO"),
              row(NTCIP_MEM_CHANGEABLE, 4, "[jp3]FOUR"), row(NTCIP_MEM_VOLATILE, 1, "[jp3]V1"),
              row(NTCIP_MEM_VOLATILE, 2, "")}}};
}

TEST(MessageRows, GetMessagesVisitsEveryRowWithEventCodes) {
    SimSign sign(signWithRows());
    // Activate changeable 2; the door-open message stays blank (7, 1).
    uint8_t a[12] = {0xFF, 0xFF, 5, 3, 2, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(Result(tqActiveMessage(a)), Result(TQDMS_OK));
    sign.clearJournal();
    std::vector<MessageTableEntry> rows(10);
    std::memset(rows.data(), 0, rows.size() * sizeof rows[0]);
    int32_t count = 10;
    ASSERT_EQ(Result(tqGetMessages(rows.data(), &count)), Result(DMS_OK));
    // Changeable 1, 2, 4, volatile 1, and the current buffer showing 2;
    // the empty volatile row and the blank and schedule rows are left out.
    ASSERT_EQ(count, 5);
    const int types[] = {3, 3, 3, 4, 5};
    const int numbers[] = {1, 2, 4, 1, 1};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(rows[i].memoryType, types[i]) << i;
        EXPECT_EQ(rows[i].number, numbers[i]) << i;
    }
    EXPECT_STREQ(rows[2].multi, "[jp3]FOUR");
    // Event codes match by number only: number 1 is the blank door-open
    // message's number, number 2 the activated one's.
    EXPECT_EQ(ints(rows[1].multiLength, rows[0].eventCode, rows[1].eventCode, rows[2].eventCode, rows[3].eventCode),
              ints(8, 2, 1, 0, 2));
    // Progress: one report per visited row, 100 / (V + C) each.
    auto& p = SimSign::progress();
    ASSERT_EQ(p.size(), 9u);
    EXPECT_EQ(ints(p[0].second, p[5].second, p[8].second), ints(16, 100, 150));

    count = 2;
    EXPECT_EQ(Result(tqGetMessages(rows.data(), &count)), Result(DMS_E_FULL));
    EXPECT_EQ(count, 2);
}

TEST(MessageRows, GetMessagesHighNumbersAndFailures) {
    SimSign sign(
        json{{"limits", {{"maxChangeable", 300}, {"maxVolatile", 0}}},
             {"messages", {row(NTCIP_MEM_CHANGEABLE, 200, "[jp3]A"), row(NTCIP_MEM_CHANGEABLE, 300, "[jp3]B")}}});
    uint8_t a[12] = {0xFF, 0xFF, 5, 3, 0x2C, 0x01, 0, 0, 0, 0, 0, 0};  // 300, host order
    ASSERT_EQ(Result(tqActiveMessage(a)), Result(TQDMS_OK));
    std::vector<MessageTableEntry> rows(4);
    std::memset(rows.data(), 0, rows.size() * sizeof rows[0]);
    int32_t count = 4;
    ASSERT_EQ(Result(tqGetMessages(rows.data(), &count)), Result(DMS_OK));
    ASSERT_GE(count, 2);
    // 200's low byte is not 300's.
    EXPECT_EQ(ints(rows[0].number, rows[0].eventCode, rows[1].number, rows[1].eventCode), ints(200, 0, 300, 1));

    sign.fault({{"fn", "tqGetMsgTable"}, {"args", {NTCIP_MEM_CHANGEABLE, 300, NTCIP_MSG_OWNER}}, {"result", 0x61}});
    count = 4;
    EXPECT_EQ(tqGetMessages(rows.data(), &count), 0x61u);
    EXPECT_EQ(count, 1);
    count = 4;
    EXPECT_EQ(Result(tqGetMessages(nullptr, &count)), Result(DMS_E_ARGUMENT));
    tqsimClose();
    count = 4;
    EXPECT_EQ(Result(tqGetMessages(rows.data(), &count)), Result(DMS_E_NO_INTERFACE));
    EXPECT_EQ(count, 0);
}

TEST(MessageRows, SendSingleDefinesActivatesAndReportsErrors) {
    SimSign sign;
    uint32_t v = 0, s = 0;
    MessageTableEntry e = entry(3, 9, "[jp3][zz]");
    ASSERT_EQ(Result(tqSendSingleMessage(&e, &v, &s)), Result(DMS_OK));
    EXPECT_EQ(ints(v, s, rowStatus(3, 9)), ints(5, 3, NTCIP_MSG_ERROR));

    // Event code 1 with a changeable row: defined, then activated.
    e = entry(3, 9, "[jp3]GO", 1);
    ASSERT_EQ(Result(tqSendSingleMessage(&e, &v, &s)), Result(DMS_OK));
    EXPECT_EQ(v, 2u);
    EXPECT_EQ(sign.state()["control"]["activated"].get<std::string>().substr(6, 6), "030009");
    // With an event code and another memory type the row is not defined.
    sign.clearJournal();
    e = entry(4, 3, "[jp3]NOT SENT", 3);
    EXPECT_EQ(Result(tqSendSingleMessage(&e, &v, &s)), Result(TQDMS_E_BAD_VALUE));  // the sign lacks volatile 3
    EXPECT_TRUE(sign.calls("tqDefine1Message").empty());
    // Owner and MULTI fields without terminator are taken up to their size.
    e = entry(4, 2, "");
    std::memset(e.owner, 'o', sizeof e.owner);
    std::memset(e.multi, 'm', sizeof e.multi);
    ASSERT_EQ(Result(tqSendSingleMessage(&e, nullptr, nullptr)), Result(DMS_OK));
    json define = sign.calls("tqDefine1Message").back();
    EXPECT_EQ(define["texts"][0].get<std::string>().size(), 64u);
    EXPECT_EQ(define["texts"][1].get<std::string>().size(), 1064u);
    EXPECT_EQ(Result(tqSendSingleMessage(nullptr, &v, &s)), Result(DMS_E_ARGUMENT));
}

TEST(MessageRows, SendAllSendsInNumberOrderAndErasesTheRest) {
    SimSign sign(
        json{{"limits", {{"maxChangeable", 4}}},
             {"messages", {row(NTCIP_MEM_CHANGEABLE, 2, "[jp3]OLD"), row(NTCIP_MEM_CHANGEABLE, 4, "[jp3]OLD")}}});
    MessageTableEntry e[4] = {entry(3, 3, "[jp3]THREE"), entry(3, 1, "[jp3]ONE"), entry(4, 1, "[jp3]VOL"),
                              entry(3, 3, "[jp3]SECOND THREE")};
    int32_t count = 4, results[4];
    uint32_t v[4] = {0}, s[4] = {0};
    // The volatile entry and the second entry for 3 are not sent: -1.
    EXPECT_EQ(tqSendAllMessage(e, &count, results, v, s), static_cast<uint32_t>(-1));
    EXPECT_EQ(ints(results[0], results[1], results[2], results[3]), ints(DMS_OK, DMS_OK, -1, -1));
    EXPECT_EQ(ints(rowStatus(3, 1), rowStatus(3, 2), rowStatus(3, 3), rowStatus(3, 4)),
              ints(NTCIP_MSG_VALID, NTCIP_MSG_NOT_USED, NTCIP_MSG_VALID, NTCIP_MSG_NOT_USED));
    char multi[32];
    ASSERT_EQ(Result(tqGetMsgTable(NTCIP_MEM_CHANGEABLE, 3, NTCIP_MSG_MULTI_STRING, multi, sizeof multi)),
              Result(TQDMS_OK));
    EXPECT_STREQ(multi, "[jp3]THREE");
    // Defines go out in number order, after the blanking.
    std::vector<int> defined;
    for (const json& c : sign.calls("tqDefine1Message"))
        if (c["texts"][1] != " ") defined.push_back(c["args"][1]);
    EXPECT_EQ(defined, (std::vector<int>{1, 3}));
    EXPECT_EQ(sign.callNames()[0], "tqActiveMessage");

    // Only changeable entries: all sent, result 0; without results the
    // result is the last one obtained.
    count = 2;
    EXPECT_EQ(Result(tqSendAllMessage(e, &count, results, v, s)), Result(DMS_OK));
    EXPECT_EQ(Result(tqSendAllMessage(e, &count, nullptr, v, s)), Result(DMS_OK));
    EXPECT_EQ(Result(tqSendAllMessage(nullptr, &count, results, v, s)), Result(DMS_E_ARGUMENT));
    tqsimClose();
    EXPECT_EQ(Result(tqSendAllMessage(e, &count, results, v, s)), Result(DMS_E_ARGUMENT));  // no sign: 2, not 3
}

TEST(MessageRows, SendAllStopsAtAFailedExchange) {
    SimSign sign(json{{"limits", {{"maxChangeable", 4}}}});
    MessageTableEntry e[2] = {entry(3, 1, "[jp3]ONE"), entry(3, 3, "[jp3]THREE")};
    int32_t count = 2, results[2];
    uint32_t v[2], s[2];
    // Row 2's erase fails with TQDMS_E_EXCHANGE: sent entries get it, the rest keep -1.
    sign.fault(
        {{"fn", "tqSetMsgTable"}, {"args", {NTCIP_MEM_CHANGEABLE, 2, NTCIP_MSG_STATUS}}, {"result", TQDMS_E_EXCHANGE}});
    EXPECT_EQ(Result(tqSendAllMessage(e, &count, results, v, s)), Result(TQDMS_E_EXCHANGE));
    EXPECT_EQ(ints(results[0], results[1], rowStatus(3, 3)), ints(TQDMS_E_EXCHANGE, -1, NTCIP_MSG_NOT_USED));
    // A failing erase of another kind goes on.
    sign.clearFaults();
    sign.fault({{"fn", "tqSetMsgTable"}, {"args", {NTCIP_MEM_CHANGEABLE, 2, NTCIP_MSG_STATUS}}, {"result", 0x77}});
    EXPECT_EQ(Result(tqSendAllMessage(e, &count, results, v, s)), Result(DMS_OK));
    EXPECT_EQ(rowStatus(3, 3), static_cast<uint32_t>(NTCIP_MSG_VALID));
}

TEST(MessageRows, DeleteWaitsForEachState) {
    SimSign sign(json{{"messages", {row(NTCIP_MEM_CHANGEABLE, 5, "[jp3]X"), row(NTCIP_MEM_VOLATILE, 6, "[jp3]Y")}}});
    EXPECT_EQ(Result(tqDeleteMessage(0x104, 0x10006)), Result(DMS_OK));  // low byte 4, low 16 bits 6
    EXPECT_EQ(rowStatus(4, 6), static_cast<uint32_t>(NTCIP_MSG_NOT_USED));
    auto define = sign.calls("tqDefine1Message");
    ASSERT_EQ(define.size(), 1u);
    EXPECT_EQ(define[0]["args"], json({4, 6, 0, 0, 0, 0}));
    EXPECT_EQ(define[0]["texts"], json({" ", " "}));
    EXPECT_EQ(Result(tqDeleteMessage(5, 1)), Result(DMS_E_MEMORY_TYPE));

    // A row that never reports modifying: DMS_E_NOT_MODIFYING after three rounds.
    sign.clearJournal();
    sign.fault({{"fn", "tqGetMsgTable"},
                {"args", {NTCIP_MEM_CHANGEABLE, 5, NTCIP_MSG_STATUS}},
                {"times", 3},
                {"reply", "04000000"}});
    EXPECT_EQ(Result(tqDeleteMessage(3, 5)), Result(DMS_E_NOT_MODIFYING));
    EXPECT_EQ(sign.calls("tqSetMsgTable").size(), 3u);
    EXPECT_TRUE(sign.calls("tqDefine1Message").empty());
    // A row that never reaches not used: DMS_E_STATE_TIMEOUT.
    sign.clearFaults();
    sign.fault({{"fn", "tqSetMsgTable"},
                {"args", {NTCIP_MEM_CHANGEABLE, 5, NTCIP_MSG_STATUS}},
                {"nth", 2},
                {"swallow", true}});
    EXPECT_EQ(Result(tqDeleteMessage(3, 5)), Result(DMS_E_STATE_TIMEOUT));
    tqsimClose();
    EXPECT_EQ(Result(tqDeleteMessage(3, 5)), Result(DMS_E_NO_INTERFACE));
}

TEST(MessageRows, FaultSweeps) {
    std::unique_ptr<SimSign> sign;
    auto fresh = [&] {
        sign.reset();
        sign = std::make_unique<SimSign>(signWithRows());
    };
    const uint32_t code = testing_support::kSweepCode;
    auto passesCode = [&](const testing_support::SweepStep& s) { EXPECT_EQ(s.result, code); };
    MessageTableEntry one;
    testing_support::faultSweep(fresh, [&] { return tqGetSingleMessage(3, 1, &one); }, passesCode);

    std::vector<MessageTableEntry> rows(10);
    int32_t count = 0;
    testing_support::faultSweep(
        fresh,
        [&] {
            count = 10;
            return tqGetMessages(rows.data(), &count);
        },
        [&](const testing_support::SweepStep& s) {
            EXPECT_EQ(s.result, code);
            EXPECT_LE(count, 5);
        });

    MessageTableEntry e = entry(3, 2, "[jp3]NEW", 3);
    uint32_t v, sy;
    testing_support::faultSweep(fresh, [&] { return tqSendSingleMessage(&e, &v, &sy); }, passesCode);
    testing_support::faultSweep(fresh, [&] { return tqDeleteMessage(3, 4); }, passesCode);

    // Send-all: a failure while blanking or reading the maximum leaves every
    // result at -1; a failed send is that entry's result; a failed erase is
    // reported only when it is the last call's result.
    MessageTableEntry all[2] = {entry(3, 1, "[jp3]ONE"), entry(3, 3, "[jp3]THREE")};
    int32_t results[2];
    uint32_t vs[2], ss[2];
    testing_support::faultSweep(
        fresh,
        [&] {
            count = 2;
            return tqSendAllMessage(all, &count, results, vs, ss);
        },
        [&](const testing_support::SweepStep& s) {
            const std::string fn = s.call["fn"];
            const json& args = s.call["args"];
            bool blanking = fn == "tqActiveMessage" || fn == "tqSetDoorOpen" || fn == "tqSetSignControl";
            if (blanking || (fn == "tqGetMsgInfo" && args[0] == 3)) {
                EXPECT_EQ(s.result, static_cast<uint32_t>(-1));
                EXPECT_EQ(results[0], -1);
                EXPECT_EQ(results[1], -1);
            } else if (fn == "tqGetMsgInfo" || args[1] == 1 || args[1] == 3) {
                EXPECT_EQ(s.result, code);  // a send, or the error read after it
            } else if (args[1] == 2) {
                EXPECT_EQ(Result(s.result), Result(DMS_OK));  // an erase before the last one is not reported
            } else {
                EXPECT_EQ(args[1], 4);
                EXPECT_EQ(s.result, code);  // the last erase gives the last result
            }
        });
    sign.reset();
}

}  // namespace
