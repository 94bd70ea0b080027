// Opening a sign by name: a state file (the simulated sign) or an
// snmp:// URI (a sign reached over SNMP), and the SNMP URI a parameter
// block names.
#pragma once

#include <memory>
#include <string>

#include "backend.h"
#include "tqdms/tqdms.h"

namespace tqsim {
class SimSign;
}  // namespace tqsim

namespace tqdms {

struct OpenedSign {
    std::shared_ptr<Backend> backend;
    std::shared_ptr<tqsim::SimSign> sim;  // null for a network sign
};

bool isNetworkName(const std::string& name);
// TQDMS_OK with the sign, or a code and one line saying why.
uint32_t openSign(const std::string& name, OpenedSign& out, std::string& error);
// Checks a network name without opening anything.
bool checkNetworkName(const std::string& name, std::string& error);
// The snmp:// URI of a parameter block with transport TQDMS_TRANSPORT_SNMP:
// its address, port, retries and timeout, with community and version from
// the environment or the configuration file.
bool blockUri(const DeviceInitParameters& params, std::string& uri, std::string& error);

}  // namespace tqdms
