// The simulated sign's profile: MULTI defaults through the boundary, and the
// objects an SNMP agent reads beyond it (geometry, status, module table,
// exact cell sizes) on a sign object.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "sim/sign.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"
#include "tqdms/tqdms.h"
#include "tqdms/tqsim.h"

using testing_support::Result;
using nlohmann::json;

namespace {

std::string bytes(uint32_t (*get)(int, void*, int), int object, int len) {
    std::string out(static_cast<size_t>(len), '\x55');
    EXPECT_EQ(Result(get(object, &out[0], len)), Result(TQDMS_OK)) << object;
    return out;
}

uint32_t TQ_CALL multiCfg(int object, void* buf, int len) { return tqGetMultiCfg(object, buf, len); }

TEST(SimSignProfile, MultiConfigurationAnswersTheDefaults) {
    testing_support::SimSign sign;
    struct Case { int object; uint32_t value; } ints[] = {
        {NTCIP_DEFAULT_BACKGROUND_COLOR, 0}, {NTCIP_DEFAULT_FOREGROUND_COLOR, 9}, {NTCIP_DEFAULT_FLASH_ON, 5},
        {NTCIP_DEFAULT_FLASH_OFF, 5},       {NTCIP_DEFAULT_FONT, 1},             {NTCIP_DEFAULT_JUSTIFICATION_LINE, 3},
        {NTCIP_DEFAULT_JUSTIFICATION_PAGE, 3}, {NTCIP_DEFAULT_PAGE_ON_TIME, 30}, {NTCIP_DEFAULT_PAGE_OFF_TIME, 0},
        {NTCIP_DMS_COLOR_SCHEME, 4},        {NTCIP_DMS_MAX_NUMBER_PAGES, 6},     {NTCIP_DMS_MAX_MULTI_STRING_LENGTH, 1024},
    };
    for (const Case& c : ints) {
        uint32_t v = 0xDEAD;
        EXPECT_EQ(Result(tqGetMultiCfg(c.object, &v, 4)), Result(TQDMS_OK)) << c.object;
        EXPECT_EQ(v, c.value) << c.object;
    }
    struct Octets { int object; std::string value; } octets[] = {
        {NTCIP_DEFAULT_BACKGROUND_RGB, std::string(3, '\0')},
        {NTCIP_DEFAULT_FOREGROUND_RGB, "\xff\xb4"+ std::string(1, '\0')},
        {NTCIP_DMS_SUPPORTED_MULTI_TAGS, "\xff\xff\xff\x3f"},  // bits 0..29
    };
    for (const Octets& c : octets) {
        int size = static_cast<int>(c.value.size());
        EXPECT_EQ(bytes(multiCfg, c.object, size), c.value) << c.object;
        std::string room(static_cast<size_t>(size) + 1, '\x55');
        for (int len : {size - 1, size + 1})
            EXPECT_EQ(Result(tqGetMultiCfg(c.object, &room[0], len)), Result(TQDMS_E_BAD_VALUE)) << c.object << " " << len;
    }
    uint32_t v = 0;
    for (int object : {0, 10, 17})
        EXPECT_EQ(Result(tqGetMultiCfg(object, &v, 4)), Result(TQDMS_E_NO_SUCH_NAME)) << object;
}

TEST(SimSignProfile, ValuesAtTheirLimitsComeFromTheState) {
    testing_support::SimSign sign(json{{"profile",
                                        {{"maxNumberPages", 255},
                                         {"defaultFlashOn", 99},
                                         {"colorScheme", 4},
                                         {"defaultJustificationLine", 5},
                                         {"defaultJustificationPage", 4},
                                         {"supportedMultiTags", ""},
                                         {"defaultForegroundRgb", "010203"}}}});
    uint32_t pages = 0, flash = 0, scheme = 0, line = 0, page = 0;
    ASSERT_EQ(tqGetMultiCfg(NTCIP_DMS_MAX_NUMBER_PAGES, &pages, 4) | tqGetMultiCfg(NTCIP_DEFAULT_FLASH_ON, &flash, 4) |
                  tqGetMultiCfg(NTCIP_DMS_COLOR_SCHEME, &scheme, 4) |
                  tqGetMultiCfg(NTCIP_DEFAULT_JUSTIFICATION_LINE, &line, 4) |
                  tqGetMultiCfg(NTCIP_DEFAULT_JUSTIFICATION_PAGE, &page, 4),
              0u);
    EXPECT_EQ(std::vector<uint32_t>({pages, flash, scheme, line, page}), std::vector<uint32_t>({255, 99, 4, 5, 4}));
    EXPECT_EQ(bytes(multiCfg, NTCIP_DEFAULT_FOREGROUND_RGB, 3), "\x01\x02\x03");
    char none = 'x';
    EXPECT_EQ(Result(tqGetMultiCfg(NTCIP_DMS_SUPPORTED_MULTI_TAGS, &none, 0)), Result(TQDMS_OK));
    EXPECT_EQ(Result(tqGetMultiCfg(NTCIP_DMS_SUPPORTED_MULTI_TAGS, &none, 1)), Result(TQDMS_E_BAD_VALUE));
}

TEST(SimSignProfile, ProfileRoundTripsThroughTheState) {
    const json profile = {{"signHeightMm", 65535},
                          {"signWidthPixels", 144},
                          {"characterHeightPixels", 7},
                          {"monochromeColor", "ffffff000010"},
                          {"doorOpen", 255},
                          {"shortErrorStatus", 65535},
                          {"supportedMultiTags", "01020304"},
                          {"modules", {{{"make", "ACME"}, {"model", "VMS-1"}, {"version", "2.5"}, {"type", 2}},
                                       {{"make", "ACME"}, {"model", "fw"}, {"version", "7"}}}}};
    tqsim::SimSign first;
    ASSERT_EQ(Result(first.load(json{{"profile", profile}})), Result(TQDMS_OK));
    tqsim::SimSign sign;
    ASSERT_EQ(Result(sign.load(first.state())), Result(TQDMS_OK));
    EXPECT_EQ(sign.state(), first.state());
    uint32_t height = 0, width = 0, chars = 0, door = 0, errors = 0;
    ASSERT_EQ(sign.getSignCfg(NTCIP_DMS_SIGN_HEIGHT, &height, 4) | sign.getVmsCfg(NTCIP_VMS_SIGN_WIDTH_PIXELS, &width, 4) |
                  sign.getVmsCfg(NTCIP_VMS_CHARACTER_HEIGHT_PIXELS, &chars, 4) |
                  sign.getStatus(NTCIP_STAT_DOOR_OPEN, &door, 4) | sign.getStatus(NTCIP_SHORT_ERROR_STATUS, &errors, 4),
              0u);
    EXPECT_EQ(std::vector<uint32_t>({height, width, chars, door, errors}),
              std::vector<uint32_t>({65535, 144, 7, 255, 65535}));
    std::string color(6, '\0');
    ASSERT_EQ(Result(sign.getVmsCfg(NTCIP_MONOCHROME_COLOR, &color[0], 6)), Result(TQDMS_OK));
    EXPECT_EQ(color, std::string("\xff\xff\xff\x00\x00\x10", 6));
    std::string tags(4, '\0');
    ASSERT_EQ(Result(sign.getMultiCfg(NTCIP_DMS_SUPPORTED_MULTI_TAGS, &tags[0], 4)), Result(TQDMS_OK));
    EXPECT_EQ(tags, "\x01\x02\x03\x04");
    EXPECT_EQ(sign.moduleCount(), 2);
    char text[16];
    uint32_t type = 0, number = 0;
    ASSERT_EQ(Result(sign.getModuleTable(2, NTCIP_MODULE_MODEL, text, sizeof text)), Result(TQDMS_OK));
    EXPECT_STREQ(text, "fw");
    ASSERT_EQ(sign.getModuleTable(1, NTCIP_MODULE_TYPE, &type, 4) | sign.getModuleTable(2, NTCIP_MODULE_TYPE, &number, 4),
              0u);
    EXPECT_EQ(std::vector<uint32_t>({type, number}), std::vector<uint32_t>({2, 3}));  // type defaults to software
}

TEST(SimSignProfile, BadProfileValuesChangeNothing) {
    const json bad[] = {
        {{"maxNumberPages", 0}},       {{"maxNumberPages", 256}},        {{"defaultFlashOn", 100}},
        {{"defaultFont", 0}},          {{"colorScheme", 0}},             {{"colorScheme", 5}},
        {{"defaultJustificationLine", 6}}, {{"defaultJustificationPage", 5}}, {{"signWidthMm", 65536}},
        {{"signHeightMm", -1}},        {{"doorOpen", 256}},              {{"shortErrorStatus", 65536}},
        {{"monochromeColor", "ffffff0000"}}, {{"defaultBackgroundRgb", "00000000"}},
        {{"supportedMultiTags", "0102030405"}}, {{"supportedMultiTags", "xyz"}}, {{"modules", json::array()}},
        {{"modules", {{{"make", "A"}, {"type", 4}}}}}, {{"modules", {{{"make", "A"}, {"type", 0}}}}},
        {{"modules", {{{"make", std::string(256, 'm')}}}}}, {{"signWidthPixels", "wide"}},
        {{"maxNumberPages", 4294967299LL}}, {{"defaultFont", 2.5}}, {{"modules", {{{"type", 4294967298LL}}}}},
    };
    tqsim::SimSign sign;
    ASSERT_EQ(Result(sign.load(json{{"profile", {{"maxNumberPages", 3}}}})), Result(TQDMS_OK));
    const json before = sign.state();
    for (const json& c : bad) {
        json state = before;
        state["profile"].update(c);
        EXPECT_EQ(Result(sign.load(state)), Result(TQDMS_E_BAD_VALUE)) << c;
        EXPECT_EQ(sign.state(), before) << c;
    }
    // A module text of 255 characters is the longest.
    json longest = before;
    longest["profile"]["modules"] = {{{"make", std::string(255, 'm')}}};
    EXPECT_EQ(Result(sign.load(longest)), Result(TQDMS_OK));
}

TEST(SimSignProfile, ObjectsBeyondTheProfileAreRefused) {
    tqsim::SimSign sign;
    uint32_t v = 0;
    char small[5];
    struct Case { uint32_t result, want; } cases[] = {
        {sign.getSignCfg(2, &v, 4), TQDMS_E_NO_SUCH_NAME},
        {sign.getSignCfg(NTCIP_DMS_SIGN_WIDTH, &v, 3), TQDMS_E_BAD_VALUE},
        {sign.getVmsCfg(8, &v, 4), TQDMS_E_NO_SUCH_NAME},
        {sign.getVmsCfg(NTCIP_MONOCHROME_COLOR, small, 5), TQDMS_E_BAD_VALUE},
        {sign.getStatus(5, &v, 4), TQDMS_E_NO_SUCH_NAME},
        {sign.getStatus(8, &v, 4), TQDMS_E_NO_SUCH_NAME},
        {sign.getModuleTable(0, NTCIP_MODULE_MAKE, small, 5), TQDMS_E_NO_SUCH_NAME},
        {sign.getModuleTable(2, NTCIP_MODULE_MAKE, small, 5), TQDMS_E_NO_SUCH_NAME},
        {sign.getModuleTable(1, 2, small, 5), TQDMS_E_NO_SUCH_NAME},
        {sign.getModuleTable(1, 7, small, 5), TQDMS_E_NO_SUCH_NAME},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(Result(cases[i].result), Result(cases[i].want)) << i;
    EXPECT_EQ(sign.moduleCount(), 1);
    ASSERT_EQ(Result(sign.getModuleTable(1, NTCIP_MODULE_MAKE, small, 5)), Result(TQDMS_OK));
    EXPECT_STREQ(small, "dmsc");  // cut to the buffer
    ASSERT_EQ(Result(sign.getModuleTable(1, NTCIP_MODULE_NUMBER, &v, 4)), Result(TQDMS_OK));
    EXPECT_EQ(v, 1u);
}

TEST(SimSignProfile, ExactSizesOfCharacterBitmapsAndGraphicBlocks) {
    tqsim::SimSign sign;
    ASSERT_EQ(Result(sign.load(json{{"limits", {{"graphicBlockSize", 16}, {"graphicMaxSize", 48}}}})),
              Result(TQDMS_OK));
    uint32_t request = NTCIP_FONT_MODIFY_REQ;
    ASSERT_EQ(Result(sign.setFontTable(1, NTCIP_FONT_STATUS, &request, 4)), Result(TQDMS_OK));
    uint8_t width = 5;
    const std::string bitmap(7, '\x11');  // 5 x 7 pixels need 5 bytes; 7 were written
    ASSERT_EQ(sign.setCharacterTable(1, 65, NTCIP_CHARACTER_WIDTH, &width, 1) |
                  sign.setCharacterTable(1, 65, NTCIP_CHARACTER_BITMAP, bitmap.data(), 7),
              0u);
    ASSERT_EQ(Result(sign.setCharacterTable(1, 66, NTCIP_CHARACTER_WIDTH, &width, 1)), Result(TQDMS_OK));
    struct CharCase { int row, character; size_t size; } chars[] = {
        {1, 65, 7}, {1, 66, 0}, {1, 67, 0}, {2, 65, 0}, {0, 65, 0}, {9, 65, 0}, {1, 256, 0}, {1, -1, 0}};
    for (const CharCase& c : chars)
        EXPECT_EQ(sign.characterBitmapSize(c.row, c.character), c.size) << c.row << " " << c.character;

    uint32_t modify = NTCIP_GRAPHIC_MODIFY_REQ;
    ASSERT_EQ(Result(sign.setGraphicTable(1, NTCIP_GRAPHIC_STATUS, &modify, 4)), Result(TQDMS_OK));
    const std::string block(16, '\x22');
    ASSERT_EQ(sign.setGraphicBitmapTable(1, 1, block.data(), 16) | sign.setGraphicBitmapTable(1, 2, block.data(), 5),
              0u);
    struct BlockCase { int row, block; size_t size; } blocks[] = {
        {1, 1, 16}, {1, 2, 5}, {1, 3, 0}, {1, 4, 0}, {1, 0, 0}, {2, 1, 0}, {0, 1, 0}, {17, 1, 0}};
    for (const BlockCase& c : blocks)
        EXPECT_EQ(sign.graphicBlockBytes(c.row, c.block), c.size) << c.row << " " << c.block;
}

}  // namespace
