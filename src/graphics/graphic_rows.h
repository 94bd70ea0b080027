// The status column of graphic rows and the NTCIP 1203 status steps shared
// by upload and deletion: at most 3 polls, 10 ms apart.
#pragma once

#include <cstdint>

namespace dms {

uint32_t readGraphicStatus(int index, uint32_t& status);

// Up to 3 times: request modify, wait 10 ms, read; 259 when the row never
// reads modifying.
uint32_t enterGraphicModifying(int index);

// Requests `request`, then up to 3 reads, 10 ms after each one that is not
// `target`; 32523 when the row never reads it.
uint32_t changeGraphicStatus(int index, uint32_t request, uint32_t target);

}  // namespace dms
