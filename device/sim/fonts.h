// The simulated font table (fontTable) and character table (characterTable).
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "limits.h"
#include "tqdms/ntcip.h"

namespace tqsim {

struct Character {
    int width = 0;
    std::string bitmap;  // rows top first, bits packed most significant first
};

// The name a row holds while it has no font: new rows and freed rows.
constexpr const char* kPlaceholderFontName = "def.";

struct FontRow {
    int number = 0;
    std::string name = kPlaceholderFontName;
    int height = 0;
    int charSpacing = 0;
    int lineSpacing = 0;
    uint16_t versionId = 0;
    uint8_t status = NTCIP_FONT_NOT_USED;
    std::map<int, Character> characters;  // only characters with a width or bitmap
    uint8_t pendingStatus = 0;            // see MessageRow: a request still in progress
    PendingRequest pending;
};

struct FontStore {
    // Rows ever touched, by font index; rows not held are notUsed, empty and
    // named "def.".
    std::map<int, FontRow> rows;

    // A new sign comes with two fonts ready for use (rows 1 and 2), without
    // character bitmaps; a state without "fonts" keeps them.
    FontStore();

    // Whether a usable font of this number is on the sign (MULTI validation).
    bool hasFont(int number) const;

    void load(const nlohmann::json& state);
    void save(nlohmann::json& state) const;
};

// fontVersionID: CRC-16 over the font's number, height, spacings and every
// character's number, width and bitmap.
uint16_t fontVersionId(const FontRow& font);

}  // namespace tqsim
