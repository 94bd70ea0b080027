// The sign's own MULTI validation, as tqDefine1Message runs it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tqsim {

struct MultiCheck {
    int maxLength = 0;
    std::function<bool(int)> hasFont;     // font number defined on the sign
    std::function<bool(int)> hasGraphic;  // graphic number defined on the sign
};

// dmsMultiSyntaxError of the text (NtcipMultiSyntaxError): none, other
// (unbalanced brackets), unsupportedTag, textTooBig, fontNotDefined or
// graphicNotDefined. `position` (may be null) receives the offset from 0 of
// the character where the error was found (dmsMultiSyntaxErrorPosition): the
// "[" of a bad tag, the stray "]", the "[" left open, the first character
// past the length limit; 0 when there is none.
int checkMulti(const std::string& multi, const MultiCheck& check, size_t* position = nullptr);

// dmsMessageCRC: CRC-16/X-25 over the MULTI bytes, beacon and pixel service.
uint16_t messageCrc(const std::string& multi, uint8_t beacon, uint8_t pixelService);

}  // namespace tqsim
