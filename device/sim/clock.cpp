#include "clock.h"

#include <nlohmann/json.hpp>

#include <ctime>
#include <stdexcept>

#include "../bytes.h"
#include "sign.h"
#include "tqdms/ntcip.h"

namespace tqsim {

uint32_t SimClock::now() const {
    if (!running) return frozenAt;
    return static_cast<uint32_t>(static_cast<int64_t>(std::time(nullptr)) + offset);
}

void SimClock::set(uint32_t seconds) {
    if (running)
        offset = static_cast<int64_t>(seconds) - static_cast<int64_t>(std::time(nullptr));
    else
        frozenAt = seconds;
}

void SimClock::load(const nlohmann::json& state) {
    if (!state.contains("clock")) return;
    const nlohmann::json& j = state.at("clock");
    running = j.value("running", true);
    differential = j.value("differential", 0);
    if (differential < -86400 || differential > 86400) throw std::invalid_argument("clock differential");
    // A running clock is saved as the time it showed, so a sign kept in a
    // file goes on from where it was set relative to the host clock.
    if (running)
        offset = j.value("offset", static_cast<int64_t>(0));
    else
        frozenAt = j.value("time", 0u);
}

void SimClock::save(nlohmann::json& state) const {
    nlohmann::json j{{"running", running}, {"differential", differential}};
    if (running)
        j["offset"] = offset;
    else
        j["time"] = frozenAt;
    state["clock"] = j;
}

// globalTime and globalLocalTimeDifferential, 4 bytes each.
uint32_t SimSign::getGlobalTime(int object, void* buf, int len) {
    if (len != 4) return TQDMS_E_BAD_VALUE;
    switch (object) {
    case NTCIP_GLOBAL_TIME_SECONDS: return tqdms::putInt(buf, len, clock.now());
    case NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL: return tqdms::putInt(buf, len, clock.differential);
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

uint32_t SimSign::setGlobalTime(int object, const void* buf, int len) {
    uint32_t v;
    if (object != NTCIP_GLOBAL_TIME_SECONDS && object != NTCIP_GLOBAL_LOCAL_TIME_DIFFERENTIAL) return TQDMS_E_NO_SUCH_NAME;
    if (len != 4 || !tqdms::getUInt(buf, len, v)) return TQDMS_E_BAD_VALUE;
    if (object == NTCIP_GLOBAL_TIME_SECONDS) {
        clock.set(v);
        return TQDMS_OK;
    }
    int32_t diff = static_cast<int32_t>(v);
    if (diff < -43200 || diff > 50400) return TQDMS_E_BAD_VALUE;  // UTC-12 .. UTC+14
    clock.differential = diff;
    return TQDMS_OK;
}

}  // namespace tqsim
