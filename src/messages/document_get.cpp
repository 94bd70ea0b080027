// tqGetMessage: the sign's valid messages and event messages as a message
// document.
#include <memory>
#include <new>

#include "dmscontent/messages.h"
#include "frame/device.h"
#include "frame/export.h"
#include "frame/log.h"
#include "messages/sign_facts.h"
#include "messages/table.h"

namespace dms {
namespace {

uint16_t be16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

// The activated message and the three event messages. All four reads are
// made; from the first failure on, the references stay unset.
void readMessageEvent(MessageEvent& event) {
    bool ok = true;
    uint8_t code[NTCIP_ACTIVATION_CODE_SIZE] = {0};
    ok = tqGetSignControl(NTCIP_ACTIVATE_MESSAGE, code, sizeof code) == 0;
    if (ok) {
        event.activate.memoryType = code[3];
        event.activate.number = be16(code + 4);
    }
    const struct {
        int object;
        MessageRef& ref;
    } others[] = {{NTCIP_COMMUNICATIONS_LOSS_MESSAGE, event.communicationsLoss},
                  {NTCIP_SHORT_POWER_RECOVERY_MESSAGE, event.shortPowerLoss},
                  {NTCIP_LONG_POWER_RECOVERY_MESSAGE, event.longPowerLoss}};
    for (const auto& o : others) {
        uint8_t id[NTCIP_MESSAGE_ID_CODE_SIZE] = {0};
        ok = (tqGetSignControl(o.object, id, sizeof id) == 0) && ok;
        if (ok) {
            o.ref.memoryType = id[0];
            o.ref.number = be16(id + 1);
        }
    }
}

}  // namespace
}  // namespace dms

DMS_API uint32_t DMS_CALL tqGetMessage(const char* path) {
    if (path == nullptr) return DMS_E_ARGUMENT;
    return dms::runWithInterface([&](DeviceInterface*) -> uint32_t {
        std::unique_ptr<dms::MessageSet> set(new (std::nothrow) dms::MessageSet);
        if (!set || !set->ok()) return DMS_E_NO_MEMORY;
        dms::readMessageEvent(*set->event);
        // Volatile messages are saved too, so that a document saved here
        // puts back every message the event messages may name.
        if (!dms::readMessageTable(*set, 1, dms::kNoLimit) || !dms::readVolatileMessages(*set)) {
            dms::logLine(dms::kLogError, "snmp Error.");
            return DMS_E_FAILED;
        }
        // Permanent messages keep their text unparsed and have no pages.
        for (int i = 0; i < set->count; ++i) {
            dms::CMessage& m = set->messages[i];
            if (m.memoryType != NTCIP_MEM_CHANGEABLE && m.memoryType != NTCIP_MEM_VOLATILE) continue;
            uint32_t rc = m.ParseMulti();
            if (rc != 0) return rc;
        }
        dms::SignFacts facts;  // font names for the document, read from this sign
        dms::readSignFonts(facts);
        set->facts = &facts;
        return set->WriteDocument(path);
    });
}
