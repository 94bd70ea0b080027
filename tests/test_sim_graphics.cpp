// The simulated sign's graphic table and graphic bitmap table: definitions,
// the status machine, blocks, MULTI validation of [g] tags, the state.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/pictures.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/tqdms.h"
#include "tqdms/tqsim.h"
#include "tqdms/ntcip.h"


using namespace testing_support;

namespace {

uint32_t definition(int object) {
    uint32_t v = 0;
    EXPECT_EQ(Result(tqGetGraphicDefinition(object, &v, 4)), Result(TQDMS_OK));
    return v;
}

uint32_t status(int row) {
    uint32_t s = 0;
    EXPECT_EQ(Result(tqGetGraphicTable(row, NTCIP_GRAPHIC_STATUS, &s, 4)), Result(TQDMS_OK));
    return s;
}

uint32_t request(int row, uint32_t value) { return tqSetGraphicTable(row, NTCIP_GRAPHIC_STATUS, &value, 4); }

uint32_t set16(int row, int column, uint16_t v) { return tqSetGraphicTable(row, column, &v, 2); }
uint32_t set8(int row, int column, uint8_t v) { return tqSetGraphicTable(row, column, &v, 1); }

TEST(SimGraphics, DefinitionsAndStatusMachine) {
    SimSign sign(json{{"limits", {{"graphicRows", 4}, {"graphicMaxSize", 100}, {"graphicBlockSize", 8}, {"pollLatency", 1}}},
                      {"graphics", {graphicRow(3, "Fixed", 2, 2, 4, "", 6), graphicRow(4, "Odd", 2, 2, 4, "", 32526)}}});
    // Rows, rows used, largest size, available memory, block size.
    EXPECT_EQ(std::vector<uint32_t>({definition(1), definition(2), definition(3), definition(4), definition(5)}),
              std::vector<uint32_t>({4, 2, 100, 400, 8}));
    uint32_t v = 0;
    EXPECT_EQ(Result(tqGetGraphicDefinition(NTCIP_GRAPHIC_TABLE, &v, 4)), Result(TQDMS_E_NO_SUCH_NAME));

    // Columns change only while modifying; a request shows until it is read.
    EXPECT_EQ(status(1), 1u);
    EXPECT_EQ(Result(set16(1, 4, 3)), Result(TQDMS_E_GEN_ERR));
    EXPECT_EQ(Result(request(1, 8)), Result(TQDMS_E_GEN_ERR));
    ASSERT_EQ(Result(request(1, 7)), Result(TQDMS_OK));
    EXPECT_EQ(status(1), 2u);
    EXPECT_EQ(Result(request(1, 8)), Result(TQDMS_E_GEN_ERR));  // nothing to show yet
    ASSERT_EQ(Result(set16(1, 4, 3)), Result(TQDMS_OK));
    ASSERT_EQ(Result(set16(1, 5, 10)), Result(TQDMS_OK));
    ASSERT_EQ(Result(set8(1, 6, 1)), Result(TQDMS_OK));
    EXPECT_EQ(Result(set8(1, 6, 5)), Result(TQDMS_E_BAD_VALUE));
    EXPECT_EQ(Result(set8(1, 8, 2)), Result(TQDMS_E_BAD_VALUE));
    EXPECT_EQ(Result(set16(1, 7, 1)), Result(TQDMS_E_READ_ONLY));
    EXPECT_EQ(Result(tqSetGraphicTable(1, 11, &v, 4)), Result(TQDMS_E_NO_SUCH_NAME));

    // Blocks: at most the block size, within the graphic's largest size.
    const uint8_t bits[9] = {0xFF, 0xE0, 0x1A, 0xA8, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(Result(tqSetGraphicBitmapTable(1, 1, bits, 9)), Result(TQDMS_E_BAD_VALUE));
    EXPECT_EQ(Result(tqSetGraphicBitmapTable(1, 14, bits, 8)),
              Result(TQDMS_E_NO_SUCH_NAME));  // 13 blocks of 8 hold 100 bytes
    EXPECT_EQ(Result(tqSetGraphicBitmapTable(1, 0, bits, 8)), Result(TQDMS_E_NO_SUCH_NAME));
    ASSERT_EQ(Result(tqSetGraphicBitmapTable(1, 1, bits, 8)), Result(TQDMS_OK));
    ASSERT_EQ(Result(request(1, 8)), Result(TQDMS_OK));
    EXPECT_EQ(status(1), 4u);  // calculatingID until read, then ready
    EXPECT_EQ(Result(tqSetGraphicBitmapTable(1, 1, bits, 8)), Result(TQDMS_E_GEN_ERR));
    uint8_t back[8];
    std::memset(back, 0x55, sizeof back);
    ASSERT_EQ(Result(tqGetGraphicBitmapTable(1, 1, back, 8)), Result(TQDMS_OK));
    // Only the picture's 4 bytes (10 x 3 bits) were kept.
    EXPECT_EQ(std::string(reinterpret_cast<char*>(back), 8), std::string("\xFF\xE0\x1A\xA8\0\0\0\0", 8));
    uint16_t id = 0;
    ASSERT_EQ(Result(tqGetGraphicTable(1, NTCIP_GRAPHIC_ID, &id, 2)), Result(TQDMS_OK));
    EXPECT_NE(id, 0);

    // Permanent rows and rows reporting 32526 refuse every request.
    EXPECT_EQ(Result(status(4)), Result(DMS_E_GRAPHIC_STATUS));
    EXPECT_EQ(Result(request(3, 7)), Result(TQDMS_E_GEN_ERR));
    EXPECT_EQ(Result(request(4, 9)), Result(TQDMS_E_GEN_ERR));
    EXPECT_EQ(Result(request(1, 3)), Result(TQDMS_E_BAD_VALUE));
    ASSERT_EQ(Result(request(1, 9)), Result(TQDMS_OK));
    EXPECT_EQ(status(1), 1u);
    char name[64];
    ASSERT_EQ(Result(tqGetGraphicTable(1, NTCIP_GRAPHIC_NAME, name, sizeof name)), Result(TQDMS_OK));
    EXPECT_STREQ(name, "");
    EXPECT_EQ(Result(tqGetGraphicTable(5, NTCIP_GRAPHIC_STATUS, &v, 4)), Result(TQDMS_E_NO_SUCH_NAME));
    // A picture larger than the sign holds never becomes ready.
    ASSERT_EQ(Result(request(2, 7)), Result(TQDMS_OK));
    EXPECT_EQ(status(2), 2u);
    ASSERT_EQ(Result(set16(2, 4, 10)), Result(TQDMS_OK));
    ASSERT_EQ(Result(set16(2, 5, 10)), Result(TQDMS_OK));
    ASSERT_EQ(Result(set8(2, 6, 4)), Result(TQDMS_OK));
    EXPECT_EQ(Result(request(2, 8)), Result(TQDMS_E_GEN_ERR));
}

TEST(SimGraphics, LastBlockIsTheOneHoldingTheLargestSizesLastByte) {
    // Blocks 1..ceil(maxSize / blockSize): the last one exactly, one more not.
    struct Case { int maxSize, blockSize, last; } cases[] = {{100, 8, 13}, {96, 8, 12}, {8, 8, 1}, {9, 8, 2}};
    const uint8_t bits[8] = {0xFF, 0xE0, 0x1A, 0xA8, 0, 0, 0, 0};
    for (const Case& c : cases) {
        SimSign sign(json{{"limits", {{"graphicMaxSize", c.maxSize}, {"graphicBlockSize", c.blockSize}}}});
        ASSERT_EQ(Result(request(1, 7)), Result(TQDMS_OK));
        EXPECT_EQ(Result(tqSetGraphicBitmapTable(1, c.last, bits, 8)), Result(TQDMS_OK)) << c.maxSize;
        EXPECT_EQ(Result(tqSetGraphicBitmapTable(1, c.last + 1, bits, 8)), Result(TQDMS_E_NO_SUCH_NAME)) << c.maxSize;
        uint8_t back[8] = {};
        EXPECT_EQ(Result(tqGetGraphicBitmapTable(1, c.last, back, 8)), Result(TQDMS_OK)) << c.maxSize;
        EXPECT_EQ(Result(tqGetGraphicBitmapTable(1, c.last + 1, back, 8)), Result(TQDMS_E_NO_SUCH_NAME)) << c.maxSize;
    }
}

TEST(SimGraphics, MultiGraphicTagsNeedAGraphicAndMakeItInUse) {
    SimSign sign(json{{"graphics", {graphicRow(3, "Arrow", 10, 3, 1, "ffe01aa8"), graphicRow(4, "Half", 2, 2, 4, "", 2)}}});
    uint32_t syntax = 0;
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 1, 0, 0, 5, "me", "[g4]", 0)), Result(TQDMS_OK));
    ASSERT_EQ(Result(tqGetSignControl(NTCIP_MULTI_SYNTAX_ERROR, &syntax, 4)), Result(TQDMS_OK));
    EXPECT_EQ(syntax, 15u);  // graphicNotDefined: row 4 is not ready
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 1, 0, 0, 5, "me", "[g3,1,1]X", 0)), Result(TQDMS_OK));
    ASSERT_EQ(Result(tqGetSignControl(NTCIP_MULTI_SYNTAX_ERROR, &syntax, 4)), Result(TQDMS_OK));
    EXPECT_EQ(syntax, 2u);
    EXPECT_EQ(status(3), 4u);
    uint8_t a[12] = {0xFF, 0xFF, 5, 3, 1, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(Result(tqActiveMessage(a)), Result(TQDMS_OK));
    EXPECT_EQ(status(3), 5u);
    EXPECT_EQ(Result(request(3, 7)), Result(TQDMS_E_GEN_ERR));
}

TEST(SimGraphics, StateKeepsRowsAndRefusesBadOnes) {
    SimSign sign(json{{"graphics", {graphicRow(2, "Two", 10, 3, 1, "ffe01aa8", 6)}}});
    json state = sign.state();
    ASSERT_EQ(state["graphics"].size(), 1u);
    json g = state["graphics"][0];
    EXPECT_EQ(g["status"], NTCIP_GRAPHIC_PERMANENT);
    EXPECT_EQ(g["bitmap"], "ffe01aa8");
    EXPECT_NE(g["id"], 0);
    for (const json& bad : {graphicRow(0, "Zero", 1, 1, 1, ""), graphicRow(2, "Asked", 1, 1, 1, "", 7),
                            graphicRow(2, "Type", 1, 1, 5, ""), graphicRow(2, "Hex", 1, 1, 1, "zz")}) {
        EXPECT_EQ(Result(tqsimPatchState(json{{"graphics", {bad}}}.dump().c_str())),
                  Result(TQDMS_E_BAD_VALUE)) << bad.dump();
    }
    EXPECT_EQ(sign.state()["graphics"][0]["name"], "Two");
}

}  // namespace
