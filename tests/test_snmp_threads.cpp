// Four threads, each with a sign of its own served over SNMP on loopback,
// run the exports at once: every result and everything read back must be
// the thread's own. Run under ThreadSanitizer by `make tsan`.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "support/message_xml.h"
#include "support/net_sign.h"
#include "support/pictures.h"
#include "support/schedules.h"

using namespace testing_support;

namespace {

const std::string kPicture = std::string(DMS_SOURCE_DIR) + "/examples/pictures/arrow-1bit.bmp";
const std::string kFont = std::string(DMS_SOURCE_DIR) + "/examples/fonts/Fixed5x7.fnt";

// A document with changeable message 1, shown at once, saying `text`.
std::string documentSaying(const std::string& text, const std::string& owner) {
    return documentXml(messageXml({{"number", "1"}, {"owner", owner}},
                                  pageXml("", "", "<NormalText text=\"" + text + "\" fontName=\"8x14\"/>")),
                       "<Event><Activate type=\"changeable\" number=\"1\"/></Event>");
}

// One thread's work on its own sign; what went wrong goes into failures.
void driveServedSign(int thread, int port, const std::string& dir, int rounds, std::vector<std::string>& failures) {
    auto fail = [&](const std::string& what) { failures.push_back("thread " + std::to_string(thread) + ": " + what); };
    auto check = [&](uint32_t rc, const std::string& what) {
        if (rc != 0) fail(what + " returned " + std::to_string(rc));
        return rc == 0;
    };
    if (!check(openNetSign(snmpUri(port, 1000, 2)), "open")) return;
    const std::string owner = "thread " + std::to_string(thread);
    for (int round = 0; round < rounds && failures.empty(); ++round) {
        const std::string tag = "T" + std::to_string(thread) + " R" + std::to_string(round);

        // A message document sent, its row and the document read back.
        check(tqClearMessageEvent(), "blank");
        TempFile doc(documentSaying(tag, owner));
        check(tqSendMessage(doc.path()), "send " + tag);
        MessageTableEntry row{};
        if (check(tqGetSingleMessage(3, 1, &row), "get row") &&
            (std::string(row.multi).find(tag) == std::string::npos || owner != row.owner))
            fail("row 1 holds " + std::string(row.multi) + " of " + row.owner);
        TempFile back;
        if (check(tqGetMessage(back.path()), "get document") &&
            back.read().find("text=\"" + tag + "\"") == std::string::npos)
            fail("document read back: " + back.read());

        // The clock, set to a time of the thread's own.
        const int32_t day = 10 + round, hour = 8 + thread;
        check(tqSetTime(2026, 1 + thread, day, hour, 15, 10, 0, 12), "set time");
        int32_t t[8] = {};
        if (check(tqGetTime(t), "get time") &&
            (t[0] != 2026 || t[1] != 1 + thread || t[2] != day || t[3] != hour || t[4] != 15 || t[5] < 10 ||
             t[5] > 14 || t[7] != 12))
            fail("clock reads " + std::to_string(t[1]) + "-" + std::to_string(t[2]) + " " + std::to_string(t[3]) +
                 ":" + std::to_string(t[4]) + ":" + std::to_string(t[5]));

        // A picture into a row of the round's own, listed back.
        dmsGraphic picture = pictureRecord(1 + round, 1, tag.c_str());
        if (check(tqSendSinglePicture(kPicture.c_str(), &picture), "picture " + tag)) {
            dmsGraphic listed[20] = {};
            int32_t count = 20;
            bool found = false;
            if (check(tqGetPictures(listed, &count, nullptr, 0), "list pictures"))
                for (int32_t i = 0; i < count; ++i)
                    found |= listed[i].index == 1 + round && tag == listed[i].name &&
                             listed[i].width == picture.width && listed[i].height == picture.height;
            if (!found) fail("picture " + tag + " not listed");
        }

        // A quick display, found by its owner among the rows.
        const std::string quick = "Q " + tag;
        if (check(tqDisplayText(quick.c_str(), "8x14", 1, 1, 0, nullptr), "display " + quick)) {
            std::vector<MessageTableEntry> rows(64);
            int32_t count = 64;
            bool found = false;
            if (check(tqGetMessages(rows.data(), &count), "list messages"))
                for (int32_t i = 0; i < count; ++i)
                    found |= std::string(rows[i].owner) == "Easy for display text" &&
                             std::string(rows[i].multi).find(quick) != std::string::npos;
            if (!found) fail("quick display " + quick + " not in the rows");
        }

        // Two schedule items of the thread's own minute: added once, then known.
        ScheduleItem send[2] = {item(kAllMonths, 0xFE, 0, 7, static_cast<uint8_t>(thread), 1),
                                item(kAllMonths, 0xFE, 0, 17, static_cast<uint8_t>(thread), 1)};
        int32_t sent = 2;
        if (check(tqSendSchedules(send, &sent), "send schedules") && sent != (round == 0 ? 2 : 0))
            fail("schedules sent " + std::to_string(sent));
        ScheduleItem items[8] = {};
        TimeBaseSchedule schedules[8] = {};
        int32_t itemCount = 8, scheduleCount = 8;
        if (check(tqGetScheduleList(items, &itemCount, schedules, &scheduleCount), "list schedules") &&
            (itemCount != 2 || items[0].minute != thread || items[1].minute != thread))
            fail("schedules listed " + std::to_string(itemCount));
    }

    // Last, a font of the thread's own name into row 1; the upload frees the
    // other rows but the sign's last, so it is the only font left.
    const std::string fontPath = dir + "/t" + std::to_string(thread) + ".fnt";
    std::filesystem::copy_file(kFont, fontPath);
    std::string field(255, '\0');
    field.replace(0, fontPath.size(), fontPath);
    int32_t count = 1;
    if (check(tqSendFonts(field.data(), &count, 0), "send font") && count != 1) fail("fonts sent " + std::to_string(count));
    dmsFont fonts[8] = {};
    uint32_t listed = 8;
    if (check(tqGetFontList(fonts, &listed), "list fonts") &&
        (listed != 1 || fonts[0].row != 1 || fonts[0].name != "t" + std::to_string(thread) + ".fnt"))
        fail(std::to_string(listed) + " fonts listed, the first " + fonts[0].name);
    tqsimClose();
}

TEST(SnmpThreads, FourThreadsEachDriveTheirOwnServedSignAtOnce) {
    constexpr int kThreads = 4;
    constexpr int kRounds = 8;
    std::vector<std::unique_ptr<ServedSign>> signs;
    for (int t = 0; t < kThreads; ++t) {
        signs.push_back(std::make_unique<ServedSign>());
        ASSERT_TRUE(signs.back()->started()) << "agent " << t;
    }
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::vector<std::string>> failures(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(driveServedSign, t, signs[t]->port(), signs[t]->dir(), kRounds, std::ref(failures[t]));
    for (std::thread& t : threads) t.join();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ snmp ] %d threads x %d rounds over SNMP in %lld ms\n", kThreads, kRounds, static_cast<long long>(ms));
    for (int t = 0; t < kThreads; ++t)
        EXPECT_TRUE(failures[t].empty()) << failures[t].size() << " failures, first: " << failures[t].front();
    // Each agent ends cleanly and saves its own thread's work.
    for (int t = 0; t < kThreads; ++t) {
        ASSERT_EQ(signs[t]->stop(), 0);
        std::ifstream in(signs[t]->dir() + "/sign.json");
        const nlohmann::json state = nlohmann::json::parse(in, nullptr, false);
        ASSERT_TRUE(state.contains("fonts")) << "agent " << t;
        EXPECT_EQ(state["fonts"][0]["name"], "t" + std::to_string(t) + ".fnt");
    }
}

}  // namespace
