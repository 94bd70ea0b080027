// A one-pass MULTI tokenizer: text runs and every NTCIP 1203 tag with its
// values, each with its byte position, or the first syntax error with its
// dmsMultiSyntaxError number. Nothing is allocated; tokens point into the
// caller's text, which must outlive them.
//
//   dms::multi::Tokenizer tokens(text, length);
//   for (dms::multi::Token t; tokens.next(t);)
//       if (t.kind == dms::multi::TokenKind::Error) report(t.error.code, t.error.at);
//
// Tokens cover the text without gaps: each starts where the one before it
// ended. After an Error token (or at the end of the text) next() gives false.
// Tag names and the letters inside values (t and o, c, l and r, hex digits)
// are read in either case. Numbers are unsigned decimals of 1 to 5 digits
// (leading zeros allowed); white space inside a tag is a value error.
//
// Errors (dmsMultiSyntaxError numbers, tqdms/ntcip.h), the first thing that
// goes wrong reading from the left:
// - unsupportedTag (3): a name that is no tag, or a known name followed by
//   a letter its values cannot start with ("[fox]"); at the "[".
// - unsupportedTagValue (4): a byte a value form does not accept, a missing
//   or extra value, a value out of its range; at that byte (a number out of
//   range or longer than 5 digits: at its first digit).
// - other (1): the text ends inside a tag (an unclosed "["), or a single
//   "]" outside a tag; at the end of the text or the "]". NTCIP has no
//   number for broken bracket syntax: unsupportedTag and unsupportedTagValue
//   say that a sign does not support a well-formed tag or value, which would
//   send a host looking at the sign's tag list instead of the text.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dms {
namespace multi {

enum class TokenKind : uint8_t {
    Text,             // span: plain text; "[[" and "]]" stand for "[" and "]"
    ColorBackground,  // [cb]   color
    ColorForeground,  // [cf]   color
    ColorRectangle,   // [cr]   rect, color (index or RGB)
    Field,            // [f]    field
    Flash,            // [fl]   flash
    FlashEnd,         // [/fl]
    Font,             // [fo]   font
    Graphic,          // [g]    graphic
    HexCharacter,     // [hc]   hex
    JustifyLine,      // [jl]   number (-1: default)
    JustifyPage,      // [jp]   number (-1: default)
    Manufacturer,     // [ms]   span: everything between "ms" and "]"
    ManufacturerEnd,  // [/ms]  span: everything between "/ms" and "]"
    MovingText,       // [mv]   moving
    NewLine,          // [nl]   number: line spacing (-1: not given)
    NewPage,          // [np]
    PageBackground,   // [pb]   color
    PageTime,         // [pt]   pageTime
    Spacing,          // [sc]   number: character spacing
    SpacingEnd,       // [/sc]
    TextRectangle,    // [tr]   rect
    TravelTime,       // [tdc]  travel: field number and its rectangle
    Error             // error: dmsMultiSyntaxError number and its position
};

// A piece of the caller's text.
struct Span {
    size_t pos;
    size_t length;
};

enum class ColorForm : uint8_t { Default, Index, Rgb };
struct ColorValue {  // [cf] default, [cf3] index, [cf255,0,0] RGB
    ColorForm form;
    uint8_t index, red, green, blue;
};
struct RectValue {  // x and y from 1, width and height from 0
    uint16_t x, y, width, height;
};
struct ColorRectValue {
    RectValue rect;
    ColorValue color;  // Index or Rgb
};
struct FieldValue {  // [f8] or [f8,2]
    int32_t id;
    int32_t width;  // -1 when not given
};
struct FlashValue {  // [fl], [flt5o5], [flo5t5], [flt5], [flto] ...
    int32_t on, off;  // tenths of a second; -1 when not given
    bool offFirst;    // written "o...t..."
};
struct FontValue {  // [fo], [fo2], [fo2,12ab]
    int32_t number;   // -1 for the default font
    int32_t version;  // 16-bit font version ID; -1 when not given
};
struct GraphicValue {  // [g3], [g3,1,1], [g3,1,1,12ab]
    int32_t number;
    int32_t x, y;     // -1 when not given
    int32_t version;  // -1 when not given
};
struct HexValue {  // [hc41]: the character code
    int32_t code;
};
struct MovingValue {  // [mvcl240,4,1,TEXT], [mvl3r100,2,5,TEXT]
    char mode;        // 'c' circular or 'l' linear (lower case)
    int32_t delay;    // the number after a linear 'l'; -1 when not given
    char direction;   // 'l' or 'r' (lower case)
    int32_t width;    // pixels
    int32_t step;     // pixels per step
    int32_t rate;     // tenths of a second per step
    Span text;        // raw; may hold doubled brackets and tags of its own
};
struct PageTimeValue {  // [pt], [pt30], [pt30o], [pt30o5], [pto5]
    int32_t on, off;    // tenths of a second; -1 when not given
};
struct TravelValue {  // [tdc3] or [tdc3,1,1,40,8]
    int32_t number;
    bool hasRect;
    RectValue rect;
};
struct ErrorValue {
    int32_t code;  // NtcipMultiSyntaxError (tqdms/ntcip.h)
    size_t at;     // the offending byte (the token's pos is where its tag starts)
};

struct Token {
    TokenKind kind;
    size_t pos;     // first byte
    size_t length;  // bytes, brackets included
    union {
        ColorValue color;
        ColorRectValue colorRect;
        FieldValue field;
        FlashValue flash;
        FontValue font;
        GraphicValue graphic;
        HexValue hex;
        int32_t number;
        Span span;
        MovingValue moving;
        PageTimeValue pageTime;
        RectValue rect;
        TravelValue travel;
        ErrorValue error;
    };
};

class Tokenizer {
public:
    Tokenizer(const char* text, size_t length) : text_(text), end_(text + length), p_(text) {}
    // The next token; false at the end of the text or after an Error token.
    bool next(Token& token);

private:
    bool fail(Token& token, const char* tagStart, const char* at, int32_t code);

    const char* text_;
    const char* end_;
    const char* p_;  // null after an error
};

// The characters a Text token (or a moving text without tags) stands for:
// each doubled bracket gives one bracket. Iterates without copying.
class Unescaped {
public:
    class iterator {
    public:
        explicit iterator(const char* p) : p_(p) {}
        char operator*() const { return *p_; }
        iterator& operator++() {
            p_ += (*p_ == '[' || *p_ == ']') ? 2 : 1;
            return *this;
        }
        bool operator!=(const iterator& other) const { return p_ < other.p_; }

    private:
        const char* p_;
    };
    Unescaped(const char* text, Span span) : begin_(text + span.pos), end_(text + span.pos + span.length) {}
    iterator begin() const { return iterator(begin_); }
    iterator end() const { return iterator(end_); }
    size_t size() const;
    // Copies at most capacity characters to out (no terminator); the count copied.
    size_t copy(char* out, size_t capacity) const;

private:
    const char* begin_;
    const char* end_;
};

}  // namespace multi
}  // namespace dms
