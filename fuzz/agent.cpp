// Arbitrary SNMP messages to the simulated sign's agent. Each input is one
// UDP datagram sent over loopback to the agent running in this process, so
// it goes through net-snmp's packet parsing, community and USM checks and
// view control into the sign's handlers; the answer is read and dropped.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "agent/sign_agent.h"
#include "sim/sign.h"

namespace {

struct Rig {
    std::shared_ptr<tqsim::SimSign> sign;
    std::unique_ptr<tqagent::SignAgent> agent;
    int sock = -1;
    sockaddr_in to{};
};

Rig* rig() {
    static Rig* r = [] {
        auto* x = new Rig();
        tqsim::SimSign::openMemory(nullptr, x->sign);
        tqagent::AgentOptions o;
        o.listen = "127.0.0.1:0";
        o.v3User = "fuzzer";
        o.v3Auth = "SHA:fuzzerauthkey";
        o.v3Priv = "AES:fuzzerprivkey";
        std::string error;
        x->agent = tqagent::SignAgent::start(*x->sign, o, error);
        if (!x->agent) abort();
        x->sock = socket(AF_INET, SOCK_DGRAM, 0);
        fcntl(x->sock, F_SETFL, O_NONBLOCK);
        x->to.sin_family = AF_INET;
        x->to.sin_port = htons(static_cast<uint16_t>(x->agent->port()));
        x->to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return x;
    }();
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 8192) return 0;  // datagrams of a sign's size; keeps runs fast
    Rig* r = rig();
    sendto(r->sock, data, size, 0, reinterpret_cast<const sockaddr*>(&r->to), sizeof r->to);
    r->agent->poll(0);
    char answer[65536];
    while (recv(r->sock, answer, sizeof answer, 0) > 0) {
    }
    return 0;
}
