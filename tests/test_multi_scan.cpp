// Tag scanning and the element readers.
#include <gtest/gtest.h>

#include <cstring>

#include "model/section.h"
#include "multi/readers.h"
#include "multi/scan.h"
#include "support/fields.h"
#include "support/result.h"

using testing_support::Result;
using testing_support::ints;

namespace {

using namespace dms;

TEST(MultiScan, StrictAndLooseNamesEscapesAndBracketGroups) {
    // In "AB[f" the name runs to the end.
    EXPECT_EQ(ints(FindTag("AB[f2]", "f", false), FindTag("[fo3]", "f", false), FindTag("[flt5o5]", "f", false),
                   FindTag("[[f2]", "f", false), FindTag("AB[[f2]", "f", false), FindTag("AB[f", "f", false),
                   FindTag("[fl]", "fl", true), FindTag("x[/fl]", "/fl", false), FindTag("[/flx]", "/fl", false),
                   FindTag("[hcx", "hc", true)),
              ints(2, kScanUnset, kScanUnset, 1, kScanUnset, 2, 0, 1, kScanUnset, 0));

    char buf[64];
    std::memset(buf, 'z', sizeof buf);
    ASSERT_NE(CopyTag(buf, sizeof buf, "[tr1,1,10,10][jp3]", 0), nullptr);
    EXPECT_STREQ(buf, "[tr1,1,10,10]");
    for (int32_t at : {0, kScanUnset})
        for (const char* text : {"[tr1,1,10", "AB"}) EXPECT_EQ(CopyTag(buf, sizeof buf, text, at), nullptr) << text;
    ASSERT_NE(CopyTag(buf, sizeof buf, "x[mvcl10,1,1,[fo2]AB]C", 1), nullptr);
    EXPECT_STREQ(buf, "[mvcl10,1,1,[fo2]AB]");
    // An 8-character tag fits a buffer of 9 exactly; a buffer of 8 refuses it.
    struct Fit { size_t size; bool copied; } fits[] = {{6, false}, {8, false}, {9, true}};
    for (const Fit& f : fits) {
        std::memset(buf, 'z', sizeof buf);
        EXPECT_EQ(CopyTag(buf, f.size, "[abcdef]", 0) != nullptr, f.copied) << f.size;
        if (f.copied) { EXPECT_STREQ(buf, "[abcdef]"); }
    }

    EXPECT_EQ(ints(ClosingBracketIndex("[a[b]c]d"), ClosingBracketIndex("[a[b]c"), ClosingBracketIndex("ab]")), ints(6, 0, 0));
    const char* t = "[fo2]x[f3";
    EXPECT_EQ(FindClosedTag(t, "f"), nullptr);
    const char* u = "A[f3]";
    EXPECT_EQ(FindClosedTag(u, "f"), u + 1);

    EXPECT_EQ(ints(tagAt("[nl]", "nl", false), tagAt("[nlx]", "nl", false), tagAt("[nlx]", "nl", true),
                   tagAt("[nl", "nl", false), tagAt("x[nl]", "nl", false)),
              ints(1, 0, 1, 1, 0));
    EXPECT_EQ(ints(LeadingTagsEnd("[cf255,0,0][fo2]AB"), LeadingTagsEnd("[fo3]"), LeadingTagsEnd("ABC"), LeadingTagsEnd("")),
              ints(16, kScanUnset, 0, kScanUnset));
}

TEST(MultiScan, NumbersReadLikeFormattedScanning) {
    int32_t a = kScanUnset, b = kScanUnset;
    EXPECT_TRUE(Scan("[x  -12,  7]").lit("[x").num(a).lit(", ").num(b).ok());
    EXPECT_EQ(ints(a, b), ints(-12, 7));
    a = b = kScanUnset;
    EXPECT_FALSE(Scan("[x5 ,6").lit("[x").num(a).lit(",").num(b).ok());
    EXPECT_EQ(ints(a, b), ints(5, kScanUnset));
    Scan("99999999999999").num(a);
    EXPECT_EQ(a, kScanUnset);  // saturates, and so counts as not read
    Scan("-99999999999999").num(a);
    EXPECT_EQ(a, INT32_MIN);
    EXPECT_FALSE(Scan("-x").num(b).ok());
}

TEST(MultiScan, ElementReadersAcceptTheirFormsAndLeaveTheRest) {
    Picture p;
    p.FromMulti("[g3]");
    EXPECT_EQ(p.number, 3);
    p.FromMulti("[g3,4,4]");
    EXPECT_EQ(ints(p.x, p.y), ints(4, 4));
    p.FromMulti("[g7,4]");
    EXPECT_EQ(p.number, 3);
    p.FromMulti("[g8,5,6,C]");
    EXPECT_EQ(ints(p.number, p.y), ints(8, 6));
    p.FromMulti("[g]");
    EXPECT_EQ(ints(p.number, p.x), ints(kScanUnset, 0));

    ColorRectangle cr;
    cr.FromMulti("[cr4,4,4,4,3]");
    EXPECT_EQ(cr.color, kColorRed);
    EXPECT_EQ(cr.width, 0);
    cr.FromMulti("[cr1,2,3,4,0,1,300]");  // components spill, unmasked
    EXPECT_EQ(cr.color, Color::fromRgb(0x100 + 300));
    EXPECT_EQ(cr.height, 4);

    Font f;
    ReadFont(f, "[cf255, 128, 0]");
    EXPECT_EQ(f.fontColor, Color::fromRgb(0xFF8000));
    Font g;
    ReadFont(g, "[cf255,128,0][cf3]");
    EXPECT_EQ(g.fontColor, Color::fromRgb(0xFF8000));
    Font h;
    ReadFont(h, "[cf3]");
    EXPECT_EQ(h.fontColor, kColorUnset);
    ReadFont(h, "[fo]AB");
    EXPECT_EQ(h.fontNum, kScanUnset);
    ReadFont(h, "[fo3,C]");
    EXPECT_EQ(h.fontNum, 3);
    ReadFont(h, "[fo,x]");
    EXPECT_EQ(h.fontNum, 3);

    SpecialObject so;
    so.FromMulti("[f2,2]");
    EXPECT_EQ(so.index, 2);
    so.FromMulti("[cf1,2,3][fo4][f9]");
    EXPECT_EQ(ints(so.index, so.fontNum), ints(9, 4));
    EXPECT_EQ(so.fontColor, Color::fromRgb(0x010203));
    so.FromMulti("[fo5][f8");  // the field does not close: nothing read
    EXPECT_EQ(so.fontNum, 4);

    HexCharacter hc;
    hc.FromMulti("[hc41]");
    EXPECT_STREQ(hc.x, "41");
    hc.FromMulti("[hc12345]");
    EXPECT_STREQ(hc.x, "123");  // cut to the room there is
    hc.FromMulti("[fo1][hc41]");
    EXPECT_STREQ(hc.x, "");

    NewLine nl;
    EXPECT_EQ(Result(nl.FromMulti("")), Result(DMS_E_ARGUMENT));
    nl.FromMulti("[nl]");
    EXPECT_EQ(nl.count, -1);
    nl.FromMulti("[nl5][jl3]");
    EXPECT_EQ(ints(nl.count, nl.lineAlign), ints(5, 3));

    WeatherJourneyTime w;
    w.FromMulti("[tdc3,4,4,4,4]");
    EXPECT_EQ(ints(w.tdno, w.height), ints(3, 4));
    w.FromMulti("[tdc5,1]");
    EXPECT_EQ(ints(w.tdno, w.x), ints(5, 4));

    TextBase tb;
    EXPECT_EQ(Result(ReadTextRun(tb, "[cf255,0,0][fo2]AB[nl5]")), Result(DMS_E_ARGUMENT));
    EXPECT_STREQ(tb.Text(), "AB");
    EXPECT_EQ(tb.fontNum, 2);
    EXPECT_EQ(tb.fontColor, Color::fromRgb(0xFF0000));
    ReadTextRun(tb, "CD");
    EXPECT_STREQ(tb.Text(), "CD");
    EXPECT_EQ(tb.fontNum, 2);
    ReadTextRun(tb, "[fo1]A\x01\x01" "B\x01\x02");
    EXPECT_STREQ(tb.Text(), "A[[B]]");
    ReadTextRun(tb, "AB]CD[x");  // the run starts after a lone "]"
    EXPECT_STREQ(tb.Text(), "CD");
}

TEST(MultiScan, MovingTextForms) {
    MoveText m;
    m.FromMulti("[mvcl240,4,1,[fo2]ABC]");
    EXPECT_EQ(ints(m.mode, m.direction, m.width, m.stepTime, m.textBase.fontNum), ints(1, 0, 240, 1, 2));
    EXPECT_STREQ(m.textBase.Text(), "ABC");

    MoveText l;
    l.FromMulti("[mvl3r100,2,5,[fo1]X]");
    EXPECT_EQ(ints(l.mode, l.delay, l.direction, l.width), ints(2, 3, 1, 100));
    EXPECT_STREQ(l.textBase.Text(), "X");
    MoveText ll, lr;
    ll.FromMulti("[mvll4,4,4,[fo1]A]");
    lr.FromMulti("[mvlr4,4,4,[fo1]A]");
    EXPECT_EQ(ints(ll.mode, ll.delay, ll.direction, lr.direction, lr.stepPixels), ints(2, 0, 0, 1, 4));

    MoveText flash;
    flash.FromMulti("[mvcr10,1,1,[flt05o03][fo2]AB[/fl]]");
    EXPECT_EQ(ints(flash.flash.flashOnTime, flash.flash.flashOffTime), ints(5, 3));
    EXPECT_STREQ(flash.textBase.Text(), "AB");

    MoveText none;
    none.FromMulti("[mvcl10,1,1,AB]");
    EXPECT_EQ(none.textBase.Text(), nullptr);
    EXPECT_EQ(none.width, 10);
    MoveText odd;
    odd.FromMulti("[mvl12");  // no direction letter: nothing more is read
    EXPECT_EQ(ints(odd.delay, odd.width), ints(12, 240));
    odd.FromMulti("[mvx");
    EXPECT_EQ(odd.mode, 2);
}

}  // namespace
