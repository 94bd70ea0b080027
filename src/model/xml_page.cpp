// XML form of a section's running text and of the pages of a message.
#include <tinyxml2.h>

#include <climits>
#include <cstring>
#include <new>
#include <string>

#include "dmscontent/common.h"
#include "frame/xml.h"
#include "model/section.h"
#include "model/xml_chain.h"
#include "model/xml_groups.h"
#include "model/xml_value.h"

namespace dms {
namespace {

constexpr int kMaxPageNum = 255;

// Adds the text element a child's name asks for (containment test, in this
// order) and reads it; `read` stays false for a name that matches nothing
// and for an add that finds no memory.
uint32_t readTextChild(SectionText& section, tinyxml2::XMLElement* child, bool& read) {
    const char* name = child->Name();
    ITransform* item = nullptr;
    if (std::strstr(name, "HexCharacter") != nullptr)
        item = section.AddHexCharacter();
    else if (std::strstr(name, "NormalText") != nullptr)
        item = section.AddNormalText();
    else if (std::strstr(name, "SpecialObject") != nullptr)
        item = section.AddSpecialObject();
    else if (std::strstr(name, "MoveText") != nullptr)
        item = section.AddMoveText();
    else if (std::strstr(name, "NewLine") != nullptr)
        item = section.AddNewLine(1);
    read = item != nullptr;
    return item != nullptr ? item->FromXml(child) : DMS_OK;
}

// The number formed by the leading decimal digits; values past the 32-bit
// range stay at its top.
int32_t leadingNumber(const std::string& text) {
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > INT32_MAX) return INT32_MAX;
    }
    return static_cast<int32_t>(value);
}

// Graphics of one class: one element is added, which then reads every
// child of its name into its chain. The MULTI writer writes what
// graphicOrder names, so every element of the chain is named there, not only
// the first: a page with three pictures shows all three.
template <typename T>
uint32_t readGraphics(tinyxml2::XMLElement* page, const char* name, T* (PageMessage::*add)(), PageMessage& target) {
    if (page->FirstChildElement(name) == nullptr) return DMS_OK;
    T* first = (target.*add)();
    if (first == nullptr) return DMS_E_NO_MEMORY;
    const ElementKind kind = target.graphicOrder.back().kind;
    uint32_t rc = first->FromXml(page);
    try {
        for (T* p = first->next; p != nullptr; p = p->next) target.graphicOrder.push_back({kind, p});
    } catch (const std::bad_alloc&) {
        return DMS_E_NO_MEMORY;
    }
    return rc;
}

uint32_t readPage(PageMessage& page, tinyxml2::XMLElement* e) {
    uint32_t rc = XmlGetValue(e, "pageOnTime", page.pageOnTime, 0, 60);
    if (rc != DMS_OK) return rc;
    if ((rc = XmlGetValue(e, "pageOffTime", page.pageOffTime, 0, 60)) != DMS_OK) return rc;
    if (stops(rc = XmlGetValue(e, "columnGap", page.spaceCharacterCount, 0, 9))) return rc;
    std::string background;
    rc = XmlGetValue(e, "pageBackground", background, 0, 24);
    if (stops(rc)) return rc;
    page.pageBackground.rgb = leadingNumber(background);  // absent gives 0
    if ((rc = readPageAlign(e, 24, page.pageAlign)) != DMS_OK) return rc;
    if ((rc = readLineAlign(e, 24, page.lineAlign)) != DMS_OK) return rc;
    if ((rc = page.SectionText::FromXml(e)) != DMS_OK) return rc;
    if ((rc = readGraphics(e, "Picture", &PageMessage::AddPicture, page)) != DMS_OK) return rc;
    if ((rc = readGraphics(e, "ColorRectangle", &PageMessage::AddColorRectangle, page)) != DMS_OK) return rc;
    if ((rc = readGraphics(e, "TextRectangle", &PageMessage::AddTextRectangle, page)) != DMS_OK) return rc;
    return readGraphics(e, "WeatherJourneyTime", &PageMessage::AddWeatherJourneyTime, page);
}

}  // namespace

uint32_t SectionText::ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) {
    if (textOrder.empty()) return DMS_OK;
    tinyxml2::XMLElement* e = childElement(doc, parent, "SectionText");
    if (e == nullptr) return DMS_E_ARGUMENT;
    for (const OrderItem& item : textOrder) item.element->ToXml(doc, e);
    return DMS_OK;
}

uint32_t SectionText::FromXml(tinyxml2::XMLElement* element) {
    if (element == nullptr) return DMS_E_ARGUMENT;
    bool anyRead = false;
    for (tinyxml2::XMLElement* section = element->FirstChildElement("SectionText"); section != nullptr;
         section = section->NextSiblingElement("SectionText")) {
        for (tinyxml2::XMLElement* child = section->FirstChildElement(); child != nullptr;
             child = child->NextSiblingElement()) {
            bool read = false;
            uint32_t rc = readTextChild(*this, child, read);
            if (rc != DMS_OK) return rc;
            anyRead = anyRead || read;
        }
    }
    return anyRead ? DMS_OK : DMS_E_MISSING;
}

uint32_t PageMessage::ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) {
    for (PageMessage* p = this; p != nullptr; p = p->next) {
        tinyxml2::XMLElement* e = childElement(doc, parent, "PageMessage");
        if (e == nullptr) return DMS_E_ARGUMENT;
        XmlSetValue(e, "pageNum", p->pageNum);
        XmlSetValue(e, "pageOnTime", p->pageOnTime);
        XmlSetValue(e, "pageOffTime", p->pageOffTime);
        if (p->spaceCharacterCount != -1) XmlSetValue(e, "columnGap", p->spaceCharacterCount);
        if (p->pageAlign != -1) writePageAlign(e, p->pageAlign);
        if (p->lineAlign != -1) writeLineAlign(e, p->lineAlign);
        writeColor(e, p->pageBackground);
        p->SectionText::ToXml(doc, e);
        if (p->pictures != nullptr) p->pictures->ToXml(doc, e);
        if (p->textRectangles != nullptr) p->textRectangles->ToXml(doc, e);
        if (p->colorRectangles != nullptr) p->colorRectangles->ToXml(doc, e);
        if (p->weatherJourneyTimes != nullptr) p->weatherJourneyTimes->ToXml(doc, e);
    }
    return DMS_OK;
}

uint32_t PageMessage::FromXml(tinyxml2::XMLElement* parent) {
    int position = 0;
    return readChildren(this, parent, "PageMessage", [&position](PageMessage& page, tinyxml2::XMLElement* e) {
        if (position > kMaxPageNum) return DMS_E_INVALID;
        page.pageNum = position++;
        return readPage(page, e);
    });
}

}  // namespace dms
