#include "model/message_event.h"

#include <tinyxml2.h>

#include <cstring>
#include <string>

#include "dmscontent/common.h"
#include "frame/xml.h"
#include "model/enums.h"
#include "model/xml_value.h"

namespace dms {
namespace {

struct RefName {
    const char* name;
    MessageRef MessageEvent::*ref;
};

const RefName kRefs[] = {
    {"Activate", &MessageEvent::activate},
    {"CommunicationsLoss", &MessageEvent::communicationsLoss},
    {"ShortPowerLoss", &MessageEvent::shortPowerLoss},
    {"LongPowerLoss", &MessageEvent::longPowerLoss},
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// One decimal number as formatted scanning reads it (blanks, sign, digits);
// the value wraps modulo 2^32 as the address arithmetic does.
bool scanNumber(const char*& p, uint32_t& value) {
    while (isBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (*p < '0' || *p > '9') return false;
    uint32_t v = 0;
    while (*p >= '0' && *p <= '9') v = v * 10u + static_cast<uint32_t>(*p++ - '0');
    value = negative ? 0u - v : v;
    return true;
}

// "type" (when present) and "number"; a reference still lacking either is
// incomplete (32518).
uint32_t readRef(tinyxml2::XMLElement* e, MessageRef& ref) {
    char type[26];
    uint32_t rc = XmlGetValue(e, "type", type, sizeof type, 0, 25);
    if (rc == DMS_OK)
        ref.memoryType = StringToMemoryType(type);
    else if (rc != DMS_E_MISSING)
        return rc;
    uint32_t numberRc = XmlGetValue(e, "number", ref.number, 1, 255);
    if (numberRc != DMS_OK && numberRc != DMS_E_MISSING) return numberRc;
    if (ref.memoryType == -1 || ref.number == -1) return DMS_E_EMPTY;
    return numberRc;
}

}  // namespace

bool scanAddress(const char* text, uint32_t& address) {
    if (text == nullptr) return false;
    const char* p = text;
    uint32_t part[4];
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && *p++ != '.') return false;
        if (!scanNumber(p, part[i])) return false;
    }
    address = (part[0] << 24) + (part[1] << 16) + (part[2] << 8) + part[3];
    return true;
}

uint32_t readEventHeader(tinyxml2::XMLElement* root, MessageEvent& event) {
    tinyxml2::XMLElement* e = root != nullptr ? root->FirstChildElement("Event") : nullptr;
    if (e == nullptr) return DMS_E_MISSING;
    // An address text over 64 characters, or under 7, is passed over.
    std::string source;
    if (XmlGetValue(e, "sourceAddr", source, 0, 64) == DMS_OK && source.size() >= 7) {
        uint32_t address = 0;
        if (scanAddress(source.c_str(), address)) event.sourceAddr = address;
    }
    for (const RefName& r : kRefs) {
        tinyxml2::XMLElement* child = e->FirstChildElement(r.name);
        if (child == nullptr) continue;
        uint32_t rc = readRef(child, event.*(r.ref));
        if (rc != DMS_OK) return rc;
    }
    return DMS_OK;
}

void writeEventHeader(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* root, const MessageEvent& event) {
    tinyxml2::XMLElement* e = childElement(doc, root, "Event");
    if (e == nullptr) return;
    for (const RefName& r : kRefs) {
        tinyxml2::XMLElement* child = childElement(doc, e, r.name);
        const MessageRef& ref = event.*(r.ref);
        if (ref.memoryType == -1) {
            XmlSetValue(child, "type", "");
            XmlSetValue(child, "number", "");
        } else {
            char type[kEnumTextSize] = {};
            MemoryTypeToString(ref.memoryType, type);
            XmlSetValue(child, "type", type);
            XmlSetValue(child, "number", ref.number);
        }
    }
}

}  // namespace dms
