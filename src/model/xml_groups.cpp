#include "model/xml_groups.h"

#include <tinyxml2.h>

#include <climits>
#include <string>

#include "dmscontent/common.h"
#include "model/sign_facts.h"
#include "model/enums.h"
#include "model/xml_value.h"

namespace dms {

void writeFlash(tinyxml2::XMLElement* element, const Flash& flash) {
    if (flash.flashOnTime == 0 && flash.flashOffTime == 0) return;
    XmlSetValue(element, "flashOnTime", flash.flashOnTime);
    XmlSetValue(element, "flashOffTime", flash.flashOffTime);
}

uint32_t readFlash(const tinyxml2::XMLElement* element, Flash& flash) {
    int on = 0;
    int off = 0;
    uint32_t rcOn = XmlGetValue(element, "flashOnTime", on, 0, 65535);
    if (stops(rcOn)) return rcOn;
    if (rcOn == DMS_OK) flash.flashOnTime = on;
    uint32_t rcOff = XmlGetValue(element, "flashOffTime", off, 0, 65535);
    if (stops(rcOff)) return rcOff;
    if (rcOff == DMS_OK) flash.flashOffTime = off;
    return rcOn == rcOff ? DMS_OK : DMS_E_MISSING;
}

void writeFont(tinyxml2::XMLElement* element, const Font& font) {
    if (font.fontNum != -1) {
        std::string name;
        if (fontNameOfNumber(font.fontNum, name))
            XmlSetValue(element, "fontName", name.c_str());
        else
            XmlSetValue(element, "fontNum", font.fontNum);
    }
    // The colour goes out even without a font number: a MULTI colour tag may
    // stand without a font tag.
    writeColor(element, font.fontColor);
}

uint32_t readFont(const tinyxml2::XMLElement* element, Font& font) {
    char name[65];
    uint32_t rc = XmlGetValue(element, "fontName", name, sizeof name, 0, 64);
    if (rc == DMS_OK) {
        int number = 0;
        if (fontNumberOfName(name, number)) font.fontNum = number;
    } else if (rc == DMS_E_MISSING) {
        int number = 0;
        rc = XmlGetValue(element, "fontNum", number, 1, 255);
        if (stops(rc)) return rc;
        if (rc == DMS_OK) font.fontNum = number;
    } else {
        return rc;
    }
    rc = readColorValue(element, font.fontColor);
    return stops(rc) ? rc : DMS_OK;
}

void writeRectangle(tinyxml2::XMLElement* element, const Rectangle& r) {
    XmlSetValue(element, "x", r.x);
    XmlSetValue(element, "y", r.y);
    XmlSetValue(element, "width", r.width);
    XmlSetValue(element, "height", r.height);
}

uint32_t readRectangle(const tinyxml2::XMLElement* element, Rectangle& r) {
    uint32_t rc = optionalItem(XmlGetValue(element, "x", r.x, 0, 65535));
    if (rc == DMS_OK) rc = optionalItem(XmlGetValue(element, "y", r.y, 0, 65535));
    if (rc == DMS_OK) rc = XmlGetValue(element, "width", r.width, 0, 65535);
    if (rc == DMS_OK) rc = XmlGetValue(element, "height", r.height, 0, 65535);
    return rc;
}

void writeColor(tinyxml2::XMLElement* element, const Color& color) {
    if (color.index != -1)
        XmlSetValue(element, "index", color.index);
    else if (color.rgb != -1)
        XmlSetValue(element, "rgb", color.rgb);
}

uint32_t readColorValue(const tinyxml2::XMLElement* element, Color& color) {
    return XmlGetValue(element, "colorValue", color.rgb, INT32_MIN, INT32_MAX);
}

namespace {

void writeAlign(tinyxml2::XMLElement* element, const char* name, int32_t code, bool page) {
    char text[kEnumTextSize] = {};
    if (page)
        PageAlignToString(text, code);
    else
        LineAlignToString(text, code);
    if (text[0] != '\0') XmlSetValue(element, name, text);
}

uint32_t readAlign(const tinyxml2::XMLElement* element, const char* name, size_t maxLength, int32_t& code,
                   bool page) {
    std::string text;
    uint32_t rc = XmlGetValue(element, name, text, 0, maxLength);
    if (rc == DMS_E_MISSING) return DMS_OK;
    if (rc != DMS_OK) return rc;
    int32_t value = page ? StringToPageAlign(text.c_str()) : StringToLineAlign(text.c_str());
    if (value == -1) return DMS_E_INVALID;
    code = value;
    return DMS_OK;
}

}  // namespace

void writeLineAlign(tinyxml2::XMLElement* element, int32_t code) { writeAlign(element, "lineAlign", code, false); }
void writePageAlign(tinyxml2::XMLElement* element, int32_t code) { writeAlign(element, "pageAlign", code, true); }

uint32_t readLineAlign(const tinyxml2::XMLElement* element, size_t maxLength, int32_t& code) {
    return readAlign(element, "lineAlign", maxLength, code, false);
}

uint32_t readPageAlign(const tinyxml2::XMLElement* element, size_t maxLength, int32_t& code) {
    return readAlign(element, "pageAlign", maxLength, code, true);
}

}  // namespace dms
