#include "model/enums.h"

#include <cstring>

#include "tqdms/ntcip.h"

namespace dms {
namespace {

// Each table lists its forms from the code `first` on.
template <size_t N>
struct Forms {
    int32_t first;
    const char* names[N];
};

// MULTI justification: 2 left (top), 3 centre, 4 right (bottom).
constexpr int32_t kFirstJustification = 2;
const Forms<3> kLineAlign{kFirstJustification, {"left", "center", "right"}};
const Forms<3> kPageAlign{kFirstJustification, {"top", "center", "bottom"}};
const Forms<6> kMemoryType{NTCIP_MEM_PERMANENT,
                           {"permanent", "changeable", "volatile", "currentBuffer", "schedule", "blank"}};

template <size_t N>
char* writeForm(char* buffer, int32_t code, const Forms<N>& forms) {
    if (buffer != nullptr && code >= forms.first && code < forms.first + static_cast<int32_t>(N)) {
        std::strcpy(buffer, forms.names[code - forms.first]);  // every form fits kEnumTextSize
    }
    return buffer;
}

template <size_t N>
int32_t findForm(const char* text, const Forms<N>& forms) {
    if (text == nullptr) return -1;
    for (size_t i = 0; i < N; ++i) {
        if (std::strstr(text, forms.names[i]) != nullptr) return static_cast<int32_t>(i) + forms.first;
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
