#include "sign.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tqsim {
namespace {

const char* const kFormat = "tqsim-sign-1";

bool fileExists(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in.good();
}

}  // namespace

nlohmann::json SimSign::state() const {
    nlohmann::json j = nlohmann::json::object();
    j["format"] = kFormat;
    nlohmann::json l = nlohmann::json::object();
    limits.save(l);
    j["limits"] = l;
    clock.save(j);
    messages.save(j);
    fonts.save(j);
    graphics.save(j);
    timebase.save(j);
    profile.save(j);
    return j;
}

uint32_t SimSign::load(const nlohmann::json& j) {
    // Load into a scratch sign first so a bad state changes nothing.
    SimSign next;
    try {
        if (!j.is_object()) return TQDMS_E_BAD_VALUE;
        if (j.contains("format") && j.at("format") != kFormat) return TQDMS_E_BAD_VALUE;
        if (j.contains("limits")) next.limits.load(j.at("limits"));
        next.clock.load(j);
        next.messages.load(j);
        next.fonts.load(j);
        next.graphics.load(j);
        next.timebase.load(j);
        next.profile.load(j);
    } catch (const std::exception&) {
        return TQDMS_E_BAD_VALUE;
    }
    limits = next.limits;
    clock = next.clock;
    messages = std::move(next.messages);
    fonts = std::move(next.fonts);
    graphics = std::move(next.graphics);
    timebase = std::move(next.timebase);
    profile = std::move(next.profile);
    dirty_ = true;
    return TQDMS_OK;
}

uint32_t SimSign::patch(const std::string& text) {
    nlohmann::json p = nlohmann::json::parse(text, nullptr, false);
    if (p.is_discarded() || !p.is_object()) return TQDMS_E_BAD_VALUE;
    nlohmann::json j = state();
    j.merge_patch(p);
    return load(j);
}

uint32_t SimSign::save(const std::string& path) {
    const std::string& target = path.empty() ? file_ : path;
    if (target.empty()) return TQDMS_E_GEN_ERR;
    // Write beside the target, then rename, so a crash never leaves half a sign.
    std::string tmp = target + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return TQDMS_E_GEN_ERR;
        out << state().dump(1) << '\n';
        if (!out.flush()) return TQDMS_E_GEN_ERR;
    }
#ifdef _WIN32
    std::remove(target.c_str());  // rename does not replace a file there
#endif
    // Elsewhere rename replaces the old state in one step: a crash leaves the
    // old state or the new one, never none.
    if (std::rename(tmp.c_str(), target.c_str()) != 0) return TQDMS_E_GEN_ERR;
    if (path.empty() || path == file_) dirty_ = false;
    return TQDMS_OK;
}

void SimSign::saveIfDirty() {
    if (dirty_ && !file_.empty()) save(std::string());
}

uint32_t SimSign::openFile(const std::string& path, std::shared_ptr<SimSign>& out) {
    auto sign = std::make_shared<SimSign>();
    sign->file_ = path;
    if (fileExists(path)) {
        std::ifstream in(path, std::ios::binary);
        nlohmann::json j = nlohmann::json::parse(in, nullptr, false);
        if (j.is_discarded()) return TQDMS_E_BAD_VALUE;
        uint32_t rc = sign->load(j);
        if (rc != TQDMS_OK) return rc;
        sign->dirty_ = false;
    } else {
        sign->dirty_ = true;  // a new sign is written at its first save
    }
    out = std::move(sign);
    return TQDMS_OK;
}

uint32_t SimSign::openMemory(const char* json, std::shared_ptr<SimSign>& out) {
    auto sign = std::make_shared<SimSign>();
    if (json && *json) {
        uint32_t rc = sign->patch(json);
        if (rc != TQDMS_OK) return rc;
    }
    sign->dirty_ = false;
    out = std::move(sign);
    return TQDMS_OK;
}

}  // namespace tqsim
