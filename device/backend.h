// The device library's backend: one object per sign connection kind (the
// simulated sign now, networked signs later). The boundary functions check
// arguments, journal and fault-inject, then call exactly one method here.
#pragma once

#include <cstdint>

#include "tqdms/tqdms.h"

namespace tqdms {

class Backend {
public:
    virtual ~Backend() = default;

    // The stop flag of the calling thread's interface object, set before
    // each call. A backend that talks to a sign over a network reads (and
    // clears) it between exchanges and retries; the simulated sign answers
    // at once and ignores it.
    virtual void bindStop(int32_t* stopFlag) { (void)stopFlag; }

    virtual uint32_t getMsgInfo(int object, void* buf, int len) = 0;
    virtual uint32_t getMsgTable(int memoryType, int number, int column, void* buf, int len) = 0;
    virtual uint32_t setMsgTable(int memoryType, int number, int column, const void* buf, int len) = 0;
    virtual uint32_t define1Message(int memoryType, int number, int beacon, int pixelService,
                                    int priority, const char* owner, const char* multi) = 0;
    virtual uint32_t activeMessage(const uint8_t* activation12) = 0;
    virtual uint32_t getSignControl(int object, void* buf, int len) = 0;
    virtual uint32_t setSignControl(int object, const void* buf, int len) = 0;
    virtual uint32_t getDoorOpen(void* buf, int len) = 0;
    virtual uint32_t setDoorOpen(const void* buf, int len) = 0;
    virtual uint32_t getGlobalTime(int object, void* buf, int len) = 0;
    virtual uint32_t setGlobalTime(int object, const void* buf, int len) = 0;
    virtual uint32_t getMultiCfg(int object, void* buf, int len) = 0;
    // The geometry extras (tqgeometry.h); a backend without them answers
    // noSuchName.
    virtual uint32_t getSignCfg(int, void*, int) { return TQDMS_E_NO_SUCH_NAME; }
    virtual uint32_t getVmsCfg(int, void*, int) { return TQDMS_E_NO_SUCH_NAME; }

    virtual uint32_t getFontDefinition(int object, void* buf, int len) = 0;
    virtual uint32_t getFontTable(int row, int column, void* buf, int len) = 0;
    virtual uint32_t setFontTable(int row, int column, const void* buf, int len) = 0;
    virtual uint32_t getCharacterTable(int row, int character, int column, void* buf, int len) = 0;
    virtual uint32_t setCharacterTable(int row, int character, int column, const void* buf, int len) = 0;

    virtual uint32_t getGraphicDefinition(int object, void* buf, int len) = 0;
    virtual uint32_t getGraphicTable(int row, int column, void* buf, int len) = 0;
    virtual uint32_t setGraphicTable(int row, int column, const void* buf, int len) = 0;
    virtual uint32_t getGraphicBitmapTable(int row, int block, void* buf, int len) = 0;
    virtual uint32_t setGraphicBitmapTable(int row, int block, const void* buf, int len) = 0;

    virtual uint32_t getTimeBase(int object, void* buf, int len) = 0;
    virtual uint32_t getTimeBaseSchTable(int row, int column, void* buf, int len) = 0;
    virtual uint32_t setTimeBaseSchTable(int row, int column, const void* buf, int len) = 0;
    virtual uint32_t getTimeBaseDayPlanTable(int dayPlan, int event, int column, void* buf, int len) = 0;
    virtual uint32_t setTimeBaseDayPlanTable(int dayPlan, int event, int column, const void* buf, int len) = 0;
    virtual uint32_t getNumActionTableEntries(void* buf, int len) = 0;
    virtual uint32_t getSchActionTable(int row, void* entry, int len) = 0;
    virtual uint32_t setSchActionTable(int row, const void* entry, int len) = 0;
};

}  // namespace tqdms
