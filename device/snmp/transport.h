// What the SNMP backend needs of a network stack: one GET of one instance,
// one SET of a few varbinds, each answered or failed with a device code.
// net-snmp's single-session API on Linux (transport_netsnmp.cpp),
// WinSNMP on Windows (transport_winsnmp.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "oid_map.h"
#include "value.h"

namespace tqdms {
namespace snmp {

struct Target {
    std::string host = "127.0.0.1";  // numeric IPv4, or IPv6 in brackets
    int port = 161;
    int version = 1;                 // 1, 2 (v2c) or 3
    std::string community = "public";
    std::string user;                // v3
    std::string authProtocol;        // MD5 or SHA; empty: noAuth
    std::string authKey;
    std::string privProtocol;        // DES or AES; empty: noPriv
    std::string privKey;
    int timeoutMs = 2000;            // per try
    int retries = 2;
};

struct Varbind {
    std::vector<oids::Arc> oid;
    oids::Value value;
};

class Transport {
public:
    virtual ~Transport() = default;
    // 0 with the value, or a device code: TQDMS_E_EXCHANGE without an
    // answer, TQDMS_E_NO_SUCH_NAME, TQDMS_E_AUTH, TQDMS_E_BAD_ANSWER ...
    virtual uint32_t get(const std::vector<oids::Arc>& oid, oids::Value& out) = 0;
    // All varbinds in one SET request.
    virtual uint32_t set(const std::vector<Varbind>& varbinds) = 0;

    // The caller's stop flag (null: none). A transport reads it before each
    // try: a set flag is cleared and ends the request with TQDMS_E_EXCHANGE.
    void bindStop(int32_t* flag) { stop_ = flag; }
    bool stopRequested() { return stop_ && __atomic_exchange_n(stop_, 0, __ATOMIC_ACQ_REL) != 0; }

    // Whether the last request may have reached the sign more than once (it
    // was sent again after an answer did not come). A transport that cannot
    // tell says true.
    bool mayHaveResent() const { return resent_; }

protected:
    bool resent_ = true;

private:
    int32_t* stop_ = nullptr;
};

// Null with a reason when the target cannot be used (bad address, keys).
std::unique_ptr<Transport> openTransport(const Target& target, std::string& error);

// The device code of an SNMP error status (noSuchName, wrongValue ...),
// numbered as SNMP numbers them (transport_errors.cpp).
uint32_t deviceCodeOf(long errorStatus);

}  // namespace snmp
}  // namespace tqdms
