#include "model/enums.h"

#include <cstring>

namespace dms {
namespace {

const char* const kLineAlign[] = {"left", "center", "right"};    // codes 2..4
const char* const kPageAlign[] = {"top", "center", "bottom"};    // codes 2..4
const char* const kMemoryType[] = {"permanent",     "changeable", "volatile",
                                   "currentBuffer", "schedule",   "blank"};  // codes 2..7

template <size_t N>
char* writeForm(char* buffer, int32_t code, const char* const (&forms)[N]) {
    if (buffer != nullptr && code >= 2 && code < 2 + static_cast<int32_t>(N)) {
        std::strcpy(buffer, forms[code - 2]);  // every form fits kEnumTextSize
    }
    return buffer;
}

template <size_t N>
int32_t findForm(const char* text, const char* const (&forms)[N]) {
    if (text == nullptr) return -1;
    for (size_t i = 0; i < N; ++i) {
        if (std::strstr(text, forms[i]) != nullptr) return static_cast<int32_t>(i) + 2;
    }
    return -1;
}

}  // namespace

char* LineAlignToString(char* buffer, int32_t code) { return writeForm(buffer, code, kLineAlign); }
char* PageAlignToString(char* buffer, int32_t code) { return writeForm(buffer, code, kPageAlign); }
char* MemoryTypeToString(int32_t code, char* buffer) { return writeForm(buffer, code, kMemoryType); }

int32_t StringToLineAlign(const char* text) { return findForm(text, kLineAlign); }
int32_t StringToPageAlign(const char* text) { return findForm(text, kPageAlign); }
int32_t StringToMemoryType(const char* text) { return findForm(text, kMemoryType); }

}  // namespace dms
