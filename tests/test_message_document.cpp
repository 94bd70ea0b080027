// The message record, its event header and the "DmsMessage" document.
#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "messages/sign_facts.h"
#include "model/message.h"
#include "support/fields.h"
#include "support/message_xml.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using testing_support::Result;
using testing_support::documentXml;
using testing_support::ints;
using testing_support::json;
using testing_support::messageXml;
using testing_support::pageXml;
using testing_support::SimSign;
using testing_support::TempFile;

namespace {

uint32_t readText(dms::MessageSet& set, const std::string& xml) { return set.ReadDocumentText(xml.data(), xml.size()); }

uint32_t readOne(const std::map<std::string, std::string>& overrides, const std::string& body = "") {
    dms::MessageSet set;
    return readText(set, documentXml(messageXml(overrides, body)));
}

uint32_t readEvent(dms::MessageSet& set, const std::string& event) {
    return readText(set, documentXml("", "<Event " + event + "</Event>"));
}

class MessageDocument : public ::testing::Test {
protected:
    SimSign sign;
};

TEST_F(MessageDocument, BadDocumentsGiveTheirCodes) {
    dms::MessageSet set;
    ASSERT_TRUE(set.ok());
    EXPECT_EQ(Result(readText(set, "this is not XML")), Result(DMS_E_OPEN_INPUT));
    EXPECT_EQ(Result(readText(set, "<DmsMessage><Event></DmsMessage>")), Result(DMS_E_OPEN_INPUT));
    EXPECT_EQ(Result(set.ReadDocument("/nonexistent/dir/doc.xml")), Result(DMS_E_OPEN_INPUT));
    EXPECT_EQ(Result(set.ReadDocument(nullptr)), Result(DMS_E_OPEN_INPUT));
    EXPECT_EQ(Result(readText(set, "<Other><Event/></Other>")), Result(DMS_E_MISSING));
    // Valid messages do not make up for a missing header.
    EXPECT_EQ(Result(readText(set, "<DmsMessage>" + messageXml() + "</DmsMessage>")), Result(DMS_E_MISSING));
    EXPECT_EQ(set.count, 0);
    // Nesting deeper than the parser allows is a parse failure.
    std::string deep;
    for (int i = 0; i < 5000; ++i) deep += "<a>";
    for (int i = 0; i < 5000; ++i) deep += "</a>";
    EXPECT_EQ(Result(readText(set, documentXml(deep))), Result(DMS_E_OPEN_INPUT));
    // A huge owner is too long, a huge number out of range.
    EXPECT_EQ(Result(readOne({{"owner", std::string(200000, 'o')}})), Result(DMS_E_INVALID));
    EXPECT_EQ(Result(readOne({{"number", std::string(5000, '9')}})), Result(DMS_E_INVALID));
    // The same through a file.
    TempFile good(documentXml(messageXml()));
    EXPECT_EQ(Result(set.ReadDocument(good.path())), Result(DMS_OK));
    EXPECT_EQ(set.count, 1);
    TempFile empty("");
    EXPECT_EQ(Result(set.ReadDocument(empty.path())), Result(DMS_E_OPEN_INPUT));
    EXPECT_EQ(set.count, 0);
}

TEST_F(MessageDocument, MessageAttributesAreRequiredAndRanged) {
    dms::MessageSet set;
    ASSERT_EQ(Result(readText(set, documentXml(messageXml({{"type", "xxchangeablexx"}, {"beacon", "TRUE"},
                                                    {"pixelService", "false"}, {"owner", std::string(63, 'w')},
                                                    {"duration", "65535"}, {"runTimePriority", "255"}})))),
              Result(DMS_OK));
    ASSERT_EQ(set.count, 1);
    const dms::CMessage& m = set.messages[0];
    const auto& a = m.MessageAttributes;
    EXPECT_EQ(ints(m.m_MemoryNum, m.memoryType, a.MessageBeacon, a.PixelService, a.duration, a.RunTimePriority),
              ints(5, 3, 1, 0, 65535, 255));
    EXPECT_EQ(std::string(m.MessageAttributes.MessageOwner), std::string(63, 'w'));
    EXPECT_EQ(m.pages, nullptr);  // no "PageMessage": no pages, result 0

    const char* required[] = {"number", "type", "beacon", "pixelService", "duration", "runTimePriority", "owner"};
    for (const char* name : required) EXPECT_EQ(Result(readOne({{name, "-"}})), Result(DMS_E_MISSING)) << name;
    // Empty values read as 0 (or an empty text) and a range refuses them.
    for (const char* name : {"number", "type", "runTimePriority", "owner", "beacon"})
        EXPECT_EQ(Result(readOne({{name, ""}})), Result(DMS_E_INVALID)) << name;
    // A stream reads "12abc" as 12; 38 characters of type are too many; the
    // owner keeps its terminator, so 64 characters do not fit.
    const std::pair<std::map<std::string, std::string>, uint32_t> cases[] = {
        {{{"duration", ""}}, DMS_OK}, {{{"beacon", "yes"}}, DMS_E_INVALID},
        {{{"beacon", "1"}, {"pixelService", "0"}}, DMS_OK}, {{{"pixelService", "tRuE"}}, DMS_OK},
        {{{"pixelService", "truex"}}, DMS_E_INVALID}, {{{"beacon", std::string(25, '1')}}, DMS_E_INVALID},
        {{{"number", "256"}}, DMS_E_INVALID}, {{{"number", "12abc"}}, DMS_OK}, {{{"type", "bogus"}}, DMS_E_INVALID},
        {{{"type", std::string(20, ' ') + "volatile" + std::string(10, ' ')}}, DMS_E_INVALID},
        {{{"duration", "65536"}}, DMS_E_INVALID}, {{{"runTimePriority", "0"}}, DMS_E_INVALID},
        {{{"owner", std::string(64, 'w')}}, DMS_E_INVALID}};
    for (const auto& c : cases) EXPECT_EQ(Result(readOne(c.first)), Result(c.second)) << c.first.begin()->second;

    // A failing message stops the read; the ones before it are counted.
    std::string three = messageXml() + messageXml({{"number", "6"}}) + messageXml({{"owner", ""}});
    EXPECT_EQ(Result(readText(set, documentXml(three))), Result(DMS_E_INVALID));
    EXPECT_EQ(set.count, 2);
    EXPECT_EQ(set.messages[1].m_MemoryNum, 6);
}

TEST_F(MessageDocument, SixHundredMessagesReadAsFiveHundredTwelve) {
    std::string messages;
    for (int i = 0; i < 600; ++i) messages += messageXml({{"number", std::to_string(i % 255 + 1)}}, pageXml());
    // The 513th and later are not looked at, broken or not.
    messages += messageXml({{"owner", ""}});
    dms::MessageSet set;
    ASSERT_EQ(Result(readText(set, documentXml(messages))), Result(DMS_OK));
    EXPECT_EQ(set.count, 512);
    EXPECT_EQ(set.messages[511].m_MemoryNum, 511 % 255 + 1);
    ASSERT_NE(set.messages[511].pages, nullptr);
    EXPECT_STREQ(set.messages[511].pages->normalTexts->Text(), "HELLO");
}

TEST_F(MessageDocument, EventHeader) {
    dms::MessageSet set;
    const dms::MessageEvent& ev = *set.event;

    // A reference without a number on a fresh set is incomplete.
    EXPECT_EQ(Result(readEvent(set, "><Activate type=\"changeable\"/>")), Result(DMS_E_EMPTY));
    EXPECT_EQ(ev.activate.memoryType, 3);
    EXPECT_EQ(Result(readEvent(set, "><CommunicationsLoss type=\"nothing known\" number=\"4\"/>")),
              Result(DMS_E_EMPTY));
    EXPECT_EQ(Result(readEvent(set, "><ShortPowerLoss type=\"" + std::string(26, 'x') + "\" number=\"4\"/>")),
              Result(DMS_E_INVALID));
    EXPECT_EQ(Result(readEvent(set, "><LongPowerLoss type=\"volatile\" number=\"0\"/>")), Result(DMS_E_INVALID));
    EXPECT_EQ(Result(readEvent(set, "><LongPowerLoss type=\"volatile\" number=\"\"/>")), Result(DMS_E_INVALID));

    // All four, read in order, with the address.
    ASSERT_EQ(Result(readEvent(set,
                        "sourceAddr=\"192.168.10.200\"><LongPowerLoss type=\"volatile\" number=\"4\"/>"
                        "<Activate type=\"changeable\" number=\"1\"/><ShortPowerLoss type=\"permanent\" number=\"3\"/>"
                        "<CommunicationsLoss type=\"changeable\" number=\"2\"/>")),
              Result(DMS_OK));
    EXPECT_EQ(ints(ev.sourceAddr, ev.activate.number, ev.communicationsLoss.number, ev.shortPowerLoss.memoryType,
                   ev.longPowerLoss.memoryType, ev.longPowerLoss.number),
              ints(0xC0A80AC8u, 1, 2, 2, 4, 4));

    // Left as they were: absent children, short, over-long or incomplete
    // addresses. A reference whose number is already set and absent now
    // reports the absence.
    EXPECT_EQ(Result(readEvent(set, "sourceAddr=\"1.2.3.4\">")), Result(DMS_OK));
    EXPECT_EQ(ev.sourceAddr, 0x01020304u);
    for (const std::string& addr : {std::string("1.2.3"), std::string("10.20.30"), std::string("a.b.c.d.e"),
                                    std::string(65, '1'), "9.9.9.9" + std::string(60, ' ')}) {
        EXPECT_EQ(Result(readEvent(set, "sourceAddr=\"" + addr + "\">")), Result(DMS_OK)) << addr;
        EXPECT_EQ(ev.sourceAddr, 0x01020304u) << addr;
    }
    EXPECT_EQ(Result(readEvent(set, "><Activate type=\"volatile\"/>")), Result(DMS_E_MISSING));
    EXPECT_EQ(ints(ev.activate.memoryType, ev.activate.number, ev.shortPowerLoss.number), ints(4, 1, 3));
}

TEST_F(MessageDocument, WrittenDocuments) {
    dms::MessageSet set;
    TempFile out;
    // Nothing set: four references with empty type and number.
    ASSERT_EQ(Result(set.WriteDocument(out.path())), Result(DMS_OK));
    std::string text = out.read();
    EXPECT_EQ(text.rfind("<DmsMessage>", 0), 0u) << "no declaration, root first";
    tinyxml2::XMLDocument doc;
    ASSERT_EQ(doc.LoadFile(out.path()), tinyxml2::XML_SUCCESS);
    tinyxml2::XMLElement* ev = doc.FirstChildElement("DmsMessage")->FirstChildElement("Event");
    ASSERT_NE(ev, nullptr);
    EXPECT_EQ(ev->Attribute("sourceAddr"), nullptr);
    for (const char* name : {"Activate", "CommunicationsLoss", "ShortPowerLoss", "LongPowerLoss"}) {
        ASSERT_NE(ev->FirstChildElement(name), nullptr) << name;
        EXPECT_STREQ(ev->FirstChildElement(name)->Attribute("number"), "") << name;
    }
    // Read back, an empty number is out of range.
    EXPECT_EQ(Result(set.ReadDocument(out.path())), Result(DMS_E_INVALID));

    // Records with zero values: empty attributes, written as "CMessage".
    // Memory type 9 has no text form: an empty type.
    *set.event = {0x0A000001, {7, 3}, {8, 9}, {1, 4}, {2, 2}};
    set.count = 2;
    set.messages[0].m_MemoryNum = 7, set.messages[0].memoryType = 3;
    std::strcpy(set.messages[0].MessageAttributes.MessageOwner, "ops");
    set.messages[0].MessageAttributes.RunTimePriority = 200;
    set.messages[0].AddPage(0)->AddNormalText("HI");
    set.messages[1].m_MemoryNum = 8, set.messages[1].memoryType = 9;
    ASSERT_EQ(Result(set.WriteDocument(out.path())), Result(DMS_OK));
    text = out.read();
    EXPECT_NE(text.find("\n        <Activate"), std::string::npos) << "indented:\n" << text;
    ASSERT_EQ(doc.LoadFile(out.path()), tinyxml2::XML_SUCCESS);
    tinyxml2::XMLElement* root = doc.FirstChildElement("DmsMessage");
    ev = root->FirstChildElement("Event");
    auto attr = [&](const char* child, const char* name) {
        return std::string(ev->FirstChildElement(child)->Attribute(name));
    };
    EXPECT_EQ(attr("Activate", "type") + "," + attr("Activate", "number"), "changeable,7");
    EXPECT_EQ(attr("CommunicationsLoss", "type") + "," + attr("CommunicationsLoss", "number"), ",8");
    EXPECT_EQ(root->FirstChildElement("Message"), nullptr);
    tinyxml2::XMLElement* m = root->FirstChildElement("CMessage");
    ASSERT_NE(m, nullptr);
    EXPECT_STREQ(m->Attribute("beacon"), "");
    EXPECT_STREQ(m->Attribute("runTimePriority"), "200");
    tinyxml2::XMLElement* second = m->NextSiblingElement("CMessage");
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(second->Attribute("type"), "");
    EXPECT_EQ(second->FirstChildElement("PageMessage"), nullptr);
    // Read back: "CMessage" elements are messages too, but a memory type
    // without a text form comes back as an empty type, which is refused.
    // As a "Message", a beacon of 0 written as an empty value is refused.
    dms::MessageSet back;
    EXPECT_EQ(Result(back.ReadDocument(out.path())), Result(DMS_E_EMPTY));
    set.event->communicationsLoss = {8, 3};
    ASSERT_EQ(Result(set.WriteDocument(out.path())), Result(DMS_OK));
    EXPECT_EQ(Result(back.ReadDocument(out.path())), Result(DMS_E_INVALID));
    EXPECT_EQ(ints(back.count, back.event->sourceAddr, back.event->activate.number), ints(1, 0, 7));
    dms::CMessage record;
    EXPECT_EQ(Result(record.FromXml(m)), Result(DMS_E_INVALID));
    m->SetAttribute("beacon", "1");
    m->SetAttribute("pixelService", "0");
    m->SetAttribute("duration", "0");
    EXPECT_EQ(Result(record.FromXml(m)), Result(DMS_OK));
    EXPECT_EQ(record.m_MemoryNum, 7);
    ASSERT_NE(record.pages, nullptr);
    EXPECT_STREQ(record.pages->normalTexts->Text(), "HI");

    EXPECT_EQ(Result(set.WriteDocument("/nonexistent/dir/out.xml")), Result(DMS_E_OPEN_OUTPUT));
    EXPECT_EQ(Result(set.WriteDocument(nullptr)), Result(DMS_E_OPEN_OUTPUT));
}

// Font names resolve against the facts handed in with the set, read from
// the sign for each call: a font the sign gained since is seen at once, and
// reading or writing a document never talks to the sign.
TEST_F(MessageDocument, FontNamesResolveAgainstTheFactsHandedIn) {
    const json big = {{"row", 1}, {"number", 7}, {"name", "Big"}, {"height", 16}, {"status", NTCIP_FONT_READY_FOR_USE}};
    sign.patch({{"fonts", {big}}});
    std::string withFont = documentXml(
        messageXml({}, pageXml("", "", "<NormalText text=\"A\" fontName=\"Big\"/><NormalText text=\"B\" fontName=\"Small\"/>")));
    dms::SignFacts facts;
    dms::readSignFacts(facts);
    sign.clearJournal();
    dms::MessageSet set;
    ASSERT_EQ(Result(readText(set, withFont)), Result(DMS_OK));
    EXPECT_EQ(set.messages[0].pages->normalTexts->fontNum, -1);  // no facts: names unknown
    set.facts = &facts;
    ASSERT_EQ(Result(readText(set, withFont)), Result(DMS_OK));
    EXPECT_EQ(set.messages[0].pages->normalTexts->fontNum, 7);
    EXPECT_EQ(set.messages[0].pages->normalTexts->next->fontNum, -1);
    TempFile out;
    ASSERT_EQ(Result(set.WriteDocument(out.path())), Result(DMS_OK));
    EXPECT_NE(out.read().find("fontName=\"Big\""), std::string::npos);
    EXPECT_TRUE(sign.journal().empty());
    // A font added on the sign is in the next facts read.
    sign.patch({{"fonts", {big, {{"row", 2}, {"number", 8}, {"name", "Small"}, {"height", 8}, {"status", NTCIP_FONT_READY_FOR_USE}}}}});
    dms::readSignFacts(facts);
    ASSERT_EQ(Result(readText(set, withFont)), Result(DMS_OK));
    EXPECT_EQ(set.messages[0].pages->normalTexts->next->fontNum, 8);
}

// A record without pages to write.
TEST_F(MessageDocument, MultiOfNoPages) {
    dms::CMessage m;
    std::strcpy(m.multiString, "old");
    EXPECT_EQ(Result(m.BuildMulti(10)), Result(DMS_OK));  // no pages: nothing written
    EXPECT_STREQ(m.multiString, "");
    m.AddPage(-1)->AddNormalText("X");  // a page that is never written
    EXPECT_EQ(Result(m.BuildMulti(10)), Result(DMS_E_EMPTY));
}

TEST_F(MessageDocument, RecordPagesAndMultiText) {
    dms::CMessage m;
    EXPECT_EQ(Result(m.ParseMulti()), Result(DMS_E_ARGUMENT));
    m.AddPage(0);
    m.AddPage(1);
    // Parsing replaces the pages by one fresh page, whatever the parser makes of the text.
    std::strcpy(m.multiString, "[pt30o]HELLO");
    EXPECT_EQ(Result(m.ParseMulti()), Result(DMS_OK));
    ASSERT_NE(m.pages, nullptr);
    EXPECT_EQ(m.pages->next, nullptr);
    EXPECT_STREQ(m.pages->normalTexts->Text(), "HELLO");
    EXPECT_STREQ(m.multiString, "[pt30o]HELLO");
}

}  // namespace
