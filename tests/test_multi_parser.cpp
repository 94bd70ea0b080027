// The message parser: pages, header tags, flash regions, sections and what
// it drops.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/section.h"
#include "multi/describe.h"
#include "multi/parser.h"
#include "support/fields.h"
#include "support/result.h"

using testing_support::Result;
using testing_support::ints;

namespace {

using namespace dms;

struct Parsed {
    std::unique_ptr<PageMessage> first = std::make_unique<PageMessage>();
    explicit Parsed(const char* multi) { EXPECT_EQ(Result(first->FromMulti(multi)), Result(DMS_OK)); }
    PageMessage& page(int i) { return *ItemAt(first.get(), i, 0); }
    int pages() {
        int n = 0;
        for (PageMessage* p = first.get(); p; p = p->next) ++n;
        return n;
    }
    std::string describe() { return describePages(first.get()); }
};

template <typename T>
T* textAt(SectionText& s, size_t i) {
    return i < s.textOrder.size() ? static_cast<T*>(s.textOrder[i].element) : nullptr;
}

TEST(MultiParser, PagesAndHeaderTags) {
    Parsed m("[pt30o][pb0,0,0][jp3][fo2]HELLO[np][pt20o5][g1,1,1]");
    ASSERT_EQ(m.pages(), 2);
    PageMessage &p0 = m.page(0), &p1 = m.page(1);
    ASSERT_EQ(ints(p0.textOrder.size(), p1.graphicOrder.size()), ints(1, 1));
    EXPECT_EQ(p0.pageBackground, kColorBlack);
    EXPECT_STREQ(p0.normalTexts->Text(), "HELLO");
    EXPECT_EQ(ints(p0.pageNum, p0.pageOnTime, p0.pageOffTime, p0.pageAlign, p0.normalTexts->fontNum, p1.pageNum,
                   p1.pageOnTime, p1.pageOffTime, p1.pictures->number, p1.pictures->x),
              ints(0, 30, 0, 3, 2, 1, 20, 5, 1, 1));

    Parsed pb("[pb3][jl4]X");  // consumed, background unchanged
    EXPECT_EQ(pb.page(0).pageBackground, kColorBlack);
    EXPECT_EQ(ints(pb.page(0).lineAlign, pb.page(0).textOrder.size()), ints(4, 1));

    Parsed pto("[pto]AB");  // fails the strict name rule: a leading tag of the text
    EXPECT_EQ(pto.page(0).pageOnTime, 60);
    EXPECT_STREQ(pto.page(0).normalTexts->Text(), "AB");
    // "[po5t3]": off time first, not read; "[jp3][pt20o]": header tags count
    // only in their order.
    Parsed pt3("[pt3o]"), po("[po5t3]"), order("[jp3][pt20o]X");
    EXPECT_EQ(ints(pt3.page(0).pageOnTime, pt3.page(0).pageOffTime, po.page(0).pageOnTime, order.page(0).pageAlign,
                   order.page(0).pageOnTime),
              ints(3, 0, 60, 3, 60));

    Parsed three("A[np]B[np]");
    ASSERT_EQ(three.pages(), 3);
    EXPECT_EQ(three.page(2).pageNum, 2);
    EXPECT_TRUE(three.page(2).textOrder.empty());
    Parsed cut("A[np");
    EXPECT_EQ(cut.pages(), 2);
}

TEST(MultiParser, TextElementsTakeOnlyTheTagsInFrontOfThem) {
    Parsed m("[fo2]AB[nl5]CD");
    PageMessage& p = m.page(0);
    ASSERT_EQ(p.textOrder.size(), 3u);
    EXPECT_EQ(ints(textAt<NormalText>(p, 0)->fontNum, textAt<NewLine>(p, 1)->count, textAt<NormalText>(p, 2)->fontNum),
              ints(2, 5, -1));
    EXPECT_STREQ(textAt<NormalText>(p, 2)->Text(), "CD");

    Parsed nl("[nl9][nl9][nl3][jl3]");
    ASSERT_EQ(nl.page(0).textOrder.size(), 3u);
    NewLine *n0 = textAt<NewLine>(nl.page(0), 0), *n1 = textAt<NewLine>(nl.page(0), 1), *n2 = textAt<NewLine>(nl.page(0), 2);
    EXPECT_EQ(ints(n0->lineAlign, n1->lineAlign, n2->count, n2->lineAlign), ints(-1, -1, 3, 3));

    Parsed mixed("X[cf255,0,0][fo3][f12]Y[hc41]Z[nl12][jl3]END[fo4]");
    EXPECT_EQ(mixed.describe(),
              "page 0 on 60 off 0 background -1/0 jp -1 jl -1 sc -1\n"
              "  text \"X\" font -1 color -1/-1 flash 0/0\n"
              "  field 12 font 3 color -1/16711680 flash 0/0\n"
              "  text \"Y\" font -1 color -1/-1 flash 0/0\n"
              "  hex \"41\" flash 0/0\n"
              "  text \"Z\" font -1 color -1/-1 flash 0/0\n"
              "  newline 12 jl -1\n"  // a two-digit tag takes no "[jl"
              "  text \"END\" font -1 color -1/-1 flash 0/0\n");  // the stray "[jl3]" leads it; "[fo4]" is dropped

    Parsed plainMove("[mvcr10,1,1,AB][nl1]V");  // nothing inside ends a tag run: V is read
    EXPECT_STREQ(plainMove.page(0).normalTexts->Text(), "V");

    Parsed esc("[fo2]A [[B]] C");
    EXPECT_STREQ(esc.page(0).normalTexts->Text(), "A [[B]] C");
    Parsed noFont("A [[B]] C");
    EXPECT_STREQ(noFont.page(0).normalTexts->Text(), "A ");
    const char* original = "[fo2]A [[B]]";
    std::string copy = original;
    Parsed keeps(copy.c_str());
    EXPECT_EQ(copy, original);  // the caller's text stays as it was
}

TEST(MultiParser, FlashRegionsByPosition) {
    Parsed m("AB[flt05o05]CD[/fl]");
    PageMessage& p = m.page(0);
    ASSERT_EQ(p.textOrder.size(), 2u);
    const Flash& cd = textAt<NormalText>(p, 1)->flash;
    EXPECT_STREQ(textAt<NormalText>(p, 1)->Text(), "CD");
    EXPECT_EQ(ints(textAt<NormalText>(p, 0)->flash.flashOnTime, cd.flashOnTime, cd.flashOffTime, cd.flashBegin, cd.flashEnd),
              ints(0, 5, 5, 2, 14));

    Parsed unpaired("[flt05o05]A[flt03o03]B[/fl]");
    for (NormalText* t = unpaired.page(0).normalTexts; t; t = t->next) EXPECT_EQ(t->flash.flashOnTime, 0);

    Parsed flo("[flo4t2]A[/fl][fl]B[/fl][f1]");
    const PageMessage& fp = flo.page(0);  // fields never flash
    EXPECT_EQ(ints(fp.normalTexts->flash.flashOnTime, fp.normalTexts->flash.flashOffTime,
                   fp.normalTexts->next->flash.flashOnTime, fp.specialObjects->flash.flashOnTime),
              ints(2, 4, 0, 0));

    Flash regions[kMaxFlashRegions];
    int count = -1;
    ReadFlashRegions("[flt1o1]a[flt2o2]b[/fl]c[/fl]", regions, &count);  // nested
    ASSERT_EQ(count, 2);  // times stay with their record
    EXPECT_EQ(ints(regions[0].flashBegin, regions[0].flashEnd, regions[0].flashOnTime, regions[1].flashBegin,
                   regions[1].flashEnd),
              ints(0, 24, 2, 9, 18));

    Parsed picture("[flt02o02][g1,1,1][/fl][cr1,1,2,2,0,0,255]");
    EXPECT_EQ(ints(picture.page(0).pictures->flash.flashOnTime, picture.page(0).colorRectangles->flash.flashOnTime),
              ints(2, 0));
}

TEST(MultiParser, GraphicsTextRectanglesAndDroppedText) {
    Parsed m("[tr1,1,100,16][jl3]AB[g5,1,20]");
    PageMessage& p = m.page(0);
    ASSERT_EQ(p.graphicOrder.size(), 2u);
    TextRectangle* tr = p.textRectangles;
    EXPECT_EQ(ints(tr->width, tr->lineAlign, tr->pageAlign, p.graphicOrder[1].kind, p.pictures->number, p.pictures->y),
              ints(100, 3, -1, kKindPicture, 5, 20));
    EXPECT_STREQ(tr->normalTexts->Text(), "AB");

    Parsed dropped("[g1,1,1]XY");
    EXPECT_EQ(dropped.page(0).graphicOrder.size(), 1u);
    EXPECT_TRUE(dropped.page(0).textOrder.empty());

    Parsed front("AB[cr1,2,3,4,9,9,9]CD[tdc3,1,2,3,4][tr5,5,5,5][jp][sc2]EF[tr6,6,6,6]");
    EXPECT_EQ(front.describe(),
              "page 0 on 60 off 0 background -1/0 jp -1 jl -1 sc -1\n"
              "  text \"AB\" font -1 color -1/-1 flash 0/0\n"
              "  colorrect 1,2,3,4 color -1/592137 flash 0/0\n"
              "  datafield 3 1,2,3,4 font -1 color -1/-1\n"
              "  textrect 5,5,5,5 jp 0 jl -1 sc 2 flash 0/0\n"  // the header tags share one number
              "    text \"EF\" font -1 color -1/-1 flash 0/0\n"
              "  textrect 6,6,6,6 jp -1 jl -1 sc -1 flash 0/0\n");
}

}  // namespace
