// The exports over a bad link: a relay between the sign's SNMP session and
// its agent loses, duplicates, delays and reorders datagrams. Every export
// must either do its work (checked through a direct connection) or return
// a failure code, within its time; no answer may be taken for another
// request's; a stop ends a wait on a dead link early.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "support/font_files.h"
#include "support/message_xml.h"
#include "support/net_sign.h"
#include "support/pictures.h"
#include "support/result.h"
#include "support/schedules.h"
#include "support/udp_relay.h"
#include "tqdms/ntcip.h"

using namespace testing_support;
using snmptest::LinkFaults;
using snmptest::UdpRelay;
using Clock = std::chrono::steady_clock;

namespace {

const std::string kPicture = std::string(DMS_SOURCE_DIR) + "/examples/pictures/arrow-1bit.bmp";

long long msSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Codes an export may return when its exchanges fail: the failed exchange
// itself (also DMS_E_FAILED), a row that did not reach its state, a
// graphic row refused on its status, and the device's codes for a request
// the sign refused (a retried request may find the row moved on).
bool documentedFailure(uint32_t rc) {
    switch (rc) {
    case TQDMS_E_EXCHANGE:
    case DMS_E_NOT_MODIFYING:
    case DMS_E_STATE_TIMEOUT:
    case DMS_E_GRAPHIC_STATUS:
    case TQDMS_E_NO_SUCH_NAME:
    case TQDMS_E_BAD_VALUE:
    case TQDMS_E_GEN_ERR:
    case TQDMS_E_BAD_ANSWER: return true;
    default: return false;
    }
}

// How the calls through a relay went, by export family; and what the
// completed ones put on the sign, to be found there later.
struct Tally {
    struct Family {
        int completed = 0, failed = 0, requests = 0;
        long long slowestMs = 0;
        std::set<uint32_t> codes;  // of the failures
    };
    std::map<std::string, Family> families;
    std::vector<std::string> wrong;
    std::set<int> messages, minutes;

    // Runs fn on the worker through relay, timed: within a minute, and no
    // try (a datagram the relay got from the client) waiting longer than
    // timeoutMs for its answer. True when it completed.
    bool call(SignWorker& w, const UdpRelay& relay, int timeoutMs, const std::string& family,
              const std::function<uint32_t()>& fn) {
        uint32_t rc = 0;
        const int before = relay.counts(0).received;
        const auto start = Clock::now();
        w.run([&] { rc = fn(); });
        const long long ms = msSince(start);
        const int tries = relay.counts(0).received - before;
        Family& f = families[family];
        f.requests += tries;
        f.slowestMs = std::max(f.slowestMs, ms);
        if (ms > 60000 || ms > tries * (timeoutMs + 50LL) + 1000)
            wrong.push_back(family + " took " + std::to_string(ms) + " ms for " + std::to_string(tries) + " tries");
        ++(rc == 0 ? f.completed : f.failed);
        if (rc != 0) f.codes.insert(rc);
        if (rc != 0 && !documentedFailure(rc)) wrong.push_back(family + " returned " + resultName(rc));
        return rc == 0;
    }
    void expect(bool ok, const std::string& what) {
        if (!ok) wrong.push_back(what);
    }
    void print(const std::string& link) const {
        int completed = 0, failed = 0;
        for (const auto& kv : families) completed += kv.second.completed, failed += kv.second.failed;
        std::printf("[ relay ] %s: %d calls completed, %d failed\n", link.c_str(), completed, failed);
        for (const auto& kv : families) {
            std::string codes;
            for (uint32_t c : kv.second.codes) codes += " " + resultName(c);
            std::printf("[ relay ]   %-15s %d completed, %d failed%s; %d tries, slowest %lld ms\n",
                        kv.first.c_str(), kv.second.completed, kv.second.failed, codes.c_str(), kv.second.requests,
                        kv.second.slowestMs);
        }
    }
};

// A datagram still in the relay lands within this time (jitter, held back).
void letTheLinkSettle() { std::this_thread::sleep_for(std::chrono::milliseconds(150)); }

std::string documentOf(int number, const std::string& text) {
    return documentXml(messageXml({{"number", std::to_string(number)}, {"owner", "relay"}},
                                  pageXml("", "", "<NormalText text=\"" + text + "\" fontName=\"8x14\"/>")));
}

bool rowHolds(int number, const std::string& text) {
    MessageTableEntry row{};
    return tqGetSingleMessage(3, number, &row) == 0 && std::string(row.multi).find(text) != std::string::npos;
}

// A small sign, so that listings take few requests.
const char kSmallSign[] = R"({"limits": {"maxChangeable": 6, "maxVolatile": 2, "fontRows": 2, "graphicRows": 4,
    "maxScheduleEntries": 4, "maxDayPlans": 2, "maxDayPlanEvents": 5, "actionRows": 4}})";

