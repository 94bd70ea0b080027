// Several threads, each driving its own simulated sign through the exports
// at once, and a stop asked from another thread. Run under ThreadSanitizer
// by `make tsan`.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "model/message.h"
#include "support/message_xml.h"
#include "support/result.h"
#include "support/schedules.h"
#include "support/sim_sign.h"

using testing_support::Result;
using testing_support::item;
using testing_support::json;
using testing_support::TempFile;

namespace {

const std::string kTextDocument = std::string(DMS_SOURCE_DIR) + "/examples/messages/text.xml";

std::string stateText() {
    std::string buf(static_cast<size_t>(tqsimGetState(nullptr, 0)), '\0');
    tqsimGetState(&buf[0], static_cast<int>(buf.size()));
    return buf.c_str();
}

// Opens an in-memory sign for the calling thread only and binds the thread
// to it. With `swapNames` its two fonts trade names, so the name "8x14"
// means font 1 there and font 2 on a default sign. The sign is 160 x 32:
// the text example's first page (two lines in 8x14, the second 158 pixels
// wide) does not fit the default 105 x 27.
void openOwnSign(bool swapNames, void(TQ_CALL* progress)(void*, int, int) = nullptr) {
    ASSERT_EQ(Result(tqsimOpenMemoryThread(R"({"profile":{"signWidthPixels":160,"signHeightPixels":32}})")),
              Result(TQDMS_OK));
    DeviceInitParameters params;
    std::memset(&params, 0, sizeof params);
    std::strcpy(params.address, "127.0.0.1");
    params.progress = progress;
    ASSERT_EQ(Result(tqDMSInitNotVerify(&params)), Result(TQDMS_OK));
    if (!swapNames) return;
    json fonts = json::parse(stateText())["fonts"];
    ASSERT_EQ(fonts.size(), 2u);
    std::swap(fonts[0]["name"], fonts[1]["name"]);
    ASSERT_EQ(Result(tqsimPatchState(json{{"fonts", fonts}}.dump().c_str())), Result(TQDMS_OK));
}

// The first message of the text example as each kind of sign must get it:
// its "8x14" text in that sign's font of the name, the writer's font and
// flash memory starting afresh on each page.
std::string expectedMulti(bool swapNames) {
    return std::string("[pt30o][pb0,0,0][jp3][jl2]") +
           (swapNames ? "[fo1]HELLO[nl1][jl3][fo2]DRIVE SAFE" : "[fo2]HELLO[nl1][jl3]DRIVE SAFE") +
           "[f1][hc41][np][pt20o5][pb0,0,0][flt05o05][cf255,255,0][fo1]NEXT EXIT[/fl]";
}

// One thread's work: messages sent and read back, fonts listed, schedules
// added and listed, every result checked. Returns the number of failures.
void driveOwnSign(int thread, int rounds, std::vector<std::string>& failures) {
    const bool swapped = thread % 2 == 1;
    auto fail = [&](const std::string& what) { failures.push_back("thread " + std::to_string(thread) + ": " + what); };
    openOwnSign(swapped);
    ScheduleItem items[2] = {item(0x1FFE, 0xFE, 0, 7, static_cast<uint8_t>(thread), 1),
                             item(0x1FFE, 0xFE, 0, 17, static_cast<uint8_t>(thread), 1)};
    for (int round = 0; round < rounds && failures.empty(); ++round) {
        // The document activates its message 1: blank the sign so the row
        // may be written again.
        if (tqClearMessageEvent() != 0) fail("blank");
        if (uint32_t rc = tqSendMessage(kTextDocument.c_str())) fail("send " + std::to_string(rc));
        MessageTableEntry row{};
        if (tqGetSingleMessage(3, 1, &row) != 0 || row.multi != expectedMulti(swapped))
            fail(std::string("row 1 holds ") + row.multi);
        TempFile back;
        if (tqGetMessage(back.path()) != 0) fail("get");
        const std::string doc = back.read();
        if (doc.find("fontName=\"8x14\" text=\"HELLO\"") == std::string::npos) fail("read back: " + doc);

        dmsFont fonts[4] = {};
        uint32_t count = 4;
        if (tqGetFontList(fonts, &count) != 0 || count != 2 ||
            std::strcmp(fonts[0].name, swapped ? "8x14" : "5x7") != 0)
            fail("font list");

        ScheduleItem send[2] = {items[0], items[1]};
        int32_t sent = 2;
        if (tqSendSchedules(send, &sent) != 0 || sent != (round == 0 ? 2 : 0))
            fail("schedules sent " + std::to_string(sent));
        ScheduleItem listed[8] = {};
        TimeBaseSchedule rows[8] = {};
        int32_t itemCount = 8, rowCount = 8;
        if (tqGetScheduleList(listed, &itemCount, rows, &rowCount) != 0 || itemCount != 2 ||
            listed[0].minute != thread)
            fail("schedules listed " + std::to_string(itemCount));
    }
    tqsimClose();
}

TEST(Threads, FourThreadsEachDriveTheirOwnSignAtOnce) {
    constexpr int kThreads = 4;
    constexpr int kRounds = 12;
    tqsimSetJournal(0);
    std::vector<std::vector<std::string>> failures(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) threads.emplace_back(driveOwnSign, t, kRounds, std::ref(failures[t]));
    for (std::thread& t : threads) t.join();
    tqsimSetJournal(1);
    for (int t = 0; t < kThreads; ++t) EXPECT_TRUE(failures[t].empty()) << failures[t].front();
}

// The MULTI writer remembers the flash and font it last wrote; two threads
// writing at once must each keep their own memory. Each thread's message
// differs in flashing and fonts, so a shared memory shows as a stray
// "[/fl]" or a missing "[fo]".
TEST(Threads, WritersDoNotShareTheirMemory) {
    constexpr int kThreads = 4;
    constexpr int kWrites = 20000;
    auto build = [](int thread, dms::CMessage& m) {
        dms::PageMessage* page = m.AddPage(0);
        for (int i = 0; i < 4; ++i) {
            dms::NormalText* t = page->AddNormalText(i % 2 ? "B" : "A");
            t->fontNum = 1 + (thread + i) % 3;
            if ((thread + i) % 2) t->flash.flashOnTime = t->flash.flashOffTime = 5;
        }
    };
    std::vector<std::string> expected(kThreads);
    for (int t = 0; t < kThreads; ++t) {
        dms::CMessage m;
        build(t, m);
        ASSERT_EQ(Result(m.BuildMulti(1024)), Result(DMS_OK));
        expected[t] = m.multiString;
    }
    std::vector<int> wrong(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            dms::CMessage m;
            build(t, m);
            for (int i = 0; i < kWrites; ++i)
                if (m.BuildMulti(1024) != 0 || expected[t] != m.multiString) ++wrong[t];
        });
    }
    for (std::thread& t : threads) t.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(wrong[t], 0) << "thread " << t << ": " << expected[t];
}

