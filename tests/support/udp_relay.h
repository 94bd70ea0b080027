// A UDP relay on loopback between one client and one agent port that
// loses, duplicates, delays and reorders datagrams at given rates, for
// tests of SNMP exchanges over a bad link. Decisions come from a seeded
// generator, so a run can be repeated. The first loopback address other
// than the agent's that sends to the relay is its client; datagrams from
// anyone else are counted and dropped, and nothing goes anywhere but to
// the client or the agent.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace snmptest {

struct LinkFaults {
    double loss = 0;          // share of datagrams dropped
    double duplication = 0;   // share of the datagrams passed on that are sent twice
    int jitterMs = 0;         // each copy waits 0..jitterMs before it goes
    double reorder = 0;       // share of copies held back jitterMs more, behind later ones
    uint32_t seed = 1;
};

class UdpRelay {
public:
    // Binds 127.0.0.1 on a free port and starts relaying to agentPort.
    UdpRelay(int agentPort, const LinkFaults& faults);
    ~UdpRelay();
    UdpRelay(const UdpRelay&) = delete;
    UdpRelay& operator=(const UdpRelay&) = delete;

    bool ok() const { return fd_ >= 0; }
    int port() const { return port_; }
    // Changes the share of datagrams dropped from now on (1: a dead link).
    void setLoss(double loss) { lossPpm_ = static_cast<int>(loss * 1e6); }

    // Counts per direction (0: client to agent, 1: agent to client).
    struct Counts {
        int received = 0;    // datagrams taken from the socket
        int dropped = 0;
        int duplicated = 0;  // extra copies made
        int delayed = 0;     // copies held back behind later ones
        int sent = 0;        // copies sent on
    };
    Counts counts(int direction) const;
    int strangers() const { return strangers_; }

private:
    void run();

    int fd_ = -1;
    int port_ = 0;
    int agentPort_;
    LinkFaults faults_;
    std::atomic<int> lossPpm_;
    std::atomic<bool> stop_{false};
    std::atomic<int> received_[2] = {}, dropped_[2] = {}, duplicated_[2] = {}, delayed_[2] = {}, sent_[2] = {};
    std::atomic<int> strangers_{0};
    std::thread thread_;
};

}  // namespace snmptest
