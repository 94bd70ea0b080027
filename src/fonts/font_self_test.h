// The font part of the built-in test sequence (tqForTest).
#pragma once

#include <cstdint>

namespace dms {

// Resets font row 1 to the placeholder font "def." (notUsed, modify, height
// 0, number 1, spacings 0, notUsed again, each state polled up to 3 times
// 10 ms apart), sends the font file at fontPath into row 1 and compares every
// character the sign took with the file. Logs "All match." or
// "total:%d,diffIdx:%d" (characters compared, index of the first that
// differs). 0 when all match; 32515 when one differs; 258 when the file
// cannot be read; otherwise the code of the step that failed.
uint32_t fontSelfTest(const char* fontPath);

}  // namespace dms
