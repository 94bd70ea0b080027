// The MULTI writer: tags, suppression of repeated flash, font and colour
// tags, page order and numbering.
#include <gtest/gtest.h>

#include <cstring>

#include "model/message.h"
#include "multi/writer.h"

namespace {

using namespace dms;

std::string pageText(PageMessage& first) { return first.ToMulti().str(); }

TEST(MultiWriter, SharedOperationsAndSingleElements) {
    EXPECT_EQ(ColorToText(Color(3, 0xFF0000)), "3");  // an index wins
    resetWriterState();
    Flash f;
    f.flashOnTime = 12, f.flashOffTime = 3;
    EXPECT_EQ(WriteFlash(f).str(), "[flt12o03]");
    EXPECT_EQ(WriteFlash(f).str(), "");
    f.flashOffTime = 0;
    EXPECT_EQ(WriteFlash(f).str(), "[/fl][flt12o00]");
    EXPECT_EQ(WriteFlash(Flash()).str(), "[/fl]");

    resetWriterState();
    Picture pic;
    EXPECT_EQ(pic.ToMulti().str(), "[g-1,0,0]");
    ColorRectangle cr;
    cr.x = 1, cr.y = 2, cr.width = 3, cr.height = 4;
    EXPECT_EQ(cr.ToMulti().str(), "[cr1,2,3,4,255,0,0]");
    cr.color = kColorUnset;
    EXPECT_EQ(cr.ToMulti().str(), "[cr1,2,3,4,]");
    HexCharacter hc;
    hc.fontNum = 4;  // never written for a hex character
    std::strcpy(hc.x, "41");
    EXPECT_EQ(hc.ToMulti().str(), "[hc41]");
    WeatherJourneyTime w;
    w.tdno = 3, w.x = 4, w.y = 5, w.width = 6, w.height = 7, w.fontNum = 2;
    EXPECT_EQ(w.ToMulti().str(), "[fo2][tdc3,4,5,6,7]");
    NewLine nl;  // no count: a line break without a spacing of its own
    EXPECT_EQ(nl.ToMulti().str(), "[nl]");
    nl.count = 0;
    EXPECT_EQ(nl.ToMulti().str(), "");
    nl.count = 21, nl.lineAlign = 3;
    EXPECT_EQ(nl.ToMulti().str(), "[nl9][nl9][nl3][jl3]");
    nl.count = 9;
    EXPECT_EQ(nl.ToMulti().str(), "[nl9][jl3]");
}

TEST(MultiWriter, MovingTextAndTextRectangle) {
    resetWriterState();
    MoveText mv;
    mv.Set("ABC", 240, 4, 0, 0, 1);
    mv.stepTime = 1, mv.textBase.fontNum = 2;
    EXPECT_EQ(mv.ToMulti().str(), "[mvcl240,4,1,[fo2]ABC]");
    resetWriterState();
    mv.mode = 2, mv.delay = 3, mv.direction = 1;
    EXPECT_EQ(mv.ToMulti().str(), "[mvl3r240,4,1,[fo2]ABC]");
    resetWriterState();
    mv.delay = 0;
    EXPECT_EQ(mv.ToMulti().str(), "[mvlr240,4,1,[fo2]ABC]");
    resetWriterState();
    mv.mode = 1, mv.direction = 0;
    mv.flash.flashOnTime = mv.flash.flashOffTime = 5;
    EXPECT_EQ(mv.ToMulti().str(), "[flt05o05][mvcl240,4,1,[fo2]ABC[/fl]]");
    EXPECT_EQ(lastFlash.flashOnTime, 5);  // restored after the inner text

    resetWriterState();
    TextRectangle tr;
    tr.x = 1, tr.y = 1, tr.width = 100, tr.height = 16, tr.lineAlign = 3, tr.spaceCharacterCount = 2;
    tr.flash.flashOnTime = 5, tr.flash.flashOffTime = 5;
    tr.AddNormalText("AB");
    tr.AddNewLine(1);
    tr.AddNormalText("CD")->fontNum = 1;
    // The rectangle's own flashing opens before its text, whose elements
    // carry their own (none here).
    EXPECT_EQ(tr.ToMulti().str(), "[tr1,1,100,16][jl3][sc2][flt05o05][/fl]AB[nl1][fo1]CD");
}

TEST(MultiWriter, FontColourAndFlashTagsAreWrittenOnlyOnChange) {
    PageMessage page;
    page.pageNum = 0, page.pageOnTime = 30, page.pageAlign = 3;
    page.AddNormalText("HELLO")->fontNum = 2;
    EXPECT_EQ(pageText(page), "[pt30o][pb0,0,0][jp3][fo2]HELLO");

    PageMessage fonts(0, 60, -1, -1, -1, -1, -1);
    fonts.AddNormalText("A")->fontNum = 2;
    fonts.AddNormalText("B")->fontNum = 2;
    fonts.AddNormalText("X");
    fonts.AddNormalText("C")->fontNum = 2;
    fonts.AddNormalText("D")->fontColor = Color(3, -1);
    NormalText* rgb = fonts.AddNormalText("E");
    rgb->fontColor = Color::fromRgb(0xFF8000), rgb->fontNum = 2;
    fonts.AddNormalText("F")->fontColor = Color::fromRgb(0xFF8000);
    EXPECT_EQ(pageText(fonts), "[pt60o][fo2]ABX[fo2]C[cf3]D[cf255,128,0][fo2]EF");

    PageMessage flash(0, 60, -1, -1, -1, -1, -1);
    for (int on : {5, 5, 0}) {
        NormalText* t = flash.AddNormalText("T");
        t->flash.flashOnTime = t->flash.flashOffTime = on;
    }
    SpecialObject* field = flash.AddSpecialObject();
    field->index = 7, field->fontNum = 1, field->flash.flashOnTime = 5;  // (5, 0) is closed at the page end too
    EXPECT_EQ(pageText(flash), "[pt60o][flt05o05]TT[/fl]T[flt05o00][fo1][f7][/fl]");
    field->flash.flashOffTime = 5;
    EXPECT_EQ(pageText(flash), "[pt60o][flt05o05]TT[/fl]T[flt05o05][fo1][f7][/fl]");
}

TEST(MultiWriter, PagesInNumberOrderWithStateResetAndGraphicsOnce) {
    PageMessage* chain = new PageMessage(2, 10, -1, -1, -1, -1, -1);
    PageMessage* p0 = AppendNew(&chain);
    p0->pageNum = 0, p0->pageBackground = kColorUnset, p0->pageOffTime = 5;
    PageMessage* p1 = AppendNew(&chain);
    p1->pageNum = 1, p1->pageBackground = Color(2, -1);
    AppendNew(&chain)->pageNum = 1;   // repeats a number: left out
    AppendNew(&chain)->pageNum = -3;  // negative: left out
    p0->AddNormalText("A")->fontNum = 2;
    p1->AddNormalText("B")->fontNum = 2;  // a new page writes its font again
    p0->AddPicture(9, 1, 2);
    WeatherJourneyTime* a = p0->AddWeatherJourneyTime();
    a->tdno = 1;
    p0->AddWeatherJourneyTime()->tdno = 2;
    p0->graphicOrder.push_back({kKindWeatherJourneyTime, a});  // named twice: written once
    p0->weatherJourneyTimes->next->next = new WeatherJourneyTime();  // not named: not written
    EXPECT_EQ(pageText(*chain),
              "[pt60o5][fo2]A[g9,1,2][tdc1,0,0,0,0][tdc2,0,0,0,0]"
              "[np][pt60o][pb2][fo2]B"
              "[np][pt10o]");  // built with the unset colour: no background tag
    delete chain;

    PageMessage fromOne;  // the first page numbered 1
    fromOne.pageNum = 1;
    fromOne.AddNewLine(2);
    EXPECT_EQ(pageText(fromOne), "[np][pt60o][pb0,0,0][nl2]");
}

TEST(MultiWriter, HugeLineBreakCountsStayBounded) {
    resetWriterState();
    NewLine nl;
    nl.count = 2147483647;
    std::string out = nl.ToMulti().str();
    EXPECT_EQ(out.size(), 1024u * 5);
    EXPECT_EQ(out.substr(0, 10), "[nl9][nl9]");
}

}  // namespace
