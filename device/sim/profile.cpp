#include "profile.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "../bytes.h"
#include "sign.h"
#include "tqdms/ntcip.h"

namespace tqsim {
namespace {

struct Field {
    const char* name;
    int SignProfile::*member;
    int min;
    int max;
};

// Every integer of the profile with the range its object allows.
const Field kFields[] = {
    {"signHeightMm", &SignProfile::signHeightMm, 0, 65535},
    {"signWidthMm", &SignProfile::signWidthMm, 0, 65535},
    {"characterHeightPixels", &SignProfile::characterHeightPixels, 0, 255},
    {"characterWidthPixels", &SignProfile::characterWidthPixels, 0, 255},
    {"signHeightPixels", &SignProfile::signHeightPixels, 0, 65535},
    {"signWidthPixels", &SignProfile::signWidthPixels, 0, 65535},
    {"horizontalPitch", &SignProfile::horizontalPitch, 0, 255},
    {"verticalPitch", &SignProfile::verticalPitch, 0, 255},
    {"defaultBackgroundColor", &SignProfile::defaultBackgroundColor, 0, 255},
    {"defaultForegroundColor", &SignProfile::defaultForegroundColor, 0, 255},
    {"defaultFlashOn", &SignProfile::defaultFlashOn, 0, 99},
    {"defaultFlashOff", &SignProfile::defaultFlashOff, 0, 99},
    {"defaultFont", &SignProfile::defaultFont, 1, 255},
    {"defaultJustificationLine", &SignProfile::defaultJustificationLine, NTCIP_JUSTIFICATION_LINE_OTHER,
     NTCIP_JUSTIFICATION_LINE_FULL},
    {"defaultJustificationPage", &SignProfile::defaultJustificationPage, NTCIP_JUSTIFICATION_PAGE_OTHER,
     NTCIP_JUSTIFICATION_PAGE_BOTTOM},
    {"defaultPageOnTime", &SignProfile::defaultPageOnTime, 0, 255},
    {"defaultPageOffTime", &SignProfile::defaultPageOffTime, 0, 255},
    {"colorScheme", &SignProfile::colorScheme, NTCIP_MONOCHROME_1BIT, NTCIP_COLOR_24BIT},
    {"maxNumberPages", &SignProfile::maxNumberPages, 1, 255},
    {"doorOpen", &SignProfile::doorOpen, 0, 255},
    {"shortErrorStatus", &SignProfile::shortErrorStatus, 0, 65535},
};

// An integer in min..max, read wide so that a huge number is not cut into range.
int rangedInt(const nlohmann::json& v, const char* name, int min, int max) {
    if (!v.is_number_integer() || (v.is_number_unsigned() && v.get<uint64_t>() > static_cast<uint64_t>(max)))
        throw std::invalid_argument(std::string("profile: ") + name);
    int64_t n = v.get<int64_t>();
    if (n < min || n > max) throw std::invalid_argument(std::string("profile out of range: ") + name);
    return static_cast<int>(n);
}

constexpr size_t kMaxMultiTagOctets = 4;
constexpr size_t kMaxModules = 255;
constexpr size_t kMaxModuleText = 255;

std::string hexBytes(const nlohmann::json& j, const char* key, size_t min, size_t max) {
    std::string bytes;
    if (!tqdms::fromHex(j.at(key).get<std::string>(), bytes) || bytes.size() < min || bytes.size() > max)
        throw std::invalid_argument(std::string("profile: ") + key);
    return bytes;
}

template <size_t N>
void octetsInto(const nlohmann::json& j, const char* key, std::array<uint8_t, N>& a) {
    if (!j.contains(key)) return;
    std::string bytes = hexBytes(j, key, N, N);
    std::memcpy(a.data(), bytes.data(), N);
}

template <size_t N>
std::string hexOf(const std::array<uint8_t, N>& a) {
    return tqdms::toHex(a.data(), a.size());
}

std::string moduleText(const nlohmann::json& row, const char* key) {
    std::string text = row.value(key, std::string());
    if (text.size() > kMaxModuleText || text.find('\0') != std::string::npos)
        throw std::invalid_argument(std::string("module ") + key);
    return text;
}

// Octet values: len must be their exact size.
uint32_t putOctets(void* buf, int len, const void* data, size_t size) {
    if (len < 0 || static_cast<size_t>(len) != size) return TQDMS_E_BAD_VALUE;
    if (size) std::memcpy(buf, data, size);
    return TQDMS_OK;
}

}  // namespace

void SignProfile::load(const nlohmann::json& state) {
    if (!state.contains("profile")) return;
    const nlohmann::json& j = state.at("profile");
    if (!j.is_object()) throw std::invalid_argument("profile must be an object");
    SignProfile next = *this;  // so a bad value changes nothing
    for (const Field& f : kFields) {
        if (!j.contains(f.name)) continue;
        next.*f.member = rangedInt(j.at(f.name), f.name, f.min, f.max);
    }
    octetsInto(j, "monochromeColor", next.monochromeColor);
    octetsInto(j, "defaultBackgroundRgb", next.defaultBackgroundRgb);
    octetsInto(j, "defaultForegroundRgb", next.defaultForegroundRgb);
    if (j.contains("supportedMultiTags")) next.supportedMultiTags = hexBytes(j, "supportedMultiTags", 0, kMaxMultiTagOctets);
    if (j.contains("modules")) {
        const nlohmann::json& rows = j.at("modules");
        if (!rows.is_array() || rows.empty() || rows.size() > kMaxModules) throw std::invalid_argument("modules");
        next.modules.clear();
        for (const nlohmann::json& row : rows) {
            if (!row.is_object()) throw std::invalid_argument("module row");
            ModuleRow m;
            m.make = moduleText(row, "make");
            m.model = moduleText(row, "model");
            m.version = moduleText(row, "version");
            if (row.contains("type"))
                m.type = rangedInt(row.at("type"), "module type", NTCIP_MODULE_TYPE_OTHER, NTCIP_MODULE_TYPE_SOFTWARE);
            next.modules.push_back(m);
        }
    }
    *this = next;
}

void SignProfile::save(nlohmann::json& state) const {
    nlohmann::json j = nlohmann::json::object();
    for (const Field& f : kFields) j[f.name] = this->*f.member;
    j["monochromeColor"] = hexOf(monochromeColor);
    j["defaultBackgroundRgb"] = hexOf(defaultBackgroundRgb);
    j["defaultForegroundRgb"] = hexOf(defaultForegroundRgb);
    j["supportedMultiTags"] = tqdms::toHex(supportedMultiTags.data(), supportedMultiTags.size());
    nlohmann::json rows = nlohmann::json::array();
    for (const ModuleRow& m : modules)
        rows.push_back({{"make", m.make}, {"model", m.model}, {"version", m.version}, {"type", m.type}});
    j["modules"] = rows;
    state["profile"] = j;
}

// multiCfg: the MULTI defaults, the colour scheme, the supported tags and
// the page and length limits.
uint32_t SimSign::getMultiCfg(int object, void* buf, int len) {
    const SignProfile& p = profile;
    switch (object) {
    case NTCIP_DEFAULT_BACKGROUND_COLOR: return tqdms::putInt(buf, len, p.defaultBackgroundColor);
    case NTCIP_DEFAULT_FOREGROUND_COLOR: return tqdms::putInt(buf, len, p.defaultForegroundColor);
    case NTCIP_DEFAULT_FLASH_ON: return tqdms::putInt(buf, len, p.defaultFlashOn);
    case NTCIP_DEFAULT_FLASH_OFF: return tqdms::putInt(buf, len, p.defaultFlashOff);
    case NTCIP_DEFAULT_FONT: return tqdms::putInt(buf, len, p.defaultFont);
    case NTCIP_DEFAULT_JUSTIFICATION_LINE: return tqdms::putInt(buf, len, p.defaultJustificationLine);
    case NTCIP_DEFAULT_JUSTIFICATION_PAGE: return tqdms::putInt(buf, len, p.defaultJustificationPage);
    case NTCIP_DEFAULT_PAGE_ON_TIME: return tqdms::putInt(buf, len, p.defaultPageOnTime);
    case NTCIP_DEFAULT_PAGE_OFF_TIME: return tqdms::putInt(buf, len, p.defaultPageOffTime);
    case NTCIP_DMS_COLOR_SCHEME: return tqdms::putInt(buf, len, p.colorScheme);
    case NTCIP_DEFAULT_BACKGROUND_RGB:
        return putOctets(buf, len, p.defaultBackgroundRgb.data(), p.defaultBackgroundRgb.size());
    case NTCIP_DEFAULT_FOREGROUND_RGB:
        return putOctets(buf, len, p.defaultForegroundRgb.data(), p.defaultForegroundRgb.size());
    case NTCIP_DMS_SUPPORTED_MULTI_TAGS:
        return putOctets(buf, len, p.supportedMultiTags.data(), p.supportedMultiTags.size());
    case NTCIP_DMS_MAX_NUMBER_PAGES: return tqdms::putInt(buf, len, p.maxNumberPages);
    case NTCIP_DMS_MAX_MULTI_STRING_LENGTH: return tqdms::putInt(buf, len, limits.maxMultiLength);
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

// dmsSignCfg: the sign face in millimetres.
uint32_t SimSign::getSignCfg(int object, void* buf, int len) {
    switch (object) {
    case NTCIP_DMS_SIGN_HEIGHT: return tqdms::putInt(buf, len, profile.signHeightMm);
    case NTCIP_DMS_SIGN_WIDTH: return tqdms::putInt(buf, len, profile.signWidthMm);
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

// vmsCfg: the pixel matrix, its pitches and the monochrome colours.
uint32_t SimSign::getVmsCfg(int object, void* buf, int len) {
    const SignProfile& p = profile;
    switch (object) {
    case NTCIP_VMS_CHARACTER_HEIGHT_PIXELS: return tqdms::putInt(buf, len, p.characterHeightPixels);
    case NTCIP_VMS_CHARACTER_WIDTH_PIXELS: return tqdms::putInt(buf, len, p.characterWidthPixels);
    case NTCIP_VMS_SIGN_HEIGHT_PIXELS: return tqdms::putInt(buf, len, p.signHeightPixels);
    case NTCIP_VMS_SIGN_WIDTH_PIXELS: return tqdms::putInt(buf, len, p.signWidthPixels);
    case NTCIP_VMS_HORIZONTAL_PITCH: return tqdms::putInt(buf, len, p.horizontalPitch);
    case NTCIP_VMS_VERTICAL_PITCH: return tqdms::putInt(buf, len, p.verticalPitch);
    case NTCIP_MONOCHROME_COLOR: return putOctets(buf, len, p.monochromeColor.data(), p.monochromeColor.size());
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

// dmsStatus: the door bits and shortErrorStatus (object 7 for dms.9.7.1.0).
uint32_t SimSign::getStatus(int object, void* buf, int len) {
    switch (object) {
    case NTCIP_STAT_DOOR_OPEN: return tqdms::putInt(buf, len, profile.doorOpen);
    case NTCIP_SHORT_ERROR_STATUS: return tqdms::putInt(buf, len, profile.shortErrorStatus);
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

// moduleTable: rows 1..moduleCount(); texts NUL-terminated, cut to len.
uint32_t SimSign::getModuleTable(int row, int column, void* buf, int len) {
    if (row < 1 || row > moduleCount()) return TQDMS_E_NO_SUCH_NAME;
    const ModuleRow& m = profile.modules[static_cast<size_t>(row - 1)];
    switch (column) {
    case NTCIP_MODULE_NUMBER: return tqdms::putInt(buf, len, row);
    case NTCIP_MODULE_MAKE: return tqdms::putText(buf, len, m.make);
    case NTCIP_MODULE_MODEL: return tqdms::putText(buf, len, m.model);
    case NTCIP_MODULE_VERSION: return tqdms::putText(buf, len, m.version);
    case NTCIP_MODULE_TYPE: return tqdms::putInt(buf, len, m.type);
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

int SimSign::moduleCount() const { return static_cast<int>(profile.modules.size()); }

}  // namespace tqsim
