// Attribute groups several element classes share (flash, font, rectangle),
// the colour attribute and the justification texts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/values.h"

namespace tinyxml2 {
class XMLElement;
}  // namespace tinyxml2

namespace dms {

// "flashOnTime" and "flashOffTime", written only while flashing.
void writeFlash(tinyxml2::XMLElement* element, const Flash& flash);
// Each time 0..65535, stored when present; both absent leaves the flash as
// it was (0); exactly one present 32519; an invalid one 32520.
uint32_t readFlash(const tinyxml2::XMLElement* element, Flash& flash);

// "fontName" (or "fontNum" when the sign has no font of that number) while
// a font is given, then the colour.
void writeFont(tinyxml2::XMLElement* element, const Font& font);
// "fontName" looked up in the sign's font list, else "fontNum" 1..255, then
// "colorValue". Absent items leave the field; 0 unless one is invalid.
uint32_t readFont(const tinyxml2::XMLElement* element, Font& font);

void writeRectangle(tinyxml2::XMLElement* element, const Rectangle& r);
// Each 0..65535; "width" and "height" required.
uint32_t readRectangle(const tinyxml2::XMLElement* element, Rectangle& r);

// "index" when a palette index is given, else "rgb" when an rgb value is,
// else nothing.
void writeColor(tinyxml2::XMLElement* element, const Color& color);
// "colorValue", a signed 32-bit number, into rgb.
uint32_t readColorValue(const tinyxml2::XMLElement* element, Color& color);

// Writes the text form of a line (page) justification code; a code without
// one is not written, so reading the element back leaves it unset.
void writeLineAlign(tinyxml2::XMLElement* element, int32_t code);
void writePageAlign(tinyxml2::XMLElement* element, int32_t code);
// An optional justification text of at most maxLength characters: absent
// leaves code as it was; a text holding none of the forms gives 32520.
uint32_t readLineAlign(const tinyxml2::XMLElement* element, size_t maxLength, int32_t& code);
uint32_t readPageAlign(const tinyxml2::XMLElement* element, size_t maxLength, int32_t& code);

// A failure that ends an element's read even where the item is optional.
inline bool stops(uint32_t rc) { return rc != 0 && rc != 32519u; }

}  // namespace dms
