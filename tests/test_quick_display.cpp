// Quick display of a text: line splitting, the source address, the row it
// writes and reuses, and its failures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "messages/display.h"
#include "support/fault_sweep.h"
#include "support/fields.h"
#include "support/message_rows.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using testing_support::Result;
using testing_support::ints;
using testing_support::ownedRow;
using testing_support::json;
using testing_support::row;
using testing_support::SimSign;

namespace {

const char kTextOwner[] = "Easy for display text";
const char kPicturesOwner[] = "Easy for display pictrue";

// The owner search tolerates failed reads (it then looks for a free row);
// every other failed call fails the quick display.
void ownerSearchMayFail(const testing_support::SweepStep& step) {
    std::string fn = step.call["fn"];
    if (fn == "tqGetMsgTable" || fn == "tqGetMsgInfo" || fn == "tqGetMultiCfg")
        EXPECT_TRUE(step.result == 0 || step.result == testing_support::kSweepCode) << step.call.dump();
    else
        EXPECT_EQ(step.result, testing_support::kSweepCode) << step.call.dump();
}

struct Shape {
    std::vector<int> kinds;
    std::vector<std::string> texts;
};

Shape shapeOf(const char* text) {
    dms::CMessage m;
    EXPECT_EQ(Result(dms::buildDisplayTextPage(m, text, 2, 0x00FF00, 1, 0)), Result(DMS_OK));
    Shape s;
    for (const dms::OrderItem& item : m.pages->textOrder) {
        s.kinds.push_back(item.kind);
        if (item.kind == dms::kKindNormalText) s.texts.push_back(static_cast<dms::NormalText*>(item.element)->Text());
    }
    return s;
}

TEST(QuickDisplay, TextIsCutIntoLinesAtEveryLineEnd) {
    Shape crlf = shapeOf("A\r\nB");
    EXPECT_EQ(crlf.kinds, (std::vector<int>{4, 5, 4}));
    EXPECT_EQ(crlf.texts, (std::vector<std::string>{"A", "B"}));
    Shape lflf = shapeOf("A\n\nB");
    EXPECT_EQ(lflf.kinds, (std::vector<int>{4, 5, 4, 5, 4}));
    EXPECT_EQ(lflf.texts, (std::vector<std::string>{"A", "", "B"}));
    EXPECT_EQ(shapeOf("A\r\n").kinds, (std::vector<int>{4, 5}));
    EXPECT_EQ(shapeOf("A\rB\n").texts, (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(shapeOf("").kinds.empty());

    dms::CMessage m;
    ASSERT_EQ(Result(dms::buildDisplayTextPage(m, "ONE\nTWO", 3, 7, 2, 4)), Result(DMS_OK));
    dms::PageMessage& page = *m.pages;
    dms::NormalText* first = page.normalTexts;
    EXPECT_EQ(ints(page.pageAlign, page.lineAlign, page.spaceCharacterCount, first->fontNum, page.newLines->count,
                   page.newLines->lineAlign),
              ints(3, 3, 4, 3, 2, 3));
    EXPECT_EQ(page.pageBackground, dms::Color(-1, 0));
    EXPECT_EQ(first->fontColor, dms::Color(7, -1));  // an ended line: colour as palette index
    EXPECT_EQ(first->next->fontColor, dms::Color(-1, 7));  // the rest: colour as rgb
}

// The host's brackets are text: doubled in the MULTI text, never tags.
TEST(QuickDisplay, TextBracketsAreShownNotRead) {
    EXPECT_EQ(shapeOf("Price [5]").texts, (std::vector<std::string>{"Price [[5]]"}));
    EXPECT_EQ(shapeOf("[").texts, (std::vector<std::string>{"[["}));
    EXPECT_EQ(shapeOf("]").texts, (std::vector<std::string>{"]]"}));
    EXPECT_EQ(shapeOf("[[x]]\n[g1,0,0]").texts, (std::vector<std::string>{"[[[[x]]]]", "[[g1,0,0]]"}));

    SimSign sign(json{{"limits", {{"maxChangeable", 3}}}});
    for (const char* text : {"Price [5]", "[g1,0,0]"}) {
        SCOPED_TRACE(text);
        ASSERT_EQ(Result(tqDisplayText(text, "5x7", 1, 1, 0, nullptr)), Result(DMS_OK));
        std::string multi = ownedRow(sign, kTextOwner)["multi"];
        std::string escaped = std::string(text) == "Price [5]" ? "Price [[5]]" : "[[g1,0,0]]";
        EXPECT_NE(multi.find(escaped), std::string::npos) << multi;
    }
}

TEST(QuickDisplay, SourceAddressText) {
    EXPECT_EQ(ints(dms::sourceAddressOf("10.1.2.3"), dms::sourceAddressOf("192.168.1.200"), dms::sourceAddressOf("1.2.3"),
                   dms::sourceAddressOf("1.2.3.x"), dms::sourceAddressOf(nullptr)),
              ints(0x0A010203u, 0xC0A801C8u, 0, 0, 0));
}

TEST(QuickDisplay, TextGoesToItsOwnRowAndIsShown) {
    SimSign sign(json{{"limits", {{"maxChangeable", 5}}},
                      {"messages", {row(NTCIP_MEM_CHANGEABLE, 1, "[jp3]BUSY"), row(NTCIP_MEM_CHANGEABLE, 2, "X")}}});
    ASSERT_EQ(Result(tqDisplayText("HELLO\r\nWORLD", "5x7", 1, 1, 0, "10.0.0.9")), Result(DMS_OK));
    json mine = ownedRow(sign, kTextOwner);
    ASSERT_FALSE(mine.is_null());
    EXPECT_EQ(mine["number"], 3);
    EXPECT_NE(mine["multi"].get<std::string>().find("HELLO"), std::string::npos);
    auto act = sign.calls("tqActiveMessage");
    ASSERT_EQ(act.size(), 2u);  // the blank message, then the text

    // A second text reuses the row, found by its owner.
    ASSERT_EQ(Result(tqDisplayText("AGAIN", "5x7", 1, 1, 0, nullptr)), Result(DMS_OK));
    int owned = 0;
    json after = sign.state();
    for (const json& r : after["messages"])
        if (r["owner"] == "Easy for display text") {
            ++owned;
            EXPECT_EQ(r["number"], 3);
        }
    EXPECT_EQ(owned, 1);

    // An unknown font: 2 before anything is written.
    sign.clearJournal();
    EXPECT_EQ(Result(tqDisplayText("X", "no such font", 1, 1, 0, nullptr)), Result(DMS_E_ARGUMENT));
    EXPECT_TRUE(sign.calls("tqDefine1Message").empty());
    EXPECT_TRUE(sign.calls("tqActiveMessage").empty());
    EXPECT_EQ(Result(tqDisplayText(nullptr, "5x7", 1, 1, 0, nullptr)), Result(DMS_E_ARGUMENT));
}

TEST(QuickDisplay, NoFreeRow) {
    SimSign sign(json{{"limits", {{"maxChangeable", 2}}},
                      {"messages", {row(NTCIP_MEM_CHANGEABLE, 1, "A"), row(NTCIP_MEM_CHANGEABLE, 2, "B")}}});
    EXPECT_EQ(Result(tqDisplayText("X", "5x7", 1, 1, 0, nullptr)), Result(DMS_E_NO_FREE));
}


const std::string kArrow = std::string(DMS_SOURCE_DIR) + "/examples/pictures/arrow-1bit.bmp";

TEST(QuickDisplay, PicturesSkipRowsInUseAndShowOnePerPage) {
    SimSign sign(json{{"limits", {{"maxChangeable", 4}, {"graphicRows", 6}}},
                      {"graphics",
                       {{{"row", 1}, {"height", 8}, {"width", 8}, {"status", NTCIP_GRAPHIC_PERMANENT}},
                        {{"row", 2}, {"height", 8}, {"width", 8}, {"status", NTCIP_GRAPHIC_PERMANENT}}}}});
    const int32_t times[2] = {20, 35};
    int32_t count = 2;
    ASSERT_EQ(Result(tqDisplayPictures(kArrow.c_str(), times, &count, "10.0.0.1")), Result(DMS_OK));
    EXPECT_EQ(ownedRow(sign, kPicturesOwner)["multi"], "[pt20o][g3,0,0][np][pt35o][g4,0,0]");
    auto act = sign.calls("tqActiveMessage");
    ASSERT_EQ(act.size(), 3u);  // the blank message twice, then the pictures

    count = 0;
    EXPECT_EQ(Result(tqDisplayPictures(kArrow.c_str(), times, &count, nullptr)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqDisplayPictures(nullptr, times, &count, nullptr)), Result(DMS_E_ARGUMENT));
    count = 1;
    EXPECT_EQ(Result(tqDisplayPictures(kArrow.c_str(), nullptr, &count, nullptr)), Result(DMS_E_ARGUMENT));
}

// The graphic rows of each picture shown: the "[g" numbers of the quick
// display's message.
std::string picturesMessage(const SimSign& sign) {
    json r = ownedRow(sign, kPicturesOwner);
    return r.is_null() ? "" : r["multi"].get<std::string>();
}

std::string graphicName(const SimSign& sign, int row) {
    json state = sign.state();
    for (const json& g : state["graphics"])
        if (g["row"] == row) return g["name"];
    return "";
}

// Rows that are free or hold the quick display's own pictures are taken
// before rows holding the host's pictures; those only when nothing else is
// left.
TEST(QuickDisplay, PicturesKeepTheHostsPictures) {
    const json host = {{"height", 8}, {"width", 8}, {"type", 1}, {"status", NTCIP_GRAPHIC_READY_FOR_USE}};
    auto hostPicture = [&](int row) {
        json g = host;
        g["row"] = row;
        g["number"] = row;
        g["name"] = "host" + std::to_string(row);
        return g;
    };
    const int32_t times[2] = {20, 30};
    {
        SimSign sign(json{{"limits", {{"maxChangeable", 4}, {"graphicRows", 4}}},
                          {"graphics", {hostPicture(1), hostPicture(3)}}});
        int32_t count = 1;
        ASSERT_EQ(Result(tqDisplayPictures(kArrow.c_str(), times, &count, nullptr)), Result(DMS_OK));
        EXPECT_EQ(picturesMessage(sign), "[pt20o][g2,0,0]");
        // Again: its own row 2 is taken again, not the free row 4.
        ASSERT_EQ(Result(tqDisplayPictures(kArrow.c_str(), times, &count, nullptr)), Result(DMS_OK));
        EXPECT_EQ(picturesMessage(sign), "[pt20o][g2,0,0]");
        // Two pictures: its own row, then the free one.
        count = 2;
        ASSERT_EQ(Result(tqDisplayPictures(kArrow.c_str(), times, &count, nullptr)), Result(DMS_OK));
        EXPECT_EQ(picturesMessage(sign), "[pt20o][g2,0,0][np][pt30o][g4,0,0]");
        EXPECT_EQ(graphicName(sign, 1) + "," + graphicName(sign, 3), "host1,host3");
    }
    {
        // One free row for two pictures: the second takes the first row
        // holding a host picture.
        SimSign sign(json{{"limits", {{"maxChangeable", 4}, {"graphicRows", 3}}},
                          {"graphics", {hostPicture(1), hostPicture(2)}}});
        int32_t count = 2;
        ASSERT_EQ(Result(tqDisplayPictures(kArrow.c_str(), times, &count, nullptr)), Result(DMS_OK));
        EXPECT_EQ(picturesMessage(sign), "[pt20o][g3,0,0][np][pt30o][g1,0,0]");
        EXPECT_EQ(graphicName(sign, 2), "host2");
    }
}

TEST(QuickDisplay, TextAndPicturesFaultSweeps) {
    std::unique_ptr<SimSign> sign;
    json setup;
    auto fresh = [&] { sign = nullptr, sign = std::make_unique<SimSign>(setup); };
    setup = {{"limits", {{"maxChangeable", 3}}}, {"messages", {row(NTCIP_MEM_CHANGEABLE, 1, "A")}}};
    testing_support::faultSweep(fresh, [] { return tqDisplayText("A\nB", "5x7", 1, 1, 0, nullptr); }, ownerSearchMayFail);
    const int32_t times[1] = {30};
    setup = {{"limits", {{"maxChangeable", 2}, {"graphicRows", 3}}}};
    testing_support::faultSweep(
        fresh,
        [&] {
            int32_t count = 1;
            return tqDisplayPictures(kArrow.c_str(), times, &count, nullptr);
        },
        ownerSearchMayFail);
    sign.reset();
}

}  // namespace
