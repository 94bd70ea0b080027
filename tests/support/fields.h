// Test helper: several values compared in one expectation, so a failure
// shows every one of them side by side.
#pragma once

#include <vector>

namespace testing_support {

template <typename... T>
std::vector<long long> ints(T... values) {
    return {static_cast<long long>(values)...};
}

}  // namespace testing_support
