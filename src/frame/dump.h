// Where the debug dumps of MULTI strings go: the host executable's directory,
// and how they are written there.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace dms {

// Fills buffer with the host executable's directory, ending in its
// separator (the whole path when it has no separator). Cut to size with NUL.
void dumpDirectory(char* buffer, size_t size);

// One debug dump of the dump directory under its fixed name. It is written
// to a new file of its own beside that name and renamed over it by commit(),
// so a reader never sees half a dump and two processes writing the same
// dump at once each leave a whole one (the last rename wins). A dump that is
// never committed is removed and leaves the fixed name as it was.
class DumpFile {
public:
    explicit DumpFile(const char* fileName);
    ~DumpFile();
    DumpFile(const DumpFile&) = delete;
    DumpFile& operator=(const DumpFile&) = delete;

    // Null when the file could not be made: the dump is then skipped.
    std::FILE* get() const { return file_; }
    // Closes the file and puts it in place; false (and nothing replaced)
    // when that fails or there is no file.
    bool commit();

private:
    std::FILE* file_ = nullptr;
    std::string temp_;
    std::string target_;
};

}  // namespace dms
