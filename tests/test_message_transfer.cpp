// Message documents to and from the sign through the public exports:
// tqSendMessage and tqGetMessage.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "support/fault_sweep.h"
#include "support/message_rows.h"
#include "support/message_xml.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using testing_support::Result;
using testing_support::documentXml;
using testing_support::json;
using testing_support::messageXml;
using testing_support::pageXml;
using testing_support::row;
using testing_support::SimSign;
using testing_support::TempFile;

namespace {

std::string numbered(const std::string& number, const std::string& text, const std::string& type = "changeable") {
    return messageXml({{"number", number}, {"type", type}},
                      pageXml("", "", "<NormalText text=\"" + text + "\" fontNum=\"1\"/>"));
}

const char* kEvents =
    "<Event sourceAddr=\"10.0.0.1\"><Activate type=\"changeable\" number=\"3\"/>"
    "<CommunicationsLoss type=\"changeable\" number=\"1\"/><ShortPowerLoss type=\"changeable\" number=\"2\"/>"
    "<LongPowerLoss type=\"changeable\" number=\"4\"/></Event>";

TEST(MessageTransfer, SendFillsFreeNumbersThenAppliesEventsInOrder) {
    SimSign sign(json{{"limits", {{"maxChangeable", 100}}},
                      {"messages",
                       {row(NTCIP_MEM_CHANGEABLE, 1, "[jp3]ONE"), row(NTCIP_MEM_CHANGEABLE, 2, "[jp3]TWO"),
                        row(NTCIP_MEM_CHANGEABLE, 5, "[jp3]FIVE")}}});
    // 200 and 255 lie beyond the table: they take the free numbers 3 and 4.
    TempFile doc(documentXml(numbered("1", "FIRST") + numbered("200", "NEW A") + numbered("255", "NEW B"),
                             kEvents));
    ASSERT_EQ(Result(tqSendMessage(doc.path())), Result(DMS_OK));
    auto multi = testing_support::rowsOf(sign);
    for (const auto& kv : std::map<std::string, std::string>{{"3/1", "FIRST"}, {"3/3", "NEW A"}, {"3/4", "NEW B"}})
        EXPECT_NE(multi[kv.first].find(kv.second), std::string::npos) << kv.first;
    std::vector<std::string> order;
    for (const json& c : sign.journal()) {
        std::string fn = c["fn"];
        if (fn == "tqActiveMessage") order.push_back("activate");
        if (fn == "tqSetSignControl") order.push_back(std::to_string(c["args"][0].get<int>()));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"activate", "12", "9", "8"}));
}

TEST(MessageTransfer, SendRefusals) {
    SimSign sign(json{{"limits", {{"maxChangeable", 600}}}});
    // Another memory type ends the call before later messages are written.
    TempFile mixed(documentXml(numbered("1", "A") + numbered("1", "B", "currentBuffer") + numbered("2", "C")));
    EXPECT_EQ(Result(tqSendMessage(mixed.path())), Result(DMS_E_MEMORY_TYPE));
    EXPECT_EQ(sign.calls("tqDefine1Message").size(), 1u);

    EXPECT_EQ(Result(tqSendMessage(nullptr)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqSendMessage("/nonexistent/doc.xml")), Result(DMS_E_OPEN_INPUT));
}

