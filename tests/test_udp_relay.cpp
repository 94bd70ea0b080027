// The test relay itself: it loses and doubles datagrams at its rates in
// both directions, reorders them with jitter, and serves only its first
// client, so the tests that use it are not vacuous.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <map>
#include <set>
#include <thread>
#include <vector>

#include "support/udp_relay.h"

using snmptest::LinkFaults;
using snmptest::UdpRelay;

namespace {

// A loopback UDP socket on a free port.
struct Socket {
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    int port = 0;
    Socket() {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        timeval tv{0, 200000};  // a read gives up after 200 ms of silence
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        int size = 1 << 20;
        setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
        if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            port = ntohs(a.sin_port);
    }
    ~Socket() { close(fd); }
    void sendTo(int to, uint32_t value) const {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<uint16_t>(to));
        sendto(fd, &value, sizeof value, 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
    }
    // The next value, with the sender's port; false after 200 ms of silence.
    bool receive(uint32_t& value, int& from) const {
        sockaddr_in a{};
        socklen_t len = sizeof a;
        if (recvfrom(fd, &value, sizeof value, 0, reinterpret_cast<sockaddr*>(&a), &len) != sizeof value) return false;
        from = ntohs(a.sin_port);
        return true;
    }
};

// An agent that answers each datagram with the same value, noting what came.
struct EchoAgent {
    Socket socket;
    std::vector<uint32_t> seen;
    std::thread thread;
    EchoAgent() {
        thread = std::thread([this] {
            uint32_t v;
            int from;
            while (socket.receive(v, from)) {
                seen.push_back(v);
                socket.sendTo(from, v);
            }
        });
    }
    void join() {
        if (thread.joinable()) thread.join();
    }
    ~EchoAgent() { join(); }
};

TEST(UdpRelay, LosesAndDuplicatesAtItsRatesBothWays) {
    constexpr int kSent = 2000;
    EchoAgent agent;
    UdpRelay relay(agent.socket.port, LinkFaults{0.1, 0.1, 0, 0, 7});
    ASSERT_TRUE(relay.ok());
    Socket client;
    std::vector<uint32_t> back;
    std::thread reader([&] {
        uint32_t v;
        int from;
        while (client.receive(v, from)) back.push_back(v);
    });
    for (uint32_t i = 0; i < kSent; ++i) {
        client.sendTo(relay.port(), i);
        if (i % 25 == 24) std::this_thread::sleep_for(std::chrono::milliseconds(5));  // no overrun socket
    }
    reader.join();
    agent.join();

    const UdpRelay::Counts out = relay.counts(0), in = relay.counts(1);
    EXPECT_EQ(out.received, kSent);
    // 10% of 2000 is 200, give or take 4.5 standard deviations (about 60).
    EXPECT_NEAR(out.dropped, 200, 60);
    EXPECT_NEAR(out.duplicated, 180, 60);
    EXPECT_EQ(out.sent, out.received - out.dropped + out.duplicated);
    EXPECT_EQ(static_cast<int>(agent.seen.size()), out.sent);
    std::map<uint32_t, int> times;
    for (uint32_t v : agent.seen) ++times[v];
    EXPECT_EQ(static_cast<int>(times.size()), kSent - out.dropped);
    int twice = 0;
    for (const auto& kv : times) twice += kv.second == 2;
    EXPECT_EQ(twice, out.duplicated);

    // The answers went back through the same faults.
    EXPECT_EQ(in.received, out.sent);
    EXPECT_NEAR(in.dropped, in.received / 10, 60);
    EXPECT_NEAR(in.duplicated, in.received / 10, 60);
    EXPECT_EQ(static_cast<int>(back.size()), in.sent);
    EXPECT_EQ(in.sent, in.received - in.dropped + in.duplicated);
    EXPECT_EQ(relay.strangers(), 0);
}

TEST(UdpRelay, JitterReordersAndOnlyTheFirstClientIsServed) {
    constexpr int kSent = 100;
    EchoAgent agent;
    UdpRelay relay(agent.socket.port, LinkFaults{0, 0, 20, 0.2, 3});
    Socket client, stranger;
    for (uint32_t i = 0; i < kSent; ++i) {
        client.sendTo(relay.port(), i);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    stranger.sendTo(relay.port(), 9999);
    std::vector<uint32_t> back;
    uint32_t v;
    int from;
    while (client.receive(v, from)) {
        back.push_back(v);
        EXPECT_EQ(from, relay.port());
    }
    agent.join();
    EXPECT_FALSE(stranger.receive(v, from));
    ASSERT_EQ(agent.seen.size(), size_t{kSent});  // nothing lost, nothing doubled
    EXPECT_EQ(back.size(), size_t{kSent});
    EXPECT_FALSE(std::is_sorted(agent.seen.begin(), agent.seen.end()));
    EXPECT_GT(relay.counts(0).delayed, 0);
    EXPECT_EQ(std::set<uint32_t>(agent.seen.begin(), agent.seen.end()).size(), size_t{kSent});
    EXPECT_EQ(relay.strangers(), 1);
}

}  // namespace
