#include "dump.h"

#include <cstring>
#include <string>

#include "platform.h"

namespace dms {

void dumpDirectory(char* buffer, size_t size) {
    if (!buffer || size == 0) return;
    std::string path = platform::executablePath();
    if (path.size() >= size) path.resize(size - 1);
    // Cut after the last separator, not looking at index 0.
    for (size_t i = path.size(); i-- > 1;) {
        if (path[i] == '\\' || path[i] == '/') {
            path.resize(i + 1);
            break;
        }
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
}

}  // namespace dms
