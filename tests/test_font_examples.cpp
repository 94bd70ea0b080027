// The example fonts: each read, sent to the sign, copied back with
// GetFontFile and read again holds the same bitmaps.
#include <gtest/gtest.h>

#include <string>

#include "dmscontent/dmscontent.h"
#include "fonts/font_self_test.h"
#include "support/fields.h"
#include "support/font_files.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using namespace testing_support;

namespace {

const char* const kExamples[] = {"Fixed5x7.fnt", "Bold8x13.fnt", "Fixed10x20.fnt", "Fixed6x10.fnn"};

std::string example(const char* name) { return std::string(DMS_SOURCE_DIR) + "/examples/fonts/" + name; }

TEST(FontExamples, RoundTripThroughTheSign) {
    std::string dir = scratchFolder("examples");
    for (const char* name : kExamples) {
        SCOPED_TRACE(name);
        uint32_t rc = 1;
        auto original = loadFont(example(name), &rc);
        ASSERT_EQ(Result(rc), Result(DMS_OK));
        ASSERT_GT(original->charCount, 90u);
        EXPECT_STREQ(original->name, name);

        SimSign sign;
        std::string field = pathFields({example(name)});
        int32_t count = 1;
        ASSERT_EQ(Result(tqSendFonts(field.data(), &count, 0)), Result(DMS_OK));
        ASSERT_EQ(count, 1);
        ASSERT_EQ(Result(GetFontFile(1, dir.c_str())), Result(DMS_OK));
        // The file takes the font's name; an FNN font comes back in FNT form
        // under its FNN name, so it is read as FNT.
        std::string copy = dir + "/copy.fnt";
        writeFile(copy, readFile(dir + "/" + name));
        auto back = loadFont(copy, &rc);
        ASSERT_EQ(Result(rc), Result(DMS_OK));
        ASSERT_EQ(ints(back->height, back->number, back->charCount), ints(original->height, original->number, 256));
        for (uint32_t i = 0; i < original->charCount; ++i) {
            const fontChar& c = original->chars[i];
            ASSERT_EQ(back->chars[c.code].width, c.width) << c.code;
            ASSERT_EQ(picture(back->chars[c.code], back->height), picture(c, original->height)) << c.code;
        }
    }
}

TEST(FontExamples, SelfTestSendsAndCompares) {
    EXPECT_EQ(Result(dms::fontSelfTest(example("Fixed5x7.fnt").c_str())), Result(DMS_E_NO_INTERFACE));  // no sign
    SimSign sign;
    EXPECT_EQ(Result(dms::fontSelfTest(nullptr)), Result(DMS_E_ARGUMENT));
    ASSERT_EQ(Result(dms::fontSelfTest(example("Fixed6x10.fnn").c_str())), Result(DMS_OK));
    // The row went through the placeholder before the send.
    bool placeholder = false;
    for (const json& s : sign.calls("tqSetFontTable"))
        if (s["args"][1] == 3 && entryBytes(s).rfind("def.", 0) == 0) placeholder = true;
    EXPECT_TRUE(placeholder);
    // A sign that changes a bitmap on the way is caught.
    sign.fault({{"fn", "tqGetCharacterTable"}, {"args", {1, 66, NTCIP_CHARACTER_BITMAP}}, {"reply", "ff"}});
    EXPECT_EQ(Result(dms::fontSelfTest(example("Fixed6x10.fnn").c_str())), Result(DMS_E_FORMAT));
    EXPECT_EQ(Result(dms::fontSelfTest("/nowhere/x.fnt")), Result(DMS_E_FONT_FILE));
}

}  // namespace
