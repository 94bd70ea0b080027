// Writing fonts into the sign's font and character tables.
#pragma once

#include <cstdint>
#include <cstddef>

#include "dmscontent/records.h"

namespace dms {

// The name the sign gives a font row that holds no font.
constexpr const char* kPlaceholderFontName = "def.";

// Writes one font into the row entry.row: modify, the five columns, every
// character up to maxCharacter, ready. Progress goes from base in steps of
// step / character count. 0, the device's code, 1 (a character write
// failed), 32523 (the row did not reach the state) or 32525 (in use).
uint32_t uploadFont(const dmsFont& entry, const fontContent& content, int base, int step, uint32_t maxCharacter);

// Asks font row `row` for the status `request` and reads it up to 3 times,
// 10 ms apart, until it is `target`: 0, the device's code, or 32523.
uint32_t changeFontStatus(int row, uint32_t request, uint32_t target);

// Bytes of one path field in the host's path array.
constexpr size_t kPathField = 255;

// The whole send: blank the sign, free rows 1..N-1, then one font per path
// (count fields of kPathField bytes) into rows 1, 2, ... Paths beyond the
// sign's N rows are skipped. `sent` is the number of fonts written. Reports
// (result, 100) when it ends.
uint32_t sendFontSet(const char* paths, uint32_t count, bool raw, int32_t& sent);

}  // namespace dms
