// The sign clock: NTCIP 1201 globalTime (1) and the local time
// differential (5). A running clock keeps its offset from the host clock; a
// frozen one (for tests) keeps a fixed time.
#pragma once

#include <cstdint>

#include <nlohmann/json_fwd.hpp>

namespace tqsim {

struct SimClock {
    bool running = true;
    int64_t offset = 0;       // running: sign time minus host time, seconds
    uint32_t frozenAt = 0;    // frozen: the time it shows
    int32_t differential = 0; // seconds east of UTC

    uint32_t now() const;
    void set(uint32_t seconds);

    void load(const nlohmann::json& state);
    void save(nlohmann::json& state) const;
};

}  // namespace tqsim
