// Message rows back to the host: tqGetSingleMessage and tqGetMessages.
#include <cstring>

#include "dmscontent/messages.h"
#include "frame/device.h"
#include "frame/export.h"
#include "frame/log.h"

namespace dms {
namespace {

uint16_t be16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

// The sign's event messages as five slots: door open, activated,
// communications loss, short and long power recovery.
struct EventSlots {
    MessageTableEntry slot[5];
};

uint32_t readEventMessages(EventSlots& e) {
    std::memset(&e, 0, sizeof e);
    uint8_t id[NTCIP_MESSAGE_ID_CODE_SIZE] = {0};
    uint32_t rc = tqGetDoorOpen(id, sizeof id);
    if (rc != 0) return rc;
    e.slot[0].memoryType = id[0];
    e.slot[0].number = be16(id + 1);
    e.slot[0].eventCode = 2;
    uint8_t code[NTCIP_ACTIVATION_CODE_SIZE] = {0};
    if ((rc = tqGetSignControl(NTCIP_ACTIVATE_MESSAGE, code, sizeof code)) != 0) return rc;
    e.slot[1].memoryType = code[3];
    e.slot[1].number = be16(code + 4);
    e.slot[1].eventCode = 1;
    const int objects[3] = {NTCIP_COMMUNICATIONS_LOSS_MESSAGE, NTCIP_SHORT_POWER_RECOVERY_MESSAGE,
                            NTCIP_LONG_POWER_RECOVERY_MESSAGE};
    for (int i = 0; i < 3; ++i) {
        std::memset(id, 0, sizeof id);
        if ((rc = tqGetSignControl(objects[i], id, sizeof id)) != 0) return rc;
        e.slot[2 + i].memoryType = id[0];
        e.slot[2 + i].number = be16(id + 1);
        e.slot[2 + i].eventCode = static_cast<uint8_t>(3 + i);
    }
    return 0;
}

// Visits one row for tqGetMessages; `kept` tells whether entries[filled]
// now holds it.
uint32_t visitRow(int memoryType, int number, MessageTableEntry* entries, int32_t capacity, int32_t filled,
                  const EventSlots& events, bool& kept) {
    kept = false;
    if (filled >= capacity) return DMS_E_FULL;
    MessageTableEntry& e = entries[filled];
    e.memoryType = static_cast<uint8_t>(memoryType);
    e.number = static_cast<uint16_t>(number);
    std::memset(e.multi, 0, sizeof e.multi);
    std::memset(e.owner, 0, sizeof e.owner);
    uint32_t rc = tqGetMsgTable(memoryType, number, NTCIP_MSG_STATUS, &e.status, 1);
    if (rc != 0 || e.status == NTCIP_MSG_NOT_USED) return rc;
    if ((rc = tqGetMsgTable(memoryType, number, NTCIP_MSG_MULTI_STRING, e.multi, sizeof e.multi)) != 0) return rc;
    e.multi[sizeof e.multi - 1] = '\0';
    e.multiLength = static_cast<uint16_t>(std::strlen(e.multi));
    if (e.multiLength == 0) return 0;
    if ((rc = tqGetMsgTable(memoryType, number, NTCIP_MSG_OWNER, e.owner, sizeof e.owner)) != 0) return rc;
    e.owner[sizeof e.owner - 1] = '\0';
    if ((rc = tqGetMsgTable(memoryType, number, NTCIP_MSG_BEACON, &e.beacon, 1)) != 0) return rc;
    if ((rc = tqGetMsgTable(memoryType, number, NTCIP_MSG_RUN_TIME_PRIORITY, &e.priority, 1)) != 0) return rc;
    if ((rc = tqGetMsgTable(memoryType, number, NTCIP_MSG_PIXEL_SERVICE, &e.pixelService, 1)) != 0) return rc;
    // The memory type is not compared: a row takes the event code of the
    // first event message with its number.
    for (const MessageTableEntry& s : events.slot) {
        if (s.number == e.number) {
            e.eventCode = s.eventCode;
            break;
        }
    }
    kept = true;
    return 0;
}

}  // namespace
}  // namespace dms

DMS_API uint32_t DMS_CALL tqGetSingleMessage(int32_t memoryType, int32_t number, MessageTableEntry* entry) {
    if (!entry) return DMS_E_ARGUMENT;
    entry->memoryType = static_cast<uint8_t>(memoryType);
    entry->number = static_cast<uint16_t>(number);
    std::memset(entry->multi, 0, sizeof entry->multi);
    std::memset(entry->owner, 0, sizeof entry->owner);
    struct Column {
        int column;
        void* buf;
        int len;
    } const columns[] = {{NTCIP_MSG_MULTI_STRING, entry->multi, sizeof entry->multi},
                         {NTCIP_MSG_OWNER, entry->owner, sizeof entry->owner},
                         {NTCIP_MSG_BEACON, &entry->beacon, 1},
                         {NTCIP_MSG_RUN_TIME_PRIORITY, &entry->priority, 1},
                         {NTCIP_MSG_PIXEL_SERVICE, &entry->pixelService, 1},
                         {NTCIP_MSG_STATUS, &entry->status, 1}};
    return dms::runReachable([&]() -> uint32_t {
        for (const Column& c : columns) {
            uint32_t rc = tqGetMsgTable(memoryType, number, c.column, c.buf, c.len);
            if (rc != 0) {
                dms::logLine(dms::kLogError, "%s", "GetMessage Error.");
                return rc;
            }
        }
        entry->multi[sizeof entry->multi - 1] = '\0';
        entry->owner[sizeof entry->owner - 1] = '\0';
        return 0;
    });
}

DMS_API uint32_t DMS_CALL tqGetMessages(MessageTableEntry* entries, int32_t* count) {
    if (!entries || !count) return DMS_E_ARGUMENT;
    int32_t capacity = *count;
    *count = 0;
    return dms::runWithInterface([&](DeviceInterface* di) -> uint32_t {
        uint32_t maxVolatile = 0, maxChangeable = 0;
        uint32_t rc = tqGetMsgInfo(NTCIP_MAX_VOLATILE_MSG, &maxVolatile, 4);
        if (rc != 0) return rc;
        if ((rc = tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &maxChangeable, 4)) != 0) return rc;
        // A sign without changeable or volatile rows reports no progress steps.
        double total = static_cast<double>(maxVolatile) + static_cast<double>(maxChangeable);
        double step = total > 0 ? 100.0 / total : 0.0;
        dms::EventSlots events;
        if ((rc = dms::readEventMessages(events)) != 0) return rc;
        struct Range {
            int memoryType;
            uint32_t last;
        } const ranges[] = {{NTCIP_MEM_CHANGEABLE, maxChangeable}, {NTCIP_MEM_VOLATILE, maxVolatile},
                            {NTCIP_MEM_CURRENT_BUFFER, 1}, {NTCIP_MEM_SCHEDULE, 1}, {NTCIP_MEM_BLANK, 1}};
        double visits = 0;
        for (const Range& r : ranges) {
            // Row numbers are 16 bits on the sign; nothing above is asked for.
            for (uint32_t n = 1; n <= r.last && n <= 65535; ++n) {
                bool kept = false;
                rc = dms::visitRow(r.memoryType, static_cast<int>(n), entries, capacity, *count, events, kept);
                if (rc != 0) return rc;
                if (kept) ++*count;
                visits += 1;
                dms::reportProgress(di, 0, static_cast<int>(visits * step));
            }
        }
        return rc;
    });
}
