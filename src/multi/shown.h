// What a sign shows for a MULTI text, written out as comparable text: per
// page its times and background, then every visible item (a run of
// characters, a hex character, a field, a line break, a moving text, a
// manufacturer tag) with the font, colours, flashing, justification,
// spacing and text rectangle it is shown in, then the graphic items
// (pictures, colour and text rectangles, travel-time fields) in sorted
// order, since they do not flow with the text.
//
// Two texts a sign shows the same way give the same description. Used to
// check that a written text keeps what was read. The sign is taken to
// carry font, colours, justification, page times and page background from
// page to page, to end flashing, spacing and text rectangles at a new page,
// to read an off time left out as 0, and page times never given as 60 and 0
// (what the writer writes for them).
#pragma once

#include <string>

namespace dms {
namespace multi {

// False when the text has a syntax error (shown then holds the error).
bool describeShown(const char* text, size_t length, std::string& shown);

// The visible characters of every page, unescaped, pages separated by a
// line break; hex characters as "\x" and their code, fields as "\f" and
// their number, moving text as its own text.
std::string visibleText(const char* text, size_t length);

}  // namespace multi
}  // namespace dms
