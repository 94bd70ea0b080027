// Names dmsctl prints and accepts for message memory types, statuses and
// event codes.
#pragma once

#include <string>

namespace dmsctl {

// "changeable", "volatile", ... or a number 2..7; throws Failure otherwise.
int memoryTypeOf(const std::string& text);
std::string memoryTypeName(int type);
std::string messageStatusName(int status);
std::string eventName(int code);
// "validation: <n> <meaning>" for the sign's validation and syntax errors.
std::string validationText(unsigned validateError, unsigned syntaxError);
// "fontNotDefined", ... for a dmsMultiSyntaxError; "?" for a number it has not.
std::string multiSyntaxName(unsigned syntaxError);

}  // namespace dmsctl
