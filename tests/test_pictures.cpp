// Pictures on the sign: tqSendSinglePicture, tqSendAllPicture,
// tqGetPictures and tqDeletePicture against the simulated graphic tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "graphics/bmp.h"
#include "support/bmp_files.h"
#include "support/pictures.h"
#include "support/result.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"


using namespace testing_support;

namespace {

TEST(SendSinglePicture, WritesColumnsBlocksAndStatusInOrder) {
    SimSign sign(json{{"limits", {{"graphicRows", 4}}}});
    TenByThreeFile file;
    const std::string& path = file.path;
    dmsGraphic p = pictureRecord(2, 1, "Arrow");
    p.transparent = 1;
    p.transparentColor = 0x00FF00;
    ASSERT_EQ(Result(tqSendSinglePicture(path.c_str(), &p)), Result(DMS_OK));
    EXPECT_EQ(p.height, 3);
    EXPECT_EQ(p.width, 10);
    EXPECT_EQ(p.length, 3u);  // 30 bits, rounded down

    // The whole block went out, the last 6 bits too.
    const json want = {{"number", 2}, {"name", "Arrow"}, {"width", 10}, {"height", 3}, {"type", 1}, {"transparent", 1},
                       {"transparentColor", 0x00FF00}, {"status", NTCIP_GRAPHIC_READY_FOR_USE}, {"bitmap", "ffe01aa8"}};
    const json g = rowOf(sign, 2);
    for (const auto& kv : want.items()) EXPECT_EQ(g[kv.key()], kv.value()) << kv.key();

    EXPECT_EQ(columnsWritten(sign), (std::vector<int>{10, 4, 2, 3, 5, 6, 8, 9, 10}));
    EXPECT_EQ(statusRequests(sign), (std::vector<int>{7, 8}));
    auto blocks = sign.calls("tqSetGraphicBitmapTable");
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0]["len"], 1024);
    EXPECT_TRUE(SimSign::progress().empty());  // the single upload reports nothing

    // Once more over a picture that is there: the row is simply rewritten.
    p = pictureRecord(2, 1, "Again");
    ASSERT_EQ(Result(tqSendSinglePicture(path.c_str(), &p)), Result(DMS_OK));
    EXPECT_EQ(rowOf(sign, 2)["name"], "Again");

    EXPECT_EQ(Result(tqSendSinglePicture(nullptr, &p)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqSendSinglePicture(path.c_str(), nullptr)), Result(DMS_E_ARGUMENT));
}

TEST(SendSinglePicture, FifteenHundredBytesGoAsTwoWholeBlocks) {
    SimSign sign;
    TempFolder dir;
    // 24 bits, 25 x 20: 75 bytes a row, 1500 in all.
    std::mt19937 random(3);
    std::vector<Bytes> rows(20, Bytes(75));
    std::string stream;
    for (Bytes& r : rows)
        for (uint8_t& b : r) {
            b = static_cast<uint8_t>(random());
            stream += static_cast<char>(b);
        }
    const std::string path = dir.file("photo.bmp");
    writeFile(path, bmpFile(25, 20, 24, rows));
    dmsGraphic p = pictureRecord(1, 4, "Photo");
    ASSERT_EQ(Result(tqSendSinglePicture(path.c_str(), &p)), Result(DMS_OK));
    EXPECT_EQ(p.length, 1500u);
    auto blocks = sign.calls("tqSetGraphicBitmapTable");
    ASSERT_EQ(blocks.size(), 2u);
    for (int b = 0; b < 2; ++b) {
        EXPECT_EQ(blocks[b]["args"], json({1, b + 1}));
        EXPECT_EQ(blocks[b]["len"], 1024);
    }
    std::string second = entryBytes(blocks[1]);
    EXPECT_EQ(second.substr(0, 476), stream.substr(1024));
    EXPECT_EQ(second.substr(476), std::string(548, '\0'));  // zero past the picture
    EXPECT_EQ(entryBytes(json{{"data", rowOf(sign, 1)["bitmap"]}}), stream);
}

