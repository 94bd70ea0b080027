// The simulated graphic table (dmsGraphicTable) and graphic bitmap table.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "limits.h"
#include "tqdms/ntcip.h"

namespace tqsim {

// A graphic status value this sign family reports for a row it keeps for
// itself: it refuses every request, like a permanent row.
constexpr uint32_t kGraphicLocked = 32526;

struct GraphicRow {
    int number = 0;
    std::string name;
    int height = 0;
    int width = 0;
    int type = 0;  // NtcipGraphicType; 0 = not set
    int transparent = 0;
    uint32_t transparentColor = 0;
    uint16_t id = 0;
    uint32_t status = NTCIP_GRAPHIC_NOT_USED;
    std::string bitmap;  // the packed pixel stream as the blocks wrote it
    uint32_t pendingStatus = 0;  // see MessageRow: a request still in progress
    PendingRequest pending;
};

struct GraphicStore {
    // Rows ever touched, by graphic index; rows not held are notUsed and empty.
    std::map<int, GraphicRow> rows;

    // Whether a usable graphic of this number is on the sign (MULTI validation).
    bool hasGraphic(int number) const;

    void load(const nlohmann::json& state);
    void save(nlohmann::json& state) const;
};

// Whether a row of this status can be shown (ready, in use or permanent).
bool graphicUsable(uint32_t status);
// Bytes of a graphic's pixel stream by its type, width and height.
size_t graphicBitmapSize(const GraphicRow& g);
// dmsGraphicID: CRC-16 over number, height, width, type, transparency,
// transparent colour and the bitmap.
uint16_t graphicId(const GraphicRow& g);

}  // namespace tqsim
