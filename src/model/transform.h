// The four conversions every element offers: from and to MULTI, to and from
// the XML message document.
#pragma once

#include <cstdint>
#include <sstream>

namespace tinyxml2 {
class XMLDocument;
class XMLElement;
}  // namespace tinyxml2

namespace dms {

class ITransform {
public:
    // Reads the element from MULTI text starting at its own tag (the text
    // may run on past it). 0 or a result code.
    virtual uint32_t FromMulti(const char* multi) = 0;
    // The element's MULTI text.
    virtual std::ostringstream ToMulti() = 0;
    // Writes the element as a child (or attributes) of parent.
    virtual uint32_t ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) = 0;
    // Reads the element: chained graphic classes and pages read the children
    // of `element`, text elements read `element` itself.
    virtual uint32_t FromXml(tinyxml2::XMLElement* element) = 0;

protected:
    ~ITransform() = default;
};

}  // namespace dms
