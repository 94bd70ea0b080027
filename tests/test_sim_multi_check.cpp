// The simulated sign's MULTI check, through tqDefine1Message: each class of
// dmsMultiSyntaxError with its position, against the sign's profile, fonts
// and graphics, and messages the sign must keep accepting.
#include <gtest/gtest.h>

#include <string>

#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"
#include "tqdms/tqdms.h"

using namespace testing_support;

namespace {

// Font 1 is built in (no character table: printable ASCII); font 2 holds A,
// B and the code 0x2190, and lists C without a width; font 4 is not in use.
json character(int code, int width) { return {{"code", code}, {"width", width}, {"bitmap", "ff"}}; }

// A 105 x 27 colour sign of at most 3 pages and 80 bytes, graphics 1 and 2.
json baseSign() {
    return {{"limits", {{"maxMultiLength", 80}}},
            {"profile", {{"signWidthPixels", 105}, {"signHeightPixels", 27}, {"maxNumberPages", 3}, {"colorScheme", 4}}},
            {"fonts",
             {{{"row", 1}, {"number", 1}, {"name", "5x7"}, {"height", 7}},
              {{"row", 2},
               {"number", 2},
               {"name", "AB"},
               {"height", 7},
               {"characters", {character('A', 5), character('B', 5), character('C', 0), character(0x2190, 7)}}},
              {{"row", 3}, {"number", 4}, {"name", "off"}, {"height", 7}, {"status", NTCIP_FONT_NOT_USED}}}},
            {"graphics", {{{"row", 1}, {"height", 8}, {"width", 8}}, {{"row", 2}, {"height", 8}, {"width", 8}}}}};
}

uint32_t control(int object) {
    uint32_t v = 0xDEAD;
    EXPECT_EQ(Result(tqGetSignControl(object, &v, 4)), Result(TQDMS_OK)) << object;
    return v;
}

struct Outcome {
    uint32_t validate, syntax, position, status;
    bool operator==(const Outcome& o) const {
        return validate == o.validate && syntax == o.syntax && position == o.position && status == o.status;
    }
};
std::ostream& operator<<(std::ostream& os, const Outcome& o) {
    return os << "{validate " << o.validate << ", syntax " << o.syntax << " at " << o.position << ", status "
              << o.status << "}";
}

// Defines the message on a fresh sign (the base with `patch` merged over it)
// and reads what its validation left.
Outcome define(const std::string& multi, const json& patch) {
    json state = baseSign();
    state.merge_patch(patch);
    SimSign sign(state);
    EXPECT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 1, 0, 0, 5, "me", multi.c_str(), 0)), Result(TQDMS_OK));
    uint32_t validate = 0, status = 0;
    EXPECT_EQ(Result(tqGetMsgInfo(NTCIP_VALIDATE_MESSAGE_ERROR, &validate, 4)), Result(TQDMS_OK));
    EXPECT_EQ(Result(tqGetMsgTable(NTCIP_MEM_CHANGEABLE, 1, NTCIP_MSG_STATUS, &status, 4)), Result(TQDMS_OK));
    return {validate, control(NTCIP_MULTI_SYNTAX_ERROR), control(NTCIP_MULTI_SYNTAX_ERROR_POSITION), status};
}

struct Bad {
    std::string multi;
    json patch;  // over the base sign
    uint32_t syntax, position;
};

void expectRefused(const std::vector<Bad>& cases) {
    for (const Bad& c : cases)
        EXPECT_EQ(define(c.multi, c.patch), (Outcome{NTCIP_VALIDATE_SYNTAX_MULTI, c.syntax, c.position, NTCIP_MSG_ERROR}))
            << c.multi << " " << c.patch;
}

const json kSame = json::object();
json profile(const json& p) { return {{"profile", p}}; }

TEST(SimMultiCheck, TokenizerErrorsAsTheyCome) {
    expectRefused({
        {"AB[xx]", kSame, NTCIP_MULTI_UNSUPPORTED_TAG, 2},
        {"AB[cf1,2]", kSame, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 8},
        {"AB]C", kSame, NTCIP_MULTI_OTHER, 2},
        {"AB[fo", kSame, NTCIP_MULTI_OTHER, 5},
        {"[mvcl1,1,1,A[zz]]", kSame, NTCIP_MULTI_UNSUPPORTED_TAG, 12},
    });
}

