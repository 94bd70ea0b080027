// Text and flashing the parser used to lose or invent: text after a moving
// text, a hex character behind font tags, and flash regions inside a text
// rectangle that follows other graphics. Each case is checked on the parsed
// elements and on what the writer makes of them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/section.h"
#include "multi/describe.h"
#include "multi/parser.h"
#include "support/multi_parse.h"
#include "support/result.h"

using testing_support::Result;

namespace {

using namespace dms;

using testing_support::parse;

// The elements of a message, one line each, without the page line.
std::string elements(const PageMessage* first) {
    const std::string all = describePages(first);
    const size_t eol = all.find('\n');
    return eol == std::string::npos ? all : all.substr(eol + 1);
}

struct Case {
    const char* multi;
    const char* elements;  // as described, page line left out
    const char* written;   // parse, then write
};

void check(const Case& c) {
    SCOPED_TRACE(c.multi);
    auto first = parse(c.multi);
    EXPECT_EQ(elements(first.get()), c.elements);
    const std::string written = first->ToMulti().str();
    EXPECT_EQ(written, c.written);
    // What was written reads back to the same elements.
    EXPECT_EQ(elements(parse(written).get()), c.elements) << written;
}

TEST(MultiLosses, TextAfterAMovingTextIsKept) {
    const Case cases[] = {
        {"[mvcl240,4,1,[fo2]ABC]DEF[nl1]GHI",
         "  move mode 1 delay 0 direction 0 width 240 step 4 time 1 flash 0/0 text \"ABC\" font 2 color -1/-1 "
         "flash 0/0\n"
         "  text \"DEF\" font -1 color -1/-1 flash 0/0\n"
         "  newline 1 jl -1\n"
         "  text \"GHI\" font -1 color -1/-1 flash 0/0\n",
         "[pt60o][pb0,0,0][mvcl240,4,1,[fo2]ABC]DEF[nl1]GHI"},
        {"Z[mvcl100,2,3,[fo1]M]W[nl1]V",
         "  text \"Z\" font -1 color -1/-1 flash 0/0\n"
         "  move mode 1 delay 0 direction 0 width 100 step 2 time 3 flash 0/0 text \"M\" font 1 color -1/-1 "
         "flash 0/0\n"
         "  text \"W\" font -1 color -1/-1 flash 0/0\n"
         "  newline 1 jl -1\n"
         "  text \"V\" font -1 color -1/-1 flash 0/0\n",
         "[pt60o][pb0,0,0]Z[mvcl100,2,3,[fo1]M]W[nl1]V"},
        // A line break inside the moving text does not hide the ones after it.
        {"[mvcl10,1,1,[fo1]A[nl1]B]C[nl2]D",
         "  move mode 1 delay 0 direction 0 width 10 step 1 time 1 flash 0/0 text \"A\" font 1 color -1/-1 "
         "flash 0/0\n"
         "  text \"C\" font -1 color -1/-1 flash 0/0\n"
         "  newline 2 jl -1\n"
         "  text \"D\" font -1 color -1/-1 flash 0/0\n",
         "[pt60o][pb0,0,0][mvcl10,1,1,[fo1]A]C[nl2]D"},
        // Fonts and fields after the moving text keep theirs.
        {"[mvlr20,1,1,[fo1]A][fo3]B[f7]",
         "  move mode 2 delay 0 direction 1 width 20 step 1 time 1 flash 0/0 text \"A\" font 1 color -1/-1 "
         "flash 0/0\n"
         "  text \"B\" font 3 color -1/-1 flash 0/0\n"
         "  field 7 font -1 color -1/-1 flash 0/0\n",
         "[pt60o][pb0,0,0][mvlr20,1,1,[fo1]A][fo3]B[f7]"},
    };
    for (const Case& c : cases) check(c);
}

TEST(MultiLosses, HexCharacterBehindFontTagsKeepsItsCode) {
    const Case cases[] = {
        {"[fo2][hc41]B",
         "  hex \"41\" flash 0/0\n"
         "  text \"B\" font -1 color -1/-1 flash 0/0\n",
         "[pt60o][pb0,0,0][hc41]B"},
        {"A[cf255,0,0][fo1][hc7E][nl1]",
         "  text \"A\" font -1 color -1/-1 flash 0/0\n"
         "  hex \"7E\" flash 0/0\n"
         "  newline 1 jl -1\n",
         "[pt60o][pb0,0,0]A[hc7E][nl1]"},
        {"[cf0,0,255][hc123]",  // three characters, the room there is
         "  hex \"123\" flash 0/0\n",
         "[pt60o][pb0,0,0][hc123]"},
    };
    for (const Case& c : cases) check(c);
}

TEST(MultiLosses, FlashInALaterTextRectangleStaysWhereItIs) {
    const Case cases[] = {
        // A flashing picture, then a rectangle with one flashing word: the
        // "[/fl]" skipped in front of the rectangle must not move the region
        // onto EF.
        {"[flt02o02][g1,1,1][/fl][tr1,1,100,16]AB[flt03o03]CD[/fl]EF",
         "  picture 1 at 1,1 flash 2/2\n"
         "  textrect 1,1,100,16 jp -1 jl -1 sc -1 flash 0/0\n"
         "    text \"AB\" font -1 color -1/-1 flash 0/0\n"
         "    text \"CD\" font -1 color -1/-1 flash 3/3\n"
         "    text \"EF\" font -1 color -1/-1 flash 0/0\n",
         "[pt60o][pb0,0,0][flt02o02][g1,1,1][tr1,1,100,16][/fl]AB[flt03o03]CD[/fl]EF"},
        // Text dropped in front of the rectangle must not move the region
        // off CD.
        {"[g1,1,1]XXXXXXXXXXXX[tr1,1,100,16][flt03o03]CD[/fl]",
         "  picture 1 at 1,1 flash 0/0\n"
         "  textrect 1,1,100,16 jp -1 jl -1 sc -1 flash 0/0\n"
         "    text \"CD\" font -1 color -1/-1 flash 3/3\n",
         "[pt60o][pb0,0,0][g1,1,1][tr1,1,100,16][flt03o03]CD[/fl]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.multi);
        auto first = parse(c.multi);
        EXPECT_EQ(elements(first.get()), c.elements);
        const std::string written = first->ToMulti().str();
        EXPECT_EQ(written, c.written);
        // Read back, the rectangle's texts flash as before.
        auto again = parse(written);
        ASSERT_NE(again->textRectangles, nullptr);
        ASSERT_NE(first->textRectangles, nullptr);
        const NormalText* a = first->textRectangles->normalTexts;
        const NormalText* b = again->textRectangles->normalTexts;
        for (; a != nullptr && b != nullptr; a = a->next, b = b->next) {
            EXPECT_STREQ(b->Text(), a->Text());
            EXPECT_EQ(b->flash.flashOnTime, a->flash.flashOnTime) << a->Text();
        }
        EXPECT_TRUE(a == nullptr && b == nullptr);
    }
}

}  // namespace
