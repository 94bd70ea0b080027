// Erasing a message row: deleteMessageEntry and tqDeleteMessage.
#include "messages/rows.h"

#include "dmscontent/messages.h"
#include "frame/device.h"
#include "frame/export.h"

namespace dms {
namespace {

// Reads the row's status up to three times, 10 ms apart, until it is `want`.
uint32_t pollStatus(int memoryType, int number, uint32_t want, bool& reached) {
    reached = false;
    for (int round = 0; round < 3; ++round) {
        uint32_t status = 0;
        uint32_t rc = tqGetMsgTable(memoryType, number, NTCIP_MSG_STATUS, &status, 4);
        if (rc != 0) return rc;
        if (status == want) {
            reached = true;
            return 0;
        }
        pollWait(10);
    }
    return 0;
}

}  // namespace

uint32_t deleteMessageEntry(int memoryType, int number) {
    if (memoryType != NTCIP_MEM_CHANGEABLE && memoryType != NTCIP_MEM_VOLATILE) return DMS_E_MEMORY_TYPE;
    bool modifying = false;
    for (int round = 0; round < 3 && !modifying; ++round) {
        uint32_t request = NTCIP_MSG_MODIFY_REQ;
        uint32_t rc = tqSetMsgTable(memoryType, number, NTCIP_MSG_STATUS, &request, 4);
        if (rc != 0) return rc;
        uint32_t status = 0;
        if ((rc = tqGetMsgTable(memoryType, number, NTCIP_MSG_STATUS, &status, 4)) != 0) return rc;
        if (status == NTCIP_MSG_MODIFYING)
            modifying = true;
        else
            pollWait(10);
    }
    if (!modifying) return DMS_E_NOT_MODIFYING;
    uint32_t rc = tqDefine1Message(memoryType, number, 0, 0, 0, " ", " ", 0);
    if (rc != 0) return rc;
    uint32_t request = NTCIP_MSG_NOT_USED_REQ;
    if ((rc = tqSetMsgTable(memoryType, number, NTCIP_MSG_STATUS, &request, 4)) != 0) return rc;
    bool unused = false;
    if ((rc = pollStatus(memoryType, number, NTCIP_MSG_NOT_USED, unused)) != 0) return rc;
    return unused ? 0 : DMS_E_STATE_TIMEOUT;
}

}  // namespace dms

DMS_API uint32_t DMS_CALL tqDeleteMessage(int32_t memoryType, int32_t number) {
    return dms::runWithInterface([&](DeviceInterface*) {
        return dms::deleteMessageEntry(memoryType & 0xFF, number & 0xFFFF);
    });
}