TEST(SimMultiCheck, TagsTheSignDoesNotListAreUnsupported) {
    expectRefused({
        {"AB[fo1]", profile({{"supportedMultiTags", "f7ffff3f"}}), NTCIP_MULTI_UNSUPPORTED_TAG, 2},   // bit 3
        {"A[/fl]", profile({{"supportedMultiTags", "fbffff3f"}}), NTCIP_MULTI_UNSUPPORTED_TAG, 1},    // bit 2
        {"X[f1]", profile({{"supportedMultiTags", "ffbfff3f"}}), NTCIP_MULTI_UNSUPPORTED_TAG, 1},     // bit 14
        {"X[f13]", profile({{"supportedMultiTags", "ffffff3b"}}), NTCIP_MULTI_UNSUPPORTED_TAG, 1},    // bit 26
        {"[pb1]", profile({{"supportedMultiTags", "ffffff1f"}}), NTCIP_MULTI_UNSUPPORTED_TAG, 0},     // bit 29
        {"A[tr1,1,9,9]", profile({{"supportedMultiTags", "ffff"}}), NTCIP_MULTI_UNSUPPORTED_TAG, 1},  // no octet 3
        {"X[f14]", kSame, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},  // no bit for field 14
    });
}

TEST(SimMultiCheck, ValuesOutsideTheSignAreUnsupportedValues) {
    const json mono1 = profile({{"colorScheme", 1}}), mono8 = profile({{"colorScheme", 2}});
    const json classic = profile({{"colorScheme", 3}});
    expectRefused({
        {"A[cf2]", mono1, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"A[cf0,0,0]", mono8, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"A[cb10]", classic, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"[pb0,0,0]A", classic, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},
        {"A[cr1,1,5,5,10]", kSame, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},  // colour sign: classic numbers 0..9
        {"A[tr1,1,106,27]", kSame, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"A[tr1,2,105,27]", kSame, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"A[tr106,1,0,0]", kSame, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"A[cr2,1,105,1,1]", kSame, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"A[tdc1,1,28,1,1]", kSame, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"A[g1,1,28]", kSame, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"A[jl1]", kSame, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 1},
        {"[jp1]A", kSame, NTCIP_MULTI_UNSUPPORTED_TAG_VALUE, 0},
    });
}

TEST(SimMultiCheck, TextLongerThanTheSignsMaximum) {
    expectRefused({
        {std::string(81, 'A'), kSame, NTCIP_MULTI_TEXT_TOO_BIG, 80},
        {"[fo9]" + std::string(76, 'A'), kSame, NTCIP_MULTI_TEXT_TOO_BIG, 80},  // before anything is read
    });
}

TEST(SimMultiCheck, FontsAndCharactersTheSignLacks) {
    expectRefused({
        {"AB[fo9]", kSame, NTCIP_MULTI_FONT_NOT_DEFINED, 2},
        {"AB[fo4]", kSame, NTCIP_MULTI_FONT_NOT_DEFINED, 2},  // a row not in use
        {"[fo2]ABD", kSame, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 7},
        {"[fo2]ABC", kSame, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 7},  // listed without a width
        {"[fo2]A[[B", kSame, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 6},
        {"[fo2]AB[hc43]", kSame, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 7},
        {"A[hc7f]", kSame, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 1},  // built-in fonts: 32..126
        {"A\x1f", kSame, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 1},
        {"[fo2]AB[np]AD", kSame, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 12},                 // the font stays
        {"[fo2][mvcl1,1,1,[fo1]XY]AD", kSame, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 25},   // font 1 ends with the moving text
        {"X", profile({{"defaultFont", 2}}), NTCIP_MULTI_CHARACTER_NOT_DEFINED, 0},
        {"[fo2]A[fo]AD", profile({{"defaultFont", 2}}), NTCIP_MULTI_CHARACTER_NOT_DEFINED, 11},
    });
}

TEST(SimMultiCheck, GraphicsTheSignLacks) {
    expectRefused({
        {"A[g9]", kSame, NTCIP_MULTI_GRAPHIC_NOT_DEFINED, 1},
        {"A[g3,0,0]", kSame, NTCIP_MULTI_GRAPHIC_NOT_DEFINED, 1},
    });
}

TEST(SimMultiCheck, PagesBeyondTheSignsMaximum) {
    expectRefused({
        {"A[np]B[np]C[np]D", kSame, NTCIP_MULTI_TOO_MANY_PAGES, 11},
        {"A[np]B", profile({{"maxNumberPages", 1}}), NTCIP_MULTI_TOO_MANY_PAGES, 1},
    });
}

TEST(SimMultiCheck, FlashRegionsOpenAndCloseOnTheirPage) {
    expectRefused({
        {"A[fl]B", kSame, NTCIP_MULTI_FLASH_REGION_ERROR, 1},
        {"A[/fl]B", kSame, NTCIP_MULTI_FLASH_REGION_ERROR, 1},
        {"[flt5o5]A[fl]B[/fl]", kSame, NTCIP_MULTI_FLASH_REGION_ERROR, 9},
        {"X[fl]A[np]B[/fl]", kSame, NTCIP_MULTI_FLASH_REGION_ERROR, 1},
        {"[fl]A[/fl][/fl]", kSame, NTCIP_MULTI_FLASH_REGION_ERROR, 10},
    });
}

