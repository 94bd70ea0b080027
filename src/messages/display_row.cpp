#include "messages/display.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "dmscontent/common.h"
#include "frame/device.h"
#include "messages/table.h"

namespace dms {

const char kDisplayTextOwner[] = "Easy for display text";
const char kDisplayPicturesOwner[] = "Easy for display pictrue";

uint32_t findDisplayRow(const char* owner, int32_t& number, std::string* ownedText) {
    if (ownedText != nullptr) ownedText->clear();
    std::unique_ptr<MessageSet> set(new (std::nothrow) MessageSet);
    if (!set || !set->ok()) return DMS_E_NO_MEMORY;
    readMessageTable(*set, 1, kNoLimit);  // what it found is used even when a read failed
    for (int i = 0; i < set->count; ++i) {
        if (std::strcmp(set->messages[i].MessageAttributes.MessageOwner, owner) == 0) {
            number = set->messages[i].m_MemoryNum;
            if (ownedText != nullptr) *ownedText = set->messages[i].multiString;
            return 0;
        }
    }
    uint32_t max = 0;
    uint32_t rc = tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &max, 4);
    if (rc != 0) return rc;
    for (uint32_t n = 1; n <= max && n <= 65535; ++n) {
        uint32_t status = 0;
        rc = tqGetMsgTable(NTCIP_MEM_CHANGEABLE, static_cast<int>(n), NTCIP_MSG_STATUS, &status, 4);
        if (rc != 0) return rc;
        if (status == NTCIP_MSG_NOT_USED) {
            number = static_cast<int32_t>(n);
            return 0;
        }
    }
    return DMS_E_NO_FREE;
}

void setDisplayMessage(CMessage& m, const char* owner, int32_t number, uint16_t duration, uint8_t pixelService) {
    MessageAttributes& a = m.MessageAttributes;
    std::snprintf(a.MessageOwner, sizeof a.MessageOwner, "%s", owner);
    a.RunTimePriority = 100;
    a.MessageBeacon = 0;
    a.duration = duration;
    a.PixelService = pixelService;
    a.crc = 0;
    m.memoryType = NTCIP_MEM_CHANGEABLE;
    m.m_MemoryNum = number;
}

uint32_t sourceAddressOf(const char* text) {
    if (text == nullptr || strnlen(text, 7) < 7) return 0;
    int part[4] = {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF};
    if (std::sscanf(text, "%d.%d.%d.%d", &part[0], &part[1], &part[2], &part[3]) != 4) return 0;
    // Parts out of 0..255 are combined as given (unsigned arithmetic wraps).
    return (static_cast<uint32_t>(part[0]) << 24) + (static_cast<uint32_t>(part[1]) << 16) +
           (static_cast<uint32_t>(part[2]) << 8) + static_cast<uint32_t>(part[3]);
}

}  // namespace dms
