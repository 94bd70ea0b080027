// The transport over net-snmp's thread-safe single-session API: each
// connection has its own session, so threads talking to different signs
// never share anything but net-snmp's one-time set-up.
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cstring>
#include <mutex>

#include "transport.h"
#include "varbind.h"
#include "tqdms/tqdms.h"

namespace tqdms {
namespace snmp {
namespace {

using oids::Arc;
using oids::Value;

void initOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        setenv("MIBS", "", 0);  // numeric OIDs only; no MIB files needed
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        snmp_disable_log();
        init_snmp("tqdms");
    });
}

bool addValue(netsnmp_pdu* pdu, const Varbind& b) {
    std::vector<oid> name(b.oid.begin(), b.oid.end());
    WireValue w(b.value);
    return snmp_pdu_add_variable(pdu, name.data(), name.size(), w.type, w.data(), w.size()) != nullptr;
}

class NetSnmpTransport final : public Transport {
public:
    NetSnmpTransport(void* handle, int retries) : handle_(handle), retries_(retries) {}
    ~NetSnmpTransport() override { snmp_sess_close(handle_); }

    uint32_t get(const std::vector<Arc>& name, Value& out) override {
        netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
        std::vector<oid> n(name.begin(), name.end());
        snmp_add_null_var(pdu, n.data(), n.size());
        netsnmp_pdu* response = nullptr;
        uint32_t rc = exchange(pdu, &response);
        if (rc == TQDMS_OK) {
            const netsnmp_variable_list* vb = response->variables;
            if (!vb) rc = TQDMS_E_BAD_ANSWER;
            else if (vb->type == SNMP_NOSUCHOBJECT || vb->type == SNMP_NOSUCHINSTANCE || vb->type == SNMP_ENDOFMIBVIEW)
                rc = TQDMS_E_NO_SUCH_NAME;
            else if (vb->name_length != n.size() || std::memcmp(vb->name, n.data(), n.size() * sizeof(oid)) != 0 ||
                     !readVarbind(vb, out))
                rc = TQDMS_E_BAD_ANSWER;
        }
        if (response) snmp_free_pdu(response);
        return rc;
    }

    uint32_t set(const std::vector<Varbind>& varbinds) override {
        netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_SET);
        for (const Varbind& b : varbinds) {
            if (!addValue(pdu, b)) {
                snmp_free_pdu(pdu);
                return TQDMS_E_BAD_VALUE;
            }
        }
        netsnmp_pdu* response = nullptr;
        uint32_t rc = exchange(pdu, &response);
        if (response) snmp_free_pdu(response);
        return rc;
    }

private:
    // One request and its answer, tried up to 1 + retries times; the stop
    // flag is read before each try. net-snmp matches answers to request
    // IDs, so an answer to an earlier request is never taken for this one.
    // Takes ownership of `pdu`.
    uint32_t exchange(netsnmp_pdu* pdu, netsnmp_pdu** response) {
        int status = STAT_TIMEOUT;
        resent_ = false;
        for (int attempt = 0; attempt <= retries_ && status == STAT_TIMEOUT; ++attempt) {
            if (stopRequested()) break;
            resent_ = attempt > 0;
            netsnmp_pdu* copy = snmp_clone_pdu(pdu);  // the session consumes what it sends
            if (!copy) break;
            status = snmp_sess_synch_response(handle_, copy, response);
        }
        snmp_free_pdu(pdu);
        if (status == STAT_TIMEOUT) return TQDMS_E_EXCHANGE;
        if (status != STAT_SUCCESS || !*response) {
            int liberr = 0, syserr = 0;
            char* text = nullptr;
            snmp_sess_error(handle_, &syserr, &liberr, &text);
            free(text);
            switch (liberr) {
            case SNMPERR_AUTHENTICATION_FAILURE:
            case SNMPERR_UNKNOWN_USER_NAME:
            case SNMPERR_UNSUPPORTED_SEC_LEVEL:
            case SNMPERR_DECRYPTION_ERR:
            case SNMPERR_USM_AUTHENTICATIONFAILURE:
            case SNMPERR_USM_UNKNOWNSECURITYNAME:
            case SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL:
            case SNMPERR_USM_DECRYPTIONERROR: return TQDMS_E_AUTH;
            default: return TQDMS_E_EXCHANGE;
            }
        }
        return deviceCodeOf((*response)->errstat);
    }

    void* handle_;
    int retries_;
};

}  // namespace

