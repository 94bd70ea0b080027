#include "fonts.h"

#include <nlohmann/json.hpp>

#include "sign.h"

namespace tqsim {

bool FontStore::hasFont(int) const { return true; }

void FontStore::load(const nlohmann::json&) {}
void FontStore::save(nlohmann::json&) const {}

uint32_t SimSign::getFontDefinition(int, void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::getFontTable(int, int, void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::setFontTable(int, int, const void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::getCharacterTable(int, int, int, void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::setCharacterTable(int, int, int, const void*, int) { return TQDMS_E_NO_SUCH_NAME; }

}  // namespace tqsim
