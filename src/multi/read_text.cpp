// Font, colour and text runs.
#include <cstring>
#include <new>

#include "dmscontent/common.h"
#include "multi/find_byte.h"
#include "multi/readers.h"
#include "multi/scan.h"

namespace dms {

void ReadFont(Font& font, const char* text) {
    if (text == nullptr) return;
    ReadFont(font, text, text + std::strlen(text));
}

void ReadFont(Font& font, const char* text, const char* end) {
    const char* cf = findOpening(text, end, "cf");
    if (cf != nullptr && std::memchr(cf, ',', static_cast<size_t>(end - cf)) != nullptr) {
        int32_t red = kScanUnset, green = kScanUnset, blue = kScanUnset;
        Scan(cf).lit("[cf").num(red).lit(", ").num(green).lit(", ").num(blue);
        if (red != kScanUnset && green != kScanUnset && blue != kScanUnset)
            font.fontColor = Color::fromRgb(combineRgb(red, green, blue));
    }
    const char* fo = findOpening(text, end, "fo");
    if (fo == nullptr) return;
    int32_t number = kScanUnset;
    Scan(fo).lit("[fo").num(number);
    if (std::memchr(fo, ',', static_cast<size_t>(end - fo)) == nullptr)
        font.fontNum = number;  // also the unset value when no number follows
    else if (number != kScanUnset)
        font.fontNum = number;  // "[fo3,C]": a font version may follow
}

uint32_t ReadTextRun(TextBase& textBase, const char* text) {
    if (text == nullptr) return DMS_E_ARGUMENT;
    const size_t length = std::strlen(text);
    ReadFont(textBase, text, text + length);
    if (length == 0) return DMS_E_ARGUMENT;
    // The first "]" before the last character that no "[" follows (each "]"
    // found eight bytes at a time), else the last character.
    size_t i = length - 1;
    const char* last = text + length - 1;
    for (const char* p = multi::findByte(text, last, ']'); p != last; p = multi::findByte(p + 1, last, ']')) {
        if (p[1] != '[') {
            i = static_cast<size_t>(p - text);
            break;
        }
    }
    const size_t start = i == length - 1 ? 0 : i + 1;
    if (start >= length) return DMS_E_ARGUMENT;
    const char* bracket = static_cast<const char*>(std::memchr(text + start, '[', length - start));
    const size_t end = bracket != nullptr ? static_cast<size_t>(bracket - text) : length;
    if (end == start) return DMS_E_ARGUMENT;
    char* copy = new (std::nothrow) char[end - start + 1];
    if (copy != nullptr) {
        size_t n = 0;
        for (size_t k = start; k < end; ++k) {
            if (text[k] == '\x01' && k + 1 < end && (text[k + 1] == '\x01' || text[k + 1] == '\x02')) {
                const char bracketChar = text[k + 1] == '\x01' ? '[' : ']';
                copy[n++] = bracketChar;
                copy[n++] = bracketChar;
                ++k;
            } else {
                copy[n++] = text[k];
            }
        }
        copy[n] = '\0';
    }
    textBase.text.reset(copy);
    return DMS_E_ARGUMENT;
}

void readFlashTimes(const char* tag, Flash& flash) {
    if (tag == nullptr || std::strlen(tag) < 4) return;
    if (tag[3] == 't') {
        int32_t on = kScanUnset, off = kScanUnset;
        Scan(tag).lit("[flt").num(on);
        if (on != kScanUnset) flash.flashOnTime = on;
        const char* o = std::strchr(tag, 'o');
        if (o == nullptr) {
            flash.flashOffTime = 0;
        } else {
            Scan(o).lit("o").num(off);
            if (off != kScanUnset) flash.flashOffTime = off;
        }
    } else {
        int32_t on = kScanUnset, off = kScanUnset;
        Scan(tag).lit("[flo").num(off);
        if (off != kScanUnset) flash.flashOffTime = off;
        const char* t = std::strchr(tag, 't');
        if (t == nullptr) {
            flash.flashOnTime = 0;
        } else {
            Scan(t).lit("t").num(on);
            if (on != kScanUnset) flash.flashOnTime = on;
        }
    }
}

uint32_t NormalText::FromMulti(const char* multi) {
    ReadTextRun(*this, multi);
    return 0;
}

}  // namespace dms
