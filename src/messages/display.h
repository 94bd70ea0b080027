// Shared steps of the quick display: the changeable row it writes and the
// source address text.
#pragma once

#include <cstdint>
#include <string>

#include "model/message.h"

namespace dms {

extern const char kDisplayTextOwner[];      // "Easy for display text"
extern const char kDisplayPicturesOwner[];  // "Easy for display pictrue"

// The number of the message owned by `owner` (its MULTI text into
// `ownedText` when given), else the first changeable row whose status is not
// used (`ownedText` empty). A read failure gives its code, no row 32522.
uint32_t findDisplayRow(const char* owner, int32_t& number, std::string* ownedText = nullptr);

// A dotted IPv4 text as an address, first octet in the top byte; 0 for a
// null, short (below 7 characters) or incomplete text.
uint32_t sourceAddressOf(const char* text);

// Makes m the quick display's changeable message `number` with this owner,
// duration and pixel service, priority 100, beacon off and CRC 0.
void setDisplayMessage(CMessage& m, const char* owner, int32_t number, uint16_t duration, uint8_t pixelService);

// The quick display's one page for a text: centred, lines ending at every
// CR, LF or CR LF (see display_text.cpp). Sets m.pages.
uint32_t buildDisplayTextPage(CMessage& m, const char* text, int fontNum, int32_t color, int32_t lineCount,
                              int32_t columnGap);

}  // namespace dms
