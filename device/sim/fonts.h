// The simulated font table (fontTable) and character table (characterTable).
#pragma once

#include <nlohmann/json_fwd.hpp>

namespace tqsim {

struct FontStore {
    // Whether a usable font of this number is on the sign (MULTI validation).
    bool hasFont(int number) const;

    void load(const nlohmann::json& state);
    void save(nlohmann::json& state) const;
};

}  // namespace tqsim
