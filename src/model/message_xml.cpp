// XML form of one message record: a "Message" element is read, a
// "CMessage" element is written.
#include <tinyxml2.h>

#include <cstring>
#include <string>

#include "dmscontent/common.h"
#include "frame/xml.h"
#include "model/enums.h"
#include "model/message.h"
#include "model/xml_value.h"
#include "tqdms/ntcip.h"

namespace dms {
namespace {

uint32_t readAttributes(tinyxml2::XMLElement* e, MessageAttributes& a) {
    bool flag = false;
    uint32_t rc = XmlGetValue(e, "beacon", flag);
    if (rc != DMS_OK) return rc;
    a.MessageBeacon = flag ? 1 : 0;
    if ((rc = XmlGetValue(e, "pixelService", flag)) != DMS_OK) return rc;
    a.PixelService = flag ? 1 : 0;
    if ((rc = XmlGetValue(e, "duration", a.duration, 0, 65535)) != DMS_OK) return rc;
    if ((rc = XmlGetValue(e, "runTimePriority", a.RunTimePriority, 1, 255)) != DMS_OK) return rc;
    // The owner field keeps its terminator, so 63 characters is the most
    // it takes; a longer owner is refused rather than cut.
    return XmlGetValue(e, "owner", a.MessageOwner, sizeof a.MessageOwner, 1, 64);
}

}  // namespace

uint32_t CMessage::FromXml(tinyxml2::XMLElement* element) {
    if (element == nullptr) return DMS_E_ARGUMENT;
    uint32_t rc = XmlGetValue(element, "number", m_MemoryNum, 1, 255);
    if (rc != DMS_OK) return rc;
    char type[26];
    if ((rc = XmlGetValue(element, "type", type, sizeof type, 1, 25)) != DMS_OK) return rc;
    memoryType = StringToMemoryType(type);
    if (memoryType < NTCIP_MEM_PERMANENT || memoryType > NTCIP_MEM_BLANK) return DMS_E_INVALID;
    if ((rc = readAttributes(element, MessageAttributes)) != DMS_OK) return rc;
    if (element->FirstChildElement("PageMessage") == nullptr) return DMS_OK;
    FreePages();
    PageMessage* first = AddPage(0);
    if (first == nullptr) return DMS_E_NO_MEMORY;
    return first->FromXml(element);
}

uint32_t CMessage::ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) {
    tinyxml2::XMLElement* e = childElement(doc, parent, "CMessage");
    if (e == nullptr) return DMS_E_ARGUMENT;
    char type[kEnumTextSize] = {};
    MemoryTypeToString(memoryType, type);
    XmlSetValue(e, "number", m_MemoryNum);
    XmlSetValue(e, "type", type);
    // The owner field may arrive from the sign filled to its last byte.
    const char* owner = MessageAttributes.MessageOwner;
    XmlSetValue(e, "owner", std::string(owner, strnlen(owner, sizeof MessageAttributes.MessageOwner)).c_str());
    XmlSetValue(e, "beacon", MessageAttributes.MessageBeacon);
    XmlSetValue(e, "duration", MessageAttributes.duration);
    XmlSetValue(e, "pixelService", MessageAttributes.PixelService);
    XmlSetValue(e, "runTimePriority", MessageAttributes.RunTimePriority);
    // The text of a message that can be written back, exactly as the sign
    // holds it: its pages do not always give the same text again.
    if (memoryType == NTCIP_MEM_CHANGEABLE || memoryType == NTCIP_MEM_VOLATILE) {
        XmlSetValue(e, "multi", std::string(multiString, strnlen(multiString, sizeof multiString)).c_str());
    }
    if (pages != nullptr) pages->ToXml(doc, e);
    return DMS_OK;
}

}  // namespace dms
