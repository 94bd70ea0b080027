// The shared body of the font reader fuzz targets: a refused file must leave
// the record empty, an accepted one must hold every bitmap at the length its
// height and width give.
#pragma once

#include <cstddef>
#include <cstdint>

#include "fonts/font_content.h"
#include "fonts/font_file.h"

template <typename Reader>
int fuzzFontReader(Reader read, const uint8_t* data, size_t size, const char* name) {
    dms::FontContentPtr font = dms::newFontContent();
    if (!font) return 0;
    if (read(*font, data, size, name, false) != 0) {
        if (font->chars || font->charCount) __builtin_trap();
        return 0;
    }
    volatile uint8_t sink = 0;
    for (uint32_t i = 0; i < font->charCount; ++i) {
        const fontChar& c = font->chars[i];
        size_t n = dms::bitmapLength(font->height, c.width);
        if (c.bitmap && n) sink = static_cast<uint8_t>(sink ^ c.bitmap[n - 1]);
    }
    (void)sink;
    return 0;
}
