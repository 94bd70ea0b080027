#include "text.h"

#include <climits>
#include <cstring>

#include "dmscontent/common.h"

namespace dms {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

uint32_t textToInt(const char* text, int64_t& out, int64_t min, int64_t max) {
    int64_t value = 0;
    bool overflow = false;
    if (text) {
        const char* p = text;
        while (isBlank(*p)) ++p;
        bool negative = false;
        if (*p == '+' || *p == '-') {
            negative = *p == '-';
            ++p;
        }
        // Accumulate as a negative number so INT64_MIN fits.
        int64_t acc = 0;
        while (*p >= '0' && *p <= '9') {
            int digit = *p - '0';
            if (acc < (INT64_MIN + digit) / 10) {
                overflow = true;
                break;
            }
            acc = acc * 10 - digit;
            ++p;
        }
        if (!negative) {
            if (acc == INT64_MIN) overflow = true;
            else acc = -acc;
        }
        value = acc;
    }
    if (overflow || value < min || value > max) return DMS_E_INVALID;
    out = value;
    return DMS_OK;
}

uint32_t textToInt(const char* text, int& out, int min, int max) {
    int64_t v;
    uint32_t rc = textToInt(text, v, min, max);
    if (rc == DMS_OK) out = static_cast<int>(v);
    return rc;
}

uint32_t boundedCopy(const char* text, char* dest, size_t capacity, size_t minLength, size_t maxLength) {
    if (!text || !dest) return DMS_E_INVALID;
    size_t n = std::strlen(text);
    if (n > capacity || n < minLength || n > maxLength) return DMS_E_INVALID;
    std::memcpy(dest, text, n + 1);
    return DMS_OK;
}

const char* fileNameOfPath(const char* path) {
    if (!path) return nullptr;
    const char* last = nullptr;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') last = p;
    if (!last) return path;
    if (last == path) return nullptr;
    return last + 1;
}

}  // namespace dms
