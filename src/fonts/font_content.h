// fontContent in memory: creation, release, and the packed character bitmap.
// Every block of a font (record, character array, bitmaps) comes from the C
// runtime's calloc, so that the blocks GetFontFileDetail hands to the host
// are freed the same way as the library's own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "dmscontent/records.h"

namespace dms {

using FontContentPtr = std::shared_ptr<fontContent>;

// A zeroed record whose deleter frees each bitmap, the character array, the
// reserved block and the record; null when memory runs out.
FontContentPtr newFontContent();

// Frees `count` characters' bitmaps and then the array itself.
void freeFontChars(fontChar* chars, size_t count);

// Owns a character array until it is handed over with release().
class FontCharArray {
public:
    FontCharArray() = default;
    ~FontCharArray() { freeFontChars(chars_, count_); }
    FontCharArray(const FontCharArray&) = delete;
    FontCharArray& operator=(const FontCharArray&) = delete;
    // False when memory runs out; a count of 0 holds no array.
    bool allocate(size_t count);
    fontChar* get() const { return chars_; }
    size_t size() const { return count_; }
    fontChar* release() {
        fontChar* p = chars_;
        chars_ = nullptr;
        count_ = 0;
        return p;
    }

private:
    fontChar* chars_ = nullptr;
    size_t count_ = 0;
};

// Bytes of a character's bitmap buffer: height rows of ceil(width / 8).
inline size_t bitmapLength(unsigned height, unsigned width) {
    return static_cast<size_t>(height) * ((static_cast<size_t>(width) + 7) / 8);
}

// Appends bits, most significant first, to a zeroed buffer.
class BitWriter {
public:
    BitWriter(uint8_t* out, size_t length) : out_(out), bits_(length * 8) {}
    void put(bool bit) {
        if (pos_ < bits_ && bit) out_[pos_ / 8] |= static_cast<uint8_t>(0x80u >> (pos_ % 8));
        ++pos_;
    }

private:
    uint8_t* out_;
    size_t bits_;
    size_t pos_ = 0;
};

// Bit `index` of a packed stream (most significant first); 0 past its end.
inline bool bitAt(const uint8_t* data, size_t length, size_t index) {
    return index / 8 < length && ((data[index / 8] >> (7 - index % 8)) & 1) != 0;
}

// Unpacks a packed bitmap of `width` pixels a row into `height` rows of
// `rowBytes` bytes (at least ceil(width / 8)), each row's pixels from its
// first bit on; bits the bitmap does not set stay as they are.
inline void unpackRows(const uint8_t* packed, size_t length, unsigned height, unsigned width, uint8_t* rows,
                       size_t rowBytes) {
    for (size_t r = 0; r < height; ++r)
        for (size_t x = 0; x < width; ++x)
            if (bitAt(packed, length, r * width + x)) rows[r * rowBytes + x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
}

// Packs one character from its cell: `height` rows of `rowBytes` bytes
// starting at cell[0]; only the first `width` pixels of a row count, and
// pixels past a row's bytes are unlit. `cellLength` bounds every read (bytes
// past it read as zero). Returns a calloc'ed buffer of
// bitmapLength(height, width) bytes, or null when that is 0 or memory runs out.
uint8_t* packCell(const uint8_t* cell, uint64_t cellLength, unsigned height, uint64_t rowBytes, unsigned width);

}  // namespace dms
