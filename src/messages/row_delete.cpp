// Erasing a message row: deleteMessageEntry and tqDeleteMessage.
#include "messages/rows.h"

#include "dmscontent/messages.h"
#include "frame/device.h"
#include "frame/export.h"
#include "frame/status_request.h"

namespace dms {
namespace {

uint32_t writeStatus(int memoryType, int number, uint32_t request) {
    return tqSetMsgTable(memoryType, number, NTCIP_MSG_STATUS, &request, 4);
}

uint32_t readStatus(int memoryType, int number, uint32_t& status) {
    return tqGetMsgTable(memoryType, number, NTCIP_MSG_STATUS, &status, 4);
}

}  // namespace

uint32_t deleteMessageEntry(int memoryType, int number) {
    if (memoryType != NTCIP_MEM_CHANGEABLE && memoryType != NTCIP_MEM_VOLATILE) return DMS_E_MEMORY_TYPE;
    auto request = [&](uint32_t value) { return writeStatus(memoryType, number, value); };
    auto read = [&](uint32_t& status) { return readStatus(memoryType, number, status); };
    uint32_t rc = requestStatusEachTry(request, read, NTCIP_MSG_MODIFY_REQ, NTCIP_MSG_MODIFYING, 3, 10,
                                       RoundWait::kAfterMiss, DMS_E_NOT_MODIFYING);
    if (rc != 0) return rc;
    if ((rc = tqDefine1Message(memoryType, number, 0, 0, 0, " ", " ", 0)) != 0) return rc;
    return requestStatus(request, read, NTCIP_MSG_NOT_USED_REQ, NTCIP_MSG_NOT_USED, 3, 10, DMS_E_STATE_TIMEOUT);
}

}  // namespace dms

DMS_API uint32_t DMS_CALL tqDeleteMessage(int32_t memoryType, int32_t number) {
    return dms::runWithInterface([&](DeviceInterface*) {
        return dms::deleteMessageEntry(memoryType & 0xFF, number & 0xFFFF);
    });
}
