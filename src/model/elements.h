// The element classes of a message page: text runs, fields, hex characters,
// moving text, line breaks, pictures, colour rectangles and data fields.
#pragma once

#include <memory>

#include "model/chain.h"
#include "model/transform.h"
#include "model/values.h"

namespace dms {

// The four conversions, declared in each concrete element class.
#define DMS_TRANSFORM_OPERATIONS                                                          \
    uint32_t FromMulti(const char* multi) override;                                       \
    std::ostringstream ToMulti() override;                                                \
    uint32_t ToXml(tinyxml2::XMLDocument* doc, tinyxml2::XMLElement* parent) override;   \
    uint32_t FromXml(tinyxml2::XMLElement* element) override;

class Picture : public Next<Picture>, public ITransform {
public:
    int32_t number = -1;  // graphic number
    int32_t x = 0;
    int32_t y = 0;
    Flash flash;
    DMS_TRANSFORM_OPERATIONS
};

class ColorRectangle : public Next<ColorRectangle>, public ITransform, public Rectangle {
public:
    Color color{-1, 0xFF0000};
    Flash flash;
    DMS_TRANSFORM_OPERATIONS
};

// A text with its font and flashing; owns its text.
class TextBase : public Font {
public:
    std::unique_ptr<char[]> text;  // null = no text
    Flash flash;

    TextBase() = default;
    TextBase(const TextBase&) = delete;
    TextBase& operator=(const TextBase&) = delete;
    virtual ~TextBase() = default;

    // Replaces the text with a copy of `value` (null leaves no text).
    // False when the copy cannot be allocated (the text is then null).
    bool SetText(const char* value);
    const char* Text() const { return text.get(); }
};

class NormalText : public Next<NormalText>, public ITransform, public TextBase {
public:
    DMS_TRANSFORM_OPERATIONS
};

class SpecialObject : public Next<SpecialObject>, public ITransform, public Font {
public:
    int32_t index = -1;  // MULTI field number 1..99
    Flash flash;
    DMS_TRANSFORM_OPERATIONS
};

class HexCharacter : public Next<HexCharacter>, public Font, public ITransform {
public:
    char x[4] = {0, 0, 0, 0};  // character code as text
    Flash flash;
    DMS_TRANSFORM_OPERATIONS
};

class MoveText : public Next<MoveText>, public ITransform {
public:
    int32_t width = 240;
    int32_t stepPixels = 4;
    int32_t stepTime = 0;
    int32_t mode = 1;       // 1 circular, 2 linear
    int32_t delay = 0;      // linear mode only
    int32_t direction = 0;  // 0 left, 1 right
    TextBase textBase;      // the moving text with its own font and flash
    Flash flash;            // flashing of the whole moving field

    MoveText() { Set(nullptr, 240, 4, 0, 0, 1); }
    // Stores the values; copies the text into textBase when one is given.
    void Set(const char* movingText, int32_t widthPixels, int32_t step, int32_t linearDelay, int32_t dir,
             int32_t moveMode);
    DMS_TRANSFORM_OPERATIONS
};

class NewLine : public Next<NewLine>, public ITransform {
public:
    int32_t count = -1;      // 1..9
    int32_t lineAlign = -1;  // line justification code
    DMS_TRANSFORM_OPERATIONS
};

class WeatherJourneyTime : public Next<WeatherJourneyTime>, public ITransform, public Font, public Rectangle {
public:
    int32_t tdno = 0;  // number of the travel-time or weather value
    DMS_TRANSFORM_OPERATIONS
};

}  // namespace dms
