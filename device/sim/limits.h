// The simulated sign's configuration: table sizes and limits it reports.
#pragma once

#include <nlohmann/json_fwd.hpp>

namespace tqsim {

struct Limits {
    int maxMultiLength = 1024;      // dmsMaxMultiStringLength
    int maxChangeable = 100;        // dmsMaxChangeableMsg
    int maxVolatile = 20;           // dmsMaxVolatileMsg
    int changeableMemory = 65536;   // bytes of MULTI text the changeable rows may hold
    int volatileMemory = 16384;
    int fontRows = 8;               // numFonts
    int maxCharacter = 255;         // maxFontCharacters
    int graphicRows = 16;           // dmsGraphicMaxEntries
    int graphicMaxSize = 65535;     // dmsGraphicMaxSize (bytes of one graphic's bitmap)
    int graphicBlockSize = 1024;    // dmsGraphicBlockSize
    int maxScheduleEntries = 32;    // maxTimeBaseScheduleEntries
    int maxDayPlans = 16;           // maxDayPlans
    int maxDayPlanEvents = 16;      // maxDayPlanEvents
    int actionRows = 32;            // dmsActionTable rows
    int pollLatency = 0;            // status reads a request stays pending before it completes
    int strictCrc = 0;              // 1: activations must carry the stored CRC, also 0 is refused

    void load(const nlohmann::json& j);  // throws nlohmann::json::exception / std::invalid_argument
    void save(nlohmann::json& j) const;
};

}  // namespace tqsim
