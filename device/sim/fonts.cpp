#include "fonts.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "../bytes.h"
#include "multi_check.h"
#include "sign.h"
#include "tqdms/ntcip.h"

namespace tqsim {
namespace {

bool usable(uint8_t status) {
    return status == NTCIP_FONT_READY_FOR_USE || status == NTCIP_FONT_IN_USE || status == NTCIP_FONT_PERMANENT ||
           status == NTCIP_FONT_UNMANAGED;
}

// Longest bitmap a character may have: 255 pixels wide, 255 rows.
constexpr size_t kMaxBitmap = 255 * 32;

std::string hexOf(const std::string& bytes) { return tqdms::toHex(bytes.data(), bytes.size()); }

}  // namespace

FontStore::FontStore() {
    FontRow small;
    small.number = 1;
    small.name = "5x7";
    small.height = 7;
    small.charSpacing = 1;
    small.lineSpacing = 3;
    small.status = NTCIP_FONT_READY_FOR_USE;
    small.versionId = fontVersionId(small);
    FontRow large = small;
    large.number = 2;
    large.name = "8x14";
    large.height = 14;
    large.charSpacing = 2;
    large.lineSpacing = 4;
    large.versionId = fontVersionId(large);
    rows[1] = small;
    rows[2] = large;
}

bool FontStore::hasFont(int number) const {
    for (const auto& kv : rows)
        if (kv.second.number == number && usable(kv.second.status)) return true;
    return false;
}

uint16_t fontVersionId(const FontRow& f) {
    std::string data;
    data += static_cast<char>(f.number);
    data += static_cast<char>(f.height);
    data += static_cast<char>(f.charSpacing);
    data += static_cast<char>(f.lineSpacing);
    for (const auto& kv : f.characters) {
        data += static_cast<char>(kv.first >> 8);
        data += static_cast<char>(kv.first);
        data += static_cast<char>(kv.second.width);
        data += kv.second.bitmap;
    }
    return messageCrc(data, 0, 0);
}

void FontStore::load(const nlohmann::json& state) {
    if (!state.contains("fonts")) return;
    rows.clear();
    for (const nlohmann::json& j : state.at("fonts")) {
        int row = j.at("row").get<int>();
        if (row < 1 || row > 255) throw std::invalid_argument("font row");
        FontRow f;
        f.number = j.value("number", 0);
        f.name = j.value("name", std::string(kPlaceholderFontName));
        f.height = j.value("height", 0);
        f.charSpacing = j.value("charSpacing", 0);
        f.lineSpacing = j.value("lineSpacing", 0);
        f.status = j.value("status", NTCIP_FONT_READY_FOR_USE);
        if (f.number < 0 || f.number > 255 || f.height < 0 || f.height > 255 || f.name.size() > 64 ||
            f.status < NTCIP_FONT_NOT_USED || f.status > NTCIP_FONT_UNMANAGED)
            throw std::invalid_argument("font row values");
        if (j.contains("characters")) {
            for (const nlohmann::json& c : j.at("characters")) {
                int code = c.at("code").get<int>();
                Character ch;
                ch.width = c.value("width", 0);
                if (code < 0 || code > 65535 || ch.width < 0 || ch.width > 255) throw std::invalid_argument("character");
                if (!tqdms::fromHex(c.value("bitmap", ""), ch.bitmap) || ch.bitmap.size() > kMaxBitmap)
                    throw std::invalid_argument("character bitmap");
                f.characters[code] = ch;
            }
        }
        f.versionId = j.contains("versionId") ? j.at("versionId").get<uint16_t>() : fontVersionId(f);
        rows[row] = f;
    }
}

void FontStore::save(nlohmann::json& state) const {
    nlohmann::json arr = nlohmann::json::array();
    for (const auto& kv : rows) {
        const FontRow& f = kv.second;
        if (f.status == NTCIP_FONT_NOT_USED && f.name == kPlaceholderFontName && f.characters.empty()) continue;
        nlohmann::json chars = nlohmann::json::array();
        for (const auto& c : f.characters)
            chars.push_back({{"code", c.first}, {"width", c.second.width}, {"bitmap", hexOf(c.second.bitmap)}});
        arr.push_back({{"row", kv.first}, {"number", f.number}, {"name", f.name}, {"height", f.height},
                       {"charSpacing", f.charSpacing}, {"lineSpacing", f.lineSpacing},
                       {"versionId", f.versionId}, {"status", f.status}, {"characters", chars}});
    }
    state["fonts"] = arr;
}

namespace {

// A font named by the message on display is in use.
bool fontShown(const SimSign& s, int number) {
    const auto& a = s.messages.activated;
    const MessageRow* shown = s.messages.find(a[3], (a[4] << 8) | a[5]);
    if (!shown) return false;
    const std::string tag = "[fo" + std::to_string(number);
    for (size_t p = shown->multi.find(tag); p != std::string::npos; p = shown->multi.find(tag, p + 1)) {
        char next = p + tag.size() < shown->multi.size() ? shown->multi[p + tag.size()] : '\0';
        if (next == ']' || next == ',') return true;
    }
    return false;
}

uint8_t effectiveStatus(const SimSign& s, const FontRow& f) {
    if (f.status == NTCIP_FONT_READY_FOR_USE && fontShown(s, f.number)) return NTCIP_FONT_IN_USE;
    return f.status;
}

void completeFontRequest(FontRow& f, uint8_t target) {
    f.pendingStatus = 0;
    f.pending.clear();
    switch (target) {
    case NTCIP_FONT_MODIFYING: f.status = NTCIP_FONT_MODIFYING; break;
    case NTCIP_FONT_READY_FOR_USE:
        f.versionId = fontVersionId(f);
        f.status = NTCIP_FONT_READY_FOR_USE;
        break;
    case NTCIP_FONT_UNMANAGED: f.status = NTCIP_FONT_UNMANAGED; break;
    default: f = FontRow(); break;  // notUsed: the row is emptied and named "def."
    }
}

}  // namespace

// fontDefinition: numFonts, maxFontCharacters, fontMaxCharacterSize.
uint32_t SimSign::getFontDefinition(int object, void* buf, int len) {
    if (len != 4) return TQDMS_E_BAD_VALUE;
    switch (object) {
    case NTCIP_NUM_FONTS: return tqdms::putInt(buf, len, limits.fontRows);
    case NTCIP_MAX_FONT_CHARACTERS: return tqdms::putInt(buf, len, limits.maxCharacter);
    case NTCIP_FONT_MAX_CHARACTER_SIZE: return tqdms::putInt(buf, len, static_cast<int64_t>(kMaxBitmap));
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

uint32_t SimSign::getFontTable(int row, int column, void* buf, int len) {
    if (row < 1 || row > limits.fontRows) return TQDMS_E_NO_SUCH_NAME;
    FontRow& f = fonts.rows[row];
    switch (column) {
    case NTCIP_FONT_INDEX: return tqdms::putInt(buf, len, row);
    case NTCIP_FONT_NUMBER: return tqdms::putInt(buf, len, f.number);
    case NTCIP_FONT_NAME: return tqdms::putText(buf, len, f.name);
    case NTCIP_FONT_HEIGHT: return tqdms::putInt(buf, len, f.height);
    case NTCIP_FONT_CHAR_SPACING: return tqdms::putInt(buf, len, f.charSpacing);
    case NTCIP_FONT_LINE_SPACING: return tqdms::putInt(buf, len, f.lineSpacing);
    case NTCIP_FONT_VERSION_ID: return tqdms::putInt(buf, len, f.versionId);
    case NTCIP_FONT_STATUS:
        if (f.pending.done()) completeFontRequest(f, f.pendingStatus);
        return tqdms::putInt(buf, len, effectiveStatus(*this, f));
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

uint32_t SimSign::setFontTable(int row, int column, const void* buf, int len) {
    if (row < 1 || row > limits.fontRows) return TQDMS_E_NO_SUCH_NAME;
    FontRow& f = fonts.rows[row];
    uint32_t v = 0;
    bool isInt = tqdms::getUInt(buf, len, v);
    if (column == NTCIP_FONT_STATUS) {
        if (!isInt) return TQDMS_E_BAD_VALUE;
        uint8_t status = effectiveStatus(*this, f);
        // In-use and permanent fonts refuse every request.
        if (status == NTCIP_FONT_IN_USE || status == NTCIP_FONT_PERMANENT) return TQDMS_E_GEN_ERR;
        uint8_t target;
        switch (v) {
        case NTCIP_FONT_MODIFY_REQ: target = NTCIP_FONT_MODIFYING; break;
        case NTCIP_FONT_READY_FOR_USE_REQ:
            if (f.status != NTCIP_FONT_MODIFYING) return TQDMS_E_GEN_ERR;
            target = NTCIP_FONT_READY_FOR_USE;
            break;
        case NTCIP_FONT_NOT_USED_REQ: target = NTCIP_FONT_NOT_USED; break;
        case NTCIP_FONT_UNMANAGED_REQ: target = NTCIP_FONT_UNMANAGED; break;
        default: return TQDMS_E_BAD_VALUE;
        }
        if (limits.slow()) {
            f.status = static_cast<uint8_t>(v);
            f.pendingStatus = target;
            f.pending.start(limits);
        } else {
            completeFontRequest(f, target);
        }
        return TQDMS_OK;
    }
    if (column == NTCIP_FONT_INDEX || column == NTCIP_FONT_VERSION_ID) return TQDMS_E_READ_ONLY;
    if (column < NTCIP_FONT_INDEX || column > NTCIP_FONT_STATUS) return TQDMS_E_NO_SUCH_NAME;
    if (f.status != NTCIP_FONT_MODIFYING) return TQDMS_E_GEN_ERR;
    if (column == NTCIP_FONT_NAME) {
        std::string name = tqdms::getText(buf, len);
        if (name.size() > 64) return TQDMS_E_BAD_VALUE;
        f.name = name;
        return TQDMS_OK;
    }
    if (!isInt || v > 255) return TQDMS_E_BAD_VALUE;
    int value = static_cast<int>(v);
    switch (column) {
    case NTCIP_FONT_NUMBER: f.number = value; break;
    case NTCIP_FONT_HEIGHT: f.height = value; break;
    case NTCIP_FONT_CHAR_SPACING: f.charSpacing = value; break;
    default: f.lineSpacing = value; break;  // NTCIP_FONT_LINE_SPACING
    }
    return TQDMS_OK;
}

// Characters 0..maxCharacter exist in every row (width 0 until written);
// character 0 is taken and kept, though no MULTI text can show it.
uint32_t SimSign::getCharacterTable(int row, int character, int column, void* buf, int len) {
    if (row < 1 || row > limits.fontRows || character < 0 || character > limits.maxCharacter)
        return TQDMS_E_NO_SUCH_NAME;
    const FontRow& f = fonts.rows[row];
    auto it = f.characters.find(character);
    Character empty;
    const Character& c = it == f.characters.end() ? empty : it->second;
    switch (column) {
    case NTCIP_CHARACTER_NUMBER: return tqdms::putInt(buf, len, character);
    case NTCIP_CHARACTER_WIDTH: return tqdms::putInt(buf, len, c.width);
    case NTCIP_CHARACTER_BITMAP:
        if (len < 1) return TQDMS_E_BAD_VALUE;
        std::memcpy(buf, c.bitmap.data(), std::min(c.bitmap.size(), static_cast<size_t>(len)));
        return TQDMS_OK;
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

uint32_t SimSign::setCharacterTable(int row, int character, int column, const void* buf, int len) {
    if (row < 1 || row > limits.fontRows || character < 0 || character > limits.maxCharacter)
        return TQDMS_E_NO_SUCH_NAME;
    FontRow& f = fonts.rows[row];
    if (column == NTCIP_CHARACTER_NUMBER) return TQDMS_E_READ_ONLY;
    if (column != NTCIP_CHARACTER_WIDTH && column != NTCIP_CHARACTER_BITMAP) return TQDMS_E_NO_SUCH_NAME;
    if (f.status != NTCIP_FONT_MODIFYING) return TQDMS_E_GEN_ERR;
    Character& c = f.characters[character];
    if (column == NTCIP_CHARACTER_WIDTH) {
        uint32_t v = 0;
        if (!tqdms::getUInt(buf, len, v) || v > 255) return TQDMS_E_BAD_VALUE;
        c.width = static_cast<int>(v);
    } else {
        // The bitmap holds at least the character's bits: height x width.
        size_t need = (static_cast<size_t>(f.height) * static_cast<size_t>(c.width) + 7) / 8;
        if (static_cast<size_t>(len) < need || static_cast<size_t>(len) > kMaxBitmap) return TQDMS_E_BAD_VALUE;
        c.bitmap.assign(static_cast<const char*>(buf), static_cast<size_t>(len));
    }
    if (c.width == 0 && c.bitmap.empty()) f.characters.erase(character);
    return TQDMS_OK;
}

size_t SimSign::characterBitmapSize(int row, int character) const {
    auto font = fonts.rows.find(row);
    if (row < 1 || row > limits.fontRows || font == fonts.rows.end()) return 0;
    auto c = font->second.characters.find(character);
    return c == font->second.characters.end() || character > limits.maxCharacter ? 0 : c->second.bitmap.size();
}

}  // namespace tqsim
