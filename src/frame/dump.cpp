#include "dump.h"

#include <atomic>
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

namespace {

// Tries this many names before giving up on a dump.
constexpr int kNameTries = 16;

std::atomic<unsigned> g_dumpSerial{0};

}  // namespace

// The temporary name is the fixed name followed by the process id and a
// serial number of this process, so neither another process nor another
// thread picks the same one; a name that exists is never opened.
DumpFile::DumpFile(const char* fileName) {
    char dir[1024];
    dumpDirectory(dir, sizeof dir);
    target_ = std::string(dir) + fileName;
    for (int i = 0; i < kNameTries && !file_; ++i) {
        temp_ = target_ + "." + std::to_string(platform::processId()) + "." + std::to_string(g_dumpSerial++) + ".tmp";
        file_ = platform::createNewFile(temp_.c_str());
    }
    if (!file_) temp_.clear();
}

DumpFile::~DumpFile() {
    if (!file_) return;
    std::fclose(file_);
    std::remove(temp_.c_str());
}

bool DumpFile::commit() {
    if (!file_) return false;
    const bool written = std::fclose(file_) == 0;
    file_ = nullptr;
    if (written && platform::replaceFile(temp_.c_str(), target_.c_str())) return true;
    std::remove(temp_.c_str());
    return false;
}

}  // namespace dms
