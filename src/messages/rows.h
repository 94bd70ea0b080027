// Message rows written from host records.
#pragma once

#include <cstdint>

#include "dmscontent/records.h"

namespace dms {

// Defines one row from a host record with tqDefine1Message (owner and MULTI
// taken up to their field sizes).
uint32_t defineEntry(const MessageTableEntry& entry);

// Erases a changeable or volatile row: modify request, a blank
// definition, not-used request, each state polled three times 10 ms apart.
// 32529 for other memory types, 259 when the row never reaches modifying,
// 32523 when it never reaches not used.
uint32_t deleteMessageEntry(int memoryType, int number);

}  // namespace dms
