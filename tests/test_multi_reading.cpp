// Choosing how tqGetMessage reads MULTI texts into pages: the faithful
// reading keeps what the documented one drops, and pages saved that way
// give the sign a text it shows the same way.
#include <gtest/gtest.h>

#include <string>

#include "dmscontent/dmscontent.h"
#include "support/message_rows.h"
#include "support/message_xml.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using testing_support::json;
using testing_support::Result;
using testing_support::SimSign;
using testing_support::TempFile;

namespace {

// The setting is the process's: every test puts the default back.
struct Reading {
    explicit Reading(int mode) { EXPECT_EQ(Result(dmsSetMultiReading(mode)), Result(DMS_OK)); }
    ~Reading() { dmsSetMultiReading(DMS_MULTI_DOCUMENTED); }
};

const char* const kRows[] = {
    "[g1,1,1]AFTER PICTURE",
    "[pt30o5][jp3]SLOW[nl][jl2]DOWN[np]A[sc2]B[/sc]",
    "[cf2]RED[flt5o5]FLASH[/fl][nl3][hc41]",
};

json signWithRows() {
    json rows = json::array();
    int n = 1;
    for (const char* multi : kRows) rows.push_back(testing_support::row(NTCIP_MEM_CHANGEABLE, n++, multi, "ops"));
    return {{"graphics", {{{"row", 1}, {"height", 8}, {"width", 8}, {"type", 1}}}}, {"messages", rows}};
}

TEST(MultiReading, OnlyTheTwoModesAreTaken) {
    for (int mode : {-1, 2, 100}) EXPECT_EQ(Result(dmsSetMultiReading(mode)), Result(DMS_E_ARGUMENT)) << mode;
    // The refusals left the default: the text after the picture is dropped.
    SimSign sign(signWithRows());
    TempFile saved;
    ASSERT_EQ(Result(tqGetMessage(saved.path())), Result(DMS_OK));
    EXPECT_EQ(saved.read().find("text=\"AFTER PICTURE\""), std::string::npos) << saved.read();
}

// The pages hold every character and tag, and the saved document still
// puts the sign's texts back exactly.
TEST(MultiReading, FaithfulPagesKeepEveryTag) {
    Reading faithful(DMS_MULTI_FAITHFUL);
    SimSign sign(signWithRows());
    TempFile saved;
    ASSERT_EQ(Result(tqGetMessage(saved.path())), Result(DMS_OK));
    const std::string document = saved.read();
    for (const char* kept : {"<NormalText text=\"AFTER PICTURE\"/>", "<NormalText text=\"A[sc2]B[/sc]\"/>",
                             "<NormalText flashOnTime=\"5\" flashOffTime=\"5\" index=\"2\" text=\"FLASH\"/>",
                             "<NewLine lineAlign=\"left\"/>"})
        EXPECT_NE(document.find(kept), std::string::npos) << kept << "\n" << document;

    SimSign blank(signWithRows());
    blank.patch({{"messages", json::array()}});
    ASSERT_EQ(Result(tqSendMessage(saved.path())), Result(DMS_OK));
    const json rows = blank.state()["messages"];
    ASSERT_EQ(rows.size(), std::size(kRows));
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i]["multi"], kRows[i]);
}

}  // namespace
