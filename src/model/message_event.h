// The "Event" header of a message document.
#pragma once

#include <cstdint>

#include "model/message.h"

namespace dms {

// Reads the required "Event" child of `root` into `event`: the optional
// "sourceAddr" and each reference element that is present.
uint32_t readEventHeader(tinyxml2::XMLElement* root, MessageEvent& event);
// Writes "Event" with all four reference elements.
void writeEventHeader(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* root, const MessageEvent& event);

// Four dot-separated decimal numbers as an IPv4 address, first in the top
// byte; false when fewer than four are found.
bool scanAddress(const char* text, uint32_t& address);

}  // namespace dms
