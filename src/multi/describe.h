// A plain-text listing of the pages and elements of a message, one element
// a line, for people debugging a message and for comparing element trees.
#pragma once

#include <string>

#include "model/section.h"

namespace dms {

// Every page of the chain in chain order. Flash positions (which refer to
// the text an element was read from) are left out unless withPositions.
std::string describePages(const PageMessage* first, bool withPositions = false);

}  // namespace dms
