#include "multi/reading.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace dms {
namespace multi {
namespace {

constexpr int kUnset = -1;
std::atomic<int> reading{kUnset};

int fromEnvironment() {
    const char* value = std::getenv("DMSCONTENT_MULTI_READING");
    return value != nullptr && std::strcmp(value, "faithful") == 0 ? static_cast<int>(Reading::Faithful)
                                                                   : static_cast<int>(Reading::Documented);
}

}  // namespace

Reading currentReading() {
    int value = reading.load(std::memory_order_relaxed);
    if (value == kUnset) {
        // The first reader decides from the environment unless a setting won.
        int expected = kUnset;
        reading.compare_exchange_strong(expected, fromEnvironment());
        value = reading.load(std::memory_order_relaxed);
    }
    return static_cast<Reading>(value);
}

void setReading(Reading value) { reading.store(static_cast<int>(value), std::memory_order_relaxed); }

}  // namespace multi
}  // namespace dms
