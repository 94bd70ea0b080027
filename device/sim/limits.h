// The simulated sign's configuration: table sizes and limits it reports.
#pragma once

#include <cstdint>

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
    int settleMs = 0;               // and milliseconds it takes at least (a slow sign's validation)
    int strictCrc = 0;              // 1: activations must carry the stored CRC, also 0 is refused

    // Whether a status request is worked on for a while rather than at once.
    bool slow() const { return pollLatency > 0 || settleMs > 0; }

    void load(const nlohmann::json& j);  // throws nlohmann::json::exception / std::invalid_argument
    void save(nlohmann::json& j) const;
};

// A status request the sign is still working on: the reads and the time it
// still needs. start() begins one; done() is asked at each status read and
// is true once, when the request completes.
struct PendingRequest {
    int reads = 0;
    int64_t dueMs = 0;  // steady clock; 0 = no time to wait

    void start(const Limits& l);
    bool done();
    void clear() { reads = 0; dueMs = 0; }
};

}  // namespace tqsim
