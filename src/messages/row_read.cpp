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
    uint8_t id[5] = {0};
    uint32_t rc = tqGetDoorOpen(id, 5);
    if (rc != 0) return rc;
    e.slot[0].memoryType = id[0];
    e.slot[0].number = be16(id + 1);
    e.slot[0].eventCode = 2;
    uint8_t code[12] = {0};
    if ((rc = tqGetSignControl(3, code, 12)) != 0) return rc;
    e.slot[1].memoryType = code[3];
    e.slot[1].number = be16(code + 4);
    e.slot[1].eventCode = 1;
    const int objects[3] = {12, 8, 9};
    for (int i = 0; i < 3; ++i) {
        std::memset(id, 0, sizeof id);
        if ((rc = tqGetSignControl(objects[i], id, 5)) != 0) return rc;
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
    uint32_t rc = tqGetMsgTable(memoryType, number, 9, &e.status, 1);
    if (rc != 0 || e.status == 1) return rc;
    if ((rc = tqGetMsgTable(memoryType, number, 3, e.multi, sizeof e.multi)) != 0) return rc;
    e.multi[sizeof e.multi - 1] = '\0';
    e.multiLength = static_cast<uint16_t>(std::strlen(e.multi));
    if (e.multiLength == 0) return 0;
    if ((rc = tqGetMsgTable(memoryType, number, 4, e.owner, sizeof e.owner)) != 0) return rc;
    e.owner[sizeof e.owner - 1] = '\0';
    if ((rc = tqGetMsgTable(memoryType, number, 6, &e.beacon, 1)) != 0) return rc;
    if ((rc = tqGetMsgTable(memoryType, number, 8, &e.priority, 1)) != 0) return rc;
    if ((rc = tqGetMsgTable(memoryType, number, 7, &e.pixelService, 1)) != 0) return rc;
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
    } const columns[] = {{3, entry->multi, sizeof entry->multi}, {4, entry->owner, sizeof entry->owner},
                         {6, &entry->beacon, 1}, {8, &entry->priority, 1}, {7, &entry->pixelService, 1},
                         {9, &entry->status, 1}};
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
}

DMS_API uint32_t DMS_CALL tqGetMessages(MessageTableEntry* entries, int32_t* count) {
    if (!entries || !count) return DMS_E_ARGUMENT;
    int32_t capacity = *count;
    *count = 0;
    return dms::runWithInterface([&](DeviceInterface* di) -> uint32_t {
        uint32_t maxVolatile = 0, maxChangeable = 0;
        uint32_t rc = tqGetMsgInfo(6, &maxVolatile, 4);
        if (rc != 0) return rc;
        if ((rc = tqGetMsgInfo(3, &maxChangeable, 4)) != 0) return rc;
        // A sign without changeable or volatile rows reports no progress steps.
        double total = static_cast<double>(maxVolatile) + static_cast<double>(maxChangeable);
        double step = total > 0 ? 100.0 / total : 0.0;
        dms::EventSlots events;
        if ((rc = dms::readEventMessages(events)) != 0) return rc;
        struct Range {
            int memoryType;
            uint32_t last;
        } const ranges[] = {{3, maxChangeable}, {4, maxVolatile}, {5, 1}, {6, 1}, {7, 1}};
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
