// A sign reached over SNMP: each boundary call becomes one GET or one SET
// of the object the OID map names, except tqDefine1Message, which runs the
// NTCIP message sequence. A SET that asks for a status change returns once
// the row has left its transitional status (or the time is up), so the
// content library's short polls see a settled row.
#pragma once

#include <map>
#include <memory>

#include "../backend.h"
#include "oid_map.h"
#include "transport.h"

namespace tqdms {
namespace snmp {

class SnmpBackend final : public Backend {
public:
    // settleMs: how long a status request may take to settle.
    SnmpBackend(std::unique_ptr<Transport> transport, int settleMs);

    void bindStop(int32_t* stopFlag) override { transport_->bindStop(stopFlag); }

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
    uint32_t getSignCfg(int object, void* buf, int len) override;
    uint32_t getVmsCfg(int object, void* buf, int len) override;

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
    uint32_t get(oids::Table table, int number, int i0, int i1, void* buf, int len);
    uint32_t set(oids::Table table, int number, int i0, int i1, const void* buf, int len);
    // Reads the status column until it leaves a transitional value.
    uint32_t settle(oids::Table table, int column, int i0, int i1);

    std::unique_ptr<Transport> transport_;
    int settleMs_;
    std::map<int, int> graphicTypes_;  // graphic type per row, as last written or read
};

}  // namespace snmp
}  // namespace tqdms
