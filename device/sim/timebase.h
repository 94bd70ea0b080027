// The simulated NTCIP 1201 time base schedule and day plan tables and the
// NTCIP 1203 action table.
#pragma once

#include <nlohmann/json_fwd.hpp>

namespace tqsim {

struct TimeBaseStore {
    void load(const nlohmann::json& state);
    void save(nlohmann::json& state) const;
};

}  // namespace tqsim
