// The element model: chains, order lists, defaults and enumeration texts.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/enums.h"
#include "model/section.h"

namespace {

using namespace dms;

// Records destruction order through the virtual destructor.
std::vector<int>* gDeleted = nullptr;
struct Tracked : Next<Tracked> {
    int id = 0;
    ~Tracked() override {
        if (gDeleted) gDeleted->push_back(id);
    }
};

TEST(Model, ChainsAppendLookUpAndFreeLastFirstWithoutLimit) {
    Tracked* head = nullptr;
    Tracked* first = AppendNew(&head);
    ASSERT_EQ(first, head);
    for (int i = 1; i < 3; ++i) AppendNew(&head)->id = i;
    Tracked* fourth = AppendNew(&head);
    fourth->id = 3;
    EXPECT_EQ(ItemAt(head, 3, 0), fourth);
    EXPECT_EQ(ItemAt(head, 0, 1), fourth);
    EXPECT_EQ(ItemAt(head, 3, 1), head);
    EXPECT_EQ(ItemAt(head, 4, 1), nullptr);
    EXPECT_EQ(ItemAt(head, 5, 0), nullptr);
    EXPECT_EQ(ItemAt(head, -1, 0), nullptr);
    EXPECT_EQ(ItemAt<Tracked>(nullptr, 0, 1), nullptr);
    for (int i = 4; i < 10; ++i) AppendNew(&head)->id = i;

    std::vector<int> deleted;
    gDeleted = &deleted;
    delete head;
    // The head's own destructor body runs first, then the followers go from
    // the last back.
    EXPECT_EQ(deleted, (std::vector<int>{0, 9, 8, 7, 6, 5, 4, 3, 2, 1}));

    // Far beyond any gathering table: no recursion, nothing left behind.
    deleted.clear();
    head = nullptr;
    Tracked* last = nullptr;
    for (int i = 0; i < 200000; ++i) {
        Tracked* t = new Tracked;
        t->id = i;
        (last ? last->next : head) = t;
        last = t;
    }
    EXPECT_EQ(ItemAt(head, 0, 1), last);
    EXPECT_EQ(ItemAt(head, 199999, 1), head);
    delete head;
    gDeleted = nullptr;
    ASSERT_EQ(deleted.size(), 200000u);
    EXPECT_EQ(deleted[1], 199999);
    EXPECT_EQ(deleted.back(), 1);
}

TEST(Model, DefaultsAndOrderLists) {
    PageMessage page;
    EXPECT_EQ(page.pageOnTime, 60);
    EXPECT_EQ(page.pageOffTime, 0);
    EXPECT_EQ(page.pageNum, -1);
    EXPECT_EQ(page.pageBackground, kColorBlack);
    ColorRectangle* rect = page.AddColorRectangle();
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->color, kColorRed);
    MoveText* move = page.AddMoveText();
    EXPECT_EQ(move->width, 240);
    EXPECT_EQ(move->stepPixels, 4);
    EXPECT_EQ(move->mode, 1);
    EXPECT_EQ(move->textBase.Text(), nullptr);

    NormalText* a = page.AddNormalText("A");
    NewLine* nl = page.AddNewLine(2);
    NormalText* b = page.AddNormalText("B");
    Picture* pic = page.AddPicture(7, 3, 4);
    TextRectangle* tr = page.AddTextRectangle();
    ASSERT_EQ(page.textOrder.size(), 4u);
    EXPECT_EQ(page.textOrder[0].kind, kKindMoveText);
    EXPECT_EQ(page.textOrder[1].element, static_cast<ITransform*>(a));
    EXPECT_EQ(page.textOrder[2].kind, kKindNewLine);
    EXPECT_EQ(static_cast<NormalText*>(page.textOrder[3].element), b);
    EXPECT_EQ(nl->count, 2);
    EXPECT_STREQ(b->Text(), "B");
    EXPECT_EQ(page.normalTexts->next, b);
    ASSERT_EQ(page.graphicOrder.size(), 3u);
    EXPECT_EQ(page.graphicOrder[1].kind, kKindPicture);
    EXPECT_EQ(page.graphicOrder[2].kind, kKindTextRectangle);
    EXPECT_EQ(page.PictureAt(0), pic);
    EXPECT_EQ(pic->number, 7);
    EXPECT_EQ(page.TextRectangleAt(0), tr);
    EXPECT_EQ(page.TextRectangleAt(1), nullptr);

    PageMessage second(2, 30, 1, 4, 3, 5, 0x123456);
    EXPECT_EQ(second.pageNum, 2);
    EXPECT_EQ(second.pageBackground, Color(5, 0x123456));
    EXPECT_EQ(second.pageOffTime, 0);

    a->SetText(nullptr);
    EXPECT_EQ(a->Text(), nullptr);
}

TEST(Model, EnumerationTexts) {
    char buf[kEnumTextSize] = "unchanged";
    EXPECT_STREQ(LineAlignToString(buf, 5), "unchanged");
    EXPECT_STREQ(LineAlignToString(buf, 3), "center");
    EXPECT_STREQ(PageAlignToString(buf, 4), "bottom");
    EXPECT_STREQ(MemoryTypeToString(5, buf), "currentBuffer");
    EXPECT_STREQ(MemoryTypeToString(8, buf), "currentBuffer");
    EXPECT_EQ(StringToPageAlign("center top"), 2);
    EXPECT_EQ(StringToPageAlign("middle"), -1);
    EXPECT_EQ(StringToLineAlign("aligned right"), 4);
    EXPECT_EQ(StringToLineAlign(nullptr), -1);
    EXPECT_EQ(StringToMemoryType("changeableXYZ"), 3);
    EXPECT_EQ(StringToMemoryType(""), -1);
    EXPECT_EQ(StringToMemoryType("blank"), 7);
}

}  // namespace
