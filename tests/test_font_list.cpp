// The sign's font list (tqGetFontList), the font facts read from it, and
// the simulated font table's status machine.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "dmscontent/dmscontent.h"
#include "messages/sign_facts.h"
#include "support/fault_sweep.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using testing_support::Result;
using testing_support::json;
using testing_support::SimSign;

namespace {

json font(int row, int number, const std::string& name, int status) {
    return {{"row", row}, {"number", number}, {"name", name}, {"height", 10 + row},
            {"charSpacing", 1}, {"lineSpacing", 2}, {"status", status}};
}

json fourFonts() {
    // Rows 1 to 6: usable are 1 (ready), 3 (permanent), 5 (unmanaged) and 6 (ready).
    return {{"fonts", {font(1, 49, "Normal", 4), font(2, 50, "Half done", 2), font(3, 51, "Fixed", 6),
                       font(4, 52, "Asked", 8), font(5, 53, "Other", 11), font(6, 54, "Last", 4)}}};
}

TEST(FontList, ListsUsableRowsWithTheirColumns) {
    SimSign sign(fourFonts());
    dmsFont list[8];
    std::memset(list, 0xAB, sizeof list);
    uint32_t count = 8;
    ASSERT_EQ(Result(tqGetFontList(list, &count)), Result(DMS_OK));
    ASSERT_EQ(count, 4u);
    const int rows[] = {1, 3, 5, 6};
    const char* names[] = {"Normal", "Fixed", "Other", "Last"};
    json got = json::array(), want = json::array();
    for (int i = 0; i < 4; ++i) {
        const dmsFont& f = list[i];
        got.push_back({f.row, f.number, f.name, f.height, f.charSpacing, f.lineSpacing, f.versionId != 0});
        want.push_back({rows[i], 48 + rows[i], names[i], 10 + rows[i], 1, 2, true});
    }
    EXPECT_EQ(got, want);
    EXPECT_EQ(list[4].row, 0xAB);  // entries beyond the count untouched
    // The rows are read up to the highest character number; the sign's
    // answer past its last row (8 rows by default) ends the list quietly.
    int lastRow = 0;
    for (const json& c : sign.calls("tqGetFontTable"))
        if (c["args"][1] == 8) lastRow = c["args"][0];
    EXPECT_EQ(lastRow, 9);
}

TEST(FontList, CapacityAndFailures) {
    SimSign sign(fourFonts());
    dmsFont list[4];
    uint32_t count = 1;
    EXPECT_EQ(Result(tqGetFontList(list, &count)), Result(DMS_E_FULL));
    EXPECT_EQ(count, 1u);
    EXPECT_STREQ(list[0].name, "Normal");

    // A failed status read that left the value alone is the device's failure.
    sign.fault({{"fn", "tqGetFontTable"}, {"args", {3, NTCIP_FONT_STATUS}}, {"result", 0x99}});
    count = 4;
    EXPECT_EQ(tqGetFontList(list, &count), 0x99u);
    EXPECT_EQ(count, 1u);
    // A failed column read drops that entry.
    sign.fault({{"fn", "tqGetFontTable"}, {"args", {3, NTCIP_FONT_VERSION_ID}}, {"result", 0x98}});
    count = 4;
    EXPECT_EQ(tqGetFontList(list, &count), 0x98u);
    EXPECT_EQ(count, 1u);

    EXPECT_EQ(Result(tqGetFontList(nullptr, &count)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqGetFontList(list, nullptr)), Result(DMS_E_ARGUMENT));
}

TEST(FontList, NoInterfaceAndFaultSweep) {
    dmsFont list[4];
    uint32_t count = 4;
    EXPECT_EQ(Result(tqGetFontList(list, &count)), Result(DMS_E_NO_INTERFACE));
    std::unique_ptr<SimSign> sign;
    testing_support::faultSweep(
        [&] {
            sign.reset();
            sign = std::make_unique<SimSign>(json{{"fonts", {font(1, 49, "A", 4), font(2, 50, "B", 4)}},
                                                  {"limits", {{"fontRows", 2}, {"maxCharacter", 4}}}});
        },
        [&] {
            count = 4;
            return tqGetFontList(list, &count);
        },
        [&](const testing_support::SweepStep& s) {
            EXPECT_EQ(s.result, testing_support::kSweepCode);
            EXPECT_LE(count, 2u);
        });
    sign.reset();
}

// The facts a document call reads: the usable fonts of this sign, looked up
// by exact name and by number.
TEST(SignFacts, FontsReadFromThisSignAndLookedUpExactly) {
    SimSign sign(fourFonts());
    dms::SignFacts facts;
    dms::readSignFacts(facts);
    dms::SignFactsInUse inUse(&facts);
    int number = 0;
    std::string name;
    // Lookups: "Fixed", "fixed", no name; 54, and 50 (not usable when listed).
    EXPECT_EQ(json({dms::fontNumberOfName("Fixed", number), dms::fontNumberOfName("fixed", number),
                    dms::fontNumberOfName(nullptr, number), dms::fontNameOfNumber(54, name),
                    dms::fontNameOfNumber(50, name)}),
              json({true, false, false, true, false}));
    EXPECT_EQ(number, 51);
    EXPECT_EQ(name, "Last");
    // Another thread sees none of these facts.
    bool seen = true;
    std::thread([&] {
        int n = 0;
        seen = dms::fontNumberOfName("Fixed", n);
    }).join();
    EXPECT_FALSE(seen);
}

uint32_t fontStatus(int row) {
    uint32_t s = 0;
    EXPECT_EQ(Result(tqGetFontTable(row, NTCIP_FONT_STATUS, &s, 4)), Result(TQDMS_OK));
    return s;
}

uint32_t request(int row, uint32_t status) { return tqSetFontTable(row, NTCIP_FONT_STATUS, &status, 4); }

TEST(SimFonts, StatusMachineAndCharacters) {
    SimSign sign(json{{"fonts", {font(3, 51, "Fixed", 6)}}});
    EXPECT_EQ(fontStatus(1), static_cast<uint32_t>(NTCIP_FONT_NOT_USED));
    uint8_t h = 7;
    EXPECT_EQ(Result(tqSetFontTable(1, NTCIP_FONT_HEIGHT, &h, 1)), Result(TQDMS_E_GEN_ERR));  // not modifying
    ASSERT_EQ(Result(request(1, 7)), Result(TQDMS_OK));
    EXPECT_EQ(fontStatus(1), static_cast<uint32_t>(NTCIP_FONT_MODIFYING));
    ASSERT_EQ(Result(tqSetFontTable(1, NTCIP_FONT_HEIGHT, &h, 1)), Result(TQDMS_OK));
    char mine[64] = "Mine";
    ASSERT_EQ(Result(tqSetFontTable(1, NTCIP_FONT_NAME, mine, sizeof mine)), Result(TQDMS_OK));
    uint8_t w = 5;
    ASSERT_EQ(Result(tqSetCharacterTable(1, 65, NTCIP_CHARACTER_WIDTH, &w, 1)), Result(TQDMS_OK));
    const uint8_t bits[7] = {0x74, 0x63, 0x1F, 0xC6, 0x31, 0x80, 0};
    EXPECT_EQ(Result(tqSetCharacterTable(1, 65, NTCIP_CHARACTER_BITMAP, bits, 4)),
              Result(TQDMS_E_BAD_VALUE));  // 35 bits need 5 bytes
    ASSERT_EQ(Result(tqSetCharacterTable(1, 65, NTCIP_CHARACTER_BITMAP, bits, 7)), Result(TQDMS_OK));
    EXPECT_EQ(Result(tqSetCharacterTable(1, 256, NTCIP_CHARACTER_WIDTH, &w, 1)), Result(TQDMS_E_NO_SUCH_NAME));
    ASSERT_EQ(Result(request(1, 8)), Result(TQDMS_OK));
    EXPECT_EQ(fontStatus(1), static_cast<uint32_t>(NTCIP_FONT_READY_FOR_USE));
    uint16_t version = 0;
    ASSERT_EQ(Result(tqGetFontTable(1, NTCIP_FONT_VERSION_ID, &version, 2)), Result(TQDMS_OK));
    EXPECT_NE(version, 0);
    uint8_t back[8] = {0};
    ASSERT_EQ(Result(tqGetCharacterTable(1, 65, NTCIP_CHARACTER_BITMAP, back, 8)), Result(TQDMS_OK));
    EXPECT_EQ(std::memcmp(back, bits, 7), 0);
    EXPECT_EQ(Result(tqSetCharacterTable(1, 65, NTCIP_CHARACTER_WIDTH, &w, 1)),
              Result(TQDMS_E_GEN_ERR));  // ready: not modifiable
    // Permanent rows refuse every request; notUsedReq empties a row.
    EXPECT_EQ(Result(request(3, 9)), Result(TQDMS_E_GEN_ERR));
    ASSERT_EQ(Result(request(1, 9)), Result(TQDMS_OK));
    EXPECT_EQ(fontStatus(1), static_cast<uint32_t>(NTCIP_FONT_NOT_USED));
    char name[64];
    ASSERT_EQ(Result(tqGetFontTable(1, NTCIP_FONT_NAME, name, 64)), Result(TQDMS_OK));
    EXPECT_STREQ(name, "def.");  // the placeholder of a row without a font
    EXPECT_EQ(Result(request(1, 3)), Result(TQDMS_E_BAD_VALUE));
    EXPECT_EQ(Result(tqGetFontTable(9, NTCIP_FONT_STATUS, name, 4)), Result(TQDMS_E_NO_SUCH_NAME));
}

TEST(SimFonts, AFontOnDisplayIsInUse) {
    SimSign sign(json{{"fonts", {font(1, 49, "Normal", 4)}}});
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 1, 0, 0, 5, "me", "[fo49]HELLO", 0)), Result(TQDMS_OK));
    uint16_t crc = 0;
    ASSERT_EQ(Result(tqGetMsgTable(NTCIP_MEM_CHANGEABLE, 1, NTCIP_MSG_CRC, &crc, 2)), Result(TQDMS_OK));
    uint8_t a[12] = {0xFF, 0xFF, 5, 3, 1, 0, static_cast<uint8_t>(crc), static_cast<uint8_t>(crc >> 8), 0, 0, 0, 0};
    ASSERT_EQ(Result(tqActiveMessage(a)), Result(TQDMS_OK));
    EXPECT_EQ(fontStatus(1), static_cast<uint32_t>(NTCIP_FONT_IN_USE));
    EXPECT_EQ(Result(request(1, 7)), Result(TQDMS_E_GEN_ERR));
    // A message naming a font the sign lacks does not validate.
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 2, 0, 0, 5, "me", "[fo50]X", 0)), Result(TQDMS_OK));
    uint32_t syntax = 0;
    ASSERT_EQ(Result(tqGetSignControl(NTCIP_MULTI_SYNTAX_ERROR, &syntax, 4)), Result(TQDMS_OK));
    EXPECT_EQ(syntax, 6u);
}

}  // namespace
