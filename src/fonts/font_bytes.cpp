#include "fonts/font_bytes.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "fonts/font_file.h"

namespace dms {

FileRead readWholeFile(const char* path, std::vector<uint8_t>& out) {
    out.clear();
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path, "rb"), std::fclose);
    if (!f) return FileRead::kCannotOpen;
    uint8_t chunk[8192];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) {
        if (out.size() + n > kMaxFontFileSize) return FileRead::kTooLarge;
        out.insert(out.end(), chunk, chunk + n);
    }
    return std::ferror(f.get()) ? FileRead::kCannotOpen : FileRead::kOk;
}

const char* baseNameOf(const char* path) {
    const char* base = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') base = p + 1;
    return base;
}

// A base name of 64 characters or more is cut to the field: the sign's font
// name column holds no more either.
void setFontName(fontContent& record, const char* name) {
    std::memset(record.name, 0, sizeof record.name);
    if (name) std::strncpy(record.name, name, sizeof record.name - 1);
}

}  // namespace dms
