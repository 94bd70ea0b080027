// Message rows from host records: tqSendSingleMessage and tqSendAllMessage.
#include <cstring>
#include <string>
#include <unordered_map>

#include "dmscontent/messages.h"
#include "frame/device.h"
#include "frame/export.h"
#include "messages/events.h"
#include "messages/rows.h"

namespace dms {

uint32_t defineEntry(const MessageTableEntry& e) {
    // The host's text fields need not be terminated: take them up to their size.
    std::string owner(e.owner, strnlen(e.owner, sizeof e.owner));
    std::string multi(e.multi, strnlen(e.multi, sizeof e.multi));
    return tqDefine1Message(e.memoryType, e.number, e.beacon, e.pixelService, e.priority, owner.c_str(),
                            multi.c_str(), 0);
}

namespace {

// Sends every changeable entry in number order and erases the rows no
// entry holds. `results` has been set to -1 for every entry. Returns true
// when a send or an erase answered 1, which ends the operation at once;
// `last` is the last result obtained.
bool sendAll(DeviceInterface* di, MessageTableEntry* entries, int32_t count, int32_t* results,
             uint32_t* validateErrors, uint32_t* syntaxErrors, uint32_t& last) {
    if ((last = tqClearMessageEvent()) != 0) return false;
    uint32_t max = 0;
    if ((last = tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &max, 4)) != 0) return false;
    // The first changeable entry of each number is the one sent.
    std::unordered_map<uint32_t, int32_t> firstOf;
    for (int32_t i = count - 1; i >= 0; --i)
        if (entries[i].memoryType == NTCIP_MEM_CHANGEABLE) firstOf[entries[i].number] = i;
    for (uint32_t n = 1; n <= max && n <= 65535; ++n) {
        int value = static_cast<int>(static_cast<double>(n) / max * 100);
        auto it = firstOf.find(n);
        if (it != firstOf.end()) {
            int32_t i = it->second;
            last = tqSendSingleMessage(&entries[i], validateErrors ? &validateErrors[i] : nullptr,
                                       syntaxErrors ? &syntaxErrors[i] : nullptr);
            if (results) results[i] = static_cast<int32_t>(last);
            reportProgress(di, 0, value);
        } else {
            last = deleteMessageEntry(NTCIP_MEM_CHANGEABLE, static_cast<int>(n));
        }
        // A failed exchange ends the whole operation; other failures do not.
        if (last == DMS_E_FAILED) return true;
        reportProgress(di, 0, value);
    }
    return false;
}

}  // namespace
}  // namespace dms

// A null validateError is allowed: the errors are then not read.
DMS_API uint32_t DMS_CALL tqSendSingleMessage(MessageTableEntry* entry, uint32_t* validateError,
                                              uint32_t* syntaxError) {
    if (!entry) return DMS_E_ARGUMENT;
    return dms::runReachable([&]() -> uint32_t {
        uint32_t rc = 0;
        bool event = entry->eventCode >= 1 && entry->eventCode <= 5;
        if (!event || entry->memoryType == NTCIP_MEM_CHANGEABLE) rc = dms::defineEntry(*entry);
        if (rc == 0 && event) rc = dms::activateByEventCode(*entry);
        if (rc != 0) return rc;
        return tqGetMessageErrorDefine(validateError, syntaxError);
    });
}

DMS_API uint32_t DMS_CALL tqSendAllMessage(MessageTableEntry* entries, int32_t* count, int32_t* results,
                                           uint32_t* validateErrors, uint32_t* syntaxErrors) {
    if (!entries || !count) return DMS_E_ARGUMENT;
    DeviceInterface* di = dms::currentInterface();
    if (!di) return DMS_E_ARGUMENT;  // this export answers 2, not 3, without a sign
    int32_t n = *count > 0 ? *count : 0;
    if (results)
        for (int32_t i = 0; i < n; ++i) results[i] = -1;
    return dms::guarded([&]() -> uint32_t {
        uint32_t last = 0;
        if (dms::sendAll(di, entries, n, results, validateErrors, syntaxErrors, last)) {
            if (results)
                for (int32_t i = 0; i < n; ++i)
                    if (results[i] != -1) results[i] = 1;
            return DMS_E_FAILED;
        }
        // Otherwise the last entry result that is not 0 (an unsent entry's -1
        // included), or, with none, the last result obtained.
        if (results)
            for (int32_t i = n - 1; i >= 0; --i)
                if (results[i] != 0) return static_cast<uint32_t>(results[i]);
        return last;
    });
}
