// The simulated graphic table (dmsGraphicTable) and graphic bitmap table.
#pragma once

#include <nlohmann/json_fwd.hpp>

namespace tqsim {

struct GraphicStore {
    // Whether a usable graphic of this number is on the sign (MULTI validation).
    bool hasGraphic(int number) const;

    void load(const nlohmann::json& state);
    void save(nlohmann::json& state) const;
};

}  // namespace tqsim
