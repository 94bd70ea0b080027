// The process-wide list of the sign's fonts that the XML font attributes
// consult: filled once, at the first message document read or write of the
// process, and kept until the process ends.
#pragma once

#include <string>

namespace dms {

// Fills the list from the sign the first time it is called in the process
// (the fill's result is not acted on); later calls leave it as it is.
void ensureFontList();

// Lookups in the list as it was filled; false when no font matches.
bool fontNameOfNumber(int number, std::string& name);
bool fontNumberOfName(const char* name, int& number);

// Forgets the list so the next ensure fills it again (tests only).
void resetFontListForTests();

}  // namespace dms
