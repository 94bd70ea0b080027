// The status column of graphic rows and the NTCIP 1203 status steps
// shared by upload and deletion: at most 3 polls, 10 ms apart.
#pragma once

#include <cstdint>

namespace dms {

uint32_t readGraphicStatus(int index, uint32_t& status);
uint32_t requestGraphicStatus(int index, uint32_t request);

// Up to 3 times: request modify, wait 10 ms, read; 259 when the row never
// reads modifying.
uint32_t enterGraphicModifying(int index);

// Up to 3 reads, 10 ms after each one that is not `want`; timeout when the
// row never reads it.
uint32_t awaitGraphicStatus(int index, uint32_t want, uint32_t timeout);

}  // namespace dms