// One link's run: each export family `repeats` times through `relay`,
// what completed checked through `direct`. Phases differ in `phase`
// (0, 1, ...): each writes message numbers, picture rows and schedule
// minutes of its own. timeoutMs is the one `uri` gives for each try.
void runFamilies(Tally& t, const UdpRelay& relay, const std::string& uri, SignWorker& direct, const std::string& dir,
                 int phase, int repeats, int timeoutMs) {
    SignWorker lossy(uri);
    t.expect(lossy.opened() == TQDMS_OK, "cannot open " + uri);
    bool ok = false;
    uint32_t directRc = 0;  // of the last check through the direct connection
    auto seen = [&] { return " (direct read: " + resultName(directRc) + ")"; };
    auto call = [&](const std::string& family, const std::function<uint32_t()>& fn) {
        return t.call(lossy, relay, timeoutMs, family, fn);
    };
    auto tag = [&](const char* what, int r) { return what + std::to_string(phase) + "R" + std::to_string(r); };

    for (int r = 0; r < repeats; ++r) {
        const std::string text = tag("LOSSY P", r);
        const int number = 2 + 2 * phase + r;
        TempFile doc(documentOf(number, text));
        if (call("message send", [&] { return tqSendMessage(doc.path()); })) {
            t.messages.insert(number);
            letTheLinkSettle();
            direct.run([&] { ok = rowHolds(number, text); });
            t.expect(ok, "message " + text + " not on the sign");
        }
        TempFile back;
        if (call("message get", [&] { return tqGetMessage(back.path()); })) {
            const std::string got = back.read();
            for (int n : t.messages)
                t.expect(got.find("LOSSY P" + std::to_string((n - 2) / 2) + "R" + std::to_string((n - 2) % 2)) !=
                             std::string::npos,
                         "message " + std::to_string(n) + " missing from the document read");
        }
    }

    for (int r = 0; r < repeats; ++r) {
        CellFont f;
        f.glyphs['A'] = {".###.", "#...#", "#####", "#...#", "#...#", "#...#", "#...#"};
        f.glyphs['B'] = {"####.", "#...#", "####.", "#...#", "#...#", "#...#", "####."};
        const std::string name = tag("lossy", r) + ".fnn";
        const std::string path = writeFile(dir + "/" + name, fnnFile(f, {{'A', 2}}));
        std::string field = pathFields({path});
        int32_t count = 1;
        if (call("font upload", [&] { return tqSendFonts(field.data(), &count, 0); })) {
            t.expect(count == 1, "font upload counted " + std::to_string(count));
            letTheLinkSettle();
            dmsFont fonts[4] = {};
            uint32_t listed = 4;
            direct.run([&] { ok = (directRc = tqGetFontList(fonts, &listed)) == 0; });
            // The sign's last row is not freed by an upload: 8x14 stays.
            t.expect(ok && listed == 2 && name == fonts[0].name && std::strcmp(fonts[1].name, "8x14") == 0,
                     "font " + name + " not on the sign" + seen());
        }
    }

    for (int r = 0; r < repeats; ++r) {
        const std::string name = tag("P", r);
        const int row = 1 + 2 * phase + r;
        dmsGraphic picture = pictureRecord(row, 1, name.c_str());
        const bool sent = call("picture upload", [&] { return tqSendSinglePicture(kPicture.c_str(), &picture); });
        if (!sent) {
            // A status request whose answer was lost is sent again, and the
            // sign may refuse the repeat though it did the first: show what
            // the failed upload left on the sign.
            letTheLinkSettle();
            dmsGraphic listed[4] = {};
            int32_t count = 4;
            direct.run([&] { directRc = tqGetPictures(listed, &count, nullptr, 0); });
            for (int32_t i = 0; directRc == 0 && i < count; ++i)
                if (listed[i].index == row)
                    std::printf("[ relay ] picture %s failed; row %d holds \"%s\", status %d\n", name.c_str(), row,
                                listed[i].name, listed[i].status);
        }
        if (sent) {
            letTheLinkSettle();
            dmsGraphic listed[4] = {};
            int32_t count = 4;
            direct.run([&] { ok = (directRc = tqGetPictures(listed, &count, nullptr, 0)) == 0; });
            bool found = false;
            for (int32_t i = 0; ok && i < count; ++i)
                found |= listed[i].index == row && name == listed[i].name && listed[i].width == picture.width &&
                         listed[i].height == picture.height && listed[i].status == NTCIP_GRAPHIC_READY_FOR_USE;
            t.expect(found, "picture " + name + " not on the sign" + seen());
        }
    }

    for (int r = 0; r < repeats; ++r) {
        const int minute = 20 + 10 * phase + r;
        ScheduleItem items[1] = {item(kAllMonths, kWeekdays, 0, 6, static_cast<uint8_t>(minute), 2)};
        int32_t count = 1;
        if (call("schedules send", [&] { return tqSendSchedules(items, &count); })) t.minutes.insert(minute);
        letTheLinkSettle();
        ScheduleItem onSign[8] = {}, read[8] = {};
        TimeBaseSchedule rows[4] = {}, readRows[4] = {};
        int32_t signCount = 8, rowCount = 4, readCount = 8, readRowCount = 4;
        direct.run([&] { ok = (directRc = tqGetScheduleList(onSign, &signCount, rows, &rowCount)) == 0; });
        t.expect(ok, "schedules not listed directly" + seen());
        std::set<int> minutes;
        for (int32_t i = 0; i < signCount; ++i) minutes.insert(onSign[i].minute);
        for (int m : t.minutes) t.expect(minutes.count(m) == 1, "schedule at 6:" + std::to_string(m) + " missing");
        if (call("schedules list", [&] { return tqGetScheduleList(read, &readCount, readRows, &readRowCount); }))
            t.expect(readCount == signCount && std::memcmp(read, onSign, sizeof read) == 0,
                     "schedules listed over the link differ");
    }

    for (int r = 0; r < repeats; ++r) {
        const int32_t day = 4 + 2 * phase + r;
        int32_t clock[8] = {};
        if (call("clock set", [&] { return tqSetTime(2026, 3, day, 5, 6, 7, 0, 12); })) {
            letTheLinkSettle();
            direct.run([&] { ok = (directRc = tqGetTime(clock)) == 0; });
            t.expect(ok && clock[0] == 2026 && clock[1] == 3 && clock[2] == day && clock[3] == 5 && clock[4] == 6 &&
                         clock[7] == 12,
                     "clock not set" + seen());
            if (call("clock get", [&] { return tqGetTime(clock); }))
                t.expect(clock[2] == day && clock[3] == 5 && clock[4] == 6, "clock read over the link differs");
        }
    }

    for (int r = 0; r < repeats; ++r) {
        const std::string text = tag("QUICK P", r);
        if (call("quick display", [&] { return tqDisplayText(text.c_str(), "8x14", 1, 1, 0, nullptr); })) {
            letTheLinkSettle();
            std::vector<MessageTableEntry> rows(24);
            int32_t count = 24;
            bool found = false;
            direct.run([&] { ok = (directRc = tqGetMessages(rows.data(), &count)) == 0; });
            for (int32_t i = 0; ok && i < count; ++i)
                found |= std::string(rows[i].multi).find(text) != std::string::npos;
            t.expect(found, "quick display " + text + " not on the sign" + seen());
        }
    }
}

