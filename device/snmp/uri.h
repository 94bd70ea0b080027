// Signs named by a URI:
//   snmp://[COMMUNITY@]HOST[:PORT][?version=1|2c|3&timeout=MS&retries=N
//          &user=NAME&auth=PROTOCOL:KEY&priv=PROTOCOL:KEY]
// HOST is a name, a numeric IPv4 address or [IPv6]; PORT defaults to 161,
// the community to "public", the version to 1. Characters outside the
// URI's own may be written %XX.
#pragma once

#include <initializer_list>
#include <string>

#include "transport.h"

namespace tqdms {
namespace snmp {

bool isSnmpUri(const std::string& text);
// PROTOCOL:KEY with PROTOCOL one of `protocols` and a key of at least 8
// characters (USM's minimum).
bool splitKeyOption(const std::string& text, std::initializer_list<const char*> protocols, std::string& protocol,
                    std::string& key);
// The target of the URI, or false with a one-line reason.
bool parseSnmpUri(const std::string& uri, Target& out, std::string& error);

}  // namespace snmp
}  // namespace tqdms
