#include "message_text.h"

#include <cstdlib>

#include "cli.h"
#include "tqdms/ntcip.h"

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
    for (int i = NTCIP_MEM_PERMANENT; i <= NTCIP_MEM_BLANK; ++i)
        if (text == kTypes[i]) return i;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (!text.empty() && *end == '\0' && v >= NTCIP_MEM_PERMANENT && v <= NTCIP_MEM_BLANK) return static_cast<int>(v);
    throw Failure{"unknown memory type '" + text + "' (changeable, volatile, permanent or 2..7)", 2};
}

std::string memoryTypeName(int type) {
    return type >= NTCIP_MEM_OTHER && type <= NTCIP_MEM_BLANK ? kTypes[type] : std::to_string(type);
}

std::string messageStatusName(int status) {
    return status >= NTCIP_MSG_NOT_USED && status <= NTCIP_MSG_NOT_USED_REQ ? kStatus[status] : std::to_string(status);
}

std::string eventName(int code) { return code >= 1 && code <= 5 ? kEvents[code] : ""; }

std::string multiSyntaxName(unsigned s) {
    return s >= NTCIP_MULTI_OTHER && s <= NTCIP_MULTI_GRAPHIC_NOT_DEFINED ? kSyntax[s] : "?";
}

std::string validationText(unsigned v, unsigned s) {
    const bool knownV = v >= NTCIP_VALIDATE_OTHER && v <= NTCIP_VALIDATE_SYNTAX_MULTI;
    const bool knownS = s >= NTCIP_MULTI_OTHER && s <= NTCIP_MULTI_GRAPHIC_NOT_DEFINED;
    std::string text = "validation " + std::to_string(v) + " " + (knownV ? kValidate[v] : "?");
    if (v == NTCIP_VALIDATE_SYNTAX_MULTI)
        text += ", MULTI syntax " + std::to_string(s) + " " + (knownS ? kSyntax[s] : "?");
    return text;
}

}  // namespace dmsctl
