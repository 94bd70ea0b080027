// The "[" positions of a page body or section that open one of the tag names
// the parser looks for, found in one pass and each marked with its names, so
// that the repeated per-kind searches walk a short list instead of the text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "multi/parser.h"

namespace dms {
namespace multi {

// The names, each with the strictness the parser always searches it with
// (see FindTag).
enum TagBit : uint16_t {
    kNlTag = 1 << 0,         // "nl", strict
    kFieldTag = 1 << 1,      // "f", strict
    kHexTag = 1 << 2,        // "hc", loose
    kMoveTag = 1 << 3,       // "mv", loose
    kPictureTag = 1 << 4,    // "g", strict
    kColorRectTag = 1 << 5,  // "cr", strict
    kTextRectTag = 1 << 6,   // "tr", strict
    kDataFieldTag = 1 << 7,  // "tdc", strict
    kFlashTag = 1 << 8,      // "fl", loose
    kFlashEndTag = 1 << 9,   // "/fl", strict
};

class Brackets {
public:
    // text[length] must be readable ('\0'); length < kMultiPieceSize.
    Brackets(const char* text, size_t length);
    // What FindTag(text + from, length - from, name, loose) gives for the
    // name of bit, as a position in text; -1 when there is none.
    long find(size_t from, TagBit bit) const;
    const char* text() const { return text_; }
    size_t length() const { return length_; }

private:
    struct Entry {
        uint16_t at;
        uint16_t tags;  // TagBits; bit 15: a "[" stands right before it
    };
    static constexpr uint16_t kAfterBracket = 1u << 15;
    const char* text_;
    size_t length_;
    Entry entries_[kMultiPieceSize];
    int count_ = 0;
    uint16_t present_ = 0;  // every TagBit of the entries
    mutable int hint_ = 0;  // where the last search started; speeds up, changes nothing
};

}  // namespace multi
}  // namespace dms
