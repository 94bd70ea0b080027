// Activation and the event messages (communications loss, short and long
// power recovery, door open), tqClearMessageEvent and
// tqGetMessageErrorDefine.
#include "messages/events.h"

#include <initializer_list>

#include "dmscontent/messages.h"
#include "frame/device.h"
#include "frame/export.h"

namespace dms {
namespace {

// The 5-byte message identity: memory type, number and CRC high byte first.
struct Identity {
    uint8_t bytes[NTCIP_MESSAGE_ID_CODE_SIZE];
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
    case kEventActivate:
        return activate(NTCIP_DURATION_INFINITE, 100, entry.memoryType, entry.number, entry.crc, kLocalHost);
    case kEventDoorOpen: return tqSetDoorOpen(id.bytes, sizeof id.bytes);
    case kEventCommLoss: return tqSetSignControl(NTCIP_COMMUNICATIONS_LOSS_MESSAGE, id.bytes, sizeof id.bytes);
    case kEventShortPower: return tqSetSignControl(NTCIP_SHORT_POWER_RECOVERY_MESSAGE, id.bytes, sizeof id.bytes);
    case kEventLongPower: return tqSetSignControl(NTCIP_LONG_POWER_RECOVERY_MESSAGE, id.bytes, sizeof id.bytes);
    default: return DMS_E_ARGUMENT;
    }
}

uint32_t blankSign(uint32_t sourceAddress) {
    return activate(NTCIP_DURATION_INFINITE, 100, NTCIP_MEM_BLANK, 1, 0, sourceAddress);
}

}  // namespace dms

// Names the blank message everywhere: activation first, then the door-open,
// communications loss, short and long power recovery messages.
DMS_API uint32_t DMS_CALL tqClearMessageEvent(void) {
    return dms::runReachable([]() -> uint32_t {
        uint32_t rc = dms::activate(NTCIP_DURATION_INFINITE, 100, NTCIP_MEM_BLANK, 1, 0, 0);
        if (rc != 0) return rc;
        const dms::Identity blank(NTCIP_MEM_BLANK, 1, 0);
        if ((rc = tqSetDoorOpen(blank.bytes, sizeof blank.bytes)) != 0) return rc;
        for (int object : {NTCIP_COMMUNICATIONS_LOSS_MESSAGE, NTCIP_SHORT_POWER_RECOVERY_MESSAGE,
                           NTCIP_LONG_POWER_RECOVERY_MESSAGE})
            if ((rc = tqSetSignControl(object, blank.bytes, sizeof blank.bytes)) != 0) return rc;
        return 0;
    });
}

DMS_API uint32_t DMS_CALL tqGetMessageErrorDefine(uint32_t* validateError, uint32_t* syntaxError) {
    if (!validateError) return 0;
    return dms::runReachable([&]() -> uint32_t {
        uint32_t rc = tqGetMsgInfo(NTCIP_VALIDATE_MESSAGE_ERROR, validateError, 4);
        if (rc != 0) return rc;
        if (*validateError == NTCIP_VALIDATE_SYNTAX_MULTI && syntaxError)
            return tqGetSignControl(NTCIP_MULTI_SYNTAX_ERROR, syntaxError, 4);
        return 0;
    });
}
