// FNT and FNN font files: the readers (from a path, or from bytes already in
// memory), the choice of reader by extension, the font number mapping and
// the FNT writer. Numbers in both files are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <vector>

#include "dmscontent/records.h"

namespace dms {

// Bytes of the FNT trailer (the last bytes of an FNT file) and of the FNN
// header and range records.
constexpr size_t kFntTrailerSize = 64;
constexpr size_t kFnnHeaderSize = 52;
constexpr size_t kFnnRangeSize = 28;
// Font files larger than this are refused as not being fonts.
constexpr size_t kMaxFontFileSize = 16u << 20;

// Each reader fills an empty record (zeroed, no characters). name may be null:
// the record then takes the file's base name. raw keeps the file's font
// number instead of mapping it. On failure the record keeps no characters.
//
// FNT: 32513 the file cannot be opened; 32515 not an FNT file, or its cells,
// width table or trailer do not fit the file; 32516 out of memory.
uint32_t readFntFile(fontContent& record, const char* path, const char* name, bool raw);
// FNN: 0 also when the file cannot be opened (the record then stays empty);
// 32515 for a header, range table or run that does not fit the file.
uint32_t readFnnFile(fontContent& record, const char* path, const char* name, bool raw);

// The same on a file's bytes; name is copied as given (may be null).
uint32_t readFntBytes(fontContent& record, const uint8_t* data, size_t size, const char* name, bool raw);
uint32_t readFnnBytes(fontContent& record, const uint8_t* data, size_t size, const char* name, bool raw);

enum class FontFileKind { kNone, kFnt, kFnn };
// By the base name's extension, in any case: it must end in the first
// ".FNT" (or, failing that, the first ".FNN") it holds.
FontFileKind fontFileKind(const char* path);

// Runs the reader the extension chooses, with no given name. A file of any
// other extension is not read: the record stays empty and the result is 0.
uint32_t readFontFile(fontContent& record, const char* path, bool raw);

// File font number to font table value (0..15 -> 48..63, 16 and up -> +55),
// unless raw; and back, for the files written from the sign.
uint32_t fontNumberToTable(uint32_t fileNumber, bool raw);
uint32_t fontNumberFromTable(uint32_t tableValue);

// The 64-byte FNT trailer of a font written from the sign: magic and "T",
// time, the widest character, height, bytes per row, size field, "LLIB",
// the number field, and the character and line spacing in bytes 49 and 50
// (where the reader takes them); every other byte zero.
void fillFntTrailer(uint8_t (&trailer)[kFntTrailerSize], uint32_t widthMax, uint32_t height, uint32_t rowBytes,
                    uint32_t numberField, uint8_t charSpacing, uint8_t lineSpacing, std::time_t now);

// A font read from the sign, as the FNT writer takes it: per character code
// its own width and its packed bitmap at that width (missing bytes read as
// zero).
struct SignFont {
    uint32_t height = 0;
    uint32_t tableNumber = 0;
    uint8_t charSpacing = 0;
    uint8_t lineSpacing = 0;
    std::vector<uint8_t> widths = std::vector<uint8_t>(256, 0);
    std::vector<std::vector<uint8_t>> packed = std::vector<std::vector<uint8_t>>(256);
};

// Reads the characters of font row `row`, whose table columns are in
// `entry` (height, number, spacings), into font: every character's width,
// then the bitmap of each one that has a width. The device's code of the
// first read that fails.
uint32_t readSignFont(int row, const dmsFont& entry, SignFont& font);

// The widest of characters 1 to 255.
uint32_t widestCharacter(const SignFont& font);

// An FNT file (256 cells, then the trailer) of a font read from the sign.
// Cells are as wide as the widest of characters 1 to 255; each character
// stands left-aligned in its cell at its own width, the rest of the cell
// blank. Cell 0 stays blank. No width table is written.
std::vector<uint8_t> buildFntFile(const SignFont& font, std::time_t now);

}  // namespace dms
