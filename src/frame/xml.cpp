#include "xml.h"

namespace dms {

tinyxml2::XMLElement* childElement(tinyxml2::XMLDocument* doc, tinyxml2::XMLNode* parent, const char* name) {
    if (!doc || !parent || !name || !*name) return nullptr;
    tinyxml2::XMLElement* e = doc->NewElement(name);
    parent->InsertEndChild(e);
    return e;
}

}  // namespace dms
