#include "preview/file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace dms {
namespace preview {

// The bytes go to PATH.part first, which then replaces path: a reader never
// sees half a file, and a failed write leaves nothing behind.
bool writeFile(const std::vector<uint8_t>& bytes, const std::string& path, std::string& error) {
    const std::string part = path + ".part";
    std::FILE* f = std::fopen(part.c_str(), "wb");
    if (!f) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed || std::rename(part.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(part.c_str());
        return false;
    }
    return true;
}

}  // namespace preview
}  // namespace dms
