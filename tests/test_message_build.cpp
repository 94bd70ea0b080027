// A record's MULTI text built from its pages, with the exact text the MULTI
// writer produces, within the sign's length limit.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "messages/sign_facts.h"
#include "model/message.h"
#include "support/result.h"
#include "support/sim_sign.h"

using testing_support::Result;
using testing_support::json;
using testing_support::SimSign;

namespace {

class MessageBuild : public ::testing::Test {
protected:
    SimSign sign;  // fonts 1 "5x7" and 2 "8x14"
    int32_t signLimit() { return dms::readMaxMultiLength(); }
};

std::string example(const char* name) { return std::string(DMS_SOURCE_DIR) + "/examples/messages/" + name; }

TEST_F(MessageBuild, ExamplesGiveTheirMulti) {
    struct Expected {
        const char* file;
        int number;
        int type;
        const char* multi;
    };
    const Expected all[] = {
        {"text.xml", 1, 3,
         "[pt30o][pb0,0,0][jp3][jl2][fo2]HELLO[nl1][jl3]DRIVE SAFE[f1][hc41]"
         "[np][pt20o5][pb0,0,0][flt05o05][cf255,255,0][fo1]NEXT EXIT[/fl]"},
        {"text.xml", 2, 4, "[pt60o][pb0,0,255][mvcl100,4,1,[fo2]ABC]"},
        {"graphics.xml", 3, 3,
         "[pt40o][pb0,0,0][fo1]ROAD WORK[g2,1,1][cr1,20,50,10,0,255,0][tr60,1,100,30][jp2][jl4][sc2]5 KM"
         "[tdc7,60,40,40,8]"},
        {"graphics.xml", 4, 3, "[pt40o][pb0,0,0][mvl4r120,2,3,SLOW]"},
    };
    dms::SignFacts facts;
    dms::readSignFacts(facts);
    for (const Expected& e : all) {
        dms::MessageSet set;
        set.facts = &facts;
        ASSERT_EQ(Result(set.ReadDocument(example(e.file).c_str())), Result(DMS_OK)) << e.file;
        bool found = false;
        for (int i = 0; i < set.count; ++i) {
            dms::CMessage& m = set.messages[i];
            if (m.m_MemoryNum != e.number) continue;
            found = true;
            EXPECT_EQ(m.memoryType, e.type);
            EXPECT_EQ(Result(m.BuildMulti(signLimit())), Result(DMS_OK)) << e.file << " " << e.number;
            EXPECT_STREQ(m.multiString, e.multi) << e.file << " " << e.number;
        }
        EXPECT_TRUE(found) << e.file << " " << e.number;
    }
}

TEST_F(MessageBuild, LengthLimits) {
    sign.patch({{"limits", {{"maxMultiLength", 250}}}});
    dms::CMessage m;
    dms::PageMessage* page = m.AddPage(0);
    dms::NormalText* t = page->AddNormalText(std::string(234, 'A').c_str());  // 16 + 234 = 250
    ASSERT_EQ(Result(m.BuildMulti(signLimit())), Result(DMS_OK));
    EXPECT_EQ(std::string(m.multiString), "[pt60o][pb0,0,0]" + std::string(234, 'A'));
    t->SetText(std::string(235, 'A').c_str());  // 251: one past the limit
    EXPECT_EQ(Result(m.BuildMulti(signLimit())), Result(DMS_E_MULTI_TOO_LONG));
    EXPECT_STREQ(m.multiString, "");

    // A sign allowing more than the record holds: the field is never overrun.
    sign.patch({{"limits", {{"maxMultiLength", 4000}}}});
    t->SetText(std::string(1239, 'B').c_str());  // 1255 characters fit with the terminator
    ASSERT_EQ(Result(m.BuildMulti(signLimit())), Result(DMS_OK));
    EXPECT_EQ(std::strlen(m.multiString), 1255u);
    t->SetText(std::string(1240, 'B').c_str());
    EXPECT_EQ(Result(m.BuildMulti(signLimit())), Result(DMS_E_MULTI_TOO_LONG));
    // A limit that could not be read refuses nothing the record holds.
    sign.fault({{"fn", "tqGetMultiCfg"}, {"result", 0x55}});
    EXPECT_EQ(signLimit(), dms::kUnknownMultiLength);
    EXPECT_STREQ(m.multiString, "");
}

}  // namespace
