// The message table as whole messages (CMessage records): reading the valid
// rows, writing records with free numbers, defining and activating one.
#pragma once

#include <cstdint>
#include <cstdio>

#include "dmscontent/common.h"
#include "model/message.h"

namespace dms {

constexpr uint32_t kNoLimit = 0xFFFFFFFFu;

// Reads the valid permanent rows, then the valid changeable rows first..last
// (compared unsigned), into the set; writes "MessageReadFromMib.txt". True
// when every read succeeded.
bool readMessageTable(MessageSet& set, uint32_t first, uint32_t last);

// Appends the valid volatile rows to the set (the dump is not written).
// True when every read succeeded.
bool readVolatileMessages(MessageSet& set);

// Writes the records into the changeable and volatile tables; records whose
// numbers are missing or out of range get free numbers (written back into
// them): rows of their own table, within its maximum, that hold no valid
// message. 32529 for another memory type; 32522 when there are not enough
// free rows, before any record needing a number is written.
uint32_t writeMessageTable(CMessage* messages, int count);

// tqDefine1Message with the record's fields.
uint32_t defineMessage(const CMessage& message);

// Activates the record with its duration, priority, memory type, number
// and CRC from the given source address.
uint32_t activateMessage(const CMessage& message, uint32_t sourceAddress);

// "owner : <owner>\n<MULTI>\n\n" per record.
void writeMultiDump(std::FILE* file, const CMessage* messages, int count);

}  // namespace dms
