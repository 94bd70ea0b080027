// Test helper: the sign a SimSign opens, served by `dmsctl sim serve` on
// loopback and reached over SNMP, for a second run of the export tests
// (DMS_TEST_OVER_SNMP=1). The calling thread talks to the agent; the
// journal and faults stay in this process, in front of the network sign.
#pragma once

#include <nlohmann/json.hpp>

#include <memory>
#include <string>

#include "support/agent_process.h"
#include "tqdms/tqdms.h"

namespace testing_support {

// True when the environment asks for signs over SNMP.
bool overSnmp();

class SignOverSnmp {
public:
    // Creates the in-memory sign `overrides` describes, hands its state to
    // an agent and binds the calling thread to it with `params`.
    SignOverSnmp(const nlohmann::json& overrides, const DeviceInitParameters& params);
    ~SignOverSnmp();
    SignOverSnmp(const SignOverSnmp&) = delete;
    SignOverSnmp& operator=(const SignOverSnmp&) = delete;

    // The sign's state as the agent saves it when it stops; it is served
    // again afterwards (on a new port, with a new session).
    nlohmann::json state();
    // The same stop, the patch applied to the saved state, and a restart.
    // False (sign unchanged) when the patch is refused.
    bool patch(const nlohmann::json& mergePatch);

private:
    void serve();
    bool halt();  // false when the agent did not end cleanly (state not saved)

    DeviceInitParameters params_;
    std::string dir_, file_;
    std::unique_ptr<snmptest::AgentProcess> agent_;
};

}  // namespace testing_support
