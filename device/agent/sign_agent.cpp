// Start-up and shut-down of the embedded net-snmp agent: its own settings
// only (no system configuration files, no persistent files kept), the
// communities and USM user given, one UDP transport.
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/agent/net-snmp-agent-includes.h>

#include <sys/select.h>
#include <sys/socket.h>
#include <netinet/in.h>
#include <arpa/inet.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "../snmp/uri.h"
#include "agent_state.h"

extern "C" void init_vacm_config_tokens(void);  // libnetsnmpagent, not in its headers

namespace tqagent {
namespace {

const char* const kApp = "dmsctl-sim";
std::atomic<bool> g_running{false};

// net-snmp's text form of a listen address: udp:ADDR:PORT or udp6:[ADDR]:PORT.
bool listenAddress(const std::string& listen, std::string& address, std::string& error) {
    size_t colon = listen.rfind(':');
    if (colon == std::string::npos || colon + 1 == listen.size()) {
        error = "listen address must be ADDR:PORT: " + listen;
        return false;
    }
    std::string host = listen.substr(0, colon), port = listen.substr(colon + 1);
    if (port.find_first_not_of("0123456789") != std::string::npos || port.size() > 5 || std::stoi(port) > 65535) {
        error = "bad port in " + listen;
        return false;
    }
    bool v6 = host.size() > 2 && host.front() == '[' && host.back() == ']';
    unsigned char probe[16];
    if (v6 ? inet_pton(AF_INET6, host.substr(1, host.size() - 2).c_str(), probe) != 1
           : inet_pton(AF_INET, host.c_str(), probe) != 1) {
        error = "listen address must be a numeric IPv4 or [IPv6] address: " + host;
        return false;
    }
    address = (v6 ? "udp6:" : "udp:") + host + ":" + port;
    return true;
}

// PROTOCOL:KEY as an snmp:// address takes it, and without quotes or line
// breaks, which net-snmp's settings lines cannot carry.
bool splitKey(const std::string& text, std::initializer_list<const char*> allowed, std::string& proto,
              std::string& key, std::string& error) {
    if (!tqdms::snmp::splitKeyOption(text, allowed, proto, key) || key.find_first_of("\"\\\r\n") != std::string::npos) {
        error = "bad SNMPv3 protocol or key '" + text + "': PROTOCOL:KEY, keys of 8 characters at least";
        return false;
    }
    return true;
}

void remember(std::string line) {
    netsnmp_config_remember(&line[0]);  // net-snmp keeps a copy of its own
}

bool safeName(const std::string& s) {
    return !s.empty() && s.find_first_of(" \t\"\\\r\n#") == std::string::npos;
}

bool configure(const AgentOptions& o, std::string& error) {
    if (!o.communityRo.empty() && !safeName(o.communityRo)) return error = "bad read-only community", false;
    if (!o.communityRw.empty() && !safeName(o.communityRw)) return error = "bad read-write community", false;
    if (o.answerDelayMs < 0 || o.answerDelayMs > 1000) return error = "answer delay must be 0 to 1000 ms", false;
    // Any source may use them (IPv4 and IPv6); the listen address limits who can reach the sign.
    for (const char* v6 : {"", "6"}) {
        if (!o.communityRo.empty()) remember(std::string("rocommunity") + v6 + " " + o.communityRo + " default");
        if (!o.communityRw.empty()) remember(std::string("rwcommunity") + v6 + " " + o.communityRw + " default");
    }
    if (o.v3User.empty()) {
        if (!o.v3Auth.empty() || !o.v3Priv.empty()) return error = "--v3-auth and --v3-priv need --v3-user", false;
        return true;
    }
    if (!safeName(o.v3User)) return error = "bad SNMPv3 user name", false;
    if (o.v3Auth.empty()) return error = "an SNMPv3 user needs --v3-auth", false;
    std::string authProto, authKey, privProto, privKey;
    if (!splitKey(o.v3Auth, {"MD5", "SHA", "SHA-256", "SHA-512"}, authProto, authKey, error)) return false;
    std::string line = "createUser " + o.v3User + " " + authProto + " \"" + authKey + "\"";
    if (!o.v3Priv.empty()) {
        if (!splitKey(o.v3Priv, {"DES", "AES"}, privProto, privKey, error)) return false;
        line += " " + privProto + " \"" + privKey + "\"";
    }
    remember(line);
    remember("rwuser " + o.v3User + (o.v3Priv.empty() ? " auth" : " priv"));
    return true;
}

}  // namespace

std::unique_ptr<SignAgent> SignAgent::start(tqsim::SimSign& sign, const AgentOptions& options, std::string& error) {
    std::string address;
    if (!listenAddress(options.listen, address, error)) return nullptr;
    if (g_running.exchange(true)) {
        error = "an SNMP agent already runs in this process";
        return nullptr;
    }
    std::unique_ptr<SignAgent> agent(new SignAgent());
    agent->state_.reset(new State());
    State& s = *agent->state_;
    s.sign = &sign;

    // A scratch folder for what net-snmp insists on keeping on disk.
    std::string tmpl = (std::filesystem::temp_directory_path() / "dmsctl-snmp-XXXXXX").string();
    if (!mkdtemp(&tmpl[0])) {
        error = "cannot create a scratch folder for the SNMP engine";
        agent->state_.reset();  // net-snmp was not started: nothing to shut down
        return nullptr;
    }
    s.persistDir = tmpl;

    setenv("MIBS", "", 1);  // no MIB files: the agent needs none
    snmp_disable_log();
    netsnmp_register_loghandler(NETSNMP_LOGHANDLER_STDERR, LOG_WARNING);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_ROLE, 0);  // master
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_NO_ROOT_ACCESS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_DONT_LOG_TCPWRAPPERS_CONNECTS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, s.persistDir.c_str());
    netsnmp_ds_set_string(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_PORTS, "");
    // A GETBULK asks for at most this much work, whatever its numbers say.
    netsnmp_ds_set_int(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_MAX_GETBULKREPEATS, 100);
    netsnmp_ds_set_int(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_MAX_GETBULKRESPONSES, 1000);
    init_agent(kApp);
    init_vacm_config_tokens();
    if (!configure(options, error) || !registerSignHandler(&s)) {
        if (error.empty()) error = "cannot register the sign's objects";
        return nullptr;  // the destructor shuts net-snmp down again
    }
    s.registered = true;
    s.answerDelayMs = options.answerDelayMs;
    bool communities = !options.communityRo.empty() || !options.communityRw.empty();
    s.versions = communities ? "v1, v2c" : "";
    if (!options.v3User.empty()) s.versions += communities ? ", v3" : "v3";
    init_snmp(kApp);

    netsnmp_transport* t = netsnmp_transport_open_server("snmp", address.c_str());
    if (!t) {
        error = "cannot listen on " + options.listen;
        return nullptr;
    }
    sockaddr_storage addr{};
    socklen_t alen = sizeof addr;
    getsockname(t->sock, reinterpret_cast<sockaddr*>(&addr), &alen);
    char text[INET6_ADDRSTRLEN] = "";
    if (addr.ss_family == AF_INET6) {
        const auto* a6 = reinterpret_cast<const sockaddr_in6*>(&addr);
        inet_ntop(AF_INET6, &a6->sin6_addr, text, sizeof text);
        agent->port_ = ntohs(a6->sin6_port);
    } else {
        const auto* a4 = reinterpret_cast<const sockaddr_in*>(&addr);
        inet_ntop(AF_INET, &a4->sin_addr, text, sizeof text);
        agent->port_ = ntohs(a4->sin_port);
    }
    agent->address_ = text;
    if (netsnmp_register_agent_nsap(t) == 0) {
        netsnmp_transport_free(t);
        error = "cannot serve on " + options.listen;
        return nullptr;
    }
    return agent;
}

SignAgent::~SignAgent() {
    if (state_) {
        snmp_shutdown(kApp);
        shutdown_agent();
        std::error_code ec;
        if (!state_->persistDir.empty()) std::filesystem::remove_all(state_->persistDir, ec);
    }
    g_running = false;
}

void SignAgent::poll(int timeoutMs) {
    int fds = 0, block = 0;
    fd_set readable;
    FD_ZERO(&readable);
    timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    snmp_select_info(&fds, &readable, &tv, &block);
    int n = select(fds, &readable, nullptr, nullptr, &tv);
    if (n > 0) snmp_read(&readable);
    else if (n == 0) snmp_timeout();
    run_alarms();
    netsnmp_check_outstanding_agent_requests();
}

std::string SignAgent::versions() const { return state_->versions; }

bool SignAgent::takeChanged() {
    bool c = state_->changed;
    state_->changed = false;
    return c;
}

void SignAgent::onSet(std::function<void(const SetEvent&)> sink) { state_->sink = std::move(sink); }

}  // namespace tqagent
