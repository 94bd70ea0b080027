// Reading the sign's usable fonts into host font entries.
#pragma once

#include <cstdint>

#include "dmscontent/fonts.h"

namespace dms {

// Fills list[0..capacity) with the usable fonts in row order; `filled` says
// how many were read, also when a read fails on the way (its code is
// returned) or the list is full (DMS_E_FULL).
uint32_t listFonts(dmsFont* list, uint32_t capacity, uint32_t& filled);

}  // namespace dms
