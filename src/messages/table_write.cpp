// Writing message records into the changeable and volatile tables, with
// free numbers for records whose numbers do not fit.
#include <memory>
#include <new>
#include <vector>

#include "frame/device.h"
#include "messages/events.h"
#include "messages/free_numbers.h"
#include "messages/table.h"

namespace dms {
namespace {

// Whether the record's number fits its table (first pass) or needs a free one.
bool needsNumber(const CMessage& m, uint32_t maxChangeable, uint32_t maxVolatile) {
    if (m.m_MemoryNum < 1) return true;
    uint32_t n = static_cast<uint32_t>(m.m_MemoryNum);
    return (m.memoryType == NTCIP_MEM_CHANGEABLE && n > maxChangeable) ||
           (m.memoryType == NTCIP_MEM_VOLATILE && n > maxVolatile);
}

}  // namespace

uint32_t defineMessage(const CMessage& m) {
    const MessageAttributes& a = m.MessageAttributes;
    return tqDefine1Message(m.memoryType, m.m_MemoryNum, a.MessageBeacon, a.PixelService, a.RunTimePriority,
                            a.MessageOwner, m.multiString, 0);
}

uint32_t activateMessage(const CMessage& m, uint32_t sourceAddress) {
    const MessageAttributes& a = m.MessageAttributes;
    return activate(a.duration, a.RunTimePriority, static_cast<uint8_t>(m.memoryType),
                    static_cast<uint16_t>(m.m_MemoryNum), a.crc, sourceAddress);
}

uint32_t writeMessageTable(CMessage* messages, int count) {
    DeviceInterface* di = currentInterface();
    if (di == nullptr) return DMS_E_NO_INTERFACE;
    std::unique_ptr<MessageSet> used(new (std::nothrow) MessageSet);
    if (!used || !used->ok()) return DMS_E_NO_MEMORY;
    uint32_t maxChangeable = 0, maxVolatile = 0;
    uint32_t rc = tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &maxChangeable, 4);
    if (rc == 0) rc = tqGetMsgInfo(NTCIP_MAX_VOLATILE_MSG, &maxVolatile, 4);
    if (rc != 0) return rc;

    int defined = 0;
    auto define = [&](const CMessage& m) {
        uint32_t r = defineMessage(m);
        if (r == 0) reportProgress(di, 0, static_cast<int>(static_cast<double>(++defined) / count * 100));
        return r;
    };

    bool marked = false;
    for (int i = 0; i < count; ++i) {
        CMessage& m = messages[i];
        if (m.memoryType != NTCIP_MEM_CHANGEABLE && m.memoryType != NTCIP_MEM_VOLATILE) return DMS_E_MEMORY_TYPE;
        if (needsNumber(m, maxChangeable, maxVolatile)) {
            marked = true;
            continue;
        }
        if ((rc = define(m)) != 0) return rc;
    }
    if (!marked) return 0;

    // The numbers in use, read only now that a record needs one. Every
    // number is chosen before any of these records is written: when the
    // table has too few free rows, none of them is written.
    bool complete = readMessageTable(*used, 1, kNoLimit);
    std::vector<int> takers[2];     // changeable, volatile records that need a number
    std::vector<int32_t> taken[2];  // the numbers the first pass wrote
    for (int i = 0; i < count; ++i) {
        const CMessage& m = messages[i];
        const int table = m.memoryType == NTCIP_MEM_CHANGEABLE ? 0 : 1;
        if (!needsNumber(m, maxChangeable, maxVolatile)) {
            taken[table].push_back(m.m_MemoryNum);
        } else if (m.m_MemoryNum < 1 || static_cast<uint32_t>(m.m_MemoryNum) > maxChangeable) {
            takers[table].push_back(i);
        }  // else a volatile number above the volatile maximum: not written
    }
    std::vector<int32_t> free[2];
    if (!takers[0].empty())
        free[0] = freeChangeableNumbers(*used, complete, maxChangeable, taken[0], takers[0].size());
    if (!takers[1].empty()) free[1] = freeVolatileNumbers(maxVolatile, taken[1], takers[1].size());
    if (free[0].size() < takers[0].size() || free[1].size() < takers[1].size()) return DMS_E_NO_FREE;
    std::vector<bool> numbered(static_cast<size_t>(count), false);
    for (int table = 0; table < 2; ++table) {
        for (size_t k = 0; k < takers[table].size(); ++k) {
            messages[takers[table][k]].m_MemoryNum = free[table][k];
            numbered[static_cast<size_t>(takers[table][k])] = true;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (numbered[static_cast<size_t>(i)] && (rc = define(messages[i])) != 0) return rc;
    }
    return 0;
}

}  // namespace dms
