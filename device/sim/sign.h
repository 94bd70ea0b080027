// The simulated sign: an NTCIP 1203/1201 sign held in memory, optionally
// kept in a JSON state file. Its data lives in one store per table group;
// the backend methods are defined beside their store (clock.cpp,
// messages.cpp, fonts.cpp, graphics.cpp, timebase.cpp).
#pragma once

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
