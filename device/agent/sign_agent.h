// The simulated sign served over SNMP: net-snmp's agent library answers
// GET, GETNEXT, GETBULK and SET on UDP, and every object is read and
// written through the sign model (sign_access.h). v1 and v2c with a
// read-only and a read-write community; v3 USM users when given.
//
// net-snmp keeps process-wide state, so a process runs one agent at a
// time, and only the thread that started it may poll it or touch the sign.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace tqsim {
class SimSign;
}

namespace tqagent {

struct AgentOptions {
    std::string listen = "127.0.0.1:16161";  // ADDR:PORT, [IPv6]:PORT; port 0 picks a free one
    std::string communityRo = "public";      // empty: none
    std::string communityRw = "private";     // empty: none
    std::string v3User;                      // empty: no SNMPv3 user
    std::string v3Auth;                      // PROTOCOL:KEY, PROTOCOL one of MD5, SHA, SHA-256, SHA-512
    std::string v3Priv;                      // PROTOCOL:KEY, PROTOCOL one of DES, AES; needs v3Auth
    int answerDelayMs = 0;                   // each request waits this long, as a distant sign's would (0..1000)
};

// One varbind of a SET, reported when the request has ended.
struct SetEvent {
    std::string oid;     // dotted instance OID
    std::string name;    // object name and index, e.g. dmsMessageStatus.3.1
    std::string value;   // as sent
    std::string result;  // "noError" or the SNMP error name
};

class SignAgent {
public:
    // Starts serving `sign`, which must outlive the agent. Null with a
    // one-line reason in `error` when an option is bad, the address
    // cannot be bound or another agent runs in this process.
    static std::unique_ptr<SignAgent> start(tqsim::SimSign& sign, const AgentOptions& options, std::string& error);
    ~SignAgent();
    SignAgent(const SignAgent&) = delete;
    SignAgent& operator=(const SignAgent&) = delete;

    // Answers what has arrived, waiting at most timeoutMs for it.
    void poll(int timeoutMs);
    // The address and port it listens on (the real port when 0 was asked).
    const std::string& address() const { return address_; }
    int port() const { return port_; }
    // The SNMP versions served, e.g. "v1, v2c, v3".
    std::string versions() const;
    // Whether a SET changed the sign since the last call.
    bool takeChanged();
    // Called for every varbind of every SET once its request has ended.
    void onSet(std::function<void(const SetEvent&)> sink);

    struct State;

private:
    SignAgent() = default;
    std::unique_ptr<State> state_;
    std::string address_;
    int port_ = 0;
};

}  // namespace tqagent
