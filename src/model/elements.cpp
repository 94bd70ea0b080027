#include "model/elements.h"

#include <cstring>
#include <new>

namespace dms {

bool TextBase::SetText(const char* value) {
    text.reset();
    if (value == nullptr) return true;
    size_t n = std::strlen(value);
    char* copy = new (std::nothrow) char[n + 1];
    if (copy == nullptr) return false;
    std::memcpy(copy, value, n + 1);
    text.reset(copy);
    return true;
}

void MoveText::Set(const char* movingText, int32_t widthPixels, int32_t step, int32_t linearDelay, int32_t dir,
                   int32_t moveMode) {
    width = widthPixels;
    stepPixels = step;
    delay = linearDelay;
    direction = dir;
    mode = moveMode;
    if (movingText != nullptr) textBase.SetText(movingText);
}

}  // namespace dms
