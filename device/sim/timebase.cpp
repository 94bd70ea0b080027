#include "timebase.h"

#include <nlohmann/json.hpp>

#include "sign.h"

namespace tqsim {

void TimeBaseStore::load(const nlohmann::json&) {}
void TimeBaseStore::save(nlohmann::json&) const {}

uint32_t SimSign::getTimeBase(int, void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::getTimeBaseSchTable(int, int, void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::setTimeBaseSchTable(int, int, const void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::getTimeBaseDayPlanTable(int, int, int, void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::setTimeBaseDayPlanTable(int, int, int, const void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::getNumActionTableEntries(void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::getSchActionTable(int, void*, int) { return TQDMS_E_NO_SUCH_NAME; }
uint32_t SimSign::setSchActionTable(int, const void*, int) { return TQDMS_E_NO_SUCH_NAME; }

}  // namespace tqsim
