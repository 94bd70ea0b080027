// What the net-snmp handler and the agent's start-up share.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../sim/sign.h"
#include "sign_agent.h"

namespace tqagent {

struct SignAgent::State {
    tqsim::SimSign* sign = nullptr;
    // The sign before a SET of several varbinds, so a refused one undoes
    // the others: a request changes all of its objects or none.
    std::unique_ptr<tqsim::SimSign> before;
    std::vector<SetEvent> events;  // of the SET in progress
    bool changed = false;
    std::function<void(const SetEvent&)> sink;
    std::string persistDir;        // net-snmp's scratch folder, removed at the end
    bool registered = false;
    std::string versions;          // served, e.g. "v1, v2c, v3"
    int answerDelayMs = 0;
};

// Registers the handler of every sign object (below nema.4.2) for `state`.
bool registerSignHandler(SignAgent::State* state);

}  // namespace tqagent
