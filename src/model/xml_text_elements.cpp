// XML form of the text elements: each reads and writes its own element.
#include <tinyxml2.h>

#include <string>

#include "dmscontent/common.h"
#include "frame/xml.h"
#include "model/section.h"
#include "model/xml_groups.h"
#include "model/xml_value.h"

namespace dms {
namespace {

constexpr size_t kMaxText = 1024;

// Flash group, the required "text", then the font group. The flash's
// one-time-only result is passed over: the later items decide.
uint32_t readTextBase(const tinyxml2::XMLElement* element, TextBase& base) {
    uint32_t rc = readFlash(element, base.flash);
    if (stops(rc)) return rc;
    std::string text;
    if ((rc = XmlGetValue(element, "text", text, 0, kMaxText)) != DMS_OK) return rc;
    if (!base.SetText(text.c_str())) return DMS_E_NO_MEMORY;
    return readFont(element, base);
}

void writeTextBase(tinyxml2::XMLElement* element, const TextBase& base) {
    writeFlash(element, base.flash);
    writeFont(element, base);
    XmlSetValue(element, "text", base.Text());
}

}  // namespace

uint32_t NormalText::ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) {
    tinyxml2::XMLElement* e = childElement(doc, parent, "NormalText");
    if (e == nullptr) return DMS_E_ARGUMENT;
    writeTextBase(e, *this);
    return DMS_OK;
}

uint32_t NormalText::FromXml(tinyxml2::XMLElement* element) {
    if (element == nullptr) return DMS_E_ARGUMENT;
    return readTextBase(element, *this);
}

uint32_t SpecialObject::ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) {
    tinyxml2::XMLElement* e = childElement(doc, parent, "SpecialObject");
    if (e == nullptr) return DMS_E_ARGUMENT;
    writeFont(e, *this);
    XmlSetValue(e, "index", index);
    return DMS_OK;
}

uint32_t SpecialObject::FromXml(tinyxml2::XMLElement* element) {
    if (element == nullptr) return DMS_E_ARGUMENT;
    uint32_t rc = XmlGetValue(element, "index", index, 1, 99);
    if (rc != DMS_OK) return rc;
    if (stops(rc = readFlash(element, flash))) return rc;
    return readFont(element, *this);
}

uint32_t HexCharacter::ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) {
    tinyxml2::XMLElement* e = childElement(doc, parent, "HexCharacter");
    if (e == nullptr) return DMS_E_ARGUMENT;
    XmlSetValue(e, "x", x);
    writeFont(e, *this);
    return DMS_OK;
}

uint32_t HexCharacter::FromXml(tinyxml2::XMLElement* element) {
    if (element == nullptr) return DMS_E_ARGUMENT;
    uint32_t rc = XmlGetValue(element, "x", x, sizeof x, 0, 3);
    if (rc != DMS_OK) return rc;
    if (stops(rc = readFlash(element, flash))) return rc;
    return readFont(element, *this);
}

uint32_t MoveText::ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) {
    tinyxml2::XMLElement* e = childElement(doc, parent, "MoveText");
    if (e == nullptr) return DMS_E_ARGUMENT;
    writeFlash(e, flash);
    XmlSetValue(e, "width", width);
    XmlSetValue(e, "stepPixels", stepPixels);
    // Only two modes and two directions exist; any other code is written as
    // the default (circular, left).
    XmlSetValue(e, "type", mode == 2 ? "linear" : "circular");
    if (mode == 2) XmlSetValue(e, "delay", delay);
    XmlSetValue(e, "direction", direction == 1 ? "right" : "left");
    writeTextBase(e, textBase);
    return DMS_OK;
}

uint32_t MoveText::FromXml(tinyxml2::XMLElement* element) {
    if (element == nullptr) return DMS_E_ARGUMENT;
    uint32_t rc = readFlash(element, flash);
    if (stops(rc)) return rc;
    if ((rc = XmlGetValue(element, "width", width, 0, 65535)) != DMS_OK) return rc;
    if ((rc = XmlGetValue(element, "stepPixels", stepPixels, 0, 255)) != DMS_OK) return rc;
    if ((rc = XmlGetValue(element, "stepTime", stepTime, 0, 255)) != DMS_OK) return rc;
    std::string text;
    if ((rc = XmlGetValue(element, "type", text, 0, 15)) != DMS_OK) return rc;
    if (text.find("linear") != std::string::npos)
        mode = 2;
    else if (text.find("circular") != std::string::npos)
        mode = 1;
    else
        return DMS_E_INVALID;
    if (mode == 2 && (rc = XmlGetValue(element, "delay", delay, 0, 65535)) != DMS_OK) return rc;
    if ((rc = XmlGetValue(element, "direction", text, 0, 15)) != DMS_OK) return rc;
    if (text.find("left") != std::string::npos)
        direction = 0;
    else if (text.find("right") != std::string::npos)
        direction = 1;
    else
        return DMS_E_INVALID;
    return readTextBase(element, textBase);
}

uint32_t NewLine::ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) {
    tinyxml2::XMLElement* e = childElement(doc, parent, "NewLine");
    if (e == nullptr) return DMS_E_ARGUMENT;
    writeLineAlign(e, lineAlign);
    if (count != -1) XmlSetValue(e, "count", count);  // -1: "[nl]", no spacing of its own
    return DMS_OK;
}

uint32_t NewLine::FromXml(tinyxml2::XMLElement* element) {
    if (element == nullptr) return DMS_E_ARGUMENT;
    uint32_t rc = readLineAlign(element, 10, lineAlign);
    if (rc != DMS_OK) return rc;
    return optionalItem(XmlGetValue(element, "count", count, 1, 9));
}

}  // namespace dms
