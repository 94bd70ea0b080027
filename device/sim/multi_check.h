// The sign's own MULTI validation, as tqDefine1Message runs it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tqsim {

class SimSign;
struct SignProfile;

struct MultiCheck {
    int maxLength = 0;
    // The sign's tag bitmap, colour scheme, pixel size, default font and
    // page limit; null: none of these are checked.
    const SignProfile* profile = nullptr;
    std::function<bool(int)> hasFont;     // font number defined on the sign
    std::function<bool(int)> hasGraphic;  // graphic number defined on the sign
    // Whether the font of this number holds the character; null: not checked.
    std::function<bool(int font, int code)> hasCharacter;
    // Lays the text out on the sign: textTooBig with its position where it
    // does not fit, else NTCIP_MULTI_NONE (layout_fit.h); null: not laid out.
    std::function<int(const std::string& multi, size_t& position)> layout;
};

// The check of this sign: its limits, profile, fonts and graphics. It
// refers to the sign, which must outlive it.
MultiCheck multiCheckOf(const SimSign& sign);

// dmsMultiSyntaxError of the text (NtcipMultiSyntaxError), NTCIP_MULTI_NONE
// when the sign accepts it. `position` (may be null) receives the offset
// from 0 of the byte where the error was found (dmsMultiSyntaxErrorPosition):
// normally the "[" of the tag at fault, the character a font lacks, the byte
// the tokenizer refused, the first character that does not fit, or the
// first byte past the length limit; 0 when there is none. The rules are
// listed in multi_check.cpp.
int checkMulti(const std::string& multi, const MultiCheck& check, size_t* position = nullptr);

// dmsMessageCRC: CRC-16/X-25 over the MULTI bytes, beacon and pixel service.
uint16_t messageCrc(const std::string& multi, uint8_t beacon, uint8_t pixelService);

}  // namespace tqsim
