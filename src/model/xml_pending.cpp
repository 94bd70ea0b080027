// XML conversions not written yet: every element refuses.
#include "model/section.h"

#include "dmscontent/common.h"

namespace dms {

uint32_t Picture::ToXml(tinyxml2::XMLDocument*, tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t Picture::FromXml(tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t ColorRectangle::ToXml(tinyxml2::XMLDocument*, tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t ColorRectangle::FromXml(tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t NormalText::ToXml(tinyxml2::XMLDocument*, tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t NormalText::FromXml(tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t SpecialObject::ToXml(tinyxml2::XMLDocument*, tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t SpecialObject::FromXml(tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t HexCharacter::ToXml(tinyxml2::XMLDocument*, tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t HexCharacter::FromXml(tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t MoveText::ToXml(tinyxml2::XMLDocument*, tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t MoveText::FromXml(tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t NewLine::ToXml(tinyxml2::XMLDocument*, tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t NewLine::FromXml(tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t WeatherJourneyTime::ToXml(tinyxml2::XMLDocument*, tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t WeatherJourneyTime::FromXml(tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t TextRectangle::ToXml(tinyxml2::XMLDocument*, tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t TextRectangle::FromXml(tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t PageMessage::ToXml(tinyxml2::XMLDocument*, tinyxml2::XMLElement*) { return DMS_E_INVALID; }
uint32_t PageMessage::FromXml(tinyxml2::XMLElement*) { return DMS_E_INVALID; }

}  // namespace dms
