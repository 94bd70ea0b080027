// Writing message records into the changeable and volatile tables, with
// free numbers for records whose numbers do not fit.
#include <memory>
#include <new>
#include <vector>

#include "frame/device.h"
#include "messages/events.h"
#include "messages/table.h"

namespace dms {
namespace {

constexpr int kFreeNumbers = 512;

// Whether the record's number fits its table (first pass) or needs a free one.
bool needsNumber(const CMessage& m, uint32_t maxChangeable, uint32_t maxVolatile) {
    if (m.m_MemoryNum < 1) return true;
    uint32_t n = static_cast<uint32_t>(m.m_MemoryNum);
    return (m.memoryType == 3 && n > maxChangeable) || (m.memoryType == 4 && n > maxVolatile);
}

// The gaps between the numbers read (in reading order: permanent, then
// changeable), then everything after the last one up to 512. Numbers below
// the first one read are not offered: the reading order mixes two tables,
// so only gaps and the tail are known to be free.
std::vector<int32_t> freeNumbers(const MessageSet& used) {
    std::vector<int32_t> free;
    free.reserve(kFreeNumbers);
    for (int i = 1; i < used.count && free.size() < kFreeNumbers; ++i) {
        int32_t a = used.messages[i - 1].m_MemoryNum, b = used.messages[i].m_MemoryNum;
        for (int32_t n = a + 1; n < b && free.size() < kFreeNumbers; ++n) free.push_back(n);
    }
    int32_t from = used.count > 0 ? used.messages[used.count - 1].m_MemoryNum + 1 : 1;
    for (int32_t n = from; n <= kFreeNumbers && free.size() < kFreeNumbers; ++n) free.push_back(n);
    return free;
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
    uint32_t rc = tqGetMsgInfo(3, &maxChangeable, 4);
    if (rc == 0) rc = tqGetMsgInfo(6, &maxVolatile, 4);
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
        if (m.memoryType != 3 && m.memoryType != 4) return DMS_E_MEMORY_TYPE;
        if (needsNumber(m, maxChangeable, maxVolatile)) {
            marked = true;
            continue;
        }
        if ((rc = define(m)) != 0) return rc;
    }
    if (!marked) return 0;

    // The numbers in use, read only now that a record needs one.
    readMessageTable(*used, 1, kNoLimit);
    std::vector<int32_t> free = freeNumbers(*used);
    size_t next = 0;
    for (int i = 0; i < count; ++i) {
        CMessage& m = messages[i];
        if (!needsNumber(m, maxChangeable, maxVolatile)) continue;
        if (m.m_MemoryNum >= 1 && static_cast<uint32_t>(m.m_MemoryNum) <= maxChangeable) {
            continue;  // a volatile number above the volatile maximum: not written
        }
        if (next >= free.size()) return DMS_E_NO_FREE;
        m.m_MemoryNum = free[next++];
        if ((rc = define(m)) != 0) return rc;
    }
    return 0;
}

}  // namespace dms
