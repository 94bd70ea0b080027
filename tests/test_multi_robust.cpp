// Limits of the parser's fixed storage, malformed tags, and the round trip
// of real-looking messages.
#include <gtest/gtest.h>

#include <dirent.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/section.h"
#include "multi/describe.h"
#include "multi/parser.h"
#include "support/multi_parse.h"
#include "support/result.h"

using testing_support::Result;

namespace {

using namespace dms;

using testing_support::parse;

size_t count(const PageMessage& p) { return p.textOrder.size() + p.graphicOrder.size(); }

TEST(MultiRobust, LongPagesManyRegionsAndLongTagsAreCut) {
    // A page keeps its first 1023 characters.
    std::string longPage = "[fo1]" + std::string(2000, 'A') + "[nl1]B";
    auto m = parse(longPage);
    ASSERT_EQ(m->textOrder.size(), 1u);
    EXPECT_EQ(std::strlen(m->normalTexts->Text()), 1023u - 5);

    // Direct calls with longer texts are cut the same way.
    SectionText section;
    std::string longSection = std::string(1500, 'B') + "[nl1]C";
    ParseSection(section, longSection.c_str(), nullptr, 0);
    ASSERT_EQ(section.textOrder.size(), 1u);
    EXPECT_EQ(std::strlen(section.normalTexts->Text()), 1023u);
    PageMessage body;
    std::string longBody = "[g1,1,1]" + std::string(1500, 'B') + "[g2,2,2]";
    EXPECT_EQ(Result(ParsePageBody(body, longBody.c_str())), Result(DMS_OK));
    EXPECT_EQ(body.graphicOrder.size(), 1u);

    // 25 paired regions: the first 20 flash, the rest do not.
    std::string regions;
    for (int i = 0; i < 25; ++i) regions += "[flt05o05]X[/fl][nl1]";
    auto r = parse(regions);
    std::string flashing;
    for (NormalText* t = r->normalTexts; t; t = t->next) flashing += t->flash.flashOnTime == 5 ? '1' : '0';
    EXPECT_EQ(flashing, std::string(20, '1') + std::string(5, '0'));

    // An over-long flash tag is not an opening: the page does not flash.
    auto longFlash = parse("[flt0000000000000000000005o5]A[/fl]");
    EXPECT_EQ(longFlash->normalTexts->flash.flashOnTime, 0);
    // An over-long text-rectangle tag is not consumed as a header; the
    // rectangle is still placed, and its text read.
    auto longRect = parse("[tr0000000000001,1,100,16,00000]AB");
    ASSERT_NE(longRect->textRectangles, nullptr);
    EXPECT_EQ(longRect->textRectangles->width, 100);
    EXPECT_STREQ(longRect->textRectangles->normalTexts->Text(), "AB");
}

TEST(MultiRobust, UnclosedAndNestedTagsEndWithoutLooping) {
    const char* cases[] = {"[", "[[", "]]", "[g1,1,1", "AB[nl5", "[fo2]AB[f3", "[hc41", "[mvcl1,1,1,[fo2]AB",
                           "[tr1,1,1,1][jl3", "[cr1,2,3", "[tdc1,2", "[np", "[np][np][np", "[pt", "[pb1,2",
                           "[flt05o05", "[/fl", "[fo", "\x01\x01\x01\x02", "[[[[[[[[[[[[[[[[[[]", "A[g[g[g[g]]]]B",
                           "[tr[tr[tr]]]", "[mv[mv[mv]]]"};
    for (const char* c : cases) {
        auto m = parse(c);
        std::string written = m->ToMulti().str();
        auto again = parse(written);
        EXPECT_LE(count(*again), count(*m) + 1) << c;
    }
    auto tail = parse("AB[nl5");
    ASSERT_EQ(tail->textOrder.size(), 1u);  // the unclosed tag ends the section
    EXPECT_STREQ(tail->normalTexts->Text(), "AB");
    auto body = parse("[g1,1,1][g2,2,2");
    EXPECT_EQ(body->graphicOrder.size(), 1u);

    std::string deep(5000, '[');
    deep += std::string(5000, ']');
    auto d = parse(deep);  // no recursion: depth is only counted
    EXPECT_TRUE(d->graphicOrder.empty());
}

// Seeds named "lossy-..." lose something on the way: malformed forms, or a
// font tag the writer leaves out because the element before used the same
// font, which the reader then does not carry over.
std::vector<std::pair<std::string, bool>> seedCorpus() {
    std::vector<std::pair<std::string, bool>> seeds;
    const std::string dir = std::string(DMS_SOURCE_DIR) + "/fuzz/corpus/multi";
    DIR* d = opendir(dir.c_str());
    if (d == nullptr) return seeds;
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] == '.') continue;
        std::ifstream in(dir + "/" + e->d_name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        seeds.emplace_back(s.str(), std::strncmp(e->d_name, "lossy-", 6) == 0);
    }
    closedir(d);
    return seeds;
}

TEST(MultiRobust, ParseWriteParseGivesTheSameTreeOnTheSeedCorpus) {
    auto seeds = seedCorpus();
    ASSERT_GE(seeds.size(), 30u);
    int lossy = 0;
    for (const auto& [seed, isLossy] : seeds) {
        auto first = parse(seed);
        std::string written = first->ToMulti().str();
        auto second = parse(written);
        std::string rewritten = second->ToMulti().str();
        if (isLossy) {
            ++lossy;
            EXPECT_NE(describePages(first.get()), describePages(second.get())) << seed;
            EXPECT_EQ(parse(rewritten)->ToMulti().str(), rewritten) << seed;  // settled after two passes
            continue;
        }
        EXPECT_EQ(describePages(first.get()), describePages(second.get())) << seed << "\n -> " << written;
        EXPECT_EQ(rewritten, written) << seed;
    }
    EXPECT_LE(lossy, 6);
}

TEST(MultiRobust, FixedPointMessagesComeBackCharacterForCharacter) {
    const char* fixed[] = {
        "[pt40o][pb0,0,0][cf255,255,0][fo3]I-94[flt05o05][cf255,255,255][fo1]EXIT 12[/fl]",
        "[pt30o][pb0,0,0][fo2]TIME [f1] MIN[tdc3,1,20,96,16]",
        "[pt30o][pb0,0,0][fo1]A [[B]] C[hc41]",
    };
    for (const char* m : fixed) EXPECT_EQ(parse(m)->ToMulti().str(), m);
}

}  // namespace
