// Test helper: a MULTI text parsed into a fresh page chain (the parse must
// succeed).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dmscontent/common.h"
#include "model/section.h"
#include "support/result.h"

namespace testing_support {

inline std::unique_ptr<dms::PageMessage> parse(const std::string& multi) {
    auto first = std::make_unique<dms::PageMessage>();
    EXPECT_EQ(Result(first->FromMulti(multi.c_str())), Result(DMS_OK));
    return first;
}

}  // namespace testing_support
