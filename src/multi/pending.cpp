// MULTI conversions not written yet: every element refuses.
#include "model/section.h"
#include "dmscontent/common.h"

namespace dms {

uint32_t Picture::FromMulti(const char*) { return DMS_E_INVALID; }
std::ostringstream Picture::ToMulti() { return std::ostringstream(); }
uint32_t ColorRectangle::FromMulti(const char*) { return DMS_E_INVALID; }
std::ostringstream ColorRectangle::ToMulti() { return std::ostringstream(); }
uint32_t NormalText::FromMulti(const char*) { return DMS_E_INVALID; }
std::ostringstream NormalText::ToMulti() { return std::ostringstream(); }
uint32_t SpecialObject::FromMulti(const char*) { return DMS_E_INVALID; }
std::ostringstream SpecialObject::ToMulti() { return std::ostringstream(); }
uint32_t HexCharacter::FromMulti(const char*) { return DMS_E_INVALID; }
std::ostringstream HexCharacter::ToMulti() { return std::ostringstream(); }
uint32_t MoveText::FromMulti(const char*) { return DMS_E_INVALID; }
std::ostringstream MoveText::ToMulti() { return std::ostringstream(); }
uint32_t NewLine::FromMulti(const char*) { return DMS_E_INVALID; }
std::ostringstream NewLine::ToMulti() { return std::ostringstream(); }
uint32_t WeatherJourneyTime::FromMulti(const char*) { return DMS_E_INVALID; }
std::ostringstream WeatherJourneyTime::ToMulti() { return std::ostringstream(); }
uint32_t TextRectangle::FromMulti(const char*) { return DMS_E_INVALID; }
std::ostringstream TextRectangle::ToMulti() { return std::ostringstream(); }
uint32_t PageMessage::FromMulti(const char*) { return DMS_E_INVALID; }
std::ostringstream PageMessage::ToMulti() { return std::ostringstream(); }

}  // namespace dms
