// Reading the valid rows of the message table into a message set.
#include <cstring>
#include <string>

#include "frame/device.h"
#include "frame/dump.h"
#include "frame/log.h"
#include "messages/table.h"

namespace dms {
namespace {

// Reads row (memoryType, number) into the next record of the set.
uint32_t readRow(MessageSet& set, int memoryType, uint32_t number) {
    if (set.count >= set.capacity) return DMS_E_FULL;
    CMessage& m = set.messages[set.count];
    m.memoryType = memoryType;
    m.m_MemoryNum = static_cast<int32_t>(number);
    std::memset(m.multiString, 0, sizeof m.multiString);
    std::memset(m.MessageAttributes.MessageOwner, 0, sizeof m.MessageAttributes.MessageOwner);
    MessageAttributes& a = m.MessageAttributes;
    const int n = static_cast<int>(number);
    // All six reads are made, whatever the earlier ones gave.
    bool failed = false;
    failed |= tqGetMsgTable(memoryType, n, NTCIP_MSG_MULTI_STRING, m.multiString, sizeof m.multiString) != 0;
    failed |= tqGetMsgTable(memoryType, n, NTCIP_MSG_OWNER, a.MessageOwner, sizeof a.MessageOwner) != 0;
    failed |= tqGetMsgTable(memoryType, n, NTCIP_MSG_BEACON, &a.MessageBeacon, 1) != 0;
    failed |= tqGetMsgTable(memoryType, n, NTCIP_MSG_RUN_TIME_PRIORITY, &a.RunTimePriority, 1) != 0;
    failed |= tqGetMsgTable(memoryType, n, NTCIP_MSG_PIXEL_SERVICE, &a.PixelService, 1) != 0;
    failed |= tqGetMsgTable(memoryType, n, NTCIP_MSG_STATUS, &a.status, 1) != 0;
    m.multiString[sizeof m.multiString - 1] = '\0';
    a.MessageOwner[sizeof a.MessageOwner - 1] = '\0';
    if (failed) {
        logLine(kLogError, "snmp Error.");
        return DMS_E_FAILED;
    }
    ++set.count;
    return 0;
}

// Message numbers are 16-bit: a sign that reports larger counts is read up
// to 65535 only.
constexpr uint32_t kHighestNumber = 65535;

// Reads the rows of one memory type whose status is valid.
bool readValidRows(MessageSet& set, int memoryType, uint32_t from, uint32_t to) {
    if (to > kHighestNumber) to = kHighestNumber;
    for (uint32_t n = from; n <= to; ++n) {
        uint8_t status = 0;
        if (tqGetMsgTable(memoryType, static_cast<int>(n), NTCIP_MSG_STATUS, &status, 1) != 0) return false;
        if (status == NTCIP_MSG_VALID && readRow(set, memoryType, n) != 0) return false;
    }
    return true;
}

}  // namespace

void writeMultiDump(std::FILE* file, const CMessage* messages, int count) {
    for (int i = 0; i < count; ++i) {
        std::fprintf(file, "owner : %s\n%s\n\n", messages[i].MessageAttributes.MessageOwner,
                     messages[i].multiString);
    }
}

bool readMessageTable(MessageSet& set, uint32_t first, uint32_t last) {
    set.count = 0;
    uint32_t permanent = 0, changeable = 0;
    if (tqGetMsgInfo(NTCIP_NUM_PERMANENT_MSG, &permanent, 4) != 0 ||
        tqGetMsgInfo(NTCIP_MAX_CHANGEABLE_MSG, &changeable, 4) != 0)
        return false;
    if (!readValidRows(set, NTCIP_MEM_PERMANENT, 1, permanent)) return false;
    if (!readValidRows(set, NTCIP_MEM_CHANGEABLE, first < 1 ? 1 : first, last < changeable ? last : changeable))
        return false;
    DumpFile dump("MessageReadFromMib.txt");
    if (dump.get()) {
        writeMultiDump(dump.get(), set.messages.get(), set.count);
        dump.commit();
    }
    return true;
}

bool readVolatileMessages(MessageSet& set) {
    uint32_t volatileMax = 0;
    if (tqGetMsgInfo(NTCIP_MAX_VOLATILE_MSG, &volatileMax, 4) != 0) return false;
    return readValidRows(set, NTCIP_MEM_VOLATILE, 1, volatileMax);
}

}  // namespace dms
