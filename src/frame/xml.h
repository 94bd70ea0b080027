// Small tinyxml2 helpers shared by the document readers and writers.
#pragma once

#include <tinyxml2.h>

namespace dms {

// Creates an element named `name` as the last child of parent and returns
// it; an empty or null name (or a null parent) creates nothing and gives null.
tinyxml2::XMLElement* childElement(tinyxml2::XMLDocument* doc, tinyxml2::XMLNode* parent, const char* name);

}  // namespace dms
