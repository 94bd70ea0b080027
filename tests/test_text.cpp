// Text conversions, bounded copies, path names, the dump directory and the
// child-element helper.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "frame/dump.h"
#include "frame/platform.h"
#include "frame/text.h"
#include "frame/xml.h"
#include "support/result.h"

using testing_support::Result;

namespace {

TEST(TextToInt, ReadsLikeAStreamAndTestsTheRange) {
    int v = -5;
    EXPECT_EQ(Result(dms::textToInt("12abc", v, 0, 20)), Result(DMS_OK));
    EXPECT_EQ(v, 12);
    EXPECT_EQ(Result(dms::textToInt("  -7", v, -10, 10)), Result(DMS_OK));
    EXPECT_EQ(v, -7);
    EXPECT_EQ(Result(dms::textToInt("+3", v, 0, 10)), Result(DMS_OK));
    EXPECT_EQ(v, 3);
    // No number reads as 0, which the range may refuse.
    EXPECT_EQ(Result(dms::textToInt("abc", v, 1, 20)), Result(DMS_E_INVALID));
    EXPECT_EQ(v, 3);
    EXPECT_EQ(Result(dms::textToInt("abc", v, 0, 20)), Result(DMS_OK));
    EXPECT_EQ(v, 0);
    EXPECT_EQ(Result(dms::textToInt("", v, 0, 0)), Result(DMS_OK));
    EXPECT_EQ(Result(dms::textToInt(nullptr, v, 0, 0)), Result(DMS_OK));
    EXPECT_EQ(Result(dms::textToInt("21", v, 0, 20)), Result(DMS_E_INVALID));
    // Numbers beyond the integer's width are refused, not wrapped.
    EXPECT_EQ(Result(dms::textToInt("4294967296", v, INT_MIN, INT_MAX)), Result(DMS_E_INVALID));
    EXPECT_EQ(Result(dms::textToInt("99999999999999999999999", v, INT_MIN, INT_MAX)), Result(DMS_E_INVALID));
    int64_t w = 0;
    EXPECT_EQ(Result(dms::textToInt("-9223372036854775808", w, INT64_MIN, INT64_MAX)), Result(DMS_OK));
    EXPECT_EQ(w, INT64_MIN);
    EXPECT_EQ(Result(dms::textToInt("9223372036854775808", w, INT64_MIN, INT64_MAX)), Result(DMS_E_INVALID));
}

TEST(BoundedCopy, AcceptsOnlyLengthsWithinAllLimits) {
    char dest[8];
    std::memset(dest, 'z', sizeof dest);
    EXPECT_EQ(Result(dms::boundedCopy("", dest, 7, 1, 7)), Result(DMS_E_INVALID));
    EXPECT_EQ(dest[0], 'z');
    EXPECT_EQ(Result(dms::boundedCopy("abc", dest, 7, 1, 7)), Result(DMS_OK));
    EXPECT_STREQ(dest, "abc");
    EXPECT_EQ(Result(dms::boundedCopy("abcdefg", dest, 7, 0, 7)), Result(DMS_OK));
    EXPECT_STREQ(dest, "abcdefg");
    EXPECT_EQ(Result(dms::boundedCopy("abcdefgh", dest, 7, 0, 100)), Result(DMS_E_INVALID));
    EXPECT_EQ(Result(dms::boundedCopy("abcd", dest, 7, 0, 3)), Result(DMS_E_INVALID));
    EXPECT_STREQ(dest, "abcdefg");
    EXPECT_EQ(Result(dms::boundedCopy(nullptr, dest, 7, 0, 7)), Result(DMS_E_INVALID));
}

TEST(FileNameOfPath, TakesThePartAfterTheLastSeparator) {
    EXPECT_STREQ(dms::fileNameOfPath("C:\\fonts\\Normal16.fnt"), "Normal16.fnt");
    EXPECT_STREQ(dms::fileNameOfPath("/usr/share/a.fnn"), "a.fnn");
    EXPECT_STREQ(dms::fileNameOfPath("mixed\\dir/b.fnt"), "b.fnt");
    EXPECT_STREQ(dms::fileNameOfPath("plain.fnt"), "plain.fnt");
    EXPECT_STREQ(dms::fileNameOfPath("dir/"), "");
    EXPECT_EQ(dms::fileNameOfPath("/root.fnt"), nullptr);
    EXPECT_EQ(dms::fileNameOfPath("\\root.fnt"), nullptr);
    EXPECT_EQ(dms::fileNameOfPath(nullptr), nullptr);
}

TEST(DumpDirectory, IsTheExecutablesFolderWithItsSeparator) {
    char dir[260];
    dms::dumpDirectory(dir, sizeof dir);
    std::string exe = dms::platform::executablePath();
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(exe.substr(0, exe.rfind('/') + 1), dir);
    // A small buffer is cut, never overrun.
    char tiny[4];
    dms::dumpDirectory(tiny, sizeof tiny);
    EXPECT_LT(std::strlen(tiny), sizeof tiny);
}

TEST(ChildElement, CreatesNamedChildrenOnly) {
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* root = dms::childElement(&doc, &doc, "DmsMessage");
    ASSERT_NE(root, nullptr);
    EXPECT_NE(dms::childElement(&doc, root, "Event"), nullptr);
    EXPECT_EQ(dms::childElement(&doc, root, ""), nullptr);
    EXPECT_EQ(dms::childElement(&doc, root, nullptr), nullptr);
    tinyxml2::XMLPrinter out(nullptr, true);
    doc.Print(&out);
    EXPECT_STREQ(out.CStr(), "<DmsMessage><Event/></DmsMessage>");
}

}  // namespace
