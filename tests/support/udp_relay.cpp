#include "udp_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <algorithm>
#include <map>
#include <random>
#include <string>

namespace snmptest {
namespace {

using Clock = std::chrono::steady_clock;

struct Pending {
    int direction;
    sockaddr_in to;
    std::string bytes;
};

sockaddr_in loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(port));
    return a;
}

}  // namespace

UdpRelay::UdpRelay(int agentPort, const LinkFaults& faults)
    : agentPort_(agentPort), faults_(faults), lossPpm_(static_cast<int>(faults.loss * 1e6)) {
    fd_ = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd_ < 0) return;
    int size = 1 << 20;  // bursts of a unit test must not overrun it
    setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    sockaddr_in a = loopback(0);
    socklen_t len = sizeof a;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        close(fd_);
        fd_ = -1;
        return;
    }
    port_ = ntohs(a.sin_port);
    thread_ = std::thread(&UdpRelay::run, this);
}

UdpRelay::~UdpRelay() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (fd_ >= 0) close(fd_);
}

UdpRelay::Counts UdpRelay::counts(int direction) const {
    Counts c;
    c.received = received_[direction];
    c.dropped = dropped_[direction];
    c.duplicated = duplicated_[direction];
    c.delayed = delayed_[direction];
    c.sent = sent_[direction];
    return c;
}

void UdpRelay::run() {
    std::mt19937 rng(faults_.seed);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::uniform_int_distribution<int> jitter(0, faults_.jitterMs);
    const int holdBack = faults_.jitterMs > 0 ? faults_.jitterMs : 5;
    const sockaddr_in agent = loopback(agentPort_);
    sockaddr_in client{};
    bool haveClient = false;
    std::multimap<Clock::time_point, Pending> queue;  // equal times keep their order
    char buf[65536];

    while (!stop_) {
        int waitMs = 10;
        if (!queue.empty()) {
            auto untilDue = std::chrono::duration_cast<std::chrono::milliseconds>(queue.begin()->first - Clock::now());
            waitMs = std::max(0, std::min(waitMs, static_cast<int>(untilDue.count())));
        }
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, waitMs) > 0) {
            for (;;) {
                sockaddr_in from{};
                socklen_t fromLen = sizeof from;
                ssize_t n = recvfrom(fd_, buf, sizeof buf, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &fromLen);
                if (n < 0) {
                    if (errno == ECONNREFUSED || errno == EINTR) continue;  // a dead agent's port, reported late
                    break;
                }
                if (from.sin_addr.s_addr != htonl(INADDR_LOOPBACK)) {
                    ++strangers_;
                    continue;
                }
                int direction;
                if (ntohs(from.sin_port) == agentPort_) {
                    direction = 1;
                } else if (!haveClient || (from.sin_port == client.sin_port)) {
                    client = from;
                    haveClient = true;
                    direction = 0;
                } else {
                    ++strangers_;
                    continue;
                }
                if (direction == 1 && !haveClient) {
                    ++strangers_;
                    continue;
                }
                ++received_[direction];
                if (chance(rng) * 1e6 < lossPpm_) {
                    ++dropped_[direction];
                    continue;
                }
                int copies = 1;
                if (chance(rng) < faults_.duplication) {
                    copies = 2;
                    ++duplicated_[direction];
                }
                for (int c = 0; c < copies; ++c) {
                    int delay = jitter(rng);
                    if (chance(rng) < faults_.reorder) {
                        delay += holdBack;
                        ++delayed_[direction];
                    }
                    queue.emplace(Clock::now() + std::chrono::milliseconds(delay),
                                  Pending{direction, direction == 0 ? agent : client, std::string(buf, n)});
                }
            }
        }
        const auto now = Clock::now();
        while (!queue.empty() && queue.begin()->first <= now) {
            const Pending& d = queue.begin()->second;
            if (sendto(fd_, d.bytes.data(), d.bytes.size(), 0, reinterpret_cast<const sockaddr*>(&d.to), sizeof d.to) ==
                static_cast<ssize_t>(d.bytes.size()))
                ++sent_[d.direction];
            queue.erase(queue.begin());
        }
    }
}

}  // namespace snmptest
