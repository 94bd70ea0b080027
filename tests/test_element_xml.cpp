// The XML form of the message elements: the typed attribute reader and
// writer, the attribute groups, and every element's reading and writing.
#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <climits>
#include <string>

#include "model/section.h"
#include "model/sign_facts.h"
#include "model/xml_value.h"
#include "multi/describe.h"
#include "support/fields.h"
#include "support/result.h"

using testing_support::Result;
using testing_support::ints;
using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

namespace {

// A parsed snippet; root() is its first element.
struct Snippet {
    XMLDocument doc{true, tinyxml2::PRESERVE_WHITESPACE};
    explicit Snippet(const std::string& xml) { EXPECT_EQ(doc.Parse(xml.c_str()), tinyxml2::XML_SUCCESS) << xml; }
    XMLElement* root() { return doc.FirstChildElement(); }
};

// name=value pairs in written order.
std::string attrs(const XMLElement* e) {
    std::string s;
    for (const tinyxml2::XMLAttribute* a = e->FirstAttribute(); a != nullptr; a = a->Next())
        s += std::string(s.empty() ? "" : " ") + a->Name() + "=" + a->Value();
    return s;
}

template <typename T>
uint32_t readText(T& element, const std::string& xml) {
    Snippet s(xml);
    return element.FromXml(s.root());
}

// Reads a page from "<M>" + pages + "</M>".
uint32_t readPages(dms::PageMessage& page, const std::string& pages) {
    Snippet s("<M>" + pages + "</M>");
    return page.FromXml(s.root());
}

struct Code {
    std::string xml;
    uint32_t result;
};

// Each text read into a fresh element gives its result.
template <typename T>
void expectCodes(std::initializer_list<Code> cases) {
    for (const Code& c : cases) {
        T element;
        EXPECT_EQ(Result(readText(element, c.xml)), Result(c.result)) << c.xml;
    }
}

const std::string kText = "<SectionText><NormalText text=\"T\"/></SectionText>";

class ElementXml : public ::testing::Test {
protected:
    // The sign's fonts as a message call reads them: names differ in case.
    dms::SignFacts facts{{{2, "Wide"}, {9, "wide"}}, 1024};
    dms::SignFactsInUse inUse{&facts};
};

TEST_F(ElementXml, TypedAttributeReader) {
    Snippet s(
        "<e n=\" 12abc\" w=\"abc\" neg=\"-7\" byte=\"255\" big=\"256\" short=\"65535\" u=\"4294967295\" "
        "d=\"2.5\" t1=\"TRUE\" t2=\"1\" f1=\"False\" f2=\"0\" yes=\"yes\" empty=\"\" long=\"trueeeeeeeeeeeeeeeeeeeeee\" "
        "abc=\"abc\" huge=\"99999999999999999999999\"/>");
    XMLElement* e = s.root();
    // Each read's result and the value after it, in reading order: "w" has
    // no number and reads as 0; a refusal leaves the value as it was.
    int i = 0;
    unsigned char b = 0;
    unsigned short us = 0;
    unsigned int u = 0;
    double d = 0;
    const std::pair<uint32_t, long long> got[] = {
        {dms::XmlGetValue(e, "n", i, 0, 20), i}, {dms::XmlGetValue(e, "w", i, 1, 20), i},
        {dms::XmlGetValue(e, "w", i, 0, 20), i}, {dms::XmlGetValue(e, "neg", i, INT32_MIN, INT32_MAX), i},
        {dms::XmlGetValue(e, "huge", i, INT32_MIN, INT32_MAX), i}, {dms::XmlGetValue(e, "missing", i, 0, 1), i},
        {dms::XmlGetValue(nullptr, "n", i, 0, 1), i}, {dms::XmlGetValue(e, "byte", b, 0, 255), b},
        {dms::XmlGetValue(e, "big", b, 0, 255), b}, {dms::XmlGetValue(e, "short", us, 0, 65535), us},
        {dms::XmlGetValue(e, "u", u, 0, 4294967295LL), u}};
    const std::pair<uint32_t, long long> want[] = {
        {DMS_OK, 12}, {DMS_E_INVALID, 12}, {DMS_OK, 0}, {DMS_OK, -7}, {DMS_E_INVALID, -7}, {DMS_E_MISSING, -7},
        {DMS_E_MISSING, -7}, {DMS_OK, 255}, {DMS_E_INVALID, 255}, {DMS_OK, 65535}, {DMS_OK, 4294967295LL}};
    for (size_t k = 0; k < std::size(want); ++k)
        EXPECT_EQ(got[k], want[k]) << k;
    const std::pair<uint32_t, double> doubles[] = {
        {dms::XmlGetValue(e, "d", d, 0, 3), d}, {dms::XmlGetValue(e, "d", d, 0, 2), d}, {dms::XmlGetValue(e, "abc", d, -1, 1), d}};
    EXPECT_EQ(doubles[0], std::make_pair(uint32_t{DMS_OK}, 2.5));
    EXPECT_EQ(doubles[1], std::make_pair(uint32_t{DMS_E_INVALID}, 2.5));
    EXPECT_EQ(doubles[2], std::make_pair(uint32_t{DMS_OK}, 0.0));

    // Each flag starts as the opposite of what a good read gives.
    const std::pair<const char*, bool> goodFlags[] = {{"t1", true}, {"t2", true}, {"f1", false}, {"f2", false}};
    for (const auto& [name, value] : goodFlags) {
        bool flag = !value;
        EXPECT_EQ(Result(dms::XmlGetValue(e, name, flag)), Result(DMS_OK)) << name;
        EXPECT_EQ(flag, value) << name;
    }
    bool flag = false;
    for (const char* bad : {"yes", "empty", "long", "n", "missing"})
        EXPECT_EQ(Result(dms::XmlGetValue(e, bad, flag)), Result(bad[0] == 'm' ? DMS_E_MISSING : DMS_E_INVALID)) << bad;

    char text[4] = "zz";
    EXPECT_EQ(Result(dms::XmlGetValue(e, "abc", text, sizeof text, 0, 3)), Result(DMS_OK));
    EXPECT_STREQ(text, "abc");
    EXPECT_EQ(Result(dms::XmlGetValue(e, "long", text, sizeof text, 0, 100)), Result(DMS_E_INVALID));  // no room
    EXPECT_EQ(Result(dms::XmlGetValue(e, "empty", text, sizeof text, 1, 3)), Result(DMS_E_INVALID));
    EXPECT_EQ(Result(dms::XmlGetValue(e, "abc", text, sizeof text, 0, 2)), Result(DMS_E_INVALID));
    EXPECT_STREQ(text, "abc");
    EXPECT_EQ(Result(dms::XmlGetValue(e, "empty", text, sizeof text, 0, 3)), Result(DMS_OK));
    EXPECT_STREQ(text, "");
}

TEST_F(ElementXml, TypedAttributeWriterWritesZeroAsEmpty) {
    XMLDocument doc;
    XMLElement* e = doc.NewElement("e");
    doc.InsertEndChild(e);
    EXPECT_EQ(Result(dms::XmlSetValue(e, "a", 0)), Result(DMS_OK));
    EXPECT_EQ(Result(dms::XmlSetValue(e, "b", -5)), Result(DMS_OK));
    EXPECT_EQ(Result(dms::XmlSetValue(e, "c", static_cast<uint8_t>(200))),
              Result(DMS_OK));  // a number, not a character
    EXPECT_EQ(Result(dms::XmlSetValue(e, "d", static_cast<const char*>(nullptr))), Result(DMS_OK));
    EXPECT_EQ(Result(dms::XmlSetValue(e, "f", 2.5)), Result(DMS_OK));
    EXPECT_EQ(Result(dms::XmlSetValue(e, "g", 0.0)), Result(DMS_OK));
    EXPECT_EQ(Result(dms::XmlSetValue(e, "b", "again")), Result(DMS_OK));  // replaced in place
    EXPECT_EQ(Result(dms::XmlSetValue(e, "", 1)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(dms::XmlSetValue(e, nullptr, 1)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(dms::XmlSetValue(nullptr, "x", 1)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(attrs(e), "a= b=again c=200 d= f=2.5 g=");
}

TEST_F(ElementXml, FlashGivenSingly) {
    // A picture keeps the one time and reads with 0.
    dms::PageMessage page;
    dms::Picture* pic = page.AddPicture();
    EXPECT_EQ(Result(readText(*pic, "<P><Picture number=\"3\" flashOnTime=\"5\" x=\"4\" y=\"6\"/></P>")),
              Result(DMS_OK));
    EXPECT_EQ(ints(pic->flash.flashOnTime, pic->flash.flashOffTime, pic->x), ints(5, 0, 4));
    EXPECT_EQ(Result(readText(*pic, "<P><Picture number=\"3\" flashOffTime=\"70000\"/></P>")), Result(DMS_E_INVALID));
    // In the last colour rectangle it is the chain's result; earlier ones go on.
    dms::ColorRectangle first;
    const std::string ok = "<ColorRectangle width=\"1\" height=\"2\" colorValue=\"7\"/>";
    const std::string single = "<ColorRectangle width=\"1\" height=\"2\" colorValue=\"7\" flashOnTime=\"3\"/>";
    EXPECT_EQ(Result(readText(first, "<P>" + ok + single + "</P>")), Result(DMS_E_MISSING));
    ASSERT_NE(first.next, nullptr);
    EXPECT_EQ(first.next->flash.flashOnTime, 3);
    dms::ColorRectangle again;
    EXPECT_EQ(Result(readText(again, "<P>" + single + ok + "</P>")), Result(DMS_OK));
    EXPECT_EQ(again.flash.flashOnTime, 3);
    // Text elements go on to their later items.
    dms::NormalText t;
    EXPECT_EQ(Result(readText(t, "<NormalText flashOffTime=\"4\" text=\"x\"/>")), Result(DMS_OK));
    EXPECT_EQ(t.flash.flashOffTime, 4);
    // And a page stops on its last colour rectangle's single time.
    dms::PageMessage p2;
    EXPECT_EQ(Result(readPages(p2, "<PageMessage pageOnTime=\"1\" pageOffTime=\"1\">" + kText + single +
                                "<WeatherJourneyTime no=\"1\" width=\"1\" height=\"1\"/></PageMessage>")),
              Result(DMS_E_MISSING));
    EXPECT_EQ(p2.weatherJourneyTimes, nullptr);
}

TEST_F(ElementXml, FontGroup) {
    dms::NormalText t;
    EXPECT_EQ(Result(readText(t, "<NormalText text=\"a\" fontName=\"wide\" fontNum=\"5\" colorValue=\"-2\"/>")),
              Result(DMS_OK));
    EXPECT_EQ(t.fontNum, 9);  // exact, case-sensitive
    EXPECT_EQ(t.fontColor, dms::Color(-1, -2));
    dms::NormalText unknown;
    EXPECT_EQ(Result(readText(unknown, "<NormalText text=\"a\" fontName=\"WIDE\" fontNum=\"5\"/>")), Result(DMS_OK));
    EXPECT_EQ(unknown.fontNum, -1);  // "fontNum" not looked at
    dms::NormalText byNumber;
    EXPECT_EQ(Result(readText(byNumber, "<NormalText text=\"a\" fontNum=\"5\"/>")), Result(DMS_OK));
    EXPECT_EQ(byNumber.fontNum, 5);
    expectCodes<dms::NormalText>({{"<NormalText text=\"a\" fontNum=\"0\"/>", DMS_E_INVALID},
                                  {"<NormalText text=\"a\" fontNum=\"\"/>", DMS_E_INVALID},
                                  {"<NormalText text=\"a\" fontName=\"" + std::string(65, 'f') + "\"/>", DMS_E_INVALID},
                                  {"<NormalText text=\"a\" colorValue=\"4294967295\"/>", DMS_E_INVALID}});
}

TEST_F(ElementXml, TextElementsReadingRules) {
    dms::NormalText t;
    // Without "text" the font is not read.
    EXPECT_EQ(Result(readText(t, "<NormalText fontNum=\"4\"/>")), Result(DMS_E_MISSING));
    EXPECT_EQ(t.fontNum, -1);
    EXPECT_EQ(Result(readText(t, "<NormalText text=\"\"/>")), Result(DMS_OK));
    ASSERT_NE(t.Text(), nullptr);
    EXPECT_STREQ(t.Text(), "");
    EXPECT_EQ(Result(readText(t, "<NormalText text=\"" + std::string(1024, 'a') + "\"/>")), Result(DMS_OK));
    EXPECT_EQ(Result(readText(t, "<NormalText text=\"" + std::string(1025, 'a') + "\"/>")), Result(DMS_E_INVALID));
    EXPECT_EQ(Result(readText(t, "<NormalText text=\"A &amp; B&#65;\"/>")), Result(DMS_OK));
    EXPECT_STREQ(t.Text(), "A & BA");

    dms::SpecialObject f;
    expectCodes<dms::SpecialObject>({{"<SpecialObject fontNum=\"3\"/>", DMS_E_MISSING},
                                     {"<SpecialObject index=\"0\"/>", DMS_E_INVALID},
                                     {"<SpecialObject index=\"100\"/>", DMS_E_INVALID}});
    EXPECT_EQ(Result(readText(f, "<SpecialObject index=\"99\" flashOnTime=\"2\" flashOffTime=\"3\" fontNum=\"3\"/>")),
              Result(DMS_OK));
    EXPECT_EQ(ints(f.index, f.flash.flashOffTime, f.fontNum), ints(99, 3, 3));

    dms::HexCharacter h;
    expectCodes<dms::HexCharacter>({{"<HexCharacter/>", DMS_E_MISSING}, {"<HexCharacter x=\"4142\"/>", DMS_E_INVALID}});
    EXPECT_EQ(Result(readText(h, "<HexCharacter x=\"7F\" flashOnTime=\"1\" fontName=\"Wide\"/>")), Result(DMS_OK));
    EXPECT_STREQ(h.x, "7F");
    EXPECT_EQ(h.fontNum, 2);

    dms::NewLine nl;
    EXPECT_EQ(Result(readText(nl, "<NewLine lineAlign=\"flush left\" count=\"9\"/>")), Result(DMS_OK));
    EXPECT_EQ(ints(nl.lineAlign, nl.count), ints(2, 9));
    expectCodes<dms::NewLine>({{"<NewLine lineAlign=\"middle\"/>", DMS_E_INVALID},
                               {"<NewLine lineAlign=\"" + std::string(11, 'r') + "\"/>", DMS_E_INVALID},
                               {"<NewLine count=\"10\"/>", DMS_E_INVALID},
                               {"<NewLine count=\"\"/>", DMS_E_INVALID}});
}

TEST_F(ElementXml, MoveTextTypeAndDirectionTexts) {
    const std::string base = "<MoveText width=\"200\" stepPixels=\"2\" stepTime=\"5\" text=\"GO\" ";
    dms::MoveText m;
    EXPECT_EQ(Result(readText(m, base + "type=\"xlinearx\" delay=\"7\" direction=\"to the right\"/>")), Result(DMS_OK));
    EXPECT_EQ(ints(m.mode, m.delay, m.direction, m.width, m.stepTime), ints(2, 7, 1, 200, 5));
    EXPECT_STREQ(m.textBase.Text(), "GO");
    dms::MoveText c;
    EXPECT_EQ(Result(readText(c, base + "type=\"circular\" direction=\"left\" fontNum=\"4\"/>")), Result(DMS_OK));
    EXPECT_EQ(ints(c.mode, c.delay, c.direction, c.textBase.fontNum), ints(1, 0, 0, 4));  // no delay when circular
    // "linear" is looked for first.
    EXPECT_EQ(Result(readText(c, base + "type=\"circularlinear\" delay=\"1\" direction=\"left\"/>")), Result(DMS_OK));
    EXPECT_EQ(c.mode, 2);

    const std::string noText = "<MoveText width=\"1\" stepPixels=\"1\" ";
    expectCodes<dms::MoveText>({
        {base + "type=\"bouncing\" direction=\"left\"/>", DMS_E_INVALID},
        {base + "type=\"linear\" direction=\"left\"/>", DMS_E_MISSING},
        {base + "type=\"circular\" direction=\"up\"/>", DMS_E_INVALID},
        {base + "type=\"circular\"/>", DMS_E_MISSING},
        {base + "type=\"" + std::string(16, 'c') + "\" direction=\"left\"/>", DMS_E_INVALID},
        {noText + "type=\"circular\" direction=\"left\" text=\"\"/>", DMS_E_MISSING},  // no stepTime
        {"<MoveText width=\"1\" stepPixels=\"256\" stepTime=\"1\"/>", DMS_E_INVALID},
        {noText + "stepTime=\"1\" type=\"circular\" direction=\"left\"/>", DMS_E_MISSING},  // no text
    });
}

TEST_F(ElementXml, GraphicElementsReadTheirChains) {
    dms::PageMessage page;
    const std::string pics = "<Picture number=\"1\"/><Other/><Picture number=\"2\" x=\"5\"/><Picture number=\"3\"/>";
    ASSERT_EQ(Result(readPages(page, "<PageMessage pageOnTime=\"1\" pageOffTime=\"1\">" + kText + pics +
                                  "</PageMessage>")),
              Result(DMS_OK));
    ASSERT_NE(page.PictureAt(2), nullptr);
    EXPECT_EQ(page.PictureAt(1)->x, 5);
    EXPECT_EQ(page.PictureAt(2)->number, 3);
    // Each is named in the order list, so that each is written to MULTI.
    ASSERT_EQ(page.graphicOrder.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(page.graphicOrder[i].element, page.PictureAt(i));

    const std::string rect = "<P><TextRectangle width=\"1\" height=\"1\" ";
    expectCodes<dms::Picture>({{"<P><Picture/></P>", DMS_E_MISSING},
                               {"<P><Picture number=\"256\"/></P>", DMS_E_INVALID},
                               {"<P><Picture number=\"1\" x=\"\"/></P>", DMS_E_INVALID},  // x is 1..65535
                               {"<P><Picture number=\"1\" y=\"65536\"/></P>", DMS_E_INVALID}});
    expectCodes<dms::ColorRectangle>(
        {{"<P><ColorRectangle width=\"1\" height=\"2\"/></P>", DMS_E_MISSING},
         {"<P><ColorRectangle width=\"1\" colorValue=\"1\"/></P>", DMS_E_MISSING},
         {"<P><ColorRectangle x=\"65536\" width=\"1\" height=\"1\" colorValue=\"1\"/></P>", DMS_E_INVALID}});
    expectCodes<dms::WeatherJourneyTime>(
        {{"<P><WeatherJourneyTime width=\"1\" height=\"1\"/></P>", DMS_E_MISSING},
         {"<P><WeatherJourneyTime no=\"-1\" width=\"1\" height=\"1\"/></P>", DMS_E_INVALID}});
    expectCodes<dms::TextRectangle>(
        {{"<P><TextRectangle width=\"10\" height=\"10\"/></P>", DMS_E_MISSING},  // no text
         {"<P><TextRectangle height=\"10\">" + kText + "</TextRectangle></P>", DMS_E_MISSING},
         {rect + "columnGap=\"10\">" + kText + "</TextRectangle></P>", DMS_E_INVALID},
         {rect + "pageAlign=\"sideways\">" + kText + "</TextRectangle></P>", DMS_E_INVALID}});

    dms::ColorRectangle r;
    EXPECT_EQ(Result(readText(r, "<P><ColorRectangle x=\"3\" y=\"4\" width=\"5\" height=\"6\" colorValue=\"65280\"/></P>")),
              Result(DMS_OK));
    EXPECT_EQ(ints(r.x, r.height), ints(3, 6));
    EXPECT_EQ(r.color, dms::Color(-1, 0x00FF00));

    dms::WeatherJourneyTime w;
    EXPECT_EQ(Result(readText(w, "<P><WeatherJourneyTime no=\"2147483647\" x=\"1\" width=\"2\" height=\"3\" fontNum=\"4\"/>"
                          "<WeatherJourneyTime no=\"8\" width=\"2\"/></P>")),
              Result(DMS_E_MISSING));
    ASSERT_NE(w.next, nullptr);
    EXPECT_EQ(ints(w.tdno, w.fontNum, w.next->tdno), ints(2147483647, -1, 8));  // the font group is not read

    dms::TextRectangle good;
    EXPECT_EQ(Result(readText(good, "<P><TextRectangle columnGap=\"2\" pageAlign=\"bottom\" lineAlign=\"right\" x=\"1\" "
                             "width=\"20\" height=\"8\">" + kText + "</TextRectangle></P>")),
              Result(DMS_OK));
    EXPECT_EQ(ints(good.spaceCharacterCount, good.pageAlign, good.lineAlign, good.width), ints(2, 4, 4, 20));
    ASSERT_NE(good.normalTexts, nullptr);
    EXPECT_STREQ(good.normalTexts->Text(), "T");
}

TEST_F(ElementXml, PagesAndSections) {
    dms::PageMessage page;
    const std::string section =
        "<SectionText><NewLine/><MyNormalTextRun text=\"a\"/><Unknown/><HexCharacter x=\"41\"/>"
        "<SpecialObjectNewLine index=\"4\"/></SectionText><SectionText><MoveText width=\"1\" stepPixels=\"1\" "
        "stepTime=\"1\" type=\"circular\" direction=\"left\" text=\"m\"/></SectionText>";
    ASSERT_EQ(Result(readPages(page, "<PageMessage pageOnTime=\"60\" pageOffTime=\"\" columnGap=\"3\" pageBackground=\"255abc\" "
                              "pageAlign=\"top center\" lineAlign=\"x center\" pageNum=\"9\">" + section +
                              "</PageMessage><PageMessage pageOnTime=\"2\" pageOffTime=\"3\">" + kText + "</PageMessage>")),
              Result(DMS_OK));
    // pageNum is the position, not "pageNum"; "top" is looked for first.
    EXPECT_EQ(ints(page.pageNum, page.pageOnTime, page.pageOffTime, page.spaceCharacterCount, page.pageBackground.rgb,
                   page.pageAlign, page.lineAlign),
              ints(0, 60, 0, 3, 255, 2, 3));
    ASSERT_EQ(page.textOrder.size(), 5u);
    const dms::ElementKind kinds[] = {dms::kKindNewLine, dms::kKindNormalText, dms::kKindHexCharacter,
                                      dms::kKindSpecialObject, dms::kKindMoveText};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(page.textOrder[i].kind, kinds[i]) << i;
    EXPECT_EQ(page.newLines->count, 1);
    ASSERT_NE(page.next, nullptr);
    EXPECT_EQ(ints(page.next->pageNum, page.next->pageOffTime, page.next->pageBackground.rgb), ints(1, 3, 0));

    const std::string times = "pageOnTime=\"1\" pageOffTime=\"1\"";
    const std::string text = ">" + kText + "</PageMessage>";
    // The last one: a failing text element stops the page.
    expectCodes<dms::PageMessage>({
        {"<M><PageMessage pageOffTime=\"1\"" + text + "</M>", DMS_E_MISSING},
        {"<M><PageMessage pageOnTime=\"61\" pageOffTime=\"1\"" + text + "</M>", DMS_E_INVALID},
        {"<M><PageMessage " + times + "><SectionText><Unknown/></SectionText></PageMessage></M>", DMS_E_MISSING},
        {"<M><PageMessage " + times + "/></M>", DMS_E_MISSING},
        {"<M><PageMessage " + times + " pageBackground=\"" + std::string(25, '1') + "\"" + text + "</M>", DMS_E_INVALID},
        {"<M><PageMessage " + times + " lineAlign=\"justified\"" + text + "</M>", DMS_E_INVALID},
        {"<M><PageMessage " + times + " columnGap=\"x\"" + text + "</M>", DMS_OK},
        {"<M><PageMessage " + times + "><SectionText><NewLine count=\"0\"/></SectionText></PageMessage></M>", DMS_E_INVALID},
    });

    // 256 pages are read, a 257th is refused.
    std::string pages;
    for (int i = 0; i < 256; ++i) pages += "<PageMessage " + times + text;
    dms::PageMessage many;
    EXPECT_EQ(Result(readPages(many, pages)), Result(DMS_OK));
    EXPECT_EQ(dms::ItemAt(&many, 0, 1)->pageNum, 255);
    dms::PageMessage tooMany;
    EXPECT_EQ(Result(readPages(tooMany, pages + "<PageMessage " + times + text)), Result(DMS_E_INVALID));
}

TEST_F(ElementXml, WritingElements) {
    XMLDocument doc;
    XMLElement* root = doc.NewElement("R");
    doc.InsertEndChild(root);
    dms::PageMessage page(0, 30, 2, 3, 9, -1, 0x102030);
    page.pageOffTime = 5;
    dms::NormalText* t = page.AddNormalText("HI");
    t->fontNum = 2, t->flash.flashOnTime = 4, t->fontColor = dms::Color(3, 0xFF);
    // Font 77 is not on the sign: written as a number. The field's flash and
    // the moving text's step time are not written.
    dms::SpecialObject* f = page.AddSpecialObject();
    f->index = 7, f->fontNum = 77, f->flash.flashOnTime = 9;
    dms::MoveText* m = page.AddMoveText();
    m->Set("RUN", 100, 3, 6, 1, 2);
    m->stepTime = 8, m->flash.flashOffTime = 2;
    page.AddPicture(5, 0, 7);
    page.AddPicture(6, 1, 1);
    dms::ColorRectangle* cr = page.AddColorRectangle();
    cr->x = 1, cr->width = 2, cr->height = 3, cr->color = dms::Color(4, 0xFF0000);
    page.AddTextRectangle()->AddNormalText("IN");
    page.AddWeatherJourneyTime()->fontNum = 9;
    ASSERT_EQ(Result(page.ToXml(&doc, root)), Result(DMS_OK));

    XMLElement* p = root->FirstChildElement("PageMessage");
    ASSERT_NE(p, nullptr);
    // Line justification 9 has no text form and is left out.
    EXPECT_EQ(attrs(p), "pageNum= pageOnTime=30 pageOffTime=5 columnGap=2 pageAlign=center rgb=1056816");
    XMLElement* s = p->FirstChildElement();
    ASSERT_STREQ(s->Name(), "SectionText");
    XMLElement* e = s->FirstChildElement();
    EXPECT_STREQ(e->Name(), "NormalText");
    EXPECT_EQ(attrs(e), "flashOnTime=4 flashOffTime= fontName=Wide index=3 text=HI");
    e = e->NextSiblingElement();
    EXPECT_STREQ(e->Name(), "SpecialObject");
    EXPECT_EQ(attrs(e), "fontNum=77 index=7");
    e = e->NextSiblingElement();
    EXPECT_STREQ(e->Name(), "MoveText");
    EXPECT_EQ(attrs(e), "flashOnTime= flashOffTime=2 width=100 stepPixels=3 type=linear delay=6 direction=right text=RUN");
    // Graphics: pictures, text rectangles, colour rectangles, fields.
    std::string order;
    for (XMLElement* g = s->NextSiblingElement(); g != nullptr; g = g->NextSiblingElement()) order += g->Name() + std::string(" ");
    EXPECT_EQ(order, "Picture Picture TextRectangle ColorRectangle WeatherJourneyTime ");
    EXPECT_EQ(attrs(p->FirstChildElement("Picture")), "number=5 x= y=7");
    EXPECT_EQ(attrs(p->FirstChildElement("ColorRectangle")), "x=1 y= width=2 height=3 index=4");
    EXPECT_STREQ(p->FirstChildElement("WeatherJourneyTime")->Attribute("fontName"), "wide");

    // What the reader makes of the written form: a picture at x 0 is refused,
    // and a moving text lacks its "stepTime".
    dms::Picture back;
    EXPECT_EQ(Result(back.FromXml(p)), Result(DMS_E_INVALID));
    dms::MoveText moving;
    EXPECT_EQ(Result(moving.FromXml(s->FirstChildElement("MoveText"))), Result(DMS_E_MISSING));
    EXPECT_EQ(Result(page.ToXml(&doc, nullptr)), Result(DMS_E_ARGUMENT));
}

TEST_F(ElementXml, ReadWrittenPageBack) {
    const std::string xml =
        "<M><PageMessage pageOnTime=\"20\" pageOffTime=\"4\" columnGap=\"1\" pageAlign=\"bottom\" lineAlign=\"left\">"
        "<SectionText><NormalText text=\"A\" fontName=\"Wide\" flashOnTime=\"5\" flashOffTime=\"5\"/>"
        "<NewLine count=\"2\" lineAlign=\"center\"/><SpecialObject index=\"12\"/><HexCharacter x=\"7E\"/></SectionText>"
        "<Picture number=\"4\" x=\"2\" y=\"3\"/><ColorRectangle x=\"1\" y=\"1\" width=\"4\" height=\"4\" colorValue=\"255\"/>"
        "<WeatherJourneyTime no=\"3\" x=\"1\" y=\"2\" width=\"40\" height=\"9\"/>"
        "</PageMessage></M>";
    dms::PageMessage first;
    ASSERT_EQ(Result(readPages(first, xml.substr(3, xml.size() - 7))), Result(DMS_OK));
    XMLDocument doc;
    XMLElement* root = doc.NewElement("M");
    doc.InsertEndChild(root);
    ASSERT_EQ(Result(first.ToXml(&doc, root)), Result(DMS_OK));
    // The colour goes out as "rgb" and comes back only through "colorValue".
    root->FirstChildElement("PageMessage")->FirstChildElement("ColorRectangle")->SetAttribute("colorValue", "255");
    dms::PageMessage second;
    ASSERT_EQ(Result(second.FromXml(root)), Result(DMS_OK));
    ASSERT_EQ(second.textOrder.size(), 4u);
    ASSERT_EQ(second.graphicOrder.size(), 3u);
    EXPECT_EQ(second.normalTexts->fontNum, 2);
    EXPECT_EQ(dms::describePages(&second), dms::describePages(&first));
}

}  // namespace
