// Fault sweeps of the picture exports: every device call fails in turn.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dmscontent/dmscontent.h"
#include "support/bmp_files.h"
#include "support/fault_sweep.h"
#include "support/pictures.h"
#include "support/result.h"
#include "support/sim_sign.h"


using namespace testing_support;

namespace {

// A new sign in place of the last one (only one may be open at a time).
void fresh(std::unique_ptr<SimSign>& sign, const json& config) {
    sign.reset();
    sign = std::make_unique<SimSign>(config);
}

json twoPictures() {
    return {{"limits", {{"graphicRows", 3}, {"graphicBlockSize", 2}}},
            {"graphics", {graphicRow(1, "Mono", 10, 3, 1, "ffe01aa8"), graphicRow(2, "Colour", 2, 1, 4, "010203040506")}}};
}

TEST(PictureFaults, SendSinglePicture) {
    TenByThreeFile file;
    std::unique_ptr<SimSign> sign;
    dmsGraphic p;
    int calls = faultSweep(
        [&] { fresh(sign, json{{"limits", {{"graphicRows", 3}, {"graphicBlockSize", 2}}}}); },
        [&] {
            p = pictureRecord(2, 1, "Arrow");
            return tqSendSinglePicture(file.path.c_str(), &p);
        },
        [&](const SweepStep& s) { EXPECT_EQ(Result(s.result), Result(kSweepCode)); });
    EXPECT_GE(calls, 16);  // 3 definitions, 3 status, 7 columns, 2 blocks, 2 status
    sign.reset();
}

TEST(PictureFaults, DeletePicture) {
    std::unique_ptr<SimSign> sign;
    faultSweep(
        [&] { fresh(sign, twoPictures()); },
        [&] { return tqDeletePicture(1); },
        [&](const SweepStep& s) { EXPECT_EQ(Result(s.result), Result(kSweepCode)); });
    sign.reset();
}

TEST(PictureFaults, GetPicturesIntoFiles) {
    TempFolder dir;
    std::unique_ptr<SimSign> sign;
    dmsGraphic list[4];
    int32_t count = 0;
    faultSweep(
        [&] { fresh(sign, twoPictures()); },
        [&] {
            count = 4;
            return tqGetPictures(list, &count, dir.path().c_str(), 1);
        },
        [&](const SweepStep& s) {
            // Block reads are not checked: the picture keeps zeros there.
            uint32_t want = s.call["fn"] == "tqGetGraphicBitmapTable" ? 0u : kSweepCode;
            EXPECT_EQ(s.result, want);
            EXPECT_LE(count, 2);
            if (s.result == 0) {
                EXPECT_EQ(count, 2);
            }
        });
    sign.reset();
}

TEST(PictureFaults, SendAllPicture) {
    TenByThreeFile file;
    std::string paths = pathFields({file.path});
    std::unique_ptr<SimSign> sign;
    dmsGraphic pictures[1];
    int32_t results[1];
    // G = 3: row 1 gets the picture, row 2 is emptied, row 3 is left alone.
    faultSweep(
        [&] { fresh(sign, twoPictures()); },
        [&] {
            pictures[0] = pictureRecord(1, 1, "Arrow");
            results[0] = 9;
            int32_t count = 1;
            return tqSendAllPicture(paths.c_str(), &count, pictures, results);
        },
        [&](const SweepStep& s) {
            const json& args = s.call["args"];
            bool limits = s.index <= 2;
            bool upload = !limits && (s.call["fn"] == "tqGetGraphicDefinition" || args[0] == 1);
            if (limits) {
                // Nothing was sent: the slot keeps -1 and becomes the result.
                EXPECT_EQ(results[0], -1);
                EXPECT_EQ(s.result, 0xFFFFFFFFu);
            } else if (upload) {
                EXPECT_EQ(results[0], static_cast<int32_t>(kSweepCode));
                EXPECT_EQ(Result(s.result), Result(kSweepCode));
            } else {
                // The emptying of row 2 reports its failure through the progress only.
                EXPECT_EQ(Result(results[0]), Result(DMS_OK));
                EXPECT_EQ(Result(s.result), Result(DMS_OK));
                bool reported = false;
                for (const auto& p : SimSign::progress()) reported = reported || p.first == static_cast<int>(kSweepCode);
                EXPECT_TRUE(reported);
            }
        });
    sign.reset();
}

}  // namespace
