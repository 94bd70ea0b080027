// The typed attribute reader and writer every element's XML form uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

namespace tinyxml2 {
class XMLElement;
}  // namespace tinyxml2

namespace dms {

// Reads attribute `name` of `element` into `dest`. 0; 32519 when the element
// is null or has no such attribute; 32520 when the value is not acceptable;
// 32516 without memory. Integers are read as a standard input stream reads
// them (text without a number reads as 0) and must lie in [min, max].
uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, bool& dest);
uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, unsigned char& dest, int64_t min,
                     int64_t max);
uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, unsigned short& dest, int64_t min,
                     int64_t max);
uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, int& dest, int64_t min, int64_t max);
uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, unsigned int& dest, int64_t min,
                     int64_t max);
uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, double& dest, double min, double max);
// Character array of `size` bytes: the text must leave room for its
// terminator (length < size) and have minLength..maxLength characters.
uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, char* dest, size_t size,
                     size_t minLength, size_t maxLength);
// The same for a text of any length, kept in a string.
uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, std::string& dest, size_t minLength,
                     size_t maxLength);

// Sets attribute `name` (replacing one of that name). A value equal to zero
// and a null text are written as an empty value. 2 for a null element or a
// null or empty name; 32516 without memory; otherwise 0.
uint32_t XmlSetValue(tinyxml2::XMLElement* element, const char* name, const char* text);
uint32_t XmlSetValue(tinyxml2::XMLElement* element, const char* name, int64_t value);
uint32_t XmlSetValue(tinyxml2::XMLElement* element, const char* name, double value);

template <typename T, typename = std::enable_if_t<std::is_integral<T>::value>>
uint32_t XmlSetValue(tinyxml2::XMLElement* element, const char* name, T value) {
    // Byte-sized values are numbers here, not characters.
    return XmlSetValue(element, name, static_cast<int64_t>(value));
}

// An optional item: absent (32519) counts as read.
inline uint32_t optionalItem(uint32_t rc) { return rc == 32519u ? 0u : rc; }

}  // namespace dms
