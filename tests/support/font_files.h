// Test helpers for fonts: FNT and FNN files built byte by byte, a scratch
// folder, and reading a font through the library's readers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/font_content.h"

namespace testing_support {

using Bytes = std::vector<uint8_t>;

// A fixed-cell font: glyph(c) gives the rows of character c as text, '#'
// lit, one string per row (shorter rows are padded unlit).
struct CellFont {
    unsigned height = 7;
    unsigned rowBytes = 1;
    uint32_t width = 5;       // nominal width
    uint32_t number = 1;      // font number in the file
    uint8_t charSpacing = 1;
    uint8_t lineSpacing = 2;
    std::vector<std::vector<std::string>> glyphs = std::vector<std::vector<std::string>>(256);

    Bytes cell(unsigned code) const;  // height x rowBytes bytes
};

// 256 cells, the width table when widths is not empty, the trailer.
Bytes fntFile(const CellFont& f, const std::vector<uint8_t>& widths = {});

struct FnnRange {
    uint32_t firstCode;
    uint32_t count;
};
// Header, range table at offset 52 (ranges in the order given), then the
// runs one after another.
Bytes fnnFile(const CellFont& f, const std::vector<FnnRange>& ranges);

void putLe32(Bytes& b, size_t at, uint32_t v);

// A new empty folder under the test temp folder, ending without a slash.
std::string scratchFolder(const std::string& name);
std::string writeFile(const std::string& path, const Bytes& bytes);
Bytes readFile(const std::string& path);

// The path array of tqSendFonts: 255-byte fields.
std::string pathFields(const std::vector<std::string>& paths);

// A font read with the reader its extension chooses (raw numbers off).
dms::FontContentPtr loadFont(const std::string& path, uint32_t* result = nullptr);

// A character's packed bitmap as a '#'/'.' picture, rows joined by '|'.
std::string picture(const fontChar& c, unsigned height);
// The rows of a glyph as '#'/'.' text of `width` columns, joined by '|'.
std::string picture(const std::vector<std::string>& rows, unsigned height, unsigned width);

}  // namespace testing_support

#include <nlohmann/json.hpp>

namespace testing_support {

// A font row of the simulated sign's state holding this font's characters.
nlohmann::json signFontRow(int row, const fontContent& font, int status = 4);
// Hex of bytes, lower case (as the sign's state holds bitmaps).
std::string hexOf(const uint8_t* data, size_t length);

// Frees what GetFontFileDetail created in a record (see fonts.h).
void freeDetailBlocks(fontDetail& d);

}  // namespace testing_support
