// Choosing free message numbers: never a row that holds a valid message,
// never a row beyond its table.
#include "messages/free_numbers.h"

#include <algorithm>

#include "frame/device.h"

namespace dms {
namespace {

bool contains(const std::vector<int32_t>& numbers, int32_t n) {
    return std::find(numbers.begin(), numbers.end(), n) != numbers.end();
}

// Whether row (memoryType, n) can be read and holds no valid message.
bool rowIsFree(int memoryType, int32_t n) {
    uint8_t status = 0;
    return tqGetMsgTable(memoryType, n, NTCIP_MSG_STATUS, &status, 1) == 0 && status != NTCIP_MSG_VALID;
}

// The candidates in the order they are offered (see the header), each once.
std::vector<int32_t> candidateOrder(const MessageSet& used, int32_t highest) {
    std::vector<bool> seen(static_cast<size_t>(highest) + 1, false);
    std::vector<int32_t> order;
    auto offer = [&](int32_t n) {
        if (n < 1 || n > highest || seen[static_cast<size_t>(n)]) return;
        seen[static_cast<size_t>(n)] = true;
        order.push_back(n);
    };
    for (int i = 1; i < used.count; ++i) {
        int32_t a = used.messages[i - 1].m_MemoryNum, b = used.messages[i].m_MemoryNum;
        for (int32_t n = std::max(a + 1, 1); n < b && n <= highest; ++n) offer(n);
    }
    int32_t from = used.count > 0 ? used.messages[used.count - 1].m_MemoryNum + 1 : 1;
    for (int32_t n = std::max(from, 1); n <= highest; ++n) offer(n);
    for (int32_t n = 1; n <= highest; ++n) offer(n);
    return order;
}

}  // namespace

std::vector<int32_t> freeChangeableNumbers(const MessageSet& used, bool readComplete, uint32_t maxChangeable,
                                           const std::vector<int32_t>& taken, size_t needed) {
    std::vector<int32_t> free;
    const int32_t highest =
        static_cast<int32_t>(std::min<uint32_t>(maxChangeable, static_cast<uint32_t>(kHighestFreeNumber)));
    std::vector<int32_t> valid;
    for (int i = 0; i < used.count; ++i)
        if (used.messages[i].memoryType == NTCIP_MEM_CHANGEABLE) valid.push_back(used.messages[i].m_MemoryNum);
    for (int32_t n : candidateOrder(used, highest)) {
        if (free.size() >= needed) break;
        if (contains(valid, n) || contains(taken, n)) continue;
        if (!readComplete && !rowIsFree(NTCIP_MEM_CHANGEABLE, n)) continue;
        free.push_back(n);
    }
    return free;
}

std::vector<int32_t> freeVolatileNumbers(uint32_t maxVolatile, const std::vector<int32_t>& taken, size_t needed) {
    std::vector<int32_t> free;
    const int32_t highest =
        static_cast<int32_t>(std::min<uint32_t>(maxVolatile, static_cast<uint32_t>(kHighestFreeNumber)));
    for (int32_t n = 1; n <= highest && free.size() < needed; ++n) {
        if (!contains(taken, n) && rowIsFree(NTCIP_MEM_VOLATILE, n)) free.push_back(n);
    }
    return free;
}

}  // namespace dms
