// Reading every child of one name into a chain of elements.
#pragma once

#include <tinyxml2.h>

#include "dmscontent/common.h"
#include "model/chain.h"

namespace dms {

// The first child named `name` fills `self`; each further one fills a new
// element appended behind it. Stops at the first non-zero result of
// readOne(element, child), or with 32516 when an append fails.
template <typename T, typename ReadOne>
uint32_t readChildren(T* self, tinyxml2::XMLElement* parent, const char* name, ReadOne readOne) {
    if (parent == nullptr) return DMS_E_ARGUMENT;
    T* current = self;
    bool first = true;
    for (tinyxml2::XMLElement* child = parent->FirstChildElement(name); child != nullptr;
         child = child->NextSiblingElement(name)) {
        if (!first) {
            current = AppendNew(&current);  // current is always the last element
            if (current == nullptr) return DMS_E_NO_MEMORY;
        }
        first = false;
        uint32_t rc = readOne(*current, child);
        if (rc != DMS_OK) return rc;
    }
    return DMS_OK;
}

}  // namespace dms
