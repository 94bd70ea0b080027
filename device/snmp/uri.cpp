#include "uri.h"

#include <cctype>
#include <cstdlib>

namespace tqdms {
namespace snmp {
namespace {

const char kScheme[] = "snmp://";

// %XX decoding; false for a broken escape.
bool decode(const std::string& in, std::string& out) {
    out.clear();
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '%') {
            out += in[i];
            continue;
        }
        if (i + 2 >= in.size() || !std::isxdigit(static_cast<unsigned char>(in[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(in[i + 2])))
            return false;
        out += static_cast<char>(std::strtol(in.substr(i + 1, 2).c_str(), nullptr, 16));
        i += 2;
    }
    return true;
}

// A whole decimal number within [lo, hi].
bool number(const std::string& s, long lo, long hi, int& out) {
    if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos) return false;
    long v = std::strtol(s.c_str(), nullptr, 10);
    if (v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}


bool fail(std::string& error, const std::string& why) {
    error = why;
    return false;
}

}  // namespace

bool splitKeyOption(const std::string& text, std::initializer_list<const char*> protocols, std::string& protocol,
                    std::string& key) {
    size_t colon = text.find(':');
    if (colon == std::string::npos) return false;
    protocol = text.substr(0, colon);
    key = text.substr(colon + 1);
    bool known = false;
    for (const char* p : protocols) known = known || protocol == p;
    return known && key.size() >= 8;
}

bool isSnmpUri(const std::string& text) { return text.compare(0, sizeof kScheme - 1, kScheme) == 0; }

bool parseSnmpUri(const std::string& uri, Target& out, std::string& error) {
    if (!isSnmpUri(uri)) return fail(error, "not an snmp:// address: " + uri);
    Target t;
    std::string rest = uri.substr(sizeof kScheme - 1);
    std::string query;
    size_t q = rest.find('?');
    if (q != std::string::npos) {
        query = rest.substr(q + 1);
        rest = rest.substr(0, q);
    }
    size_t at = rest.rfind('@');
    if (at != std::string::npos) {
        if (!decode(rest.substr(0, at), t.community) || t.community.empty())
            return fail(error, "bad community in " + uri);
        rest = rest.substr(at + 1);
    }
    std::string port;
    bool hasPort = false;
    if (!rest.empty() && rest[0] == '[') {
        size_t close = rest.find(']');
        if (close == std::string::npos) return fail(error, "unclosed [ in " + uri);
        t.host = rest.substr(0, close + 1);
        rest = rest.substr(close + 1);
        if (!rest.empty() && rest[0] != ':') return fail(error, "bad address in " + uri);
        hasPort = !rest.empty();
        if (hasPort) port = rest.substr(1);
        if (t.host.size() < 3 || t.host.find_first_not_of("[]0123456789abcdefABCDEF:.") != std::string::npos)
            return fail(error, "bad IPv6 address in " + uri);
    } else {
        size_t colon = rest.find(':');
        t.host = rest.substr(0, colon);
        hasPort = colon != std::string::npos;
        if (hasPort) port = rest.substr(colon + 1);
        if (t.host.empty() ||
            t.host.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-") !=
                std::string::npos)
            return fail(error, "bad host in " + uri);
    }
    if (hasPort && !number(port, 1, 65535, t.port)) return fail(error, "bad port in " + uri);

    bool versionGiven = false;
    std::string auth, priv;
    size_t start = 0;
    while (!query.empty() && start <= query.size()) {
        size_t amp = query.find('&', start);
        std::string item = query.substr(start, amp == std::string::npos ? std::string::npos : amp - start);
        start = amp == std::string::npos ? query.size() + 1 : amp + 1;
        size_t eq = item.find('=');
        std::string key = item.substr(0, eq), value;
        if (eq == std::string::npos || !decode(item.substr(eq + 1), value) || value.empty())
            return fail(error, "bad parameter '" + item + "' in " + uri);
        if (key == "version") {
            if (value == "1") t.version = 1;
            else if (value == "2c") t.version = 2;
            else if (value == "3") t.version = 3;
            else return fail(error, "version must be 1, 2c or 3 in " + uri);
            versionGiven = true;
        } else if (key == "timeout") {
            if (!number(value, 1, 60000, t.timeoutMs)) return fail(error, "timeout must be 1 to 60000 ms in " + uri);
        } else if (key == "retries") {
            if (!number(value, 0, 10, t.retries)) return fail(error, "retries must be 0 to 10 in " + uri);
        } else if (key == "user") {
            t.user = value;
        } else if (key == "auth") {
            if (!splitKeyOption(value, {"SHA", "MD5"}, t.authProtocol, t.authKey))
                return fail(error, "auth must be SHA:KEY or MD5:KEY with a key of 8 characters at least");
        } else if (key == "priv") {
            if (!splitKeyOption(value, {"AES", "DES"}, t.privProtocol, t.privKey))
                return fail(error, "priv must be AES:KEY or DES:KEY with a key of 8 characters at least");
        } else {
            return fail(error, "unknown parameter '" + key + "' in " + uri);
        }
    }
    if (!t.user.empty() && !versionGiven) t.version = 3;  // a user means SNMPv3
    if (t.version == 3) {
        if (t.user.empty()) return fail(error, "SNMPv3 needs user= in " + uri);
        if (!t.privProtocol.empty() && t.authProtocol.empty()) return fail(error, "priv= needs auth= in " + uri);
        if (at != std::string::npos) return fail(error, "SNMPv3 takes no community in " + uri);
    } else if (!t.user.empty() || !t.authProtocol.empty() || !t.privProtocol.empty()) {
        return fail(error, "user, auth and priv are for version=3 in " + uri);
    }
    out = t;
    return true;
}

}  // namespace snmp
}  // namespace tqdms