void printLink(const UdpRelay& relay) {
    const UdpRelay::Counts out = relay.counts(0), in = relay.counts(1);
    std::printf("[ relay ] requests %d (dropped %d, doubled %d, held back %d), answers %d (dropped %d, doubled %d)\n",
                out.received, out.dropped, out.duplicated, out.delayed, in.received, in.dropped, in.duplicated);
}

TEST(SnmpRelay, EveryExportCompletesOrFailsWithinItsTimeOverABadLink) {
    const auto testStart = Clock::now();
    ServedSign sign(kSmallSign);
    ASSERT_TRUE(sign.started());
    SignWorker direct(snmpUri(sign.port(), 2000, 3));  // patient: the checks must not fail on a busy machine
    ASSERT_EQ(Result(direct.opened()), Result(TQDMS_OK));

    // 10% loss, 10% duplication, 50 ms jitter; a request may take
    // (1 + 5 retries) x 200 ms. Nearly every call gets through.
    Tally bad;
    {
        UdpRelay relay(sign.port(), LinkFaults{0.1, 0.1, 50, 0.05, 20261206});
        ASSERT_TRUE(relay.ok());
        runFamilies(bad, relay, snmpUri(relay.port(), 200, 5), direct, sign.dir(), 0, 2, 200);
        bad.print("10% loss, 10% duplication, 50 ms jitter, timeout 200 ms, 5 retries");
        printLink(relay);
        EXPECT_GT(relay.counts(0).dropped + relay.counts(1).dropped, 0);  // the link really was bad
        EXPECT_GT(relay.counts(0).duplicated + relay.counts(1).duplicated, 0);
    }
    // 30% lost and two retries: many calls fail, and must say so.
    Tally worse;
    worse.messages = bad.messages;
    worse.minutes = bad.minutes;
    {
        UdpRelay relay(sign.port(), LinkFaults{0.3, 0.1, 50, 0.05, 7});
        ASSERT_TRUE(relay.ok());
        runFamilies(worse, relay, snmpUri(relay.port(), 200, 2), direct, sign.dir(), 1, 1, 200);
        worse.print("30% loss, 10% duplication, 50 ms jitter, timeout 200 ms, 2 retries");
        printLink(relay);
    }
    int completed = 0, failed = 0;
    for (const Tally* t : {&bad, &worse})
        for (const auto& kv : t->families) completed += kv.second.completed, failed += kv.second.failed;
    std::printf("[ relay ] all: %d completed, %d failed, %lld ms\n", completed, failed, msSince(testStart));
    EXPECT_GT(completed, 0);
    EXPECT_GT(failed, 0);  // the failure paths ran
    for (const Tally* t : {&bad, &worse})
        for (const std::string& w : t->wrong) ADD_FAILURE() << w;
    EXPECT_LT(msSince(testStart), 180000);
}

