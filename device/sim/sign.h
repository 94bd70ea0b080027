// The simulated sign: an NTCIP 1203/1201 sign held in memory, optionally
// kept in a JSON state file. Its data lives in one store per table group;
// the backend methods are defined beside their store (clock.cpp,
// messages.cpp, fonts.cpp, graphics.cpp, timebase.cpp, profile.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "../backend.h"
#include "clock.h"
#include "fonts.h"
#include "graphics.h"
#include "limits.h"
#include "messages.h"
#include "profile.h"
#include "timebase.h"
#include "tqdms/tqdms.h"

namespace tqsim {

class SimSign final : public tqdms::Backend {
public:
    // A sign from a state file; a missing file gives a new default sign that
    // will be saved there.
    static uint32_t openFile(const std::string& path, std::shared_ptr<SimSign>& out);
    // An in-memory sign; json (may be null) is merged over the defaults.
    static uint32_t openMemory(const char* json, std::shared_ptr<SimSign>& out);

    nlohmann::json state() const;
    // Replaces the whole state by `state` when it is valid (all or nothing).
    uint32_t load(const nlohmann::json& state);
    uint32_t patch(const std::string& mergePatch);
    uint32_t save(const std::string& path);  // empty: the sign's own file
    void saveIfDirty();
    void markDirty() { dirty_ = true; }
    const std::string& file() const { return file_; }

    Limits limits;
    SimClock clock;
    MessageStore messages;
    FontStore fonts;
    GraphicStore graphics;
    TimeBaseStore timebase;
    SignProfile profile;

    // Backend
    uint32_t getMsgInfo(int object, void* buf, int len) override;
    uint32_t getMsgTable(int memoryType, int number, int column, void* buf, int len) override;
    uint32_t setMsgTable(int memoryType, int number, int column, const void* buf, int len) override;
    uint32_t define1Message(int memoryType, int number, int beacon, int pixelService, int priority,
                            const char* owner, const char* multi) override;
    uint32_t activeMessage(const uint8_t* activation12) override;
    uint32_t getSignControl(int object, void* buf, int len) override;
    uint32_t setSignControl(int object, const void* buf, int len) override;
    uint32_t getDoorOpen(void* buf, int len) override;
    uint32_t setDoorOpen(const void* buf, int len) override;
    uint32_t getGlobalTime(int object, void* buf, int len) override;
    uint32_t setGlobalTime(int object, const void* buf, int len) override;
    uint32_t getMultiCfg(int object, void* buf, int len) override;

    // Objects beyond the boundary's, for an SNMP agent serving this sign.
    // Same conventions: integers in 1-, 2- or 4-byte buffers, octet values
    // need len equal to their size, texts NUL-terminated and cut to len;
    // TQDMS_E_NO_SUCH_NAME for an unknown object or row.
    uint32_t getSignCfg(int object, void* buf, int len) override;        // dms.1: 3 height mm, 4 width mm
    uint32_t getVmsCfg(int object, void* buf, int len) override;         // dms.2: 1..6 ints, 7 monochromeColor (6 octets)
    uint32_t getStatus(int object, void* buf, int len);         // dms.9: 6 doorOpen, 7 shortErrorStatus (dms.9.7.1.0)
    uint32_t getModuleTable(int row, int column, void* buf, int len);  // global.1.3.1: 1 number, 3 make, 4 model,
                                                                       // 5 version (texts), 6 type
    int moduleCount() const;                                    // globalMaxModules (global.1.2.0)
    // Exact byte lengths of the variable-length octet cells.
    size_t characterBitmapSize(int row, int character) const;   // 0: no bitmap, or no such character
    size_t graphicBlockBytes(int row, int block) const;         // bytes of the row's bitmap in that block

    uint32_t getFontDefinition(int object, void* buf, int len) override;
    uint32_t getFontTable(int row, int column, void* buf, int len) override;
    uint32_t setFontTable(int row, int column, const void* buf, int len) override;
    uint32_t getCharacterTable(int row, int character, int column, void* buf, int len) override;
    uint32_t setCharacterTable(int row, int character, int column, const void* buf, int len) override;

    uint32_t getGraphicDefinition(int object, void* buf, int len) override;
    uint32_t getGraphicTable(int row, int column, void* buf, int len) override;
    uint32_t setGraphicTable(int row, int column, const void* buf, int len) override;
    uint32_t getGraphicBitmapTable(int row, int block, void* buf, int len) override;
    uint32_t setGraphicBitmapTable(int row, int block, const void* buf, int len) override;

    uint32_t getTimeBase(int object, void* buf, int len) override;
    uint32_t getTimeBaseSchTable(int row, int column, void* buf, int len) override;
    uint32_t setTimeBaseSchTable(int row, int column, const void* buf, int len) override;
    uint32_t getTimeBaseDayPlanTable(int dayPlan, int event, int column, void* buf, int len) override;
    uint32_t setTimeBaseDayPlanTable(int dayPlan, int event, int column, const void* buf, int len) override;
    uint32_t getNumActionTableEntries(void* buf, int len) override;
    uint32_t getSchActionTable(int row, void* entry, int len) override;
    uint32_t setSchActionTable(int row, const void* entry, int len) override;

private:
    std::string file_;
    bool dirty_ = false;
};

}  // namespace tqsim