// A host's UI thread, which has no sign of its own, stops the upload a
// worker thread is running: the worker's next exchange fails, and no stop
// is left behind for its next operation.
std::promise<void>* g_reached = nullptr;
std::shared_future<void> g_stopped;

void TQ_CALL pauseAtFirstProgress(void*, int, int) {
    if (!g_reached) return;
    g_reached->set_value();
    g_reached = nullptr;
    g_stopped.wait_for(std::chrono::seconds(10));
}

TEST(Threads, StopFromAnotherThreadReachesTheRunningUpload) {
    std::promise<void> reached;
    std::promise<void> stopped;
    g_reached = &reached;
    g_stopped = stopped.get_future().share();
    uint32_t first = 0, second = 0;
    int32_t flagAfter = -1;
    std::thread worker([&] {
        openOwnSign(false, pauseAtFirstProgress);
        first = tqSendMessage(kTextDocument.c_str());  // two messages: progress after the first
        flagAfter = static_cast<DeviceInterface*>(GetIf())->params.stopRequested;
        second = tqSendMessage(kTextDocument.c_str());
        tqsimClose();
    });
    ASSERT_EQ(reached.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    uint32_t fromUi = 99;
    std::thread([&] { fromUi = tqStop(); }).join();
    stopped.set_value();
    worker.join();
    EXPECT_EQ(fromUi, 0u);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(flagAfter, 0);
    EXPECT_EQ(second, 0u);
}

// Signs opened for one thread are not seen by another, and closing one
// leaves the process's sign alone.
TEST(Threads, ThreadSignsAreTheirOwn) {
    testing_support::SimSign shared(json{{"limits", {{"maxChangeable", 7}}}});
    std::string seenThere;
    std::thread([&] {
        openOwnSign(false);
        seenThere = json::parse(stateText())["limits"].dump();
        tqsimClose();
    }).join();
    EXPECT_NE(json::parse(seenThere)["maxChangeable"], 7);
    EXPECT_EQ(json::parse(stateText())["limits"]["maxChangeable"], 7);
    int32_t t[8];
    EXPECT_EQ(Result(tqGetTime(t)), Result(DMS_OK));
}

}  // namespace
