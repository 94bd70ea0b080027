// A sign's messages read as a document and given back: the "CMessage"
// elements that tqGetMessage writes are read as messages by tqSendMessage.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "model/message.h"
#include "support/fields.h"
#include "support/message_rows.h"
#include "support/message_xml.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using testing_support::Result;
using testing_support::ints;
using testing_support::json;
using testing_support::SimSign;
using testing_support::TempFile;

namespace {

// The picture the graphics example shows, on a sign its rectangles fit on
// (its text rectangle reaches x 159, its travel time field y 47).
const json kGraphic2 = {{"graphics", {{{"row", 2}, {"height", 8}, {"width", 8}, {"type", 1}}}},
                        {"profile", {{"signWidthPixels", 160}, {"signHeightPixels", 48}}}};

// The sign's message rows and event messages.
json backedUp(const SimSign& sign) {
    json s = sign.state();
    json rows = json::array();
    for (const json& r : s["messages"]) {
        rows.push_back({r["type"], r["number"], r["multi"], r["owner"], r["beacon"], r["pixelService"],
                        r["priority"], r["status"]});
    }
    return {{"rows", rows}, {"control", s["control"]}};
}

TEST(MessageRestore, ExampleDocumentsComeBackOntoABlankSign) {
    for (const char* name : {"text.xml", "graphics.xml"}) {
        SCOPED_TRACE(name);
        std::string path = std::string(DMS_SOURCE_DIR) + "/examples/messages/" + name;
        SimSign sign(kGraphic2);
        ASSERT_EQ(Result(tqSendMessage(path.c_str())), Result(DMS_OK));
        TempFile backup;
        ASSERT_EQ(Result(tqGetMessage(backup.path())), Result(DMS_OK));
        json before = backedUp(sign);

        SimSign blank(kGraphic2);
        ASSERT_EQ(Result(tqSendMessage(backup.path())), Result(DMS_OK)) << backup.read();
        EXPECT_EQ(backedUp(blank).dump(1), before.dump(1)) << backup.read();
    }
}

std::string saved(const std::string& messages) {
    return "<DmsMessage><Event/>" + messages + "</DmsMessage>";
}

// A saved message without its "multi" text is read from its pages, in the
// forms the document writer uses: empty values are 0, colours are "rgb",
// and a moving text carries no step time.
TEST(MessageRestore, SavedPagesReadInTheWrittenForms) {
    dms::MessageSet set;
    std::string doc = saved(
        "<CMessage number=\"300\" type=\"changeable\" owner=\"\" beacon=\"\" duration=\"\" "
        "pixelService=\"\" runTimePriority=\"\"><PageMessage pageNum=\"\" pageOnTime=\"30\" "
        "pageOffTime=\"\" rgb=\"\"><SectionText><NormalText rgb=\"16776960\" text=\"HI\"/>"
        "<MoveText width=\"120\" stepPixels=\"2\" type=\"linear\" delay=\"\" direction=\"right\" "
        "text=\"GO\"/></SectionText><Picture number=\"2\" x=\"\" y=\"\"/></PageMessage></CMessage>");
    ASSERT_EQ(Result(set.ReadDocumentText(doc.c_str(), doc.size())), Result(DMS_OK));
    ASSERT_EQ(set.count, 1);
    dms::CMessage& m = set.messages[0];
    const auto& a = m.MessageAttributes;
    EXPECT_EQ(ints(m.m_MemoryNum, m.memoryType, a.MessageBeacon, a.PixelService, a.RunTimePriority), ints(300, 3, 0, 0, 0));
    EXPECT_EQ(std::string(a.MessageOwner) + m.multiString, "");
    ASSERT_NE(m.pages, nullptr);
    const dms::PageMessage& p = *m.pages;
    ASSERT_TRUE(p.normalTexts != nullptr && p.moveTexts != nullptr && p.pictures != nullptr);
    EXPECT_EQ(ints(p.pageOnTime, p.normalTexts->fontColor.rgb, p.moveTexts->stepTime, p.moveTexts->mode,
                   p.pictures->number, p.pictures->x, p.pictures->y),
              ints(30, 16776960, 0, 2, 2, 0, 0));

    // The same as a "Message" keeps the stricter rules.
    std::string strict = doc;
    strict.replace(strict.find("<CMessage"), 9, "<Message");
    strict.replace(strict.find("</CMessage>"), 11, "</Message>");
    EXPECT_EQ(Result(set.ReadDocumentText(strict.c_str(), strict.size())), Result(DMS_E_INVALID));
}

// The limits of a saved message: number 1..65535, owner up to 63
// characters, MULTI text up to 1255; permanent messages are left out.
TEST(MessageRestore, SavedMessageLimits) {
    auto one = [](const std::string& number, const std::string& owner, const std::string& multi,
                  const std::string& type = "changeable") {
        return "<CMessage number=\"" + number + "\" type=\"" + type + "\" owner=\"" + owner +
               "\" beacon=\"1\" duration=\"\" pixelService=\"\" runTimePriority=\"7\" multi=\"" + multi +
               "\"/>";
    };
    const struct {
        std::string element;
        uint32_t result;
        int count;
    } cases[] = {
        {one("1", "o", "[jp3]A"), DMS_OK, 1},
        {one("65535", "o", "A"), DMS_OK, 1},
        {one("65536", "o", "A"), DMS_E_INVALID, 0},
        {one("0", "o", "A"), DMS_E_INVALID, 0},
        {one("5", std::string(63, 'w'), "A"), DMS_OK, 1},
        {one("5", std::string(64, 'w'), "A"), DMS_E_INVALID, 0},
        {one("5", "o", std::string(1255, 'M')), DMS_OK, 1},
        {one("5", "o", std::string(1256, 'M')), DMS_E_INVALID, 0},
        {one("5", "o", ""), DMS_OK, 1},
        {one("5", "o", "A", "permanent") + one("6", "o", "B"), DMS_OK, 1},
        {one("5", "o", "A", ""), DMS_E_INVALID, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element.substr(0, 80));
        dms::MessageSet set;
        std::string doc = saved(c.element);
        EXPECT_EQ(Result(set.ReadDocumentText(doc.c_str(), doc.size())), Result(c.result));
        EXPECT_EQ(set.count, c.count);
    }
    dms::MessageSet set;
    std::string doc = saved(one("9", "ops", "[jp3][[A]]", "volatile"));
    ASSERT_EQ(Result(set.ReadDocumentText(doc.c_str(), doc.size())), Result(DMS_OK));
    const dms::CMessage& m = set.messages[0];
    EXPECT_EQ(ints(m.memoryType, m.MessageAttributes.MessageBeacon, m.MessageAttributes.RunTimePriority), ints(4, 1, 7));
    EXPECT_STREQ(m.multiString, "[jp3][[A]]");
    EXPECT_EQ(m.pages, nullptr);
}

// Saved and new messages in one document go where they name, in document
// order; a saved number above 255 goes back to its own row.
TEST(MessageRestore, SavedMessagesGoBackToTheirRows) {
    SimSign sign(json{{"limits", {{"maxChangeable", 300}}},
                      {"messages", {testing_support::row(NTCIP_MEM_PERMANENT, 1, "[jp3]PERMANENT", "maker")}}});
    TempFile doc(saved(
        "<CMessage number=\"1\" type=\"permanent\" owner=\"maker\" beacon=\"\" duration=\"\" "
        "pixelService=\"\" runTimePriority=\"\"/>"
        "<CMessage number=\"300\" type=\"changeable\" owner=\"ops\" beacon=\"1\" duration=\"\" "
        "pixelService=\"1\" runTimePriority=\"9\" multi=\"[jp3]FAR\"/>" +
        testing_support::messageXml({{"number", "2"}}, testing_support::pageXml())));
    ASSERT_EQ(Result(tqSendMessage(doc.path())), Result(DMS_OK));
    json rows = sign.state()["messages"];
    ASSERT_EQ(rows.size(), 3u) << rows.dump();
    json far;
    for (const json& r : rows)
        if (r["number"] == 300) far = r;
    ASSERT_FALSE(far.is_null()) << rows.dump();
    EXPECT_EQ(json({far["type"], far["multi"], far["owner"], far["beacon"], far["pixelService"], far["priority"]}),
              json({3, "[jp3]FAR", "ops", 1, 1, 9}));
    EXPECT_EQ(testing_support::definedNumbers(sign), (std::vector<int>{300, 2}));
}

// A saved text must still fit the sign it goes to: exactly the sign's
// maximum is taken, one character more is refused before anything is written.
TEST(MessageRestore, SavedTextLongerThanTheSignAllowsIsRefused) {
    for (int extra : {0, 1}) {
        SimSign sign(json{{"limits", {{"maxMultiLength", 20}}}});
        TempFile doc(saved("<CMessage number=\"4\" type=\"changeable\" owner=\"ops\" beacon=\"\" duration=\"\" "
                           "pixelService=\"\" runTimePriority=\"3\" multi=\"" + std::string(20 + extra, 'A') + "\"/>"));
        EXPECT_EQ(Result(tqSendMessage(doc.path())), Result(extra ? DMS_E_MULTI_TOO_LONG : DMS_OK)) << extra;
        EXPECT_EQ(sign.calls("tqDefine1Message").size(), extra ? 0u : 1u) << extra;
    }
}

}  // namespace
