// Reading a "CMessage" element, the form in which a table read saves a
// message, so that a document saved from a sign can be sent back to it.
#pragma once

#include <cstdint>

#include "model/message.h"

namespace dms {

// Reads one "CMessage" element into m. Values written as empty read as 0
// (flags, duration, priority, owner) and numbers may reach 65535. A "multi"
// attribute is the message's MULTI text as the sign held it: it is taken
// as it is and the pages are not read (m is left without pages). Without
// it the pages are read, the forms the writer uses but the "Message" reader
// does not know taken as their reader forms (the element's subtree is
// changed for that).
// A permanent message sets `skip`: it is the sign's own and cannot be
// written. Codes as for CMessage::FromXml.
uint32_t readBackupMessage(CMessage& m, tinyxml2::XMLElement* element, bool& skip);

}  // namespace dms