std::unique_ptr<Transport> openTransport(const Target& t, std::string& error) {
    initOnce();
    netsnmp_session s;
    snmp_sess_init(&s);
    std::string peer = "udp:" + t.host + ":" + std::to_string(t.port);
    if (!t.host.empty() && t.host.front() == '[') peer = "udp6:" + t.host + ":" + std::to_string(t.port);
    s.peername = &peer[0];
    s.timeout = static_cast<long>(t.timeoutMs) * 1000;
    s.retries = 0;  // tries are counted here, so the stop flag is read between them
    std::string community = t.community;
    if (t.version == 3) {
        s.version = SNMP_VERSION_3;
        s.securityName = const_cast<char*>(t.user.c_str());
        s.securityNameLen = t.user.size();
        s.securityLevel = t.authProtocol.empty()   ? SNMP_SEC_LEVEL_NOAUTH
                          : t.privProtocol.empty() ? SNMP_SEC_LEVEL_AUTHNOPRIV
                                                   : SNMP_SEC_LEVEL_AUTHPRIV;
        if (!t.authProtocol.empty()) {
            bool sha = t.authProtocol == "SHA";
            if (!sha && t.authProtocol != "MD5") return error = "unknown SNMPv3 authentication " + t.authProtocol, nullptr;
            s.securityAuthProto = snmp_duplicate_objid(sha ? usmHMACSHA1AuthProtocol : usmHMACMD5AuthProtocol,
                                                       USM_AUTH_PROTO_SHA_LEN);
            s.securityAuthProtoLen = USM_AUTH_PROTO_SHA_LEN;
            s.securityAuthKeyLen = USM_AUTH_KU_LEN;
            if (generate_Ku(s.securityAuthProto, s.securityAuthProtoLen,
                            reinterpret_cast<const u_char*>(t.authKey.data()), t.authKey.size(), s.securityAuthKey,
                            &s.securityAuthKeyLen) != SNMPERR_SUCCESS)
                return error = "SNMPv3 authentication key refused (8 characters at least)", nullptr;
        }
        if (!t.privProtocol.empty()) {
            bool aes = t.privProtocol == "AES";
            if (!aes && t.privProtocol != "DES") return error = "unknown SNMPv3 privacy " + t.privProtocol, nullptr;
            s.securityPrivProto = snmp_duplicate_objid(aes ? usmAESPrivProtocol : usmDESPrivProtocol,
                                                       USM_PRIV_PROTO_AES_LEN);
            s.securityPrivProtoLen = USM_PRIV_PROTO_AES_LEN;
            s.securityPrivKeyLen = USM_PRIV_KU_LEN;
            if (generate_Ku(s.securityAuthProto, s.securityAuthProtoLen,
                            reinterpret_cast<const u_char*>(t.privKey.data()), t.privKey.size(), s.securityPrivKey,
                            &s.securityPrivKeyLen) != SNMPERR_SUCCESS)
                return error = "SNMPv3 privacy key refused (8 characters at least)", nullptr;
        }
    } else {
        s.version = t.version == 2 ? SNMP_VERSION_2c : SNMP_VERSION_1;
        s.community = reinterpret_cast<u_char*>(&community[0]);
        s.community_len = community.size();
    }
    void* handle = snmp_sess_open(&s);
    if (s.securityAuthProto) free(s.securityAuthProto);
    if (s.securityPrivProto) free(s.securityPrivProto);
    if (!handle) return error = "cannot open an SNMP session to " + peer, nullptr;
    return std::unique_ptr<Transport>(new NetSnmpTransport(handle, t.retries));
}

}  // namespace snmp
}  // namespace tqdms
