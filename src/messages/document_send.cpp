// tqSendMessage: a message document onto the sign's message table, then its
// event messages.
#include <cstring>
#include <memory>
#include <new>

#include "dmscontent/messages.h"
#include "frame/dump.h"
#include "frame/export.h"
#include "messages/events.h"
#include "messages/sign_facts.h"
#include "messages/table.h"

namespace dms {
namespace {

// Builds every record's MULTI text and writes them to
// "FromXmlToMultiString.txt". A failed build leaves the file empty; a file
// that cannot be made is skipped.
uint32_t buildAndDump(MessageSet& set, int32_t maxMultiLength) {
    DumpFile dump("FromXmlToMultiString.txt");
    for (int i = 0; i < set.count; ++i) {
        // A message saved from a sign brings its text instead of pages; it
        // must still fit this sign.
        CMessage& m = set.messages[i];
        const bool saved = m.pages == nullptr && m.multiString[0] != '\0';
        uint32_t rc = !saved ? m.BuildMulti(maxMultiLength)
                      : static_cast<int64_t>(std::strlen(m.multiString)) > maxMultiLength ? DMS_E_MULTI_TOO_LONG
                                                                                      : 0u;
        if (rc != 0) {
            dump.commit();
            return rc;
        }
    }
    if (dump.get()) {
        writeMultiDump(dump.get(), set.messages.get(), set.count);
        dump.commit();
    }
    return 0;
}

// Names the document's messages for activation and the three sign events,
// in the order activate, communications loss, long and short power loss.
uint32_t applyEvent(const MessageEvent& event) {
    const struct {
        const MessageRef& ref;
        uint8_t code;
    } order[] = {{event.activate, kEventActivate},
                 {event.communicationsLoss, kEventCommLoss},
                 {event.longPowerLoss, kEventLongPower},
                 {event.shortPowerLoss, kEventShortPower}};
    for (const auto& item : order) {
        if (item.ref.number == -1 || item.ref.memoryType == -1) continue;
        MessageTableEntry entry{};
        entry.memoryType = static_cast<uint8_t>(item.ref.memoryType);
        entry.number = static_cast<uint16_t>(item.ref.number);
        entry.eventCode = item.code;
        uint32_t rc = activateByEventCode(entry);
        if (rc != 0) return rc;
    }
    return 0;
}

}  // namespace
}  // namespace dms

DMS_API uint32_t DMS_CALL tqSendMessage(const char* path) {
    if (path == nullptr) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface*) -> uint32_t {
        std::unique_ptr<dms::MessageSet> set(new (std::nothrow) dms::MessageSet);
        if (!set || !set->ok()) return DMS_E_NO_MEMORY;
        // The sign's fonts and MULTI limit are read for this call, from the
        // sign this thread talks to.
        dms::SignFacts facts;
        dms::readSignFacts(facts);
        set->facts = &facts;
        uint32_t rc = set->ReadDocument(path);
        if (rc == 0) rc = dms::buildAndDump(*set, facts.maxMultiLength);
        if (rc == 0) rc = dms::writeMessageTable(set->messages.get(), set->count);
        if (rc == 0) rc = dms::applyEvent(*set->event);
        return rc;
    });
}
