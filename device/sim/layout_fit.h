// Whether a MULTI text fits the simulated sign: each page laid out by the
// project's renderer (render/layout.h) on the sign's profile, with the
// sign's own fonts and the sizes of its graphics. Only measured, never
// painted.
#pragma once

#include <cstddef>
#include <string>

namespace tqsim {

struct SignProfile;
struct FontStore;
struct GraphicStore;

// textTooBig (NtcipMultiSyntaxError) with `position` at the byte the
// layout names (the character that does not fit; the first character of
// the first line below its rectangle, or where that line starts when it
// is empty; the first line of a group that meets the one above), or
// NTCIP_MULTI_NONE when every page fits or the layout cannot tell: it
// stops at the first thing it cannot place (moving text, [tdc], a code
// past 255, any fault the sign's MULTI check reports itself) and measures
// nothing on character- and line-matrix signs. The text is read as the
// renderer's tokenizer reads it: the caller gives "[gN,0,0]", which the
// sign takes for the top left corner, as "[gN,1,1]".
int layoutFit(const std::string& multi, const SignProfile& profile, const FontStore& fonts,
              const GraphicStore& graphics, size_t& position);

}  // namespace tqsim
