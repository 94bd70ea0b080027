// FromMulti of moving text: "[mv" mode, delay, direction, width, step,
// step time, then the moving text with its own flashing, font and colour.
#include <cstring>
#include <string>

#include "multi/readers.h"
#include "multi/scan.h"

namespace dms {

uint32_t MoveText::FromMulti(const char* multi) {
    if (multi == nullptr) return 0;
    const size_t length = std::strlen(multi);
    if (length < 4) return 0;
    size_t letter = length;  // none
    if (multi[3] == 'c') {
        mode = 1;
        if (length > 4) letter = 4;
    } else if (multi[3] == 'l') {
        mode = 2;
        if (multi[4] == 'l' || multi[4] == 'r') {
            letter = 4;
        } else {
            int32_t d = kScanUnset;
            Scan(multi + 4).num(d);
            if (d != kScanUnset) delay = d;
            for (size_t k = 4; k < length; ++k) {
                if (multi[k] == 'l' || multi[k] == 'r') {
                    letter = k;
                    break;
                }
            }
        }
    } else {
        return 0;
    }
    // Without a direction letter the numbers would be read from the end of
    // the text: nothing more is read.
    if (letter >= length) return 0;
    if (multi[letter] == 'l') direction = 0;
    if (multi[letter] == 'r') direction = 1;

    const size_t numbers = letter + 1;
    int32_t w = kScanUnset, step = kScanUnset, time = kScanUnset;
    Scan(multi + numbers).num(w).lit(",").num(step).lit(",").num(time);
    if (w != kScanUnset && step != kScanUnset && time != kScanUnset) {
        width = w;
        stepPixels = step;
        stepTime = time;
    }

    // The flashing inside the tag belongs to the whole field. An opening tag
    // too long for its 25-character buffer is not read.
    size_t flashLength = 0;
    const int32_t at = FindTag(multi + numbers, length - numbers, "fl", true);
    if (at != kScanUnset) {
        char tag[25];
        if (CopyTag(tag, sizeof tag, multi + numbers, at) != nullptr) {
            flashLength = std::strlen(tag);
            flash.flashBegin = at;
            readFlashTimes(tag, flash);
        }
    }
    const size_t from = numbers + flashLength;
    const char* bracket = static_cast<const char*>(std::memchr(multi + from, '[', length - from));
    if (bracket == nullptr) return 0;
    // The moving text runs to the tag's last character (its closing "]").
    const size_t start = static_cast<size_t>(bracket - multi);
    std::string inner(bracket, length - 1 - start);
    ReadTextRun(textBase, inner.c_str());
    return 0;
}

}  // namespace dms
