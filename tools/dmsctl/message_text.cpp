#include "message_text.h"

#include <cstdlib>

#include "cli.h"

namespace dmsctl {
namespace {

const char* const kTypes[] = {"", "other", "permanent", "changeable", "volatile", "currentBuffer", "schedule", "blank"};
const char* const kStatus[] = {"", "notUsed", "modifying", "validating", "valid", "error", "modifyReq", "validateReq",
                               "notUsedReq"};
const char* const kEvents[] = {"", "activate", "door open", "communications loss", "short power loss",
                               "long power loss"};
const char* const kValidate[] = {"", "other", "none", "beacons", "pixelService", "syntaxMULTI"};
const char* const kSyntax[] = {"", "other", "none", "unsupportedTag", "unsupportedTagValue", "textTooBig",
                               "fontNotDefined", "characterNotDefined", "fieldDeviceNotExist", "fieldDeviceError",
                               "flashRegionError", "tagConflict", "tooManyPages", "fontVersionID", "graphicID",
                               "graphicNotDefined"};

}  // namespace

int memoryTypeOf(const std::string& text) {
    for (int i = 2; i <= 7; ++i)
        if (text == kTypes[i]) return i;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (!text.empty() && *end == '\0' && v >= 2 && v <= 7) return static_cast<int>(v);
    throw Failure{"unknown memory type '" + text + "' (changeable, volatile, permanent or 2..7)", 2};
}

std::string memoryTypeName(int type) { return type >= 1 && type <= 7 ? kTypes[type] : std::to_string(type); }

std::string messageStatusName(int status) {
    return status >= 1 && status <= 8 ? kStatus[status] : std::to_string(status);
}

std::string eventName(int code) { return code >= 1 && code <= 5 ? kEvents[code] : ""; }

std::string validationText(unsigned v, unsigned s) {
    std::string text = "validation " + std::to_string(v) + " " + (v >= 1 && v <= 5 ? kValidate[v] : "?");
    if (v == 5) text += ", MULTI syntax " + std::to_string(s) + " " + (s >= 1 && s <= 15 ? kSyntax[s] : "?");
    return text;
}

}  // namespace dmsctl
