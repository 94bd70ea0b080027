#include "messages/sign_facts.h"

#include <cstring>
#include <memory>

#include "fonts/font_list.h"
#include "frame/device.h"

namespace dms {
namespace {

// Font rows are one byte: no sign has more fonts than this.
constexpr uint32_t kFontCapacity = 255;

}  // namespace

int32_t readMaxMultiLength() {
    int32_t value = 0;
    if (tqGetMultiCfg(NTCIP_DMS_MAX_MULTI_STRING_LENGTH, &value, sizeof value) != 0) return kUnknownMultiLength;
    return value;
}

void readSignFonts(SignFacts& facts) {
    facts.fonts.clear();
    std::unique_ptr<dmsFont[]> list(new dmsFont[kFontCapacity]());
    uint32_t filled = 0;
    (void)listFonts(list.get(), kFontCapacity, filled);  // a failed read keeps what was read
    for (uint32_t i = 0; i < filled && i < kFontCapacity; ++i) {
        const dmsFont& f = list[i];
        facts.fonts.push_back(SignFontName{f.number, std::string(f.name, strnlen(f.name, sizeof f.name))});
    }
}

void readSignFacts(SignFacts& facts) {
    readSignFonts(facts);
    facts.maxMultiLength = readMaxMultiLength();
}

}  // namespace dms
