#include "sign_open.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "sim/sign.h"
#include "snmp/snmp_backend.h"
#include "snmp/uri.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace tqdms {
namespace {

// Where the configuration file is: TQDMS_CONFIG, else tqdms.conf in the
// folder the device library was loaded from.
std::string configPath() {
    const char* env = std::getenv("TQDMS_CONFIG");
    if (env && *env) return env;
    std::string lib;
#ifdef _WIN32
    HMODULE self = nullptr;
    char path[MAX_PATH];
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&configPath), &self) &&
        GetModuleFileNameA(self, path, sizeof path) > 0)
        lib = path;
    size_t slash = lib.find_last_of("\\/");
#else
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&configPath), &info) && info.dli_fname) lib = info.dli_fname;
    size_t slash = lib.rfind('/');
#endif
    if (slash == std::string::npos) return "tqdms.conf";
    return lib.substr(0, slash + 1) + "tqdms.conf";
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n"), e = s.find_last_not_of(" \t\r\n");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Every character outside the URI's unreserved set as %XX.
std::string escape(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

struct Settings {
    std::string community = "public", version = "1", user, auth, priv;
};

// Reads `key = value` lines; unknown keys and '#' lines are skipped. A
// file that does not exist leaves the defaults. Lines past 4 KB are cut.
void readConfig(Settings& s) {
    std::ifstream in(configPath());
    std::string line;
    int lines = 0;
    while (lines++ < 1000 && std::getline(in, line)) {
        if (line.size() > 4096) line.resize(4096);
        size_t eq = line.find('=');
        std::string key = trim(line.substr(0, eq));
        if (eq == std::string::npos || key.empty() || key[0] == '#') continue;
        std::string value = trim(line.substr(eq + 1));
        if (key == "community") s.community = value;
        else if (key == "version") s.version = value;
        else if (key == "user") s.user = value;
        else if (key == "auth") s.auth = value;
        else if (key == "priv") s.priv = value;
    }
}

}  // namespace

bool isNetworkName(const std::string& name) { return snmp::isSnmpUri(name); }

bool checkNetworkName(const std::string& name, std::string& error) {
    snmp::Target target;
    return snmp::parseSnmpUri(name, target, error);
}

uint32_t openSign(const std::string& name, OpenedSign& out, std::string& error) {
    if (name.empty()) return error = "no sign named", TQDMS_E_BAD_VALUE;
    if (!isNetworkName(name)) {
        std::shared_ptr<tqsim::SimSign> sign;
        uint32_t rc = tqsim::SimSign::openFile(name, sign);
        if (rc != TQDMS_OK) return error = "cannot open sign file " + name + " (not a sign state)", rc;
        out.backend = sign;
        out.sim = std::move(sign);
        return TQDMS_OK;
    }
    snmp::Target target;
    if (!snmp::parseSnmpUri(name, target, error)) return TQDMS_E_BAD_VALUE;
    std::unique_ptr<snmp::Transport> transport = snmp::openTransport(target, error);
    if (!transport) return TQDMS_E_BAD_VALUE;
    // A status request may take as long as the connection's whole time.
    int settleMs = target.timeoutMs * (target.retries + 1);
    out.backend = std::make_shared<snmp::SnmpBackend>(std::move(transport), settleMs);
    out.sim = nullptr;
    return TQDMS_OK;
}

bool blockUri(const DeviceInitParameters& p, std::string& uri, std::string& error) {
    char address[sizeof p.address + 1] = {};
    std::memcpy(address, p.address, sizeof p.address);  // the block's text may lack its NUL
    if (!address[0]) return error = "the parameter block names no address", false;
    if (p.port < 0 || p.port > 65535) return error = "the parameter block's port is out of range", false;
    Settings s;
    readConfig(s);
    if (const char* c = std::getenv("TQDMS_COMMUNITY")) s.community = c;
    if (const char* v = std::getenv("TQDMS_SNMP_VERSION")) s.version = v;
    int timeout = p.timeout <= 0 ? 2000 : p.timeout > 60000 ? 60000 : p.timeout;
    int retries = p.retries < 0 ? 0 : p.retries > 10 ? 10 : p.retries;
    std::string host = std::strchr(address, ':') ? "[" + std::string(address) + "]" : std::string(address);
    uri = "snmp://";
    if (s.version != "3") uri += escape(s.community) + "@";
    uri += host + ":" + std::to_string(p.port ? p.port : 161) + "?version=" + escape(s.version) +
           "&timeout=" + std::to_string(timeout) + "&retries=" + std::to_string(retries);
    if (s.version == "3") {
        uri += "&user=" + escape(s.user);
        if (!s.auth.empty()) uri += "&auth=" + escape(s.auth);
        if (!s.priv.empty()) uri += "&priv=" + escape(s.priv);
    }
    return checkNetworkName(uri, error);
}

}  // namespace tqdms
