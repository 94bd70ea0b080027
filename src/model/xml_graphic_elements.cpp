// XML form of the graphic elements. Each chain writes itself from the
// element it is called on; reading fills the chain from every child of the
// class's name under the given parent.
#include <tinyxml2.h>

#include "dmscontent/common.h"
#include "frame/xml.h"
#include "model/section.h"
#include "model/xml_chain.h"
#include "model/xml_groups.h"
#include "model/xml_value.h"

namespace dms {

uint32_t Picture::ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) {
    for (Picture* p = this; p != nullptr; p = p->next) {
        tinyxml2::XMLElement* e = childElement(doc, parent, "Picture");
        if (e == nullptr) return DMS_E_ARGUMENT;
        writeFlash(e, p->flash);
        XmlSetValue(e, "number", p->number);
        XmlSetValue(e, "x", p->x);
        XmlSetValue(e, "y", p->y);
    }
    return DMS_OK;
}

// "number" decides; later items stop the read only with an invalid value.
uint32_t Picture::FromXml(tinyxml2::XMLElement* parent) {
    return readChildren(this, parent, "Picture", [](Picture& p, tinyxml2::XMLElement* e) -> uint32_t {
        uint32_t rc = XmlGetValue(e, "number", p.number, 1, 255);
        if (rc != DMS_OK) return rc;
        if (stops(rc = readFlash(e, p.flash))) return rc;
        if (stops(rc = XmlGetValue(e, "x", p.x, 1, 65535))) return rc;
        if (stops(rc = XmlGetValue(e, "y", p.y, 1, 65535))) return rc;
        return DMS_OK;
    });
}

uint32_t ColorRectangle::ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) {
    for (ColorRectangle* r = this; r != nullptr; r = r->next) {
        tinyxml2::XMLElement* e = childElement(doc, parent, "ColorRectangle");
        if (e == nullptr) return DMS_E_ARGUMENT;
        writeFlash(e, r->flash);
        writeRectangle(e, *r);
        writeColor(e, r->color);
    }
    return DMS_OK;
}

// A single flash time does not stop the chain, but when it stands in the
// last rectangle the chain's result is 32519.
uint32_t ColorRectangle::FromXml(tinyxml2::XMLElement* parent) {
    uint32_t lastFlash = DMS_OK;
    uint32_t rc = readChildren(this, parent, "ColorRectangle",
                               [&lastFlash](ColorRectangle& r, tinyxml2::XMLElement* e) -> uint32_t {
                                   uint32_t itemRc = readRectangle(e, r);
                                   if (itemRc != DMS_OK) return itemRc;
                                   if ((itemRc = readColorValue(e, r.color)) != DMS_OK) return itemRc;
                                   lastFlash = readFlash(e, r.flash);
                                   return stops(lastFlash) ? lastFlash : DMS_OK;
                               });
    return rc != DMS_OK ? rc : lastFlash;
}

uint32_t TextRectangle::ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) {
    for (TextRectangle* r = this; r != nullptr; r = r->next) {
        tinyxml2::XMLElement* e = childElement(doc, parent, "TextRectangle");
        if (e == nullptr) return DMS_E_ARGUMENT;
        writeRectangle(e, *r);
        if (r->spaceCharacterCount != -1) XmlSetValue(e, "columnGap", r->spaceCharacterCount);
        if (r->pageAlign != -1) writePageAlign(e, r->pageAlign);
        if (r->lineAlign != -1) writeLineAlign(e, r->lineAlign);
        r->SectionText::ToXml(doc, e);
    }
    return DMS_OK;
}

uint32_t TextRectangle::FromXml(tinyxml2::XMLElement* parent) {
    return readChildren(this, parent, "TextRectangle", [](TextRectangle& r, tinyxml2::XMLElement* e) {
        uint32_t rc = XmlGetValue(e, "columnGap", r.spaceCharacterCount, 0, 9);
        if (stops(rc)) return rc;
        if ((rc = readPageAlign(e, 10, r.pageAlign)) != DMS_OK) return rc;
        if ((rc = readLineAlign(e, 10, r.lineAlign)) != DMS_OK) return rc;
        if ((rc = readRectangle(e, r)) != DMS_OK) return rc;
        return r.SectionText::FromXml(e);
    });
}

uint32_t WeatherJourneyTime::ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) {
    for (WeatherJourneyTime* w = this; w != nullptr; w = w->next) {
        tinyxml2::XMLElement* e = childElement(doc, parent, "WeatherJourneyTime");
        if (e == nullptr) return DMS_E_ARGUMENT;
        XmlSetValue(e, "no", w->tdno);
        writeFont(e, *w);
        writeRectangle(e, *w);
    }
    return DMS_OK;
}

uint32_t WeatherJourneyTime::FromXml(tinyxml2::XMLElement* parent) {
    return readChildren(this, parent, "WeatherJourneyTime", [](WeatherJourneyTime& w, tinyxml2::XMLElement* e) {
        uint32_t rc = XmlGetValue(e, "no", w.tdno, 0, 2147483647);
        if (rc != DMS_OK) return rc;
        return readRectangle(e, w);
    });
}

}  // namespace dms
