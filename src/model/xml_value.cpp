#include "model/xml_value.h"

#include <tinyxml2.h>

#include <cctype>
#include <cstring>
#include <locale>
#include <memory>
#include <new>
#include <sstream>

#include "dmscontent/common.h"
#include "frame/text.h"

namespace dms {
namespace {

constexpr size_t kNameScratch = 127;

// Every attribute access copies its name into a heap scratch buffer first,
// so an exhausted heap shows up as 32516 at the first attribute touched.
class AttributeName {
public:
    explicit AttributeName(const char* name) : buffer_(new (std::nothrow) char[kNameScratch]) {
        if (buffer_ && name) {
            std::strncpy(buffer_.get(), name, kNameScratch - 1);
            buffer_[kNameScratch - 1] = '\0';
        }
    }
    bool ok() const { return buffer_ != nullptr; }
    const char* get() const { return buffer_.get(); }

private:
    std::unique_ptr<char[]> buffer_;
};

// Finds the attribute text: 0 with `text` set, 32519 or 32516.
uint32_t attributeText(const tinyxml2::XMLElement* element, const char* name, const char*& text) {
    if (element == nullptr || name == nullptr) return DMS_E_MISSING;
    AttributeName scratch(name);
    if (!scratch.ok()) return DMS_E_NO_MEMORY;
    text = element->Attribute(scratch.get());
    return text == nullptr ? DMS_E_MISSING : DMS_OK;
}

template <typename T>
uint32_t getInteger(const tinyxml2::XMLElement* element, const char* name, T& dest, int64_t min, int64_t max) {
    const char* text = nullptr;
    uint32_t rc = attributeText(element, name, text);
    if (rc != DMS_OK) return rc;
    int64_t value = 0;
    if ((rc = textToInt(text, value, min, max)) != DMS_OK) return rc;
    dest = static_cast<T>(value);
    return DMS_OK;
}

bool equalsIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

uint32_t setText(tinyxml2::XMLElement* element, const char* name, const char* text) {
    if (element == nullptr || name == nullptr || *name == '\0') return DMS_E_ARGUMENT;
    AttributeName scratch(name);
    if (!scratch.ok()) return DMS_E_NO_MEMORY;
    element->SetAttribute(scratch.get(), text);
    return DMS_OK;
}

}  // namespace

uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, bool& dest) {
    const char* text = nullptr;
    uint32_t rc = attributeText(element, name, text);
    if (rc != DMS_OK) return rc;
    size_t n = std::strlen(text);
    if (n < 1 || n > 24) return DMS_E_INVALID;
    char head[24] = {};
    std::memcpy(head, text, n < 23 ? n : 23);  // only the first 23 characters count
    if (equalsIgnoringCase(head, "true") || std::strcmp(head, "1") == 0) {
        dest = true;
        return DMS_OK;
    }
    if (equalsIgnoringCase(head, "false") || std::strcmp(head, "0") == 0) {
        dest = false;
        return DMS_OK;
    }
    return DMS_E_INVALID;
}

uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, unsigned char& dest, int64_t min,
                     int64_t max) {
    return getInteger(element, name, dest, min, max);
}

uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, unsigned short& dest, int64_t min,
                     int64_t max) {
    return getInteger(element, name, dest, min, max);
}

uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, int& dest, int64_t min, int64_t max) {
    return getInteger(element, name, dest, min, max);
}

uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, unsigned int& dest, int64_t min,
                     int64_t max) {
    return getInteger(element, name, dest, min, max);
}

uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, double& dest, double min, double max) {
    const char* text = nullptr;
    uint32_t rc = attributeText(element, name, text);
    if (rc != DMS_OK) return rc;
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double value = 0;
    if (!(in >> value)) value = 0;  // text without a number reads as 0
    if (!(value >= min && value <= max)) return DMS_E_INVALID;
    dest = value;
    return DMS_OK;
}

uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, char* dest, size_t size,
                     size_t minLength, size_t maxLength) {
    const char* text = nullptr;
    uint32_t rc = attributeText(element, name, text);
    if (rc != DMS_OK) return rc;
    if (dest == nullptr || size == 0) return DMS_E_INVALID;
    return boundedCopy(text, dest, size - 1, minLength, maxLength);
}

uint32_t XmlGetValue(const tinyxml2::XMLElement* element, const char* name, std::string& dest, size_t minLength,
                     size_t maxLength) {
    const char* text = nullptr;
    uint32_t rc = attributeText(element, name, text);
    if (rc != DMS_OK) return rc;
    size_t n = std::strlen(text);
    if (n < minLength || n > maxLength) return DMS_E_INVALID;
    dest.assign(text, n);
    return DMS_OK;
}

uint32_t XmlSetValue(tinyxml2::XMLElement* element, const char* name, const char* text) {
    return setText(element, name, text == nullptr ? "" : text);
}

uint32_t XmlSetValue(tinyxml2::XMLElement* element, const char* name, int64_t value) {
    if (value == 0) return setText(element, name, "");
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return setText(element, name, out.str().c_str());
}

uint32_t XmlSetValue(tinyxml2::XMLElement* element, const char* name, double value) {
    if (value == 0) return setText(element, name, "");
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return setText(element, name, out.str().c_str());
}

}  // namespace dms