// Many different objects read over a link that doubles and delays half of
// all datagrams, with a timeout shorter than the delay: answers to earlier
// requests keep arriving, and each value read must be its own object's.
TEST(SnmpRelay, NoAnswerIsTakenForAnotherRequests) {
    ServedSign sign;
    ASSERT_TRUE(sign.started());
    constexpr int kRows = 12;
    std::vector<std::string> multi(kRows + 1);
    std::string fontNames[3];
    {
        SignWorker direct(snmpUri(sign.port(), 1000, 2));
        ASSERT_EQ(Result(direct.opened()), Result(TQDMS_OK));
        std::string messages;
        for (int n = 1; n <= kRows; ++n)
            messages += messageXml({{"number", std::to_string(n)}},
                                   pageXml("", "", "<NormalText text=\"ROW " + std::to_string(n) + "\"/>"));
        TempFile doc(documentXml(messages));
        uint32_t rc = 1;
        direct.run([&] {
            rc = tqSendMessage(doc.path());
            char buf[1100];
            for (int n = 1; n <= kRows; ++n)
                if (tqGetMsgTable(NTCIP_MEM_CHANGEABLE, n, NTCIP_MSG_MULTI_STRING, buf, sizeof buf) == 0)
                    multi[n] = buf;
            for (int row = 1; row <= 2; ++row)
                if (tqGetFontTable(row, NTCIP_FONT_NAME, buf, sizeof buf) == 0) fontNames[row] = buf;
        });
        ASSERT_EQ(Result(rc), Result(DMS_OK));
        for (int n = 1; n <= kRows; ++n) ASSERT_NE(multi[n].find("ROW " + std::to_string(n)), std::string::npos);
        ASSERT_EQ(fontNames[1], "5x7");
        ASSERT_EQ(fontNames[2], "8x14");
    }

    UdpRelay relay(sign.port(), LinkFaults{0.05, 0.5, 60, 0.2, 99});
    ASSERT_TRUE(relay.ok());
    SignWorker lossy(snmpUri(relay.port(), 100, 8));  // (1 + 8) x 100 ms a request
    ASSERT_EQ(Result(lossy.opened()), Result(TQDMS_OK));
    std::mt19937 rng(5);
    int completed = 0, failed = 0, mixedUp = 0, reads = 0;
    long long slowest = 0;
    std::vector<std::string> wrong;
    const auto start = Clock::now();
    lossy.run([&] {
        for (int i = 0; i < 80; ++i) {
            char buf[1100];
            std::string want;
            const auto callStart = Clock::now();
            uint32_t rc;
            if (i % 4 == 3) {
                int row = 1 + static_cast<int>(rng() % 2);
                want = fontNames[row];
                rc = tqGetFontTable(row, NTCIP_FONT_NAME, buf, sizeof buf);
            } else {
                int n = 1 + static_cast<int>(rng() % kRows);
                want = multi[n];
                rc = tqGetMsgTable(NTCIP_MEM_CHANGEABLE, n, NTCIP_MSG_MULTI_STRING, buf, sizeof buf);
            }
            slowest = std::max(slowest, msSince(callStart));
            ++reads;
            if (rc == TQDMS_OK) {
                ++completed;
                if (want != buf) {
                    ++mixedUp;
                    wrong.push_back("read " + std::string(buf) + " for " + want);
                }
            } else {
                ++failed;
                if (rc != TQDMS_E_EXCHANGE) wrong.push_back("read returned " + resultName(rc));
            }
        }
    });
    const UdpRelay::Counts in = relay.counts(1);
    std::printf("[ relay ] stale answers: %d reads, %d completed, %d failed, %d mixed up; %d answers for %d requests "
                "(%d doubled), slowest %lld ms, %lld ms in all\n",
                reads, completed, failed, mixedUp, in.sent, relay.counts(0).received, in.duplicated, slowest,
                msSince(start));
    EXPECT_EQ(mixedUp, 0);
    for (const std::string& w : wrong) ADD_FAILURE() << w;
    EXPECT_GT(completed, reads / 2);
    // Far more answers came back than reads were made: most were stale.
    EXPECT_GT(in.sent, reads + reads / 2);
    EXPECT_LT(slowest, 9 * 100 + 500);
}