TEST(SimMultiCheck, ConflictingTags) {
    expectRefused({
        {"[sc2]A[sc3]B", kSame, NTCIP_MULTI_TAG_CONFLICT, 6},
        {"A[/sc]", kSame, NTCIP_MULTI_TAG_CONFLICT, 1},
        {"[sc1]A[/sc]B[/sc]", kSame, NTCIP_MULTI_TAG_CONFLICT, 12},
        {"A[jp4]B", kSame, NTCIP_MULTI_TAG_CONFLICT, 1},
        {"[hc41][jp4]", kSame, NTCIP_MULTI_TAG_CONFLICT, 6},
        {"[tr1,1,50,9]A[jp2]", kSame, NTCIP_MULTI_TAG_CONFLICT, 13},
        {"[mvcl1,1,1,A[np]B]", kSame, NTCIP_MULTI_TAG_CONFLICT, 12},
        {"[mvcl1,1,1,A[mvcl1,1,1,B]]", kSame, NTCIP_MULTI_TAG_CONFLICT, 12},
        {"[mvcl1,1,1,A[nl]B]", kSame, NTCIP_MULTI_TAG_CONFLICT, 12},
    });
}

TEST(SimMultiCheck, MessagesTheSignAccepts) {
    const json mono1 = profile({{"colorScheme", 1}}), mono8 = profile({{"colorScheme", 2}});
    const json classic = profile({{"colorScheme", 3}});
    struct Good { std::string multi; json patch; } cases[] = {
        {std::string(80, 'A'), profile({{"signWidthPixels", 400}})},  // the longest, on one line
        {"[pt30o][pb0,0,0][jp3][jl2][fo1]HELLO[nl1][jl3]DRIVE SAFE[f1][hc41][np][pt20o5][pb0,0,0]"
         "[flt05o05][cf255,255,0]NEXT[/fl]",
         json{{"profile", {{"maxNumberPages", 2}}}, {"limits", {{"maxMultiLength", 200}}}}},  // limit; the library's own form
        {"[pt30o][jp3][fo2]AB[hc2190]", kSame},
        {"[flt05o05][mvcl100,4,1,[fo2]AB[/fl]]", kSame},  // a region closed inside the moving text
        {"[fl]A[/fl][np][fl]B[/fl][np]C", kSame},
        {"[pt20o][g1,0,0][np][pt35o][g2,0,0]", kSame},  // quick display's pictures
        {"[g1,1,1][g2,105,27]X", kSame},
        {"[tr1,1,105,27]A[tr101,21,0,0]B[cr1,1,0,0,9][tdc1,1,1,105,27]", kSame},
        {"[cf1][cb0][pb1]A", mono1},
        {"[cf255][cr1,1,5,5,255]A", mono8},
        {"[cf9][cb0][cr1,1,5,5,9]A", classic},
        {"[cf]A[cf9]B[cf0,255,0]C", kSame},
        {"[jp4][jl5]A[jl2][nl]B", kSame},
        {"[jp2]", kSame},
        {"[sc2]A[tr1,1,50,9][sc3]B[/sc][sc1]C[np][sc4]D", kSame},
        {"[tr1,1,50,9]A[tr51,1,50,9][jp2]B", kSame},
        {"A[np][jp4]B", kSame},
        {"[fo2]AB[fo]XYZ[[]]", kSame},
        {"X[f2]", profile({{"supportedMultiTags", "ffbfff3f"}})},
        {"A[ms12 ab]B[/ms]", kSame},
        {"[mvcl1,1,1,[cf9][fo2]AB[hc41][f3]]", kSame},
    };
    for (const Good& c : cases)
        EXPECT_EQ(define(c.multi, c.patch), (Outcome{NTCIP_VALIDATE_NONE, NTCIP_MULTI_NONE, 0, NTCIP_MSG_VALID}))
            << c.multi << " " << c.patch;
}

