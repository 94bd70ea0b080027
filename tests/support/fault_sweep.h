// The fault sweep: run an operation once to learn its device calls, then
// once more per call with exactly that call failing, and check the result
// the operation documents for that failure. Leaks and overruns on the
// failure paths show up under the sanitizer build.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <functional>
#include <string>

namespace testing_support {

// The code the sweep's faults return: a device code no library code equals.
constexpr uint32_t kSweepCode = 0x7777;

struct SweepStep {
    int index;               // 1-based position of the failing call
    nlohmann::json call;     // its journal entry from the clean run
    uint32_t result;         // what the operation returned
};

// `fresh` prepares a new sign each time (it must return after opening it and
// setting up its state); `run` performs the operation and returns its
// result; `expect` checks one step (use EXPECT_* inside). Returns the number
// of calls swept; the clean run must make at least one call.
int faultSweep(const std::function<void()>& fresh, const std::function<uint32_t()>& run,
               const std::function<void(const SweepStep&)>& expect);

}  // namespace testing_support
