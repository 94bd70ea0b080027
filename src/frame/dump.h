// Where the debug dumps of MULTI strings go: the host executable's directory.
#pragma once

#include <cstddef>

namespace dms {

// Fills buffer with the host executable's directory, ending in its
// separator (the whole path when it has no separator). Cut to size with NUL.
void dumpDirectory(char* buffer, size_t size);

}  // namespace dms
