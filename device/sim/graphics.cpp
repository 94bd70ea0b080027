#include "graphics.h"

#include <nlohmann/json.hpp>

#include "sign.h"

namespace tqsim {

bool GraphicStore::hasGraphic(int) const { return true; }

void GraphicStore::load(const nlohmann::json&) {}
void GraphicStore::save(nlohmann::json&) const {}

uint32_t SimSign::getGraphicDefinition(int, void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::getGraphicTable(int, int, void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::setGraphicTable(int, int, const void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::getGraphicBitmapTable(int, int, void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::setGraphicBitmapTable(int, int, const void*, int) { return TQDMS_E_NO_SUCH_NAME; }

}  // namespace tqsim
