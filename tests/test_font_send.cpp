// Font upload: tqSendFonts (blanking, freeing rows, one font per row in
// path order, progress) and uploadFont's status machine.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "fonts/font_send.h"
#include "support/fault_sweep.h"
#include "support/font_files.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

using namespace testing_support;

namespace {

CellFont letters(uint32_t number, unsigned height = 7) {
    CellFont f;
    f.height = height;
    f.number = number;
    f.glyphs['A'] = {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"};
    f.glyphs['z'] = {"", "", "#####", "...#", "..#", ".#", "#####"};
    return f;
}

json rowOf(const SimSign& sign, int row) {
    const json state = sign.state();
    for (const json& f : state["fonts"])
        if (f["row"] == row) return f;
    return json();
}

std::string bitmapOf(const json& row, int code) {
    for (const json& c : row["characters"])
        if (c["code"] == code) return c["bitmap"];
    return "";
}

uint32_t send(const std::vector<std::string>& paths, int32_t& count, int32_t raw = 0) {
    std::string fields = pathFields(paths);
    count = static_cast<int32_t>(paths.size());
    return tqSendFonts(fields.data(), &count, raw);
}

TEST(FontSend, OneFontPerRowInPathOrderUpToTheLastRow) {
    std::string dir = scratchFolder("send_order");
    std::string a = writeFile(dir + "/first.fnt", fntFile(letters(1)));
    std::string b = writeFile(dir + "/second.FNN", fnnFile(letters(16, 8), {{'z', 1}, {'A', 1}}));
    std::string c = writeFile(dir + "/third.fnt", fntFile(letters(3)));
    SimSign sign(json{{"limits", {{"fontRows", 2}}}});
    int32_t count = 0;
    ASSERT_EQ(Result(send({a, b, c}, count)), Result(DMS_OK));
    EXPECT_EQ(count, 2);  // the third path has no row left

    // Number 16 goes as 16 + 55; the FNT row has code 0 too.
    const json one = rowOf(sign, 1), two = rowOf(sign, 2);
    const json want1 = {{"name", "first.fnt"}, {"number", 49}, {"height", 7}, {"charSpacing", 1}, {"lineSpacing", 2},
                        {"status", NTCIP_FONT_READY_FOR_USE}},
               want2 = {{"name", "second.FNN"}, {"number", 71}, {"height", 8}};
    for (const auto& kv : want1.items()) EXPECT_EQ(one[kv.key()], kv.value()) << kv.key();
    for (const auto& kv : want2.items()) EXPECT_EQ(two[kv.key()], kv.value()) << kv.key();
    EXPECT_EQ(json({one["characters"].size(), two["characters"].size(), bitmapOf(one, 'A'), bitmapOf(two, 'A')}),
              json({256, 2, "7463f8c6200000", "7463f8c620000000"}));

    // The sign was blanked (7, 1 for ever at priority 100, CRC 0, address 0),
    // then rows 1..N-1 freed: row 2 is written without being freed.
    auto act = sign.calls("tqActiveMessage");
    ASSERT_EQ(act.size(), 1u);
    EXPECT_EQ(entryBytes(act[0]), std::string("\xFF\xFF\x64\x07\x01\x00\x00\x00\x00\x00\x00\x00", 12));
    std::vector<int> freed;
    for (const json& s : sign.calls("tqSetFontTable"))
        if (s["args"][1] == 8 && s["data"] == hex32(9)) freed.push_back(s["args"][0]);
    EXPECT_EQ(freed, (std::vector<int>{1}));
    // Columns in order: height, number, name, spacings; then the characters.
    std::vector<int> columns;
    for (const json& s : sign.calls("tqSetFontTable"))
        if (s["args"][0] == 2) columns.push_back(s["args"][1]);
    EXPECT_EQ(columns, (std::vector<int>{8, 4, 2, 3, 5, 6, 8}));

    // Progress: characters from step x i on, then (result, 100) at the end.
    auto& p = SimSign::progress();
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(p.back(), std::make_pair(0, 100));
    int last = 0;
    for (size_t i = 0; i + 1 < p.size(); ++i) {
        EXPECT_EQ(p[i].first, 0);
        EXPECT_GE(p[i].second, last);
        last = p[i].second;
    }
    EXPECT_EQ(p[0].second, 0);
    EXPECT_EQ(p[p.size() - 2].second, 33 + 16);  // second font: base 33, 33 / 2 x 1
}

TEST(FontSend, RowThatNeverFreesAbortsBeforeAnyFileIsRead) {
    SimSign sign;
    // Row 1 takes the request but never reaches notUsed.
    sign.fault({{"fn", "tqSetFontTable"}, {"args", {1, NTCIP_FONT_STATUS}}, {"swallow", true}});
    int32_t count = 0;
    EXPECT_EQ(Result(send({"/nowhere/missing.fnt"}, count)),
              Result(DMS_E_FAILED));  // reading it would give DMS_E_FONT_FILE
    EXPECT_EQ(count, 0);
    int polls = 0;
    for (const json& g : sign.calls("tqGetFontTable")) polls += g["args"][1] == 8;
    EXPECT_EQ(polls, 10);
    EXPECT_EQ(SimSign::progress().back(), std::make_pair(1, 100));
    // A failed status read while freeing ends it the same way.
    sign.clearFaults();
    sign.fault({{"fn", "tqGetFontTable"}, {"args", {3, NTCIP_FONT_STATUS}}, {"result", 0x55}});
    EXPECT_EQ(Result(send({"/nowhere/missing.fnt"}, count)), Result(DMS_E_FAILED));
}

TEST(FontSend, RefusedRowsAndFailedFonts) {
    std::string dir = scratchFolder("send_refused");
    std::string good = writeFile(dir + "/good.fnt", fntFile(letters(2)));
    std::string bad = writeFile(dir + "/bad.fnt", Bytes(100, 0x20));
    SimSign sign(json{{"limits", {{"fontRows", 4}}},
                      {"fonts", {{{"row", 2}, {"number", 60}, {"name", "Fixed"}, {"height", 9}, {"status", NTCIP_FONT_PERMANENT}}}}});
    int32_t count = 0;
    // A permanent row refuses its free request (passed over) and its font
    // (DMS_E_IN_USE); the send goes on and ends with the last upload's result.
    ASSERT_EQ(Result(send({good, good, good}, count)), Result(DMS_OK));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(json({rowOf(sign, 2)["name"], rowOf(sign, 3)["name"]}), json({"Fixed", "good.fnt"}));
    ASSERT_EQ(Result(send({good, good}, count)), Result(DMS_E_IN_USE));
    EXPECT_EQ(count, 1);

    // A file that cannot be read ends the send with DMS_E_FONT_FILE; fonts before it stay.
    ASSERT_EQ(Result(send({good, bad, good}, count)), Result(DMS_E_FONT_FILE));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(rowOf(sign, 1)["name"], "good.fnt");
    char name[64] = {0};
    ASSERT_EQ(Result(tqGetFontTable(3, NTCIP_FONT_NAME, name, 64)), Result(TQDMS_OK));
    EXPECT_STREQ(name, "def.");  // freed at the start, never written
    // So does a path whose only separator is its first character.
    EXPECT_EQ(Result(send({"/good.fnt"}, count)), Result(DMS_E_FONT_FILE));
    // A file of another extension is not read: an empty font takes its row.
    ASSERT_EQ(Result(send({dir + "/x.bmp"}, count)), Result(DMS_OK));
    EXPECT_EQ(count, 1);
    json row = rowOf(sign, 1);
    EXPECT_EQ(json({row["name"], row["height"], row["characters"].size(), row["status"]}), json({"", 0, 0, 4}));
}

TEST(FontSend, ArgumentsCountsAndRawNumbers) {
    std::string dir = scratchFolder("send_args");
    std::string path = writeFile(dir + "/ten.fnt", fntFile(letters(10)));
    int32_t count = 1;
    EXPECT_EQ(Result(tqSendFonts(path.c_str(), &count, 0)), Result(DMS_E_NO_INTERFACE));  // no sign
    SimSign sign;
    EXPECT_EQ(Result(tqSendFonts(nullptr, &count, 0)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqSendFonts(path.c_str(), nullptr, 0)), Result(DMS_E_ARGUMENT));
    count = 0;
    EXPECT_EQ(Result(tqSendFonts(path.c_str(), &count, 0)), Result(DMS_E_NO_MEMORY));
    EXPECT_EQ(sign.calls("tqActiveMessage").size(), 0u);  // nothing blanked for nothing
    count = -4;
    EXPECT_EQ(Result(tqSendFonts(path.c_str(), &count, 0)), Result(DMS_E_NO_MEMORY));
    EXPECT_EQ(count, 0);
    for (int raw : {1, 0}) {
        ASSERT_EQ(Result(send({path}, count, raw)), Result(DMS_OK));
        EXPECT_EQ(rowOf(sign, 1)["number"], raw ? 10 : 58);
    }
}

TEST(FontSend, UploadFollowsTheStatusMachine) {
    uint32_t rc = 1;
    auto font = loadFont(writeFile(scratchFolder("upload") + "/u.fnt", fntFile(letters(1))), &rc);
    ASSERT_EQ(Result(rc), Result(DMS_OK));
    dmsFont e;
    std::memset(&e, 0, sizeof e);
    e.row = 1, e.height = 7;
    std::strcpy(e.name, "u.fnt");
    EXPECT_EQ(Result(dms::uploadFont(e, *font, 0, 100, 255)), Result(DMS_E_NO_INTERFACE));  // no sign

    SimSign sign(json{{"fonts", {{{"row", 1}, {"name", "Busy"}, {"status", NTCIP_FONT_IN_USE}}}}});
    EXPECT_EQ(Result(dms::uploadFont(e, *font, 0, 100, 255)), Result(DMS_E_IN_USE));
    sign.patch({{"fonts", {{{"row", 1}, {"name", "Old"}, {"status", NTCIP_FONT_READY_FOR_USE}}}}});
    // Characters above the sign's highest character number are not sent.
    ASSERT_EQ(Result(dms::uploadFont(e, *font, 0, 100, 'y')), Result(DMS_OK));
    json row = rowOf(sign, 1);
    EXPECT_EQ(json({row["characters"].size(), bitmapOf(row, 'z')}), json({'y' + 1, ""}));

    // A modify request that never takes: three tries, then DMS_E_STATE_TIMEOUT.
    sign.fault({{"fn", "tqSetFontTable"}, {"args", {1, NTCIP_FONT_STATUS}}, {"swallow", true}, {"times", 3}});
    sign.clearJournal();
    EXPECT_EQ(Result(dms::uploadFont(e, *font, 0, 100, 255)), Result(DMS_E_STATE_TIMEOUT));
    EXPECT_EQ(sign.calls("tqSetFontTable").size(), 3u);
    // Ready never reached after the writes: DMS_E_STATE_TIMEOUT.
    sign.clearFaults();
    sign.fault({{"fn", "tqSetFontTable"}, {"args", {1, NTCIP_FONT_STATUS}}, {"swallow", true}, {"nth", 2}});
    EXPECT_EQ(Result(dms::uploadFont(e, *font, 0, 100, 255)), Result(DMS_E_STATE_TIMEOUT));
    EXPECT_EQ(rowOf(sign, 1)["status"], NTCIP_FONT_MODIFYING);
    // A character write that fails gives DMS_E_FAILED.
    sign.clearFaults();
    sign.fault({{"fn", "tqSetCharacterTable"}, {"args", {1, 'A', NTCIP_CHARACTER_BITMAP}}, {"result", 0x66}});
    EXPECT_EQ(Result(dms::uploadFont(e, *font, 0, 100, 255)), Result(DMS_E_FAILED));
}

TEST(FontSend, FaultSweep) {
    std::string dir = scratchFolder("send_sweep");
    std::string path = writeFile(dir + "/s.fnn", fnnFile(letters(1), {{'A', 1}, {'z', 1}}));
    std::unique_ptr<SimSign> sign;
    int32_t count = 0;
    int swept = faultSweep(
        [&] { sign = nullptr, sign = std::make_unique<SimSign>(json{{"limits", {{"fontRows", 2}}}}); },
        [&] { return send({path}, count); },
        [&](const SweepStep& s) {
            const std::string fn = s.call["fn"];
            const int column = s.call["args"].size() > 1 ? s.call["args"][1].get<int>() : 0;
            const bool freeRequest = fn == "tqSetFontTable" && s.call["data"] == hex32(9);
            const bool freePoll = fn == "tqGetFontTable" && s.index == 5;
            if (freeRequest) {
                EXPECT_EQ(Result(s.result), Result(DMS_OK));  // a refused free request is passed over
                EXPECT_EQ(count, 1);
            } else if (freePoll || fn == "tqSetCharacterTable") {
                EXPECT_EQ(Result(s.result), Result(DMS_E_FAILED));
                EXPECT_EQ(count, 0);
            } else {
                EXPECT_EQ(Result(s.result), Result(kSweepCode)) << fn << " " << column;
                EXPECT_EQ(count, 0);
            }
            EXPECT_EQ(SimSign::progress().back(), std::make_pair(static_cast<int>(s.result), 100));
        });
    EXPECT_EQ(swept, 19);
    sign.reset();
}

}  // namespace
