// Naming messages to the sign: activation, the door-open, communications
// loss and power recovery messages, and the blank message.
#pragma once

#include <cstdint>

#include "dmscontent/records.h"
#include "tqdms/ntcip.h"

namespace dms {

#pragma pack(push, 1)
// The activation record tqActiveMessage takes, fields in host order.
struct ActivationRecord {
    uint16_t duration;   // minutes, NTCIP_DURATION_INFINITE = for ever
    uint8_t priority;
    uint8_t memoryType;
    uint16_t number;
    uint16_t crc;
    uint32_t address;    // source IPv4 address, first octet in the top byte
};
#pragma pack(pop)
static_assert(sizeof(ActivationRecord) == NTCIP_ACTIVATION_CODE_SIZE, "activation record size");

// Event codes of MessageTableEntry::eventCode.
enum EventCode { kEventActivate = 1, kEventDoorOpen = 2, kEventCommLoss = 3, kEventShortPower = 4,
                 kEventLongPower = 5 };

constexpr uint32_t kLocalHost = 0x7F000001;  // 127.0.0.1

uint32_t activate(uint16_t duration, uint8_t priority, uint8_t memoryType, uint16_t number, uint16_t crc,
                  uint32_t address);

// Activates or attaches the entry's message by its event code (1..5); any
// other code makes no device call and gives 2.
uint32_t activateByEventCode(const MessageTableEntry& entry);

// Activates the blank message (blank memory, number 1) for ever at priority 100.
uint32_t blankSign(uint32_t sourceAddress);

}  // namespace dms
