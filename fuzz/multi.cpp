// MULTI parser and writer on arbitrary bytes: parse, write the pages back,
// parse that text again and write it once more.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "model/section.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    text.resize(std::strlen(text.c_str()));  // the parser reads up to the first NUL
    dms::PageMessage first;
    first.FromMulti(text.c_str());
    std::string written = first.ToMulti().str();
    dms::PageMessage again;
    again.FromMulti(written.c_str());
    std::string rewritten = again.ToMulti().str();
    if (rewritten.size() > 16 * written.size() + (1u << 16)) __builtin_trap();  // bounded growth
    return 0;
}
