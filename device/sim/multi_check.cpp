#include "multi_check.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "tqdms/ntcip.h"

namespace tqsim {
namespace {

// Tag names the sign knows, longest first so prefixes do not shadow them.
// "tdc" (travel time and weather fields) is this sign family's own tag.
const char* const kTags[] = {"/fl", "/sc", "tdc", "flt", "flo", "fl", "fo", "cb", "cf", "cr", "hc", "jl",
                             "jp",  "ms",  "mv",  "nl",  "np",  "pa", "pb", "pt", "sc", "tr", "f",  "g"};

const char* tagName(const char* body) {
    for (const char* name : kTags)
        if (std::strncmp(body, name, std::strlen(name)) == 0) return name;
    return nullptr;
}

int numberAfter(const char* p) { return std::isdigit(static_cast<unsigned char>(*p)) ? std::atoi(p) : -1; }

int checkRange(const std::string& s, size_t begin, size_t end, const MultiCheck& check, int depth, size_t& at);

// Checks the tag whose "[" is at `open` and whose "]" is at `close`. An
// error in the tag itself is placed at its "["; one in the text of a moving
// text tag where that text has it.
int checkTag(const std::string& s, size_t open, size_t close, const MultiCheck& check, int depth, size_t& at) {
    at = open;
    const char* body = s.c_str() + open + 1;
    const char* name = tagName(body);
    if (!name) return NTCIP_MULTI_UNSUPPORTED_TAG;
    const char* arg = body + std::strlen(name);
    if (std::strcmp(name, "fo") == 0) {
        int n = numberAfter(arg);
        if (n >= 0 && check.hasFont && !check.hasFont(n)) return NTCIP_MULTI_FONT_NOT_DEFINED;
    } else if (std::strcmp(name, "g") == 0) {
        int n = numberAfter(arg);
        if (n >= 0 && check.hasGraphic && !check.hasGraphic(n)) return NTCIP_MULTI_GRAPHIC_NOT_DEFINED;
    } else if (std::strcmp(name, "mv") == 0) {
        // A moving text carries its text, with its own tags, after the third comma.
        size_t p = open;
        for (int commas = 0; p < close && commas < 3; ++p)
            if (s[p] == ',') ++commas;
        return checkRange(s, p, close, check, depth + 1, at);
    }
    return NTCIP_MULTI_NONE;
}

// `at` receives the offset of the character where an error was found.
int checkRange(const std::string& s, size_t begin, size_t end, const MultiCheck& check, int depth, size_t& at) {
    at = begin;
    if (depth > 4) return NTCIP_MULTI_OTHER;
    size_t i = begin;
    while (i < end) {
        char c = s[i];
        if (c == ']') {
            if (i + 1 < end && s[i + 1] == ']') { i += 2; continue; }
            at = i;
            return NTCIP_MULTI_OTHER;
        }
        if (c != '[') { ++i; continue; }
        if (i + 1 < end && s[i + 1] == '[') { i += 2; continue; }
        // Find the bracket that closes this tag, counting nested groups.
        int level = 0;
        size_t j = i;
        for (; j < end; ++j) {
            if (s[j] == '[') ++level;
            else if (s[j] == ']' && --level == 0) break;
        }
        if (j >= end) {
            at = i;
            return NTCIP_MULTI_OTHER;
        }
        int rc = checkTag(s, i, j, check, depth, at);
        if (rc != NTCIP_MULTI_NONE) return rc;
        i = j + 1;
    }
    return NTCIP_MULTI_NONE;
}

}  // namespace

int checkMulti(const std::string& multi, const MultiCheck& check, size_t* position) {
    size_t at = 0;
    int rc;
    if (check.maxLength > 0 && multi.size() > static_cast<size_t>(check.maxLength)) {
        rc = NTCIP_MULTI_TEXT_TOO_BIG;
        at = static_cast<size_t>(check.maxLength);  // the first character past the limit
    } else {
        rc = checkRange(multi, 0, multi.size(), check, 0, at);
    }
    if (position) *position = rc == NTCIP_MULTI_NONE ? 0 : at;
    return rc;
}

uint16_t messageCrc(const std::string& multi, uint8_t beacon, uint8_t pixelService) {
    uint16_t crc = 0xFFFF;
    auto feed = [&crc](uint8_t byte) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0x8408) : static_cast<uint16_t>(crc >> 1);
    };
    for (char c : multi) feed(static_cast<uint8_t>(c));
    feed(beacon);
    feed(pixelService);
    crc = static_cast<uint16_t>(~crc);
    // The standard's octet order: the low byte of the register goes first.
    return static_cast<uint16_t>((crc << 8) | (crc >> 8));
}

}  // namespace tqsim