// The sign lays each page out with its own fonts. In the base sign both
// fonts have no spacing and are 7 rows high; font 1 (built in, "5x7") and
// font 2's A and B are 5 pixels wide: 21 characters a line, 3 lines of 27.
TEST(SimMultiCheck, TextThatDoesNotFitTheSign) {
    const std::string a21(21, 'A'), a10(10, 'A'), a11(11, 'A'), b11(11, 'B');
    expectRefused({
        {a21 + "A", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 21},  // the first character that does not fit
        {"[jl2]" + a21 + "A", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 26},
        {"[fo2]" + a21 + "A", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 26},
        {"[sc5]" + a11 + "A", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 16},  // 12 x 5 + 11 x 5 = 115 of 105
        {"[jl2]" + a11 + "[jl4]" + b11, kSame, NTCIP_MULTI_TEXT_TOO_BIG, 31},  // the parts meet
        {"A[np]" + a21 + "A", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 26},  // on a later page
        {"[tr1,1,50,9]" + a10 + "A", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 22},  // 55 of the rectangle's 50
        {"A[nl]B[nl]C[nl]D", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 15},  // 28 of 27 rows: the first line below
        {"A[nl]B[nl]C[nl]", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 15},   // an empty line: where it starts
        {"A[nl4]B[nl3]C", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 12},
        {"[jp2]A[nl]B[nl][jp3]C", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 20},  // the middle group meets the top one
        {"[g1]" + a21 + "A", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 25},       // pictures take no room from text
        {"[g1,0,0]" + a21 + "A", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 29},
        // The first fault in the text wins, whichever reading finds it.
        {a21 + "A[fo9]", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 21},
        {"A[nl]B[nl]C[nl]D[fo9]", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 15},
        {"[fo2]" + a21 + "C", kSame, NTCIP_MULTI_CHARACTER_NOT_DEFINED, 26},  // lacking comes before not fitting
        {"[fo2]" + a21 + "AC", kSame, NTCIP_MULTI_TEXT_TOO_BIG, 26},
        {"[fo2]" + a21 + "[fo9]", kSame, NTCIP_MULTI_FONT_NOT_DEFINED, 26},
    });
}

TEST(SimMultiCheck, TextThatFillsTheSignExactly) {
    const std::string a21(21, 'A'), a10(10, 'A'), a11(11, 'A'), b11(11, 'B');
    struct Good { std::string multi; json patch; } cases[] = {
        {a21, kSame},  // 105 of 105 pixels
        {"[fo2]" + a21, kSame},
        {"[sc5]" + a11, kSame},
        {"[jl2]" + a10 + "[jl4]" + b11, kSame},  // the parts touch
        {"A[nl3]B[nl3]C", kSame},                // 27 of 27 rows
        {"[tr1,1,50,7]" + a10, kSame},
        {"[jp2]A[nl][jp3]B[nl][jp4]C", kSame},   // rows 0-6, 10-16, 20-26
        {"[g1]" + a21 + "[np][g2,0,0]" + a21, kSame},
        // Character-matrix signs are not laid out yet.
        {a21 + "A", profile({{"characterWidthPixels", 5}, {"characterHeightPixels", 7}})},
    };
    for (const Good& c : cases)
        EXPECT_EQ(define(c.multi, c.patch), (Outcome{NTCIP_VALIDATE_NONE, NTCIP_MULTI_NONE, 0, NTCIP_MSG_VALID}))
            << c.multi << " " << c.patch;
}

// Page justification may move on (top, middle, bottom) where a line starts:
// later lines go to a lower group. Not after text of the line, not back.
TEST(SimMultiCheck, PageJustificationGroupsOfLines) {
    struct Good { std::string multi; } good[] = {
        {"[jp2]A[nl][jp3]B[nl][jp4]C"},
        {"[jp2]A[nl]B[nl][jp4]C"},
        {"[jp2]A[nl][jp2]B"},
        {"A[jp3]B"},  // middle already: nothing changes
        {"[tr1,1,50,27][jp2]A[nl][jp4]B"},
        {"[jp4]A[tr51,1,50,9][jp2]B"},
        {"[jp4]A[np][jp2]B"},
    };
    for (const Good& c : good)
        EXPECT_EQ(define(c.multi, kSame), (Outcome{NTCIP_VALIDATE_NONE, NTCIP_MULTI_NONE, 0, NTCIP_MSG_VALID}))
            << c.multi;
    expectRefused({
        {"[jp2]A[jp4]B", kSame, NTCIP_MULTI_TAG_CONFLICT, 6},        // after text of the line
        {"[jp2][g1]A[jp4]", kSame, NTCIP_MULTI_TAG_CONFLICT, 10},
        {"[mvcl1,1,1,A][jp2]", kSame, NTCIP_MULTI_TAG_CONFLICT, 13},  // moving text is text of its line
        {"[jp4]A[nl][jp2]B", kSame, NTCIP_MULTI_TAG_CONFLICT, 10},    // back to a higher group
        {"[jp4]A[nl]B[nl][jp3]C", kSame, NTCIP_MULTI_TAG_CONFLICT, 15},
        {"[jp4]A[nl][jp2][nl]B", kSame, NTCIP_MULTI_TAG_CONFLICT, 10},
    });
}

}  // namespace
