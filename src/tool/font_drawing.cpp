// dmsctl's font files: every character of a font file drawn as text rows.
#include <new>

#include "fonts/font_content.h"
#include "fonts/font_file.h"
#include "tool/dmsctl_api.h"

namespace dms::tool {
namespace {

Glyph drawGlyph(const fontContent& font, const fontChar& c) {
    Glyph glyph;
    glyph.code = c.code;
    glyph.width = c.width;
    const size_t length = bitmapLength(font.height, c.width);
    for (unsigned r = 0; r < font.height; ++r) {
        std::string row;
        for (unsigned x = 0; x < c.width; ++x)
            row += c.bitmap && bitAt(c.bitmap, length, static_cast<size_t>(r) * c.width + x) ? '#' : '.';
        glyph.rows.push_back(row);
    }
    return glyph;
}

}  // namespace

bool isFontFileName(const std::string& path) { return fontFileKind(path.c_str()) != FontFileKind::kNone; }

uint32_t drawFontFile(const std::string& path, FontDrawing& drawing) {
    FontContentPtr font = newFontContent();
    if (!font) throw std::bad_alloc();
    const uint32_t rc = readFontFile(*font, path.c_str(), false);
    if (rc != 0) return rc;
    drawing.name = font->name;
    drawing.height = font->height;
    drawing.width = font->width;
    drawing.number = font->number;
    drawing.charSpacing = font->charSpacing;
    drawing.lineSpacing = font->lineSpacing;
    drawing.charCount = font->charCount;
    drawing.glyphs.clear();
    for (uint32_t i = 0; i < font->charCount; ++i) drawing.glyphs.push_back(drawGlyph(*font, font->chars[i]));
    return 0;
}

}  // namespace dms::tool
