// Message record and document operations not written yet: all refuse.
#include "dmscontent/common.h"
#include "model/message.h"

namespace dms {

CMessage::~CMessage() { FreePages(); }
void CMessage::FreePages() {
    delete pages;
    pages = nullptr;
}
uint32_t CMessage::BuildMulti() { return DMS_E_INVALID; }
uint32_t CMessage::ParseMulti() { return DMS_E_INVALID; }
MessageSet::MessageSet() : messages(new CMessage[kCapacity]), event(new MessageEvent) {}
uint32_t MessageSet::ReadDocument(const char*) { return DMS_E_INVALID; }
uint32_t MessageSet::WriteDocument(const char*) { return DMS_E_INVALID; }

}  // namespace dms
