// The simulated sign's description: geometry (dmsSignCfg, vmsCfg), MULTI
// defaults (multiCfg), status bits (dmsStatus) and the module table
// (globalConfiguration). None of it changes through the boundary; a state
// file sets it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace tqsim {

struct ModuleRow {
    std::string make, model, version;
    int type = 3;  // moduleType: 1 other, 2 hardware, 3 software
};

struct SignProfile {
    int signHeightMm = 1100, signWidthMm = 3600;                     // dms.1.3 / dms.1.4
    int characterHeightPixels = 0, characterWidthPixels = 0;        // dms.2.1 / 2.2 (0 = full matrix / variable)
    int signHeightPixels = 27, signWidthPixels = 105;               // dms.2.3 / 2.4
    int horizontalPitch = 33, verticalPitch = 33;                   // dms.2.5 / 2.6 (mm)
    std::array<uint8_t, 6> monochromeColor{255, 180, 0, 0, 0, 0};   // dms.2.7: on R,G,B then off R,G,B
    int defaultBackgroundColor = 0, defaultForegroundColor = 9;     // dms.4.1 / 4.2 (classic colour numbers; 9 amber)
    int defaultFlashOn = 5, defaultFlashOff = 5;                    // dms.4.3 / 4.4 tenths of a second
    int defaultFont = 1;                                            // dms.4.5
    int defaultJustificationLine = 3, defaultJustificationPage = 3; // dms.4.6 / 4.7 (center / middle)
    int defaultPageOnTime = 30, defaultPageOffTime = 0;             // dms.4.8 / 4.9 tenths
    // dms.4.11: 1 monochrome1bit .. 4 color24bit. A colour sign by default:
    // the library writes RGB colours ([pb0,0,0]), which the MULTI check
    // refuses on monochrome and classic signs.
    int colorScheme = 4;
    std::array<uint8_t, 3> defaultBackgroundRgb{0, 0, 0};           // dms.4.12
    std::array<uint8_t, 3> defaultForegroundRgb{255, 180, 0};       // dms.4.13
    // dms.4.14 dmsSupportedMultiTags, up to 4 octets: bit n in octet n / 8
    // as 1 << (n % 8) (NtcipMultiTagBit). The default sets bits 0..29, every
    // tag of the bitmap that the sign's MULTI check accepts: ff ff ff 3f.
    std::string supportedMultiTags = std::string("\xff\xff\xff\x3f", 4);
    int maxNumberPages = 6;                                         // dms.4.15
    int doorOpen = 0;                                               // dms.9.6 dmsStatDoorOpen bitmap
    int shortErrorStatus = 0;                                       // dms.9.7.1 bitmap
    // global.1.3.1 moduleTable, 1..255 rows.
    std::vector<ModuleRow> modules{{"dmscontent", "simulated sign", "1.0", 3}};

    // Key "profile" of a state; missing keys keep their values. Throws
    // std::invalid_argument or a json exception on a bad value and then
    // changes nothing.
    void load(const nlohmann::json& state);
    void save(nlohmann::json& state) const;
};

}  // namespace tqsim
