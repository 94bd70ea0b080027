// The parser's bracket index answers every tag search exactly as FindTag
// does, from every starting point, on texts built to hit its edges.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "multi/brackets.h"
#include "multi/scan.h"

namespace {

using namespace dms;

struct Kind {
    multi::TagBit bit;
    const char* name;
    bool loose;
};
const Kind kKinds[] = {{multi::kNlTag, "nl", false},        {multi::kFieldTag, "f", false},
                       {multi::kHexTag, "hc", true},        {multi::kMoveTag, "mv", true},
                       {multi::kPictureTag, "g", false},    {multi::kColorRectTag, "cr", false},
                       {multi::kTextRectTag, "tr", false},  {multi::kDataFieldTag, "tdc", false},
                       {multi::kFlashTag, "fl", true},      {multi::kFlashEndTag, "/fl", false}};

// Every search from every point of text, against FindTag; the count of
// disagreements (each one reported).
int disagreements(const std::string& text) {
    const multi::Brackets index(text.c_str(), text.size());
    int wrong = 0;
    for (const Kind& k : kKinds) {
        // Up and down: the index remembers where the last search began.
        for (int pass = 0; pass < 2; ++pass) {
            for (size_t i = 0; i <= text.size(); ++i) {
                const size_t from = pass == 0 ? i : text.size() - i;
                const int32_t at = FindTag(text.c_str() + from, text.size() - from, k.name, k.loose);
                const long expected = at == kScanUnset ? -1 : static_cast<long>(from) + at;
                const long got = index.find(from, k.bit);
                if (got != expected) {
                    ADD_FAILURE() << '"' << text << "\" " << k.name << " from " << from << ": " << got << " != " << expected;
                    ++wrong;
                }
            }
        }
    }
    return wrong;
}

TEST(MultiBrackets, SearchesAgreeWithFindTagAtTheEdges) {
    // Names running into the end (strict ones match there), escaped brackets
    // at and after two characters past the start, names cut one letter
    // short, followers that are and are not digits or "]", the longest
    // names exactly four characters before the end.
    const char* texts[] = {"",        "[",           "[[",          "[nl",       "[nl]",     "x[nl5",   "[[nl]",
                           "a[[nl]",  "ab[[nl]",     "[n",          "[nlx]",     "[f",       "[f1",     "[fo2]",
                           "[fl",     "[flt1o2]",    "[/f",         "[/fl",      "[/fl]",    "[/flx",   "[hc",
                           "[h",      "[mv",         "[m",          "[g",        "[gx",      "[g1,2,3]", "[c",
                           "[cr",     "[cr1",        "[crx",        "[t",        "[tr",      "[td",     "[tdc",
                           "[tdc]",   "[tdcx",       "A[tdc]",      "AB[/fl]",   "ABC[/fl]", "[[[[",    "[[[nl]",
                           "[tr1,2,3,4][jp3][nl][f1][hc41][mvcr1,2,3,[fl]AB[/fl]][g1][cr1,2,3,4,5,6,7][tdc1,2,3,4,5]"};
    for (const char* text : texts) EXPECT_EQ(disagreements(text), 0) << text;
}

TEST(MultiBrackets, SearchesAgreeWithFindTagOnRandomTexts) {
    // Short texts from the letters of the names, brackets and digits, so
    // that every kind of near miss turns up many times.
    const char alphabet[] = "[[[]]nlfhcmvgrtd/0x ";
    std::mt19937 random(7);
    int wrong = 0;
    for (int n = 0; n < 3000 && wrong == 0; ++n) {
        std::string text(random() % 24, ' ');
        for (char& c : text) c = alphabet[random() % (sizeof alphabet - 1)];
        wrong += disagreements(text);
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
