// Test helper: a simulated sign opened on the calling thread for the life of
// the object, with its journal, faults, state and progress reports at hand.
#pragma once

#include <nlohmann/json.hpp>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tqdms/tqdms.h"
#include "tqdms/tqsim.h"

namespace testing_support {

using nlohmann::json;

class SignOverSnmp;

class SimSign {
public:
    // Opens an in-memory sign with `overrides` merged over the defaults and
    // binds the calling thread to it (with a progress callback recorded here).
    // With DMS_TEST_OVER_SNMP set, the same sign is served by an agent and
    // the thread reaches it over SNMP (see sign_over_snmp.h).
    explicit SimSign(const json& overrides = json::object());
    ~SimSign();
    SimSign(const SimSign&) = delete;
    SimSign& operator=(const SimSign&) = delete;

    json state() const;
    void patch(const json& mergePatch);
    void fault(const json& faultJson);
    void clearFaults();

    json journal() const;
    // Journal entries of one function.
    std::vector<json> calls(const std::string& fn) const;
    void clearJournal();
    // Names of the journalled functions, in order.
    std::vector<std::string> callNames() const;

    // Progress reports (code, value) received since the sign was opened.
    static std::vector<std::pair<int, int>>& progress();

    // A frozen clock at `seconds` with this differential.
    void freezeClock(uint32_t seconds, int32_t differential = 0);

private:
    std::unique_ptr<SignOverSnmp> snmp_;
};

// Bytes of a journal entry's data.
std::string entryBytes(const json& entry);
// A 4-byte little-endian value as hex, as the journal shows it.
std::string hex32(uint32_t v);

}  // namespace testing_support
