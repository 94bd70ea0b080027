// The faithful reading of MULTI: what it makes of each kind of tag, and, on
// the message corpus, that reading, writing and reading again keeps every
// character and tag while the documented reading stays exactly as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/section.h"
#include "multi/describe.h"
#include "multi/faithful.h"
#include "multi/shown.h"
#include "support/multi_parse.h"

namespace {

using namespace dms;

std::unique_ptr<PageMessage> faithful(const std::string& multi) {
    auto first = std::make_unique<PageMessage>();
    EXPECT_EQ(multi::readFaithful(*first, multi.data(), multi.size()), multi::FaithfulResult::Done) << multi;
    return first;
}

std::string shown(const std::string& multi) {
    std::string out;
    EXPECT_TRUE(multi::describeShown(multi.data(), multi.size(), out)) << multi << ": " << out;
    return out;
}

struct Case {
    const char* multi;
    const char* written;  // faithful read, then written
};

// Each case is also read back: the written text shows what the original
// shows and reads to the same elements.
void check(const Case& c) {
    SCOPED_TRACE(c.multi);
    auto first = faithful(c.multi);
    const std::string written = first->ToMulti().str();
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(shown(written), shown(c.multi));
    EXPECT_EQ(describePages(faithful(written).get()), describePages(first.get()));
}

TEST(MultiFaithful, WhatTheDocumentedReadingDropsIsKept) {
    const Case cases[] = {
        // Text after a graphic, on the page and after a text rectangle's own graphic.
        {"[g1,1,1]XY", "[pt60o]XY[g1,1,1]"},
        {"[g3]A[cr1,1,10,10,2]B", "[pt60o]AB[g3,1,1][cr1,1,10,10,2]"},
        // Colours in index form; page background in both forms.
        {"[cf3]A[pb2]", "[pt60o][pb2][cf3]A"},
        {"[pb10,20,30][cr2,3,4,5,255,0,0]", "[pt60o][pb10,20,30][cr2,3,4,5,255,0,0]"},
        // Page times after other tags, off time first, and carried to later pages.
        {"[jp3][pt30o5]A[np]B", "[pt30o5][jp3]A[np][pt30o5][jp3]B"},
        // Font and colour carried to later elements and pages.
        {"[fo2][cf1]A[nl]B[np]C", "[pt60o][cf1][fo2]A[nl]B[np][pt60o][cf1][fo2]C"},
        // A moving text without inner tags, in the current font.
        {"[fo2][mvcl100,2,3,GO]X", "[pt60o][fo2][mvcl100,2,3,GO][fo2]X"},
        {"[mvl5r20,1,2,A[[B]]C]", "[pt60o][mvl5r20,1,2,A[[B]]C]"},
        // A hex character in the font before it.
        {"[fo3][hc41]", "[pt60o][fo3][hc41]"},
        // Line breaks without spacing, and justification after them.
        {"A[nl][jl4]B[nl5]C", "[pt60o]A[nl][jl4]B[nl5]C"},
    };
    for (const Case& c : cases) check(c);
}

TEST(MultiFaithful, TagsNoFieldHoldsStayAsText) {
    const Case cases[] = {
        {"A[sc2]B[/sc]C", "[pt60o]A[sc2]B[/sc]C"},
        // Going back to the default font or colour: the tag stays, so the
        // writer does not leave the text in the font before it.
        {"[fo2]A[fo]B", "[pt60o][fo2]A[fo]B"},
        {"[cf1]A[cf]B", "[pt60o][cf1]A[cf]B"},
        // A justification inside a line, codes the model has no name for.
        {"A[jl2]B", "[pt60o]A[jl2]B"},
        {"[jl5]A[jp1]", "[pt60o][jl5]A[jp1]"},
        // Version IDs, field widths, [nl0], long hex codes, manufacturer tags.
        {"[fo1,1a2b]A[g2,1,1,00ff]", "[pt60o][fo1][fo1,1a2b]A[g2,1,1,00ff]"},
        {"[fo2][fo][fo2]B", "[pt60o][fo][fo2]B"},
        {"[f3,2][nl0][hc1234][ms9,x][/ms9][cb1]", "[pt60o][f3,2][nl0][hc1234][ms9,x][/ms9][cb1]"},
        // A second page time or background on a page.
        {"[pt20o][pt30o]A[pb1][pb2]", "[pt20o][pb1][pt30o]A[pb2]"},
        // A default form first: the later value stays after it.
        {"[pt][pt45o6]A[pb][pb3]", "[pt60o][pt][pt45o6]A[pb][pb3]"},
        // The sign's default on time carried to a later page.
        {"[pto5]A[np]B[np][pt3o]C", "[pt60o][pto5]A[np][pt60o5][pto5]B[np][pt3o]C"},
    };
    for (const Case& c : cases) check(c);
}

TEST(MultiFaithful, FlashingInTheModelOrAsText) {
    const Case cases[] = {
        {"A[flt5o3]B[g1][/fl]C", "[pt60o]A[flt05o03]B[/fl]C[flt05o03][g1,1,1][/fl]"},
        {"[flt5o3][tr1,1,20,10]A", "[pt60o][tr1,1,20,10][flt05o03]A[/fl]"},
        // Default times, nesting and a moving text inside a region: every
        // flash tag of the page stays as text, with what it holds.
        {"[fl]A[g1][/fl]B[np][flt1o1]C[/fl]", "[pt60o][fl]A[g1][/fl]B[np][pt60o][flt01o01]C[/fl]"},
        {"[flt5o5]A[flt2o2]B[/fl][/fl]", "[pt60o][flt5o5]A[flt2o2]B[/fl][/fl]"},
        {"[flt5o5][mvcl9,1,1,M][/fl]", "[pt60o][flt5o5][mvcl9,1,1,M][/fl]"},
        // Travel-time fields stay as text, in their place among the text.
        {"[tdc2,1,1,20,8][flt1o1]A[/fl]", "[pt60o][tdc2,1,1,20,8][flt01o01]A[/fl]"},
        {"[fo3]A[tdc2,1,1,20,8][fo]B", "[pt60o][fo3]A[tdc2,1,1,20,8][fo]B"},
    };
    for (const Case& c : cases) check(c);
}

TEST(MultiFaithful, AnUntokenizableTextAddsNothing) {
    for (const char* multi : {"A[zz]", "[fo2", "A]B", "[g0]"}) {
        SCOPED_TRACE(multi);
        PageMessage first;
        EXPECT_EQ(multi::readFaithful(first, multi, std::strlen(multi)), multi::FaithfulResult::NotTokenized);
        EXPECT_TRUE(first.textOrder.empty());
        EXPECT_EQ(first.next, nullptr);
    }
}

// --- the corpus ------------------------------------------------------------

std::vector<std::string> corpus() {
    std::ifstream in(std::string(DMS_SOURCE_DIR) + "/tests/data/multi-corpus.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

uint64_t fnv1a(uint64_t h, const std::string& s) {
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    return h;
}

struct Losses {
    int text = 0;    // messages whose visible characters changed
    int shown = 0;   // messages a sign would show differently
    int reread = 0;  // messages that read back to other elements
};

TEST(MultiCorpus, FaithfulReadingLosesNothing) {
    const std::vector<std::string> messages = corpus();
    ASSERT_EQ(messages.size(), 1000u);
    Losses loss;
    int read = 0;
    for (const std::string& m : messages) {
        PageMessage first;
        if (multi::readFaithful(first, m.data(), m.size()) != multi::FaithfulResult::Done) continue;
        ++read;
        const std::string written = first.ToMulti().str();
        const bool text = multi::visibleText(m.data(), m.size()) != multi::visibleText(written.data(), written.size());
        const bool differs = shown(m) != shown(written);
        const bool reread = describePages(faithful(written).get()) != describePages(&first);
        loss.text += text;
        loss.shown += differs;
        loss.reread += reread;
        EXPECT_FALSE(text || differs || reread) << m << "\n -> " << written;
    }
    EXPECT_EQ(read, 1000);
    std::printf("faithful reading: %d of %d messages lose text, %d show differently, %d read back otherwise\n",
                loss.text, read, loss.shown, loss.reread);
}

// The documented reading and the writer give exactly what they always gave.
TEST(MultiCorpus, DocumentedReadingIsUnchanged) {
    uint64_t digest = 14695981039346656037ull;
    Losses loss;
    for (const std::string& m : corpus()) {
        auto first = testing_support::parse(m);
        const std::string written = first->ToMulti().str();
        digest = fnv1a(fnv1a(digest, describePages(first.get(), true)), written + "\n");  // with flash positions
        loss.text += multi::visibleText(m.data(), m.size()) != multi::visibleText(written.data(), written.size());
        std::string a, b;
        loss.shown += !multi::describeShown(written.data(), written.size(), b) ||
                      (multi::describeShown(m.data(), m.size(), a), a != b);
        loss.reread += describePages(testing_support::parse(written).get()) != describePages(first.get());
    }
    std::printf("documented reading: of 1000 messages %d lose text, %d show differently, %d read back otherwise\n",
                loss.text, loss.shown, loss.reread);
    EXPECT_EQ(digest, 1955378442254203728ull);
    EXPECT_EQ(loss.text, 797);
    EXPECT_EQ(loss.shown, 998);
    EXPECT_EQ(loss.reread, 192);
}

}  // namespace
