// libFuzzer target: the FNN font reader on arbitrary bytes.
#include "font_reader_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzzFontReader(dms::readFnnBytes, data, size, "fuzz.fnn");
}
