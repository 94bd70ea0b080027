// Activation and the event messages (sign control objects 8, 9, 12 and the
// door-open object), tqClearMessageEvent and tqGetMessageErrorDefine.
#include "messages/events.h"

#include <initializer_list>

#include "dmscontent/messages.h"
#include "frame/device.h"
#include "frame/export.h"

namespace dms {
namespace {

// The 5-byte message identity: memory type, number and CRC high byte first.
struct Identity {
    uint8_t bytes[5];
    Identity(uint8_t memoryType, uint16_t number, uint16_t crc)
        : bytes{memoryType, static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number),
                static_cast<uint8_t>(crc >> 8), static_cast<uint8_t>(crc)} {}
};

}  // namespace

uint32_t activate(uint16_t duration, uint8_t priority, uint8_t memoryType, uint16_t number, uint16_t crc,
                  uint32_t address) {
    ActivationRecord a{duration, priority, memoryType, number, crc, address};
    return tqActiveMessage(&a);
}

uint32_t activateByEventCode(const MessageTableEntry& entry) {
    Identity id(entry.memoryType, entry.number, entry.crc);
    switch (entry.eventCode) {
    case kEventActivate: return activate(65535, 100, entry.memoryType, entry.number, entry.crc, kLocalHost);
    case kEventDoorOpen: return tqSetDoorOpen(id.bytes, 5);
    case kEventCommLoss: return tqSetSignControl(12, id.bytes, 5);
    case kEventShortPower: return tqSetSignControl(8, id.bytes, 5);
    case kEventLongPower: return tqSetSignControl(9, id.bytes, 5);
    default: return DMS_E_ARGUMENT;
    }
}

uint32_t blankSign(uint32_t sourceAddress) { return activate(65535, 100, 7, 1, 0, sourceAddress); }

}  // namespace dms

// Names the blank message everywhere: activation first, then the door-open,
// communications loss, short and long power recovery messages.
DMS_API uint32_t DMS_CALL tqClearMessageEvent(void) {
    return dms::guarded([]() -> uint32_t {
        uint32_t rc = dms::activate(65535, 100, 7, 1, 0, 0);
        if (rc != 0) return rc;
        const dms::Identity blank(7, 1, 0);
        if ((rc = tqSetDoorOpen(blank.bytes, 5)) != 0) return rc;
        for (int object : {12, 8, 9})
            if ((rc = tqSetSignControl(object, blank.bytes, 5)) != 0) return rc;
        return 0;
    });
}

DMS_API uint32_t DMS_CALL tqGetMessageErrorDefine(uint32_t* validateError, uint32_t* syntaxError) {
    if (!validateError) return 0;
    uint32_t rc = tqGetMsgInfo(9, validateError, 4);
    if (rc != 0) return rc;
    if (*validateError == 5 && syntaxError) return tqGetSignControl(18, syntaxError, 4);
    return 0;
}
