// Whole messages to and from the message table: free numbers when writing,
// valid rows and the dump when reading.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "frame/dump.h"
#include "messages/table.h"
#include "support/fault_sweep.h"
#include "support/fields.h"
#include "support/message_rows.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using testing_support::Result;
using testing_support::ints;
using testing_support::json;
using testing_support::definedNumbers;
using testing_support::row;
using testing_support::rowsOf;
using testing_support::SimSign;

namespace {

void fill(dms::CMessage& m, int type, int number, const char* multi) {
    m.memoryType = type;
    m.m_MemoryNum = number;
    std::strcpy(m.multiString, multi);
    std::strcpy(m.MessageAttributes.MessageOwner, "test");
    m.MessageAttributes.RunTimePriority = 9;
}

std::string readDump(const char* name) {
    char dir[1024];
    dms::dumpDirectory(dir, sizeof dir);
    std::ifstream in(std::string(dir) + name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(MessageTable, WriteGivesFreeNumbersOnlyWhenNeeded) {
    SimSign sign(json{
        {"limits", {{"maxChangeable", 100}, {"maxVolatile", 3}}},
        {"messages",
         {row(NTCIP_MEM_CHANGEABLE, 1, "A"), row(NTCIP_MEM_CHANGEABLE, 2, "B"), row(NTCIP_MEM_CHANGEABLE, 5, "C")}}});
    std::unique_ptr<dms::CMessage[]> m(new dms::CMessage[5]);
    fill(m[0], 3, 0, "[jp3]ZERO");
    fill(m[1], 3, 700, "[jp3]BIG");
    fill(m[2], 3, 7, "[jp3]SEVEN");
    fill(m[3], 4, 50, "[jp3]NOT WRITTEN");  // above the volatile maximum, within the changeable one
    fill(m[4], 4, 2, "[jp3]VOLATILE");
    SimSign::progress().clear();
    ASSERT_EQ(Result(dms::writeMessageTable(m.get(), 5)), Result(DMS_OK));
    EXPECT_EQ(definedNumbers(sign), (std::vector<int>{7, 2, 3, 4}));
    EXPECT_EQ(ints(m[0].m_MemoryNum, m[1].m_MemoryNum, m[3].m_MemoryNum), ints(3, 4, 50));
    std::vector<int> values;
    for (auto& p : SimSign::progress()) values.push_back(p.second);
    EXPECT_EQ(values, (std::vector<int>{20, 40, 60, 80}));

    // Every number fits: the table is not read.
    sign.clearJournal();
    fill(m[0], 3, 9, "[jp3]NINE");
    ASSERT_EQ(Result(dms::writeMessageTable(m.get(), 1)), Result(DMS_OK));
    EXPECT_TRUE(sign.calls("tqGetMsgTable").empty());

    // A message of another memory type ends the call before later ones.
    sign.clearJournal();
    fill(m[1], 5, 1, "X");
    fill(m[2], 3, 8, "[jp3]EIGHT");
    EXPECT_EQ(Result(dms::writeMessageTable(m.get(), 3)), Result(DMS_E_MEMORY_TYPE));
    EXPECT_EQ(definedNumbers(sign), (std::vector<int>{9}));
}

TEST(MessageTable, WriteRunsOutOfFreeNumbers) {
    json rows = json::array();
    for (int n = 1; n <= 512; ++n) rows.push_back(row(NTCIP_MEM_CHANGEABLE, n, "R"));
    SimSign sign(json{{"limits", {{"maxChangeable", 600}}}, {"messages", rows}});
    dms::CMessage m;
    fill(m, 3, 0, "[jp3]NEW");
    EXPECT_EQ(Result(dms::writeMessageTable(&m, 1)), Result(DMS_E_NO_FREE));
    EXPECT_TRUE(sign.calls("tqDefine1Message").empty());
}

// A free number is a row of the record's own table, within its maximum,
// that holds no valid message; when there are too few, none of the records
// needing one is written.
TEST(MessageTable, FreeNumbersNeverTakeAValidRow) {
    const json permanent = {row(NTCIP_MEM_PERMANENT, 1, "[jp3]P1"), row(NTCIP_MEM_PERMANENT, 10, "[jp3]P10")};
    const json two = row(NTCIP_MEM_CHANGEABLE, 2, "TWO"), five = row(NTCIP_MEM_CHANGEABLE, 5, "FIVE"),
               v1 = row(NTCIP_MEM_VOLATILE, 1, "V1");
    const struct {
        const char* name;
        json limits;
        json rows;
        std::vector<std::pair<int, int>> records;  // memory type, number
        uint32_t result;
        std::vector<int> defined;
    } cases[] = {
        // Permanent 1 and 10 put the gap 2..9 first: changeable 2 is kept.
        {"gap of the permanent numbers", {{"maxChangeable", 20}},
         {permanent[0], permanent[1], row(NTCIP_MEM_CHANGEABLE, 2, "KEEP ME")}, {{3, 200}}, DMS_OK, {3}},
        // Only row 1 lies below the first number read: it is still offered.
        {"below the first number read", {{"maxChangeable", 5}}, {five}, {{3, 0}}, DMS_OK, {1}},
        // The documented tail reaches the maximum itself.
        {"the maximum itself", {{"maxChangeable", 6}}, {five}, {{3, 0}}, DMS_OK, {6}},
        // Exactly as many free rows as needed, and one fewer.
        {"just enough", {{"maxChangeable", 3}}, {two}, {{3, 0}, {3, 700}}, DMS_OK, {3, 1}},
        {"one short", {{"maxChangeable", 3}}, {two, row(NTCIP_MEM_CHANGEABLE, 3, "THREE")}, {{3, 0}, {3, 700}},
         DMS_E_NO_FREE, {}},
        // A volatile record takes a volatile row within the volatile maximum.
        {"volatile", {{"maxChangeable", 10}, {"maxVolatile", 2}},
         {row(NTCIP_MEM_CHANGEABLE, 1, "C1"), row(NTCIP_MEM_CHANGEABLE, 2, "C2"), v1}, {{4, 0}}, DMS_OK, {2}},
        {"volatile full", {{"maxChangeable", 10}, {"maxVolatile", 2}}, {v1, row(NTCIP_MEM_VOLATILE, 2, "V2")}, {{4, 0}},
         DMS_E_NO_FREE, {}},
        // Numbers that fit are written first; a full table then writes none
        // of the others.
        {"full after the first pass", {{"maxChangeable", 2}}, {row(NTCIP_MEM_CHANGEABLE, 1, "ONE")}, {{3, 2}, {3, 0}},
         DMS_E_NO_FREE, {2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimSign sign(json{{"limits", c.limits}, {"messages", c.rows}});
        auto before = rowsOf(sign);
        std::unique_ptr<dms::CMessage[]> m(new dms::CMessage[c.records.size()]);
        for (size_t i = 0; i < c.records.size(); ++i)
            fill(m[i], c.records[i].first, c.records[i].second, "[jp3]NEW");
        EXPECT_EQ(Result(dms::writeMessageTable(m.get(), static_cast<int>(c.records.size()))), Result(c.result));
        EXPECT_EQ(definedNumbers(sign), c.defined);
        auto after = rowsOf(sign);
        ASSERT_EQ(before.size(), c.rows.size());
        for (const auto& kv : before) EXPECT_EQ(after[kv.first], kv.second) << kv.first << " was overwritten";
    }
}

// A table read that breaks off leaves rows unknown: a number is then taken
// only after its row's status says it is free.
TEST(MessageTable, FreeNumbersAfterAnIncompleteRead) {
    SimSign sign(json{{"limits", {{"maxChangeable", 5}}},
                      {"messages",
                       {row(NTCIP_MEM_CHANGEABLE, 1, "ONE"), row(NTCIP_MEM_CHANGEABLE, 2, "TWO"),
                        row(NTCIP_MEM_CHANGEABLE, 3, "THREE")}}});
    sign.fault({{"fn", "tqGetMsgTable"}, {"args", {NTCIP_MEM_CHANGEABLE, 2, NTCIP_MSG_STATUS}}, {"result", 0x31}});
    dms::CMessage m;
    fill(m, 3, 0, "[jp3]NEW");
    ASSERT_EQ(Result(dms::writeMessageTable(&m, 1)), Result(DMS_OK));
    EXPECT_EQ(definedNumbers(sign), (std::vector<int>{4}));
    auto rows = rowsOf(sign);
    EXPECT_EQ(rows["3/2"] + "," + rows["3/3"], "TWO,THREE");
}

TEST(MessageTable, ReadKeepsValidRowsAndDumpsThem) {
    SimSign sign(json{{"limits", {{"maxChangeable", 6}}},
                      {"messages",
                       {row(NTCIP_MEM_PERMANENT, 1, "[jp3]PERM", "maker"),
                        row(NTCIP_MEM_CHANGEABLE, 2, ""),
                        row(NTCIP_MEM_CHANGEABLE, 4, "[jp2]FOUR", "ops"),
                        {{"type", NTCIP_MEM_CHANGEABLE}, {"number", 5}, {"multi", "X"}, {"status", NTCIP_MSG_ERROR}},
                        row(NTCIP_MEM_CHANGEABLE, 6, "SIX")}}});
    dms::MessageSet set;
    ASSERT_TRUE(dms::readMessageTable(set, 1, 5));
    ASSERT_EQ(set.count, 3);
    // Changeable 2 is valid with an empty text: kept.
    EXPECT_EQ(ints(set.messages[0].memoryType, set.messages[1].m_MemoryNum, set.messages[2].MessageAttributes.status),
              ints(2, 2, 4));
    EXPECT_EQ(std::string(set.messages[2].multiString) + "," + set.messages[2].MessageAttributes.MessageOwner, "[jp2]FOUR,ops");
    EXPECT_EQ(readDump("MessageReadFromMib.txt"),
              "owner : maker\n[jp3]PERM\n\nowner : sign\n\n\nowner : ops\n[jp2]FOUR\n\n");

    // All six column reads are made even when one fails; the read fails.
    sign.clearJournal();
    sign.fault({{"fn", "tqGetMsgTable"}, {"args", {NTCIP_MEM_CHANGEABLE, 4, NTCIP_MSG_OWNER}}, {"result", 0x31}});
    EXPECT_FALSE(dms::readMessageTable(set, 1, 5));
    int columnReads = 0;
    for (const json& c : sign.calls("tqGetMsgTable"))
        if (c["args"][0] == 3 && c["args"][1] == 4) ++columnReads;
    EXPECT_EQ(columnReads, 7);  // the status poll and six columns
    EXPECT_EQ(set.count, 2);
}

TEST(MessageTable, ReadRefusesA513thValidRow) {
    json rows = json::array();
    for (int n = 1; n <= 513; ++n) rows.push_back(row(NTCIP_MEM_CHANGEABLE, n, "R"));
    SimSign sign(json{{"limits", {{"maxChangeable", 600}}}, {"messages", rows}});
    dms::MessageSet set;
    EXPECT_FALSE(dms::readMessageTable(set, 1, dms::kNoLimit));
    EXPECT_EQ(set.count, 512);
}

TEST(MessageTable, WriteFaultSweep) {
    std::unique_ptr<SimSign> sign;
    std::unique_ptr<dms::CMessage[]> m;
    testing_support::faultSweep(
        [&] {
            sign.reset();
            sign.reset(new SimSign(
                json{{"limits", {{"maxChangeable", 4}}}, {"messages", {row(NTCIP_MEM_CHANGEABLE, 1, "A")}}}));
            m.reset(new dms::CMessage[2]);
            fill(m[0], 3, 3, "[jp3]THREE");
            fill(m[1], 3, 0, "[jp3]NEW");
        },
        [&] { return dms::writeMessageTable(m.get(), 2); },
        [&](const testing_support::SweepStep& step) {
            // Reading the used numbers may fail without failing the write.
            // (every read after the two maximums and before the definitions).
            if (step.index > 2 && step.call["fn"] != "tqDefine1Message")
                EXPECT_EQ(Result(step.result), Result(DMS_OK));
            else
                EXPECT_EQ(step.result, testing_support::kSweepCode) << step.call.dump();
        });
    sign.reset();
}

}  // namespace
