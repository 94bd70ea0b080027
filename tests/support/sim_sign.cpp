#include "sim_sign.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "sign_over_snmp.h"


namespace testing_support {
namespace {

void TQ_CALL recordProgress(void*, int code, int value) { SimSign::progress().emplace_back(code, value); }

std::string readText(int (*fn)(char*, int)) {
    int need = fn(nullptr, 0);
    std::string buf(static_cast<size_t>(need > 0 ? need : 1), '\0');
    fn(&buf[0], static_cast<int>(buf.size()));
    buf.resize(std::strlen(buf.c_str()));
    return buf;
}

int TQ_CALL stateText(char* buf, int len) { return tqsimGetState(buf, len); }
int TQ_CALL journalText(char* buf, int len) { return tqsimGetJournal(buf, len); }

}  // namespace

std::vector<std::pair<int, int>>& SimSign::progress() {
    static std::vector<std::pair<int, int>> p;
    return p;
}

SimSign::SimSign(const json& overrides) {
    DeviceInitParameters params;
    std::memset(&params, 0, sizeof params);
    std::strcpy(params.address, "127.0.0.1");
    params.progress = recordProgress;
    if (overSnmp()) {
        snmp_ = std::make_unique<SignOverSnmp>(overrides, params);
    } else {
        if (tqsimOpenMemory(overrides.dump().c_str()) != 0) throw std::runtime_error("bad sign overrides");
        if (tqDMSInitNotVerify(&params) != 0) throw std::runtime_error("cannot open the sign");
    }
    tqsimClearFaults();
    tqsimClearJournal();
    tqsimSetJournal(1);
    progress().clear();
}

SimSign::~SimSign() {
    tqsimClearFaults();
    tqsimClearJournal();
    if (snmp_) snmp_.reset();
    else tqsimClose();
}

json SimSign::state() const { return snmp_ ? snmp_->state() : json::parse(readText(stateText)); }

void SimSign::patch(const json& mergePatch) {
    bool ok = snmp_ ? snmp_->patch(mergePatch) : tqsimPatchState(mergePatch.dump().c_str()) == 0;
    if (!ok) throw std::runtime_error("bad state patch: " + mergePatch.dump());
}

void SimSign::fault(const json& faultJson) {
    if (tqsimAddFault(faultJson.dump().c_str()) != 0) throw std::runtime_error("bad fault: " + faultJson.dump());
}

void SimSign::clearFaults() { tqsimClearFaults(); }

json SimSign::journal() const { return json::parse(readText(journalText)); }

std::vector<json> SimSign::calls(const std::string& fn) const {
    std::vector<json> out;
    for (const json& e : journal())
        if (e["fn"] == fn) out.push_back(e);
    return out;
}

void SimSign::clearJournal() { tqsimClearJournal(); }

std::vector<std::string> SimSign::callNames() const {
    std::vector<std::string> out;
    for (const json& e : journal()) out.push_back(e["fn"].get<std::string>());
    return out;
}

void SimSign::freezeClock(uint32_t seconds, int32_t differential) {
    patch({{"clock", {{"running", false}, {"time", seconds}, {"differential", differential}}}});
}

std::string entryBytes(const json& entry) {
    std::string hex = entry["data"].get<std::string>();
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

std::string hex32(uint32_t v) {
    char buf[9];
    std::snprintf(buf, sizeof buf, "%02x%02x%02x%02x", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF, v >> 24);
    return buf;
}

}  // namespace testing_support
