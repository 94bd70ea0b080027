// Result codes that failing tests show by name: compare through Result and
// gtest prints "DMS_E_OPEN_INPUT (32513)" rather than "32513".
//   EXPECT_EQ(Result(rc), Result(DMS_E_OPEN_INPUT));
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

// The codes compared through Result.
#include "dmscontent/common.h"
#include "tqdms/tqdms.h"

namespace testing_support {

struct Result {
    template <class T>
    constexpr explicit Result(T value) : code(static_cast<uint32_t>(value)) {}
    uint32_t code;
};

inline bool operator==(Result a, Result b) { return a.code == b.code; }
inline bool operator!=(Result a, Result b) { return a.code != b.code; }

// "NAME (number)" for the library's and the device library's codes (both
// names where they share a number), the bare number for any other code.
std::string resultName(uint32_t code);

void PrintTo(const Result& result, std::ostream* os);

}  // namespace testing_support