TEST(MessageTransfer, GetWritesEventsAndMessages) {
    SimSign sign(json{
        {"limits", {{"maxChangeable", 300}}},
        {"messages",
         {row(NTCIP_MEM_PERMANENT, 1, "[jp3]PERMANENT"), row(NTCIP_MEM_CHANGEABLE, 4, "[jp2][fo1]ROAD[nl1]CLOSED")}}});
    MessageTableEntry e = testing_support::entry(3, 300, "[pt30o0][jp3]AHEAD", 1);
    ASSERT_EQ(Result(tqSendSingleMessage(&e, nullptr, nullptr)), Result(DMS_OK));
    TempFile out;
    ASSERT_EQ(Result(tqGetMessage(out.path())), Result(DMS_OK));
    // Records are written as "CMessage"; a permanent one keeps its text
    // unparsed, so it has no pages.
    std::string text = out.read();
    for (const char* part : {"<Activate type=\"changeable\" number=\"300\"", "<CommunicationsLoss type=\"blank\" number=\"1\"",
                             "<CMessage number=\"1\" type=\"permanent\"", "CLOSED"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    EXPECT_EQ(text.find("PERMANENT"), std::string::npos);

    // A failed table read is reported as 1 and leaves no file.
    TempFile none;
    sign.fault({{"fn", "tqGetMsgInfo"}, {"args", {NTCIP_NUM_PERMANENT_MSG}}, {"result", 0x55}});
    EXPECT_EQ(Result(tqGetMessage(none.path())), Result(DMS_E_FAILED));
    EXPECT_EQ(none.read(), "");
    EXPECT_EQ(Result(tqGetMessage(nullptr)), Result(DMS_E_ARGUMENT));
}

TEST(MessageTransfer, SendFaultSweep) {
    TempFile doc(documentXml(numbered("1", "KEEP") + numbered("200", "MOVED"), kEvents));
    std::unique_ptr<SimSign> sign;
    auto fresh = [&] {
        sign.reset();
        sign.reset(
            new SimSign(json{{"limits", {{"maxChangeable", 100}}},
                             {"messages",
                              {row(NTCIP_MEM_CHANGEABLE, 2, "[jp3]TWO"), row(NTCIP_MEM_CHANGEABLE, 3, "[jp3]THREE"),
                               row(NTCIP_MEM_CHANGEABLE, 4, "[jp3]FOUR")}}}));
    };
    // Reads whose failure the upload tolerates: the font list, the MULTI
    // limit, and the table read that looks for free numbers (after the
    // first definition).
    fresh();
    ASSERT_EQ(Result(tqSendMessage(doc.path())), Result(DMS_OK));
    json clean = sign->journal();
    size_t firstDefine = 0;
    while (firstDefine < clean.size() && clean[firstDefine]["fn"] != "tqDefine1Message") ++firstDefine;
    testing_support::faultSweep(
        fresh, [&] { return tqSendMessage(doc.path()); },
        [&](const testing_support::SweepStep& step) {
            std::string fn = step.call["fn"];
            bool tolerated = fn == "tqGetFontDefinition" || fn == "tqGetFontTable" || fn == "tqGetMultiCfg" ||
                             ((fn == "tqGetMsgInfo" || fn == "tqGetMsgTable") &&
                              static_cast<size_t>(step.index) > firstDefine);
            EXPECT_EQ(step.result, tolerated ? 0u : testing_support::kSweepCode) << step.call.dump();
        });
    sign.reset();
}

TEST(MessageTransfer, GetFaultSweep) {
    TempFile out;
    std::unique_ptr<SimSign> sign;
    testing_support::faultSweep(
        [&] {
            sign.reset();
            sign.reset(new SimSign(json{
                {"limits", {{"maxChangeable", 3}}},
                {"messages", {row(NTCIP_MEM_PERMANENT, 1, "[jp3]P"), row(NTCIP_MEM_CHANGEABLE, 2, "[jp3][fo1]TWO")}}}));
        },
        [&] { return tqGetMessage(out.path()); },
        [&](const testing_support::SweepStep& step) {
            std::string fn = step.call["fn"];
            // Event messages and the font list may fail unreported; a failed
            // table read is always 1.
            if (fn == "tqGetSignControl" || fn == "tqGetFontDefinition" || fn == "tqGetFontTable")
                EXPECT_EQ(Result(step.result), Result(DMS_OK)) << step.call.dump();
            else
                EXPECT_EQ(Result(step.result), Result(DMS_E_FAILED)) << step.call.dump();
        });
    sign.reset();
}

}  // namespace
