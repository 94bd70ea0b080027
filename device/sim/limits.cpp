#include "limits.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <stdexcept>

namespace tqsim {
namespace {

struct Field {
    const char* name;
    int Limits::*member;
    int min;
    int max;
};

// Every limit with the range a sign may report for it.
const Field kFields[] = {
    {"maxMultiLength", &Limits::maxMultiLength, 1, 65535},
    {"maxChangeable", &Limits::maxChangeable, 0, 65535},
    {"maxVolatile", &Limits::maxVolatile, 0, 65535},
    {"changeableMemory", &Limits::changeableMemory, 0, 1 << 24},
    {"volatileMemory", &Limits::volatileMemory, 0, 1 << 24},
    {"fontRows", &Limits::fontRows, 0, 255},
    {"maxCharacter", &Limits::maxCharacter, 0, 65535},
    {"graphicRows", &Limits::graphicRows, 0, 255},
    {"graphicMaxSize", &Limits::graphicMaxSize, 0, 1 << 24},
    {"graphicBlockSize", &Limits::graphicBlockSize, 1, 65535},
    {"maxScheduleEntries", &Limits::maxScheduleEntries, 0, 65535},
    {"maxDayPlans", &Limits::maxDayPlans, 0, 255},
    {"maxDayPlanEvents", &Limits::maxDayPlanEvents, 0, 255},
    {"actionRows", &Limits::actionRows, 0, 255},
    {"pollLatency", &Limits::pollLatency, 0, 100},
    {"settleMs", &Limits::settleMs, 0, 60000},
    {"strictCrc", &Limits::strictCrc, 0, 1},
};

}  // namespace

void Limits::load(const nlohmann::json& j) {
    if (!j.is_object()) throw std::invalid_argument("limits must be an object");
    for (const Field& f : kFields) {
        if (!j.contains(f.name)) continue;
        int v = j.at(f.name).get<int>();
        if (v < f.min || v > f.max) throw std::invalid_argument(std::string("limit out of range: ") + f.name);
        this->*f.member = v;
    }
}

void Limits::save(nlohmann::json& j) const {
    for (const Field& f : kFields) j[f.name] = this->*f.member;
}

namespace {

int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

void PendingRequest::start(const Limits& l) {
    reads = l.pollLatency > 0 ? l.pollLatency : 1;
    dueMs = l.settleMs > 0 ? nowMs() + l.settleMs : 0;
}

bool PendingRequest::done() {
    if (reads <= 0) return false;
    if (reads > 1) {
        --reads;
        return false;
    }
    if (dueMs && nowMs() < dueMs) return false;  // the last read waits for the time too
    clear();
    return true;
}

}  // namespace tqsim
