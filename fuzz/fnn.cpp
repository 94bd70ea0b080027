// libFuzzer target: the FNN font reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "fonts/font_content.h"
#include "fonts/font_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dms::FontContentPtr font = dms::newFontContent();
    if (!font) return 0;
    if (dms::readFnnBytes(*font, data, size, "fuzz.fnn", false) != 0) {
        if (font->chars || font->charCount) __builtin_trap();  // a refused file leaves the record empty
        return 0;
    }
    // Every bitmap must be as long as its height and width say.
    volatile uint8_t sink = 0;
    for (uint32_t i = 0; i < font->charCount; ++i) {
        const fontChar& c = font->chars[i];
        size_t n = dms::bitmapLength(font->height, c.width);
        if (c.bitmap && n) sink = static_cast<uint8_t>(sink ^ c.bitmap[n - 1]);
    }
    (void)sink;
    return 0;
}
