// A small synchronous SNMP client for tests and benchmarks of the sign's
// agent: net-snmp's single-session API, one session per thread, loopback.
#pragma once

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <string>
#include <vector>

namespace snmptest {

// Call once per process before any session (no MIB files, no config files).
inline void initClient() {
    setenv("MIBS", "", 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    snmp_disable_log();
    init_snmp("dms-snmp-test");
}

struct Answer {
    int status = -1;       // STAT_SUCCESS, STAT_ERROR, STAT_TIMEOUT
    long errstat = -1;     // SNMP error status of the response
    std::vector<std::string> names;
    std::vector<long> integers;
    std::vector<std::string> octets;
    bool ok() const { return status == STAT_SUCCESS && errstat == SNMP_ERR_NOERROR; }
};

class Session {
public:
    Session(int port, const char* community, long version = SNMP_VERSION_2c) {
        netsnmp_session s;
        snmp_sess_init(&s);
        peer_ = "udp:127.0.0.1:" + std::to_string(port);
        s.peername = &peer_[0];
        s.version = version;
        s.community = reinterpret_cast<u_char*>(const_cast<char*>(community));
        s.community_len = strlen(community);
        s.timeout = 1000000;
        s.retries = 2;
        handle_ = snmp_sess_open(&s);
    }
    ~Session() {
        if (handle_) snmp_sess_close(handle_);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    bool open() const { return handle_ != nullptr; }

    Answer get(const std::vector<std::string>& oids) { return send(SNMP_MSG_GET, oids, {}, 0); }
    Answer bulk(const std::string& oid, int repetitions) {
        return send(SNMP_MSG_GETBULK, {oid}, {}, repetitions);
    }
    // values: "i:123", "s:text", "x:hexbytes"
    Answer set(const std::vector<std::string>& oids, const std::vector<std::string>& values) {
        return send(SNMP_MSG_SET, oids, values, 0);
    }

private:
    Answer send(int command, const std::vector<std::string>& oids, const std::vector<std::string>& values,
                int repetitions) {
        Answer a;
        netsnmp_pdu* pdu = snmp_pdu_create(command);
        if (command == SNMP_MSG_GETBULK) {
            pdu->non_repeaters = 0;
            pdu->max_repetitions = repetitions;
        }
        for (size_t i = 0; i < oids.size(); ++i) {
            oid name[MAX_OID_LEN];
            size_t len = MAX_OID_LEN;
            if (!read_objid(oids[i].c_str(), name, &len)) {
                snmp_free_pdu(pdu);
                return a;
            }
            if (command == SNMP_MSG_SET)
                snmp_add_var(pdu, name, len, values[i][0], values[i].c_str() + 2);
            else
                snmp_add_null_var(pdu, name, len);
        }
        netsnmp_pdu* response = nullptr;
        a.status = snmp_sess_synch_response(handle_, pdu, &response);
        if (a.status == STAT_SUCCESS && response) {
            a.errstat = response->errstat;
            for (netsnmp_variable_list* v = response->variables; v; v = v->next_variable) {
                char buf[256];
                snprint_objid(buf, sizeof buf, v->name, v->name_length);
                a.names.push_back(buf);
                a.integers.push_back(v->type == ASN_INTEGER || v->type == ASN_COUNTER || v->type == ASN_GAUGE
                                         ? *v->val.integer
                                         : -1);
                a.octets.push_back(v->type == ASN_OCTET_STR
                                       ? std::string(reinterpret_cast<char*>(v->val.string), v->val_len)
                                       : std::string());
            }
        }
        if (response) snmp_free_pdu(response);
        return a;
    }

    std::string peer_;
    void* handle_ = nullptr;
};

}  // namespace snmptest
