#include "fonts/font_content.h"

#include <cstdlib>

namespace dms {

FontContentPtr newFontContent() {
    auto* record = static_cast<fontContent*>(std::calloc(1, sizeof(fontContent)));
    if (!record) return nullptr;
    try {
        return FontContentPtr(record, [](fontContent* c) {
            freeFontChars(c->chars, c->charCount);
            std::free(c->reserved);
            std::free(c);
        });
    } catch (...) {
        return nullptr;  // the shared pointer has already run the deleter
    }
}

void freeFontChars(fontChar* chars, size_t count) {
    if (!chars) return;
    for (size_t i = 0; i < count; ++i) std::free(chars[i].bitmap);
    std::free(chars);
}

bool FontCharArray::allocate(size_t count) {
    freeFontChars(chars_, count_);
    chars_ = nullptr;
    count_ = 0;
    if (count == 0) return true;
    chars_ = static_cast<fontChar*>(std::calloc(count, sizeof(fontChar)));
    if (!chars_) return false;
    count_ = count;
    return true;
}

uint8_t* packCell(const uint8_t* cell, uint64_t cellLength, unsigned height, uint64_t rowBytes, unsigned width) {
    size_t length = bitmapLength(height, width);
    if (length == 0) return nullptr;
    auto* out = static_cast<uint8_t*>(std::calloc(length, 1));
    if (!out) return nullptr;
    BitWriter bits(out, length);
    for (uint64_t r = 0; r < height; ++r) {
        for (unsigned x = 0; x < width; ++x) {
            uint64_t byte = x / 8;
            uint64_t at = r * rowBytes + byte;
            bool lit = byte < rowBytes && at < cellLength && ((cell[at] >> (7 - x % 8)) & 1) != 0;
            bits.put(lit);
        }
    }
    return out;
}

}  // namespace dms
