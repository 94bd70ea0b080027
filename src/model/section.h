// Running text (a page's own, or a text rectangle's) and the page itself,
// with order lists recording how the elements of different classes came.
#pragma once

#include <vector>

#include "model/elements.h"

namespace dms {

// Kinds in a section's textOrder, and (second names) in a page's graphicOrder.
enum ElementKind : int32_t {
    kKindHexCharacter = 1,
    kKindSpecialObject = 2,
    kKindMoveText = 3,
    kKindNormalText = 4,
    kKindNewLine = 5,
    kKindColorRectangle = 2,
    kKindPicture = 3,
    kKindTextRectangle = 4,
    kKindWeatherJourneyTime = 5,
};

// One entry of an order list. It names an element and owns nothing.
struct OrderItem {
    ElementKind kind;
    ITransform* element;
};

class SectionText {
public:
    NormalText* normalTexts = nullptr;
    SpecialObject* specialObjects = nullptr;
    HexCharacter* hexCharacters = nullptr;
    MoveText* moveTexts = nullptr;
    NewLine* newLines = nullptr;
    int32_t spaceCharacterCount = -1;
    int32_t lineAlign = -1;
    int32_t pageAlign = -1;
    std::vector<OrderItem> textOrder;

    SectionText() = default;
    SectionText(const SectionText&) = delete;
    SectionText& operator=(const SectionText&) = delete;
    virtual ~SectionText();

    // Each appends a new element to its chain and records it in textOrder;
    // null (and nothing recorded) when memory runs out.
    NormalText* AddNormalText();
    NormalText* AddNormalText(const char* text);
    HexCharacter* AddHexCharacter();
    MoveText* AddMoveText();
    SpecialObject* AddSpecialObject();
    NewLine* AddNewLine(int32_t count);

    // XML: one "SectionText" holding the text elements in textOrder (nothing
    // when textOrder is empty); reading takes every "SectionText" child of
    // `element`, and gives 32519 when no text element was read.
    uint32_t ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent);
    uint32_t FromXml(tinyxml2::XMLElement* element);
};

class TextRectangle : public Next<TextRectangle>, public ITransform, public Rectangle, public SectionText {
public:
    Flash flash;
    DMS_TRANSFORM_OPERATIONS
};

class PageMessage : public Next<PageMessage>, public ITransform, public SectionText {
public:
    TextRectangle* textRectangles = nullptr;
    ColorRectangle* colorRectangles = nullptr;
    Picture* pictures = nullptr;
    WeatherJourneyTime* weatherJourneyTimes = nullptr;
    int32_t pageOnTime = 60;
    int32_t pageOffTime = 0;
    int32_t pageNum = -1;
    Color pageBackground{-1, 0x000000};
    std::vector<OrderItem> graphicOrder;

    PageMessage() = default;
    PageMessage(int32_t number, int32_t onTime, int32_t spaceCount, int32_t pageJustification,
                int32_t lineJustification, int32_t backgroundIndex, int32_t backgroundRgb);
    ~PageMessage() override;

    // Graphic elements, appended to their chain and recorded in graphicOrder.
    TextRectangle* AddTextRectangle();
    ColorRectangle* AddColorRectangle();
    Picture* AddPicture();
    Picture* AddPicture(int32_t number, int32_t x, int32_t y);
    WeatherJourneyTime* AddWeatherJourneyTime();

    TextRectangle* TextRectangleAt(int index) { return ItemAt(textRectangles, index, 0); }
    ColorRectangle* ColorRectangleAt(int index) { return ItemAt(colorRectangles, index, 0); }
    Picture* PictureAt(int index) { return ItemAt(pictures, index, 0); }
    WeatherJourneyTime* WeatherJourneyTimeAt(int index) { return ItemAt(weatherJourneyTimes, index, 0); }

    DMS_TRANSFORM_OPERATIONS
};

}  // namespace dms
