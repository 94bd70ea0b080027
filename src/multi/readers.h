// Element readers shared by the FromMulti operations and the parser.
#pragma once

#include "model/section.h"

namespace dms {

// Colour from "[cf r,g,b" and font from "[fo n" anywhere in text.
void ReadFont(Font& font, const char* text);
// The same on [text, end), where *end is '\0'.
void ReadFont(Font& font, const char* text, const char* end);
// Font and colour, then the first text run (escape markers turned back into
// doubled brackets) as the element's text. Always 2.
uint32_t ReadTextRun(TextBase& textBase, const char* text);
// On and off times of a copied flash opening tag ("[flt..o..", "[flo..t..",
// "[fl]"); a missing second time becomes 0, an unreadable one is left alone.
void readFlashTimes(const char* tag, Flash& flash);

}  // namespace dms
