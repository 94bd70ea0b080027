// The faithful reading of MULTI: every tag and every character of the text
// ends up in the element tree, so that the writer rebuilds a text a sign
// shows the same way.
//
// Tokens map to elements with MULTI's own meaning. The current font,
// colour and flashing are carried from tag to element, and the font, colour,
// justification, page times and page background from page to page, as a
// sign carries them. Text after a graphic stays on its page; colour
// rectangles and colours in index form keep their form; moving text keeps
// its text, inner tags included.
//
// What no element field can hold stays as MULTI inside the text of a
// NormalText (whose text the writer writes as it is): "[sc]" and "[/sc]",
// "[cb]", "[ms]", default forms such as "[fo]", "[cf]", "[jl]" and "[pb]",
// font and graphic version IDs, field widths, travel-time fields, a
// justification that is not at the start of a page, rectangle or line, and
// every flash tag and graphic of a page whose flashing is not simple
// (default times, nesting, unpaired closings, moving text inside a region).
// Hosts see those tags in the text.
//
// Page off times: the writer writes an off time of 0 as "[ptNo]", which a
// sign reads as its default off time; this reading takes that default to be
// 0, as the writer does.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/section.h"

namespace dms {
namespace multi {

enum class FaithfulResult {
    Done,
    NotTokenized,  // the text has a syntax error; nothing was added
    NoMemory       // an element could not be allocated; what was read stays
};

// Reads text into `first` (a fresh page) and pages appended behind it,
// numbered from 0.
FaithfulResult readFaithful(PageMessage& first, const char* text, size_t length);

}  // namespace multi
}  // namespace dms
