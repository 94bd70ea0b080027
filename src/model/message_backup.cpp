// "CMessage" elements read back: the writer's forms turned into what the
// readers of "Message" documents take.
#include "model/message_backup.h"

#include <tinyxml2.h>

#include <string>

#include "dmscontent/common.h"
#include "model/enums.h"
#include "model/xml_value.h"
#include "tqdms/ntcip.h"

namespace dms {
namespace {

// A flag written as a number, empty for 0; "true" and "false" are taken too.
uint32_t readFlag(tinyxml2::XMLElement* e, const char* name, uint8_t& dest) {
    std::string text;
    uint32_t rc = XmlGetValue(e, name, text, 0, 24);
    if (rc != DMS_OK) return rc;
    if (text.empty()) {
        dest = 0;
        return DMS_OK;
    }
    bool flag = false;
    if ((rc = XmlGetValue(e, name, flag)) != DMS_OK) return rc;
    dest = flag ? 1 : 0;
    return DMS_OK;
}

uint32_t readAttributes(tinyxml2::XMLElement* e, MessageAttributes& a) {
    uint32_t rc = readFlag(e, "beacon", a.MessageBeacon);
    if (rc == DMS_OK) rc = readFlag(e, "pixelService", a.PixelService);
    if (rc == DMS_OK) rc = XmlGetValue(e, "duration", a.duration, 0, 65535);
    if (rc == DMS_OK) rc = XmlGetValue(e, "runTimePriority", a.RunTimePriority, 0, 255);
    if (rc == DMS_OK) rc = XmlGetValue(e, "owner", a.MessageOwner, sizeof a.MessageOwner, 0, 63);
    return rc;
}

// One element of a saved page in the form the page readers take: a colour
// written as "rgb" is read as "colorValue" ("pageBackground" on a page), a
// picture position written empty (0) is left at its default 0, and a moving
// text, whose step time is not written, steps at 0.
void toReaderForm(tinyxml2::XMLElement* e) {
    const char* rgb = e->Attribute("rgb");
    bool page = std::string(e->Name()) == "PageMessage";
    const char* colorName = page ? "pageBackground" : "colorValue";
    if (rgb != nullptr && e->Attribute(colorName) == nullptr) e->SetAttribute(colorName, rgb);
    if (std::string(e->Name()) == "Picture") {
        for (const char* name : {"x", "y"}) {
            const char* v = e->Attribute(name);
            if (v != nullptr && *v == '\0') e->DeleteAttribute(name);
        }
    }
    if (std::string(e->Name()) == "MoveText" && e->Attribute("stepTime") == nullptr) e->SetAttribute("stepTime", 0);
}

// Every element below root, depth first, without recursion.
void subtreeToReaderForm(tinyxml2::XMLElement* root) {
    tinyxml2::XMLElement* e = root->FirstChildElement();
    while (e != nullptr) {
        toReaderForm(e);
        if (tinyxml2::XMLElement* child = e->FirstChildElement()) {
            e = child;
            continue;
        }
        while (e != root && e->NextSiblingElement() == nullptr) e = e->Parent()->ToElement();
        e = e == root ? nullptr : e->NextSiblingElement();
    }
}

}  // namespace

uint32_t readBackupMessage(CMessage& m, tinyxml2::XMLElement* element, bool& skip) {
    skip = false;
    if (element == nullptr) return DMS_E_ARGUMENT;
    uint32_t rc = XmlGetValue(element, "number", m.m_MemoryNum, 1, 65535);
    if (rc != DMS_OK) return rc;
    char type[26];
    if ((rc = XmlGetValue(element, "type", type, sizeof type, 1, 25)) != DMS_OK) return rc;
    m.memoryType = StringToMemoryType(type);
    if (m.memoryType < NTCIP_MEM_PERMANENT || m.memoryType > NTCIP_MEM_BLANK) return DMS_E_INVALID;
    if (m.memoryType == NTCIP_MEM_PERMANENT) {
        skip = true;
        return DMS_OK;
    }
    if ((rc = readAttributes(element, m.MessageAttributes)) != DMS_OK) return rc;
    if (element->Attribute("multi") != nullptr) {
        m.FreePages();
        return XmlGetValue(element, "multi", m.multiString, sizeof m.multiString, 0, sizeof m.multiString - 1);
    }
    if (element->FirstChildElement("PageMessage") == nullptr) return DMS_OK;
    subtreeToReaderForm(element);
    m.FreePages();
    PageMessage* first = m.AddPage(0);
    if (first == nullptr) return DMS_E_NO_MEMORY;
    return first->FromXml(element);
}

}  // namespace dms
