// The names failing tests give result codes (support/result.h).
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "dmscontent/common.h"
#include "support/result.h"
#include "tqdms/tqdms.h"

using testing_support::Result;
using testing_support::resultName;

namespace {

std::string readHeader(const char* relative) {
    std::ifstream in(std::string(DMS_SOURCE_DIR) + "/" + relative);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every result code the public headers define prints with its own name, so a
// code added there without a name here fails.
TEST(ResultNames, EveryCodeOfThePublicHeadersHasItsName) {
    const std::regex define(R"(#define ((?:DMS|TQDMS)_(?:OK|E_\w+)) +(0x[0-9a-fA-F]+|\d+)u)");
    int seen = 0;
    for (const char* header : {"include/dmscontent/common.h", "include/tqdms/tqdms.h"}) {
        const std::string text = readHeader(header);
        for (std::sregex_iterator it(text.begin(), text.end(), define), end; it != end; ++it) {
            const std::string name = (*it)[1];
            const uint32_t code = static_cast<uint32_t>(std::stoul((*it)[2], nullptr, 0));
            const std::string printed = resultName(code);
            const std::string number = " (" + std::to_string(code) + ")";
            EXPECT_NE(printed.find(name), std::string::npos) << printed;
            EXPECT_TRUE(printed.size() > number.size() &&
                        printed.compare(printed.size() - number.size(), number.size(), number) == 0)
                << printed;
            ++seen;
        }
    }
    EXPECT_EQ(seen, 32);  // 22 library codes, 10 device codes
}

TEST(ResultNames, PrintedByName) {
    EXPECT_EQ(testing::PrintToString(Result(DMS_E_OPEN_INPUT)), "DMS_E_OPEN_INPUT (32513)");
    EXPECT_EQ(testing::PrintToString(Result(TQDMS_E_BAD_VALUE)), "TQDMS_E_BAD_VALUE (65539)");
    EXPECT_EQ(testing::PrintToString(Result(DMS_E_FAILED)), "DMS_E_FAILED/TQDMS_E_EXCHANGE (1)");
    EXPECT_EQ(testing::PrintToString(Result(0x12345)), "74565");  // no name
}

}  // namespace
