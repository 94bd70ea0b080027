// Text forms of the justification and memory type codes (NTCIP 1203).
#pragma once

#include <cstdint>

namespace dms {

// Room every buffer handed to the *ToString operations must have.
constexpr int kEnumTextSize = 16;

// Write the text of codes 2..4 (memory type: 2..7) into buffer; any other
// code leaves the buffer as it was. Return the buffer.
char* LineAlignToString(char* buffer, int32_t code);
char* PageAlignToString(char* buffer, int32_t code);
char* MemoryTypeToString(int32_t code, char* buffer);

// The code of the first text form found anywhere inside text (containment,
// not comparison); -1 when none is found or text is null.
int32_t StringToLineAlign(const char* text);
int32_t StringToPageAlign(const char* text);
int32_t StringToMemoryType(const char* text);

}  // namespace dms
