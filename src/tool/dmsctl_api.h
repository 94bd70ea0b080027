// What dmsctl needs of the content library beyond its public headers: the
// MULTI parser's and writer's view of a text, a message document checked
// against the sign's facts, a font file drawn as text, and the sign clock's
// time-zone table. Plain structs only; no library type crosses this header.
// It is linked into dmsctl alone, never into the shared library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dms::tool {

// ---- MULTI text ----------------------------------------------------------

struct Color {
    int32_t index = -1;  // palette index, -1 = not given
    int32_t rgb = -1;    // 0xRRGGBB, -1 = not given
};

// Flash times, and the positions of the flash tags in the source text.
struct Flash {
    int32_t on = 0;
    int32_t off = 0;
    int32_t begin = -1;
    int32_t end = -1;
};

struct Font {
    int32_t number = -1;  // -1 = not given
    Color color;
};

struct Rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// One element of running text, in the order the parser met it. Which fields
// are meaningful depends on the kind (see each).
struct TextElement {
    enum class Kind { kHex, kField, kMoving, kText, kNewLine, kUnknown };
    Kind kind = Kind::kUnknown;
    std::string code;        // kHex: the character code as written
    int32_t number = 0;      // kField: the field number
    Font font;               // kField, kText; kMoving: the moving text's
    Flash flash;             // all but kNewLine; kMoving: of the whole field
    bool hasText = false;    // kText, kMoving
    std::string text;        // when hasText
    Flash textFlash;         // kMoving: of the moving text
    int32_t mode = 0;        // kMoving: 1 circular, otherwise linear
    int32_t delay = 0;       // kMoving
    int32_t direction = 0;   // kMoving: 0 left, otherwise right
    int32_t width = 0;       // kMoving
    int32_t step = 0;        // kMoving: pixels per step
    int32_t stepTime = 0;    // kMoving
    int32_t count = 0;       // kNewLine
    int32_t lineAlign = 0;   // kNewLine
};

// One graphic element of a page, in the order the parser met it.
struct GraphicElement {
    enum class Kind { kColorRectangle, kPicture, kTextRectangle, kDataField, kUnknown };
    Kind kind = Kind::kUnknown;
    Rect rect;                      // kColorRectangle, kTextRectangle, kDataField; kPicture: x and y only
    Color color;                    // kColorRectangle
    Flash flash;                    // kColorRectangle, kPicture, kTextRectangle
    int32_t number = 0;             // kPicture: graphic number; kDataField: value number
    Font font;                      // kDataField
    int32_t pageAlign = 0;          // kTextRectangle
    int32_t lineAlign = 0;          // kTextRectangle
    int32_t spacing = 0;            // kTextRectangle
    std::vector<TextElement> text;  // kTextRectangle
};

struct Page {
    int32_t number = 0;
    int32_t onTime = 0;
    int32_t offTime = 0;
    Color background;
    int32_t pageAlign = 0;
    int32_t lineAlign = 0;
    int32_t spacing = 0;
    std::vector<TextElement> text;
    std::vector<GraphicElement> graphics;
};

// The pages and elements the documented parser (or the faithful reading)
// makes of a MULTI text.
std::vector<Page> multiPages(const std::string& multi, bool faithful = false);
// The same as a plain-text listing, one element a line, with flash positions.
std::string describeMulti(const std::string& multi, bool faithful = false);
// What the writer makes again of the parsed text.
std::string rewriteMulti(const std::string& multi, bool faithful = false);
// Whether a sign shows the two texts the same way (both must tokenize).
bool showsSame(const std::string& a, const std::string& b);

// ---- Message documents ---------------------------------------------------

struct CheckedMessage {
    int32_t number = 0;
    std::string type;   // memory type name, or its number when it has none
    std::string multi;  // empty for a message that failed
};

struct MessageCheck {
    enum class Step { kNone, kMemory, kDocument, kMessage };
    Step failed = Step::kNone;  // where the check stopped
    uint32_t result = 0;        // its result code (0 = every message built)
    // Messages in document order up to and including the one that failed.
    std::vector<CheckedMessage> messages;
};

// Reads a message document as a message upload would and builds each
// message's MULTI text with the fonts and maximum MULTI length of the sign
// the calling thread has open. Nothing is written to the sign.
MessageCheck checkMessageDocument(const std::string& path);

// ---- Font files ----------------------------------------------------------

struct Glyph {
    unsigned code = 0;
    unsigned width = 0;
    std::vector<std::string> rows;  // one string a pixel row: '#' lit, '.' dark
};

struct FontDrawing {
    std::string name;
    unsigned height = 0;
    unsigned width = 0;
    unsigned number = 0;
    unsigned charSpacing = 0;
    unsigned lineSpacing = 0;
    unsigned charCount = 0;
    std::vector<Glyph> glyphs;  // every character, in the file's order
};

// Whether the name's extension makes it an FNT or FNN font file.
bool isFontFileName(const std::string& path);
// Reads the font file and draws every character; the font reader's result
// code. Throws std::bad_alloc when memory runs out.
uint32_t drawFontFile(const std::string& path, FontDrawing& drawing);

// ---- The sign clock's time zones -----------------------------------------

// The zone index of a UTC offset in seconds; -1 when the table has none.
int timeZoneOfOffset(int32_t seconds);
// The UTC offset in seconds of a zone index; the table's end marker
// (0x7FFFFFFF) for an index outside it.
int32_t timeZoneOffset(int index);

}  // namespace dms::tool
