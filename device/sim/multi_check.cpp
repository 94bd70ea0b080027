#include "multi_check.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>

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

int checkRange(const std::string& s, size_t begin, size_t end, const MultiCheck& check, int depth);

// Checks the tag whose "[" is at `open` and whose "]" is at `close`.
int checkTag(const std::string& s, size_t open, size_t close, const MultiCheck& check, int depth) {
    const char* body = s.c_str() + open + 1;
    const char* name = tagName(body);
    if (!name) return 3;
    const char* arg = body + std::strlen(name);
    if (std::strcmp(name, "fo") == 0) {
        int n = numberAfter(arg);
        if (n >= 0 && check.hasFont && !check.hasFont(n)) return 6;
    } else if (std::strcmp(name, "g") == 0) {
        int n = numberAfter(arg);
        if (n >= 0 && check.hasGraphic && !check.hasGraphic(n)) return 15;
    } else if (std::strcmp(name, "mv") == 0) {
        // A moving text carries its text, with its own tags, after the third comma.
        size_t p = open;
        for (int commas = 0; p < close && commas < 3; ++p)
            if (s[p] == ',') ++commas;
        return checkRange(s, p, close, check, depth + 1);
    }
    return 2;
}

int checkRange(const std::string& s, size_t begin, size_t end, const MultiCheck& check, int depth) {
    if (depth > 4) return 1;
    size_t i = begin;
    while (i < end) {
        char c = s[i];
        if (c == ']') {
            if (i + 1 < end && s[i + 1] == ']') { i += 2; continue; }
            return 1;
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
        if (j >= end) return 1;
        int rc = checkTag(s, i, j, check, depth);
        if (rc != 2) return rc;
        i = j + 1;
    }
    return 2;
}

}  // namespace

int checkMulti(const std::string& multi, const MultiCheck& check) {
    if (check.maxLength > 0 && multi.size() > static_cast<size_t>(check.maxLength)) return 5;
    return checkRange(multi, 0, multi.size(), check, 0);
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