// A stop set from another thread while a call waits on a dead link ends it
// after the try under way, long before all its tries are spent.
TEST(SnmpRelay, StopEndsAWaitOnADeadLinkEarly) {
    ServedSign sign(kSmallSign);
    ASSERT_TRUE(sign.started());
    UdpRelay relay(sign.port(), LinkFaults{1.0, 0, 0, 0, 1});
    SignWorker worker(snmpUri(relay.port(), 1000, 5));  // 6 s without a stop
    ASSERT_EQ(Result(worker.opened()), Result(TQDMS_OK));
    DeviceInterface* iface = worker.interface();
    ASSERT_NE(iface, nullptr);

    struct Case {
        const char* what;
        bool viaTqStop;  // else the flag is set directly
        bool singleRow;  // tqGetSingleMessage, an export that answers without a sign too
    } cases[] = {{"boundary call, flag set", false, false},
                 {"export, tqStop", true, false},
                 {"row export, tqStop", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        uint32_t rc = 0, stopRc = 99;
        std::thread stopper([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            if (c.viaTqStop)
                stopRc = tqStop();
            else
                __atomic_store_n(&iface->params.stopRequested, 1, __ATOMIC_RELEASE);
        });
        const auto start = Clock::now();
        worker.run([&] {
            if (c.singleRow) {
                MessageTableEntry row{};
                rc = tqGetSingleMessage(NTCIP_MEM_CHANGEABLE, 1, &row);
            } else if (c.viaTqStop) {
                MessageTableEntry rows[4];
                int32_t count = 4;
                rc = tqGetMessages(rows, &count);
            } else {
                uint32_t v = 0;
                rc = tqGetMsgInfo(NTCIP_MAX_VOLATILE_MSG, &v, 4);
            }
        });
        const long long ms = msSince(start);
        stopper.join();
        std::printf("[ relay ] %s: stopped after %lld ms\n", c.what, ms);
        EXPECT_EQ(Result(rc), Result(TQDMS_E_EXCHANGE));
        EXPECT_GE(ms, 900);   // the try under way runs out
        EXPECT_LT(ms, 1600);  // and no other starts
        if (c.viaTqStop) {
            EXPECT_EQ(Result(stopRc), Result(DMS_OK));
        }
    }

    // The link back: no stop is left behind for the next call.
    relay.setLoss(0);
    uint32_t rc = 1, v = 0;
    worker.run([&] { rc = tqGetMsgInfo(NTCIP_MAX_VOLATILE_MSG, &v, 4); });
    EXPECT_EQ(Result(rc), Result(TQDMS_OK));
    EXPECT_EQ(v, 2u);
}

}  // namespace