TEST(SendSinglePicture, IndexFileAndRowRefusals) {
    SimSign sign(json{{"limits", {{"graphicRows", 4}}},
                      {"graphics", {graphicRow(1, "Fixed", 2, 2, 4, "", 6), graphicRow(3, "Odd", 2, 2, 4, "", 32526),
                                    graphicRow(4, "Shown", 2, 2, 4, "")}}});
    TenByThreeFile file;
    const std::string& path = file.path;

    // Index 0 is refused after the file was read (the reader asked for the
    // block size); the table is not touched.
    dmsGraphic p = pictureRecord(0, 1, "Zero");
    sign.clearJournal();
    EXPECT_EQ(Result(tqSendSinglePicture(path.c_str(), &p)), Result(DMS_E_PICTURE_NUMBER));
    EXPECT_EQ(p.width, 10);
    EXPECT_EQ(sign.calls("tqGetGraphicDefinition").size(), 3u);  // G, S, and the reader's S
    EXPECT_TRUE(sign.calls("tqGetGraphicTable").empty());
    p.index = 5;
    EXPECT_EQ(Result(tqSendSinglePicture(path.c_str(), &p)), Result(DMS_E_PICTURE_NUMBER));
    p.index = 2;
    EXPECT_EQ(Result(tqSendSinglePicture(file.dir.file("missing.bmp").c_str(), &p)), Result(DMS_E_OPEN_INPUT));

    p.index = 1;
    EXPECT_EQ(Result(tqSendSinglePicture(path.c_str(), &p)), Result(DMS_E_IN_USE));  // permanent
    p.index = 3;
    EXPECT_EQ(Result(tqSendSinglePicture(path.c_str(), &p)), Result(DMS_E_GRAPHIC_STATUS));  // the refused status value
    ASSERT_EQ(Result(tqDefine1Message(NTCIP_MEM_CHANGEABLE, 1, 0, 0, 5, "me", "[g4]", 0)), Result(TQDMS_OK));
    uint8_t a[12] = {0xFF, 0xFF, 5, 3, 1, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(Result(tqActiveMessage(a)), Result(TQDMS_OK));
    p.index = 4;
    EXPECT_EQ(Result(tqSendSinglePicture(path.c_str(), &p)), Result(DMS_E_IN_USE));  // in use by the message shown
    EXPECT_EQ(Result(tqDeletePicture(4)), Result(DMS_E_IN_USE));
    EXPECT_EQ(Result(tqDeletePicture(1)), Result(DMS_E_IN_USE));

    // A row that never turns modifying, or never ready.
    p.index = 2;
    sign.fault({{"fn", "tqSetGraphicTable"}, {"args", {2, NTCIP_GRAPHIC_STATUS}}, {"swallow", true}, {"times", -1}});
    sign.clearJournal();
    EXPECT_EQ(Result(tqSendSinglePicture(path.c_str(), &p)), Result(DMS_E_NOT_MODIFYING));
    EXPECT_EQ(statusRequests(sign), (std::vector<int>{7, 7, 7}));
    sign.clearFaults();
    sign.fault({{"fn", "tqSetGraphicTable"}, {"args", {2, NTCIP_GRAPHIC_STATUS}}, {"nth", 2}, {"swallow", true}});
    EXPECT_EQ(Result(tqSendSinglePicture(path.c_str(), &p)), Result(DMS_E_STATE_TIMEOUT));
    EXPECT_EQ(rowOf(sign, 2)["status"], NTCIP_GRAPHIC_MODIFYING);
}

TEST(DeletePicture, EmptiesTheRowThroughItsStates) {
    SimSign sign(json{{"graphics", {graphicRow(2, "Old", 10, 3, 1, "ffe01aa8")}}});
    ASSERT_EQ(Result(tqDeletePicture(2)), Result(DMS_OK));
    EXPECT_TRUE(rowOf(sign, 2).is_null());
    EXPECT_EQ(columnsWritten(sign), (std::vector<int>{10, 3, 4, 5, 6, 8, 10}));
    EXPECT_EQ(statusRequests(sign), (std::vector<int>{7, 9}));
    EXPECT_EQ(sign.calls("tqSetGraphicTable")[2]["len"], 1);  // height emptied as one byte

    sign.patch({{"graphics", {graphicRow(2, "Old", 10, 3, 1, "ffe01aa8")}}});
    sign.fault({{"fn", "tqSetGraphicTable"}, {"args", {2, NTCIP_GRAPHIC_STATUS}}, {"nth", 2}, {"swallow", true}});
    EXPECT_EQ(Result(tqDeletePicture(2)), Result(DMS_E_STATE_TIMEOUT));
    sign.fault({{"fn", "tqSetGraphicTable"}, {"args", {2, NTCIP_GRAPHIC_STATUS}}, {"swallow", true}, {"times", 3}});
    sign.patch({{"graphics", {graphicRow(2, "Old", 10, 3, 1, "ffe01aa8")}}});
    EXPECT_EQ(Result(tqDeletePicture(2)), Result(DMS_E_NOT_MODIFYING));
    sign.clearFaults();
    EXPECT_EQ(Result(tqDeletePicture(99)), Result(TQDMS_E_NO_SUCH_NAME));  // the sign's own answer
}

TEST(SendAllPicture, WritesListedRowsEmptiesOthersAndLeavesTheLastRow) {
    SimSign sign(json{{"limits", {{"graphicRows", 4}}},
                      {"graphics", {graphicRow(2, "Two", 2, 2, 4, ""), graphicRow(4, "Four", 2, 2, 4, "")}}});
    TenByThreeFile file;
    std::string paths = pathFields({file.path, file.path});
    dmsGraphic pictures[2] = {pictureRecord(3, 1, "Three"), pictureRecord(1, 1, "One")};
    int32_t count = 2;
    int32_t results[2] = {9, 9};
    ASSERT_EQ(Result(tqSendAllPicture(paths.c_str(), &count, pictures, results)), Result(DMS_OK));
    EXPECT_EQ(Result(results[0]), Result(DMS_OK));
    EXPECT_EQ(Result(results[1]), Result(DMS_OK));
    EXPECT_EQ(rowOf(sign, 1)["name"], "One");
    EXPECT_EQ(rowOf(sign, 3)["name"], "Three");
    EXPECT_TRUE(rowOf(sign, 2).is_null());
    EXPECT_EQ(rowOf(sign, 4)["name"], "Four");
    for (const char* fn : {"tqGetGraphicTable", "tqSetGraphicTable", "tqSetGraphicBitmapTable"})
        for (const json& c : sign.calls(fn)) EXPECT_NE(c["args"][0], 4) << fn;
    // step 25: each upload's block and end, the emptied row, then 100.
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(SimSign::progress(), (P{{0, 25}, {0, 25}, {0, 50}, {0, 75}, {0, 75}, {0, 100}}));

    // An emptied row that refuses reports its code through the progress.
    sign.patch({{"graphics", {graphicRow(2, "Fixed", 2, 2, 4, "", 6)}}});
    SimSign::progress().clear();
    ASSERT_EQ(Result(tqSendAllPicture(paths.c_str(), &count, pictures, nullptr)), Result(DMS_OK));
    EXPECT_EQ(SimSign::progress()[2], std::make_pair(static_cast<int>(DMS_E_IN_USE), 50));
}

TEST(SendAllPicture, PicturesNeverSentKeepMinusOne) {
    SimSign sign(json{{"limits", {{"graphicRows", 4}}}});
    TenByThreeFile file;
    const std::string& a = file.path;
    std::string paths = pathFields({a, a, a, a});
    dmsGraphic pictures[4] = {pictureRecord(1, 1, "First"), pictureRecord(1, 1, "Second"), pictureRecord(0, 1, "Zero"),
                              pictureRecord(4, 1, "Last row")};
    int32_t count = 4;
    int32_t results[4] = {9, 9, 9, 9};
    EXPECT_EQ(tqSendAllPicture(paths.c_str(), &count, pictures, results), 0xFFFFFFFFu);
    EXPECT_EQ(std::vector<int32_t>(results, results + 4), (std::vector<int32_t>{0, -1, -1, -1}));
    EXPECT_EQ(rowOf(sign, 1)["name"], "First");
    EXPECT_TRUE(rowOf(sign, 4).is_null());
    EXPECT_EQ(Result(tqSendAllPicture(paths.c_str(), &count, pictures, nullptr)), Result(DMS_OK));

    // A failed upload's code lands in its slot and, as the last non-zero
    // slot, in the result; without slots the last upload's result counts.
    std::string two = pathFields({file.dir.file("missing.bmp"), a});
    dmsGraphic pair[2] = {pictureRecord(1, 1, "Gone"), pictureRecord(2, 1, "Here")};
    count = 2;
    EXPECT_EQ(Result(tqSendAllPicture(two.c_str(), &count, pair, results)), Result(DMS_E_OPEN_INPUT));
    EXPECT_EQ(Result(results[0]), Result(DMS_E_OPEN_INPUT));
    EXPECT_EQ(Result(results[1]), Result(DMS_OK));
    EXPECT_EQ(Result(tqSendAllPicture(two.c_str(), &count, pair, nullptr)), Result(DMS_OK));

    EXPECT_EQ(Result(tqSendAllPicture(nullptr, &count, pair, results)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqSendAllPicture(two.c_str(), nullptr, pair, results)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqSendAllPicture(two.c_str(), &count, nullptr, results)), Result(DMS_E_ARGUMENT));
}

TEST(SendAllPicture, WithoutAnInterfaceEverySlotGetsThree) {
    std::string paths = pathFields({"a.bmp", "b.bmp"});
    dmsGraphic pictures[2] = {pictureRecord(1, 1, "A"), pictureRecord(2, 1, "B")};
    int32_t count = 2;
    int32_t results[2] = {0, 0};
    uint32_t rc = 0;
    std::thread([&] { rc = tqSendAllPicture(paths.c_str(), &count, pictures, results); }).join();
    EXPECT_EQ(Result(rc), Result(DMS_E_NO_INTERFACE));
    EXPECT_EQ(std::vector<int32_t>(results, results + 2), std::vector<int32_t>(2, 3));
    std::vector<uint32_t> others;
    std::thread([&] {
        int32_t n = 2;
        others = {tqSendSinglePicture("a.bmp", &pictures[0]), tqGetPictures(pictures, &n, nullptr, 0),
                  tqDeletePicture(1)};
    }).join();
    EXPECT_EQ(others, std::vector<uint32_t>(3, 3u));
}

json listedSign() {
    return {{"limits", {{"graphicRows", 6}}},
            {"graphics",
             {graphicRow(1, "Mono", 10, 3, 1, "ffe01aa8"), graphicRow(2, "Colour", 2, 2, 4, "0102030405060708090a0b0c", 6),
              graphicRow(3, "Half", 4, 5, 1, "", 2), graphicRow(5, "Flat", 4, 0, 1, "")}}};
}

TEST(GetPictures, ListsRowsWithoutFolderOrIntoFiles) {
    SimSign sign(listedSign());
    dmsGraphic list[4];
    std::memset(list, 0x5A, sizeof list);
    int32_t count = 4;
    ASSERT_EQ(Result(tqGetPictures(list, &count, nullptr, 0)), Result(DMS_OK));
    ASSERT_EQ(count, 2);
    // No files, no lengths; the whole capacity was cleared.
    EXPECT_EQ(json::array({asJson(list[0]), asJson(list[1]), asJson(list[2])}),
              json::parse(R"([{"index":1,"width":10,"height":3,"type":1,"status":4,"name":"Mono","fileLength":0},
                              {"index":2,"width":2,"height":2,"type":4,"status":6,"name":"Colour","fileLength":0},
                              {"index":0,"width":0,"height":0,"type":0,"status":0,"name":"","fileLength":0}])"));
    EXPECT_NE(list[0].id, 0);
    EXPECT_TRUE(sign.calls("tqGetGraphicBitmapTable").empty());
    EXPECT_EQ(SimSign::progress().back(), std::make_pair(0, 100));

    // A folder that does not exist: listed, nothing written.
    TempFolder dir;
    const std::string absent = dir.file("absent");
    count = 4;
    ASSERT_EQ(Result(tqGetPictures(list, &count, absent.c_str(), 1)), Result(DMS_OK));
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(std::filesystem::exists(absent));

    // overwrite 0 keeps a file that is there and writes the others.
    writeFile(dir.file("1.bmp"), Bytes{'k', 'e', 'e', 'p'});
    count = 4;
    ASSERT_EQ(Result(tqGetPictures(list, &count, dir.path().c_str(), 0)), Result(DMS_OK));
    EXPECT_EQ(readFile(dir.file("1.bmp")), (Bytes{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(list[0].fileLength, 0u);
    EXPECT_EQ(list[1].fileLength, 12u);
    Bytes colour = readFile(dir.file("2.bmp"));
    ASSERT_EQ(colour.size(), 54u + 16u);
    EXPECT_EQ(Bytes(colour.begin() + 54, colour.end()), (Bytes{7, 8, 9, 10, 11, 12, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0}));

    // overwrite 1: the monochrome picture comes back red on black.
    count = 4;
    ASSERT_EQ(Result(tqGetPictures(list, &count, dir.path().c_str(), 1)), Result(DMS_OK));
    EXPECT_EQ(list[0].fileLength, 4u);
    Bytes mono = readFile(dir.file("1.bmp"));
    ASSERT_EQ(mono.size(), 62u + 12u);
    EXPECT_EQ(Bytes(mono.begin() + 54, mono.begin() + 62), (Bytes{0, 0, 0, 0, 0, 0, 255, 0}));
    Decoded d = decode(mono, 16);
    ASSERT_EQ(Result(d.rc), Result(DMS_OK));
    EXPECT_EQ(head(d.pixels, 4), (Bytes{0xFF, 0xE0, 0x1A, 0xA8}));

    count = 1;
    EXPECT_EQ(Result(tqGetPictures(list, &count, nullptr, 0)), Result(DMS_E_FULL));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Result(tqGetPictures(nullptr, &count, nullptr, 0)), Result(DMS_E_ARGUMENT));
    EXPECT_EQ(Result(tqGetPictures(list, nullptr, nullptr, 0)), Result(DMS_E_ARGUMENT));
}

TEST(Pictures, EveryExamplePictureComesBackWithTheSamePixels) {
    const std::string examples = std::string(DMS_SOURCE_DIR) + "/examples/pictures";
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(examples))
        if (e.path().extension() == ".bmp") files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 3u);

    SimSign sign;
    std::vector<dmsGraphic> pictures;
    std::vector<Bytes> originals;
    for (size_t i = 0; i < files.size(); ++i) {
        originals.push_back(readFile(files[i]));
        uint16_t bits = static_cast<uint16_t>(originals.back()[28]);
        pictures.push_back(pictureRecord(static_cast<int>(i + 1), bits == 1 ? 1 : bits == 8 ? 2 : 4, "example"));
    }
    std::string paths = pathFields(files);
    int32_t count = static_cast<int32_t>(files.size());
    std::vector<int32_t> results(files.size(), 9);
    ASSERT_EQ(Result(tqSendAllPicture(paths.c_str(), &count, pictures.data(), results.data())), Result(DMS_OK));

    TempFolder dir;
    std::vector<dmsGraphic> listed(16);
    int32_t n = 16;
    ASSERT_EQ(Result(tqGetPictures(listed.data(), &n, dir.path().c_str(), 1)), Result(DMS_OK));
    ASSERT_EQ(n, count);
    for (size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i]);
        Bytes back = readFile(dir.file(std::to_string(i + 1) + ".bmp"));
        Decoded a = decode(originals[i], 1), b = decode(back, 1);
        ASSERT_EQ(Result(a.rc), Result(DMS_OK));
        ASSERT_EQ(Result(b.rc), Result(DMS_OK));
        EXPECT_EQ(std::vector<int>({b.ih.width, b.ih.height, b.ih.bitCount}),
                  std::vector<int>({a.ih.width, a.ih.height, a.ih.bitCount}));
        size_t bytes = (size_t(a.ih.bitCount) * a.ih.width * a.ih.height + 7) / 8;
        EXPECT_EQ(head(b.pixels, bytes), head(a.pixels, bytes));
    }
}

}  // namespace
