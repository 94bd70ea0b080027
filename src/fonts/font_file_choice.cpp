// Choosing the reader by extension, and the font number mapping.
#include <cctype>
#include <string>

#include "fonts/font_bytes.h"
#include "fonts/font_file.h"

namespace dms {
namespace {

bool endsInFirst(const std::string& name, const char* extension) {
    size_t at = name.find(extension);
    return at != std::string::npos && at + 4 == name.size();
}

}  // namespace

FontFileKind fontFileKind(const char* path) {
    if (!path) return FontFileKind::kNone;
    std::string base = baseNameOf(path);
    for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (endsInFirst(base, ".FNT")) return FontFileKind::kFnt;
    if (endsInFirst(base, ".FNN")) return FontFileKind::kFnn;
    return FontFileKind::kNone;
}

uint32_t readFontFile(fontContent& record, const char* path, bool raw) {
    switch (fontFileKind(path)) {
    case FontFileKind::kFnt: return readFntFile(record, path, nullptr, raw);
    case FontFileKind::kFnn: return readFnnFile(record, path, nullptr, raw);
    case FontFileKind::kNone: break;
    }
    return 0;
}

uint32_t fontNumberToTable(uint32_t fileNumber, bool raw) {
    if (raw) return fileNumber;
    return fileNumber <= 15 ? fileNumber + 48 : fileNumber + 55;
}

// 48..63 are exactly the values file numbers 0..15 map to, so they map back
// to them; values no file number maps to (below 48, 64..71) are kept as they
// are.
uint32_t fontNumberFromTable(uint32_t tableValue) {
    if (tableValue >= 48 && tableValue <= 63) return tableValue - 48;
    if (tableValue >= 72) return tableValue - 55;
    return tableValue;
}

}  // namespace dms
