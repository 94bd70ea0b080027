#include "fault_sweep.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tqdms/tqsim.h"

namespace testing_support {
namespace {

nlohmann::json currentJournal() {
    int need = tqsimGetJournal(nullptr, 0);
    std::string buf(static_cast<size_t>(need), '\0');
    tqsimGetJournal(&buf[0], need);
    buf.resize(std::strlen(buf.c_str()));
    return nlohmann::json::parse(buf);
}

}  // namespace

int faultSweep(const std::function<void()>& fresh, const std::function<uint32_t()>& run,
               const std::function<void(const SweepStep&)>& expect) {
    fresh();
    tqsimClearJournal();
    run();
    nlohmann::json clean = currentJournal();
    EXPECT_GT(clean.size(), 0u) << "the operation made no device call";
    for (size_t i = 0; i < clean.size(); ++i) {
        fresh();
        tqsimClearFaults();
        tqsimClearJournal();
        nlohmann::json f = {{"fn", "*"}, {"nth", i + 1}, {"result", kSweepCode}};
        tqsimAddFault(f.dump().c_str());
        uint32_t result = run();
        SCOPED_TRACE("failing call " + std::to_string(i + 1) + ": " + clean[i].dump());
        expect(SweepStep{static_cast<int>(i + 1), clean[i], result});
        tqsimClearFaults();
    }
    return static_cast<int>(clean.size());
}

}  // namespace testing_support
