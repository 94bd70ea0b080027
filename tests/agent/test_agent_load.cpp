// The agent under load: 4 client threads send 100,000 mixed GET, GETBULK
// and SET requests over loopback; every answer must be right and the
// agent's memory must not grow once warm.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "support/agent_process.h"
#include "support/snmp_client.h"

namespace {

const std::string D = ".1.3.6.1.4.1.1206.4.2.3";

// One client thread: its own volatile message row, taken to modifying, is
// written and read back; scalars and a GETBULK of the font table between.
void client(int port, int id, int requests, std::atomic<int>& wrong, std::atomic<int>& done) {
    snmptest::Session s(port, "private");
    if (!s.open()) {
        wrong += requests;
        return;
    }
    const std::string row = ".4." + std::to_string(id + 1);
    if (!s.set({D + ".5.8.1.9" + row}, {"i:6"}).ok()) ++wrong;
    std::string last;
    for (int k = 0; k < requests && wrong < 100; ++k) {  // a dead agent ends the run early
        snmptest::Answer a;
        switch (k % 4) {
        case 0:
            a = s.get({D + ".4.16.0"});
            if (!a.ok() || a.integers.size() != 1 || a.integers[0] != 1024) ++wrong;
            break;
        case 1:
            last = "client " + std::to_string(id) + " request " + std::to_string(k);
            a = s.set({D + ".5.8.1.4" + row}, {"s:" + last});
            if (!a.ok()) ++wrong;
            break;
        case 2:
            a = s.get({D + ".5.8.1.4" + row, D + ".5.8.1.9" + row});
            if (!a.ok() || a.octets.size() != 2 || a.octets[0] != last || a.integers[1] != 2) ++wrong;
            break;
        default:
            a = s.bulk(D + ".3.2.1.8", 8);  // fontStatus of the 8 font rows
            if (!a.ok() || a.integers.size() != 8) ++wrong;
            for (long v : a.integers)
                if (v < 1 || v > 11) ++wrong;
            break;
        }
        ++done;
    }
}

int runClients(int port, int perThread) {
    std::atomic<int> wrong{0}, done{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) threads.emplace_back(client, port, t, perThread, std::ref(wrong), std::ref(done));
    for (auto& t : threads) t.join();
    EXPECT_EQ(done.load(), 4 * perThread);
    return wrong.load();
}

TEST(AgentLoad, HundredThousandMixedRequestsFromFourThreadsAllAnsweredRight) {
    snmptest::initClient();
    char dir[] = "/tmp/dms-agent-load-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    snmptest::AgentProcess agent;
    ASSERT_TRUE(agent.start(DMSCTL_PATH, std::string(dir) + "/sign.json"));

    EXPECT_EQ(runClients(agent.port(), 2500), 0);  // warm up
    long warm = agent.rssKb();
    EXPECT_EQ(runClients(agent.port(), 25000), 0);
    long after = agent.rssKb();
#ifndef DMS_SANITIZED
    // Sanitizers keep freed memory in quarantine; only the plain build can tell.
    EXPECT_LT(after - warm, 1024) << "agent grew from " << warm << " kB to " << after << " kB";
#else
    (void)warm;
    (void)after;
#endif
    EXPECT_EQ(agent.stop(), 0);
    std::string cleanup = std::string("rm -rf ") + dir;
    EXPECT_EQ(std::system(cleanup.c_str()), 0);
}

}  // namespace
