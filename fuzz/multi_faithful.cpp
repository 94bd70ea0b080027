// The faithful MULTI reading on arbitrary bytes: on every input that
// tokenizes, reading, writing and reading again gives the same elements, and
// the written text shows what the input shows (the same characters and tags
// in the same state). Inputs with a syntax error add nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/section.h"
#include "multi/describe.h"
#include "multi/faithful.h"
#include "multi/shown.h"

namespace {

void require(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using dms::multi::FaithfulResult;
    if (size > 4096) return 0;  // longer than any message row
    const char* text = reinterpret_cast<const char*>(data);
    std::string before;
    const bool tokenizes = dms::multi::describeShown(text, size, before);

    dms::PageMessage first;
    const FaithfulResult rc = dms::multi::readFaithful(first, text, size);
    require(rc == (tokenizes ? FaithfulResult::Done : FaithfulResult::NotTokenized));
    if (!tokenizes) {
        require(first.textOrder.empty() && first.graphicOrder.empty() && first.next == nullptr);
        return 0;
    }
    // Text with a NUL byte in it cannot be held by an element.
    for (size_t i = 0; i < size; ++i)
        if (text[i] == '\0') return 0;

    const std::string written = first.ToMulti().str();
    std::string after;
    require(dms::multi::describeShown(written.data(), written.size(), after));
    require(after == before);
    require(dms::multi::visibleText(written.data(), written.size()) == dms::multi::visibleText(text, size));

    dms::PageMessage again;
    require(dms::multi::readFaithful(again, written.data(), written.size()) == FaithfulResult::Done);
    require(dms::describePages(&again) == dms::describePages(&first));
    return 0;
}
