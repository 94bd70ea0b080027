#include "model/section.h"

#include <new>

namespace dms {
namespace {

// Appends to the chain and records the element; a failed allocation (of the
// element or of the order list's room) leaves both unchanged.
template <typename T>
T* addRecorded(T** head, std::vector<OrderItem>& order, ElementKind kind) {
    try {
        // Grow geometrically: one more slot at a time would reallocate on
        // every element.
        if (order.size() == order.capacity()) order.reserve(order.empty() ? 8 : order.size() * 2);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    T* item = AppendNew(head);
    if (item != nullptr) order.push_back({kind, item});
    return item;
}

template <typename T>
void freeChain(T*& head) {
    delete head;
    head = nullptr;
}

}  // namespace

SectionText::~SectionText() {
    freeChain(normalTexts);
    freeChain(specialObjects);
    freeChain(hexCharacters);
    freeChain(moveTexts);
    freeChain(newLines);
}

NormalText* SectionText::AddNormalText() { return addRecorded(&normalTexts, textOrder, kKindNormalText); }

NormalText* SectionText::AddNormalText(const char* text) {
    NormalText* item = AddNormalText();
    if (item != nullptr) item->SetText(text);
    return item;
}

HexCharacter* SectionText::AddHexCharacter() { return addRecorded(&hexCharacters, textOrder, kKindHexCharacter); }
MoveText* SectionText::AddMoveText() { return addRecorded(&moveTexts, textOrder, kKindMoveText); }
SpecialObject* SectionText::AddSpecialObject() {
    return addRecorded(&specialObjects, textOrder, kKindSpecialObject);
}

NewLine* SectionText::AddNewLine(int32_t count) {
    NewLine* item = addRecorded(&newLines, textOrder, kKindNewLine);
    if (item != nullptr) item->count = count;
    return item;
}

PageMessage::PageMessage(int32_t number, int32_t onTime, int32_t spaceCount, int32_t pageJustification,
                         int32_t lineJustification, int32_t backgroundIndex, int32_t backgroundRgb) {
    pageNum = number;
    pageOnTime = onTime;
    spaceCharacterCount = spaceCount;
    pageAlign = pageJustification;
    lineAlign = lineJustification;
    pageBackground = Color(backgroundIndex, backgroundRgb);
}

PageMessage::~PageMessage() {
    freeChain(textRectangles);
    freeChain(colorRectangles);
    freeChain(pictures);
    freeChain(weatherJourneyTimes);
}

TextRectangle* PageMessage::AddTextRectangle() {
    return addRecorded(&textRectangles, graphicOrder, kKindTextRectangle);
}
ColorRectangle* PageMessage::AddColorRectangle() {
    return addRecorded(&colorRectangles, graphicOrder, kKindColorRectangle);
}
Picture* PageMessage::AddPicture() { return addRecorded(&pictures, graphicOrder, kKindPicture); }

Picture* PageMessage::AddPicture(int32_t number, int32_t x, int32_t y) {
    Picture* item = AddPicture();
    if (item != nullptr) {
        item->number = number;
        item->x = x;
        item->y = y;
    }
    return item;
}

WeatherJourneyTime* PageMessage::AddWeatherJourneyTime() {
    return addRecorded(&weatherJourneyTimes, graphicOrder, kKindWeatherJourneyTime);
}

}  // namespace dms
