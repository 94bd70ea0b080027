// The element model: chains, order lists, defaults and enumeration texts.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/enums.h"
#include "model/section.h"
#include "support/fields.h"

namespace {

using namespace dms;
using testing_support::ints;

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
    EXPECT_EQ((std::vector<Tracked*>{ItemAt(head, 3, 0), ItemAt(head, 0, 1), ItemAt(head, 3, 1), ItemAt(head, 4, 1),
                                     ItemAt(head, 5, 0), ItemAt(head, -1, 0), ItemAt<Tracked>(nullptr, 0, 1)}),
              (std::vector<Tracked*>{fourth, fourth, head, nullptr, nullptr, nullptr, nullptr}));
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
    EXPECT_EQ(ints(deleted[1], deleted.back()), ints(199999, 1));
}

TEST(Model, OrderLists) {
    PageMessage page;
    MoveText* move = page.AddMoveText();
    NormalText* a = page.AddNormalText("A");
    page.AddNewLine(2);
    NormalText* b = page.AddNormalText("B");
    Picture* pic = page.AddPicture(7, 3, 4);
    TextRectangle* tr = page.AddTextRectangle();
    // Texts in the order added, whatever their class; the chains keep each class.
    ASSERT_EQ(page.textOrder.size(), 4u);
    const ElementKind kinds[] = {kKindMoveText, kKindNormalText, kKindNewLine, kKindNormalText};
    const ITransform* elements[] = {move, a, page.newLines, b};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(page.textOrder[i].kind, kinds[i]) << i;
        EXPECT_EQ(page.textOrder[i].element, elements[i]) << i;
    }
    EXPECT_EQ(page.normalTexts->next, b);
    ASSERT_EQ(page.graphicOrder.size(), 2u);
    EXPECT_EQ(page.graphicOrder[0].element, static_cast<ITransform*>(pic));
    EXPECT_EQ(page.graphicOrder[1].element, static_cast<ITransform*>(tr));
    EXPECT_EQ(page.TextRectangleAt(1), nullptr);
}

TEST(Model, EnumerationTexts) {
    char buf[kEnumTextSize] = "unchanged";
    // Each text is copied before the next call writes the buffer again.
    EXPECT_EQ((std::vector<std::string>{LineAlignToString(buf, 5), LineAlignToString(buf, 3), PageAlignToString(buf, 4),
                                        MemoryTypeToString(5, buf), MemoryTypeToString(8, buf)}),
              (std::vector<std::string>{"unchanged", "center", "bottom", "currentBuffer", "currentBuffer"}));
    EXPECT_EQ(ints(StringToPageAlign("center top"), StringToPageAlign("middle"), StringToLineAlign("aligned right"),
                   StringToLineAlign(nullptr), StringToMemoryType("changeableXYZ"), StringToMemoryType(""),
                   StringToMemoryType("blank")),
              ints(2, -1, 4, -1, 3, -1, 7));
}

}  // namespace
