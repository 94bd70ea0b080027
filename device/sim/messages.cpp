#include "messages.h"

#include <nlohmann/json.hpp>

#include <cstring>
#include <stdexcept>

#include "../bytes.h"
#include "multi_check.h"
#include "sign.h"

namespace tqsim {
namespace {

template <size_t N>
std::string hexOf(const std::array<uint8_t, N>& a) {
    return tqdms::toHex(a.data(), a.size());
}

template <size_t N>
void hexInto(const nlohmann::json& j, const char* key, std::array<uint8_t, N>& a) {
    if (!j.contains(key)) return;
    std::string bytes;
    if (!tqdms::fromHex(j.at(key).get<std::string>(), bytes) || bytes.size() != N)
        throw std::invalid_argument(key);
    std::memcpy(a.data(), bytes.data(), N);
}

// The blank message (7, 1) as a message ID code.
const std::array<uint8_t, 5> kBlankId = {7, 0, 1, 0, 0};

}  // namespace

MessageStore::MessageStore() {
    activated = {0xFF, 0xFF, 255, 7, 0, 1, 0, 0, 0, 0, 0, 0};  // blank, for ever
    doorOpen = commLoss = shortPower = longPower = kBlankId;
}

int MessageStore::count(int memoryType) const {
    int n = 0;
    for (const auto& kv : rows)
        if (kv.first.first == memoryType && kv.second.status != kMsgNotUsed) ++n;
    return n;
}

const MessageRow* MessageStore::find(int memoryType, int number) const {
    auto it = rows.find({memoryType, number});
    return it == rows.end() ? nullptr : &it->second;
}

bool MessageStore::isActivated(int memoryType, int number) const {
    return activated[3] == memoryType && ((activated[4] << 8) | activated[5]) == number;
}

void MessageStore::load(const nlohmann::json& state) {
    rows.clear();
    if (state.contains("messages")) {
        for (const nlohmann::json& j : state.at("messages")) {
            int type = j.at("type").get<int>();
            int number = j.at("number").get<int>();
            if (type < 2 || type > 4 || number < 1 || number > 65535) throw std::invalid_argument("message row");
            MessageRow r;
            r.multi = j.value("multi", "");
            r.owner = j.value("owner", "");
            r.beacon = j.value("beacon", 0);
            r.pixelService = j.value("pixelService", 0);
            r.priority = j.value("priority", 1);
            r.status = j.value("status", kMsgValid);
            if (r.status < kMsgNotUsed || r.status > kMsgError) throw std::invalid_argument("message status");
            r.crc = j.contains("crc") ? j.at("crc").get<uint16_t>() : messageCrc(r.multi, r.beacon, r.pixelService);
            rows[{type, number}] = r;
        }
    }
    if (state.contains("control")) {
        const nlohmann::json& c = state.at("control");
        hexInto(c, "activated", activated);
        hexInto(c, "doorOpen", doorOpen);
        hexInto(c, "commLoss", commLoss);
        hexInto(c, "shortPower", shortPower);
        hexInto(c, "longPower", longPower);
        validateError = c.value("validateError", 2u);
        syntaxError = c.value("syntaxError", 2u);
        activateError = c.value("activateError", 2u);
    }
}

void MessageStore::save(nlohmann::json& state) const {
    nlohmann::json arr = nlohmann::json::array();
    for (const auto& kv : rows) {
        const MessageRow& r = kv.second;
        // A request still pending is saved as the state it leads to.
        int status = r.pendingStatus != 0 ? r.pendingStatus : r.status;
        if (status == kMsgNotUsed) continue;
        arr.push_back({{"type", kv.first.first}, {"number", kv.first.second}, {"multi", r.multi},
                       {"owner", r.owner}, {"beacon", r.beacon}, {"pixelService", r.pixelService},
                       {"priority", r.priority}, {"status", status}, {"crc", r.crc}});
    }
    state["messages"] = arr;
    state["control"] = {{"activated", hexOf(activated)}, {"doorOpen", hexOf(doorOpen)},
                        {"commLoss", hexOf(commLoss)},   {"shortPower", hexOf(shortPower)},
                        {"longPower", hexOf(longPower)}, {"validateError", validateError},
                        {"syntaxError", syntaxError},    {"activateError", activateError}};
}

namespace {

// Rows that can be changed: changeable and volatile rows within the limits.
uint32_t checkWritableRow(const Limits& l, int memoryType, int number) {
    if (memoryType == 2 || (memoryType >= 5 && memoryType <= 7)) return TQDMS_E_READ_ONLY;
    int max = memoryType == 3 ? l.maxChangeable : memoryType == 4 ? l.maxVolatile : -1;
    if (max < 0) return TQDMS_E_BAD_VALUE;
    if (number < 1 || number > max) return TQDMS_E_NO_SUCH_NAME;
    return TQDMS_OK;
}

}  // namespace

// Finishes a validation: the row becomes valid with its CRC, or error with
// the validation and syntax errors set.
static void validateRow(SimSign& s, MessageRow& row) {
    MultiCheck check;
    check.maxLength = s.limits.maxMultiLength;
    check.hasFont = [&s](int n) { return s.fonts.hasFont(n); };
    check.hasGraphic = [&s](int n) { return s.graphics.hasGraphic(n); };
    int syntax = checkMulti(row.multi, check);
    uint32_t error = 2;
    if (row.beacon > 1) error = 3;
    else if (row.pixelService > 1) error = 4;
    else if (syntax != 2) error = 5;
    s.messages.validateError = error;
    s.messages.syntaxError = static_cast<uint32_t>(syntax);
    if (error == 2) {
        row.status = kMsgValid;
        row.crc = messageCrc(row.multi, row.beacon, row.pixelService);
    } else {
        row.status = kMsgError;
        row.crc = 0;
    }
}

static void completeRequest(SimSign& s, MessageRow& row, uint8_t target) {
    row.pendingStatus = 0;
    row.pendingReads = 0;
    if (target == kMsgModifying) {
        row.status = kMsgModifying;
    } else if (target == kMsgValidating) {
        validateRow(s, row);
    } else {
        row = MessageRow();
    }
}

// dmsMessage objects: 1 dmsNumPermanentMsg, 2 dmsNumChangeableMsg,
// 3 dmsMaxChangeableMsg, 4 dmsFreeChangeableMemory, 5 dmsNumVolatileMsg,
// 6 dmsMaxVolatileMsg, 7 dmsFreeVolatileMemory, 9 dmsValidateMessageError.
uint32_t SimSign::getMsgInfo(int object, void* buf, int len) {
    if (len != 4) return TQDMS_E_BAD_VALUE;
    auto freeMemory = [&](int type, int total) {
        long used = 0;
        for (const auto& kv : messages.rows)
            if (kv.first.first == type && kv.second.status != kMsgNotUsed)
                used += static_cast<long>(kv.second.multi.size());
        return total > used ? total - used : 0;
    };
    switch (object) {
    case 1: return tqdms::putInt(buf, len, messages.count(2));
    case 2: return tqdms::putInt(buf, len, messages.count(3));
    case 3: return tqdms::putInt(buf, len, limits.maxChangeable);
    case 4: return tqdms::putInt(buf, len, freeMemory(3, limits.changeableMemory));
    case 5: return tqdms::putInt(buf, len, messages.count(4));
    case 6: return tqdms::putInt(buf, len, limits.maxVolatile);
    case 7: return tqdms::putInt(buf, len, freeMemory(4, limits.volatileMemory));
    case 9: return tqdms::putInt(buf, len, messages.validateError);
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

// dmsMultiCfg: 16 dmsMaxMultiStringLength.
uint32_t SimSign::getMultiCfg(int object, void* buf, int len) {
    if (len != 4) return TQDMS_E_BAD_VALUE;
    if (object != 16) return TQDMS_E_NO_SUCH_NAME;
    return tqdms::putInt(buf, len, limits.maxMultiLength);
}

uint32_t SimSign::getMsgTable(int memoryType, int number, int column, void* buf, int len) {
    MessageRow view;
    MessageRow* row = &view;
    switch (memoryType) {
    case 2: {
        auto it = messages.rows.find({2, number});
        if (it == messages.rows.end()) return TQDMS_E_NO_SUCH_NAME;
        row = &it->second;
        break;
    }
    case 3:
    case 4: {
        uint32_t rc = checkWritableRow(limits, memoryType, number);
        if (rc != TQDMS_OK) return rc;
        row = &messages.rows[{memoryType, number}];
        break;
    }
    case 5:  // the current buffer shows the activated message
    case 6:  // the scheduler's message
    case 7:  // blank messages, one per priority level
        if (number < 1 || number > (memoryType == 7 ? 255 : 1)) return TQDMS_E_NO_SUCH_NAME;
        view.status = kMsgValid;
        if (memoryType == 5) {
            const auto& a = messages.activated;
            if (const MessageRow* shown = messages.find(a[3], (a[4] << 8) | a[5])) view = *shown;
            view.status = kMsgValid;
        }
        break;
    default:
        return TQDMS_E_NO_SUCH_NAME;
    }
    switch (column) {
    case 1: return tqdms::putInt(buf, len, memoryType);
    case 2: return tqdms::putInt(buf, len, number);
    case 3: return tqdms::putText(buf, len, row->multi);
    case 4: return tqdms::putText(buf, len, row->owner);
    case 5: return tqdms::putInt(buf, len, row->crc);
    case 6: return tqdms::putInt(buf, len, row->beacon);
    case 7: return tqdms::putInt(buf, len, row->pixelService);
    case 8: return tqdms::putInt(buf, len, row->priority);
    case 9:
        if (row->pendingReads > 0 && --row->pendingReads == 0) completeRequest(*this, *row, row->pendingStatus);
        return tqdms::putInt(buf, len, row->status);
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

uint32_t SimSign::setMsgTable(int memoryType, int number, int column, const void* buf, int len) {
    uint32_t rc = checkWritableRow(limits, memoryType, number);
    if (rc != TQDMS_OK) return rc;
    MessageRow& row = messages.rows[{memoryType, number}];
    uint32_t v = 0;
    bool isInt = tqdms::getUInt(buf, len, v);
    if (column == 9) {
        if (!isInt) return TQDMS_E_BAD_VALUE;
        uint8_t target;
        switch (v) {
        case kMsgModifyReq: target = kMsgModifying; break;
        case kMsgValidateReq:
            if (row.status != kMsgModifying) return TQDMS_E_GEN_ERR;
            target = kMsgValidating;
            break;
        case kMsgNotUsedReq: target = kMsgNotUsed; break;
        default: return TQDMS_E_BAD_VALUE;
        }
        // The message on display may not be changed or removed.
        if (v != kMsgValidateReq && messages.isActivated(memoryType, number)) return TQDMS_E_GEN_ERR;
        if (limits.pollLatency > 0) {
            row.status = static_cast<uint8_t>(v);
            row.pendingStatus = target;
            row.pendingReads = limits.pollLatency;
        } else {
            completeRequest(*this, row, target);
        }
        return TQDMS_OK;
    }
    if (column == 1 || column == 2 || column == 5) return TQDMS_E_READ_ONLY;
    if (column < 1 || column > 9) return TQDMS_E_NO_SUCH_NAME;
    if (row.status != kMsgModifying) return TQDMS_E_GEN_ERR;  // columns change only while modifying
    switch (column) {
    case 3: {
        std::string text = tqdms::getText(buf, len);
        if (text.size() > static_cast<size_t>(limits.maxMultiLength)) return TQDMS_E_BAD_VALUE;
        row.multi = text;
        return TQDMS_OK;
    }
    case 4: {
        std::string text = tqdms::getText(buf, len);
        if (text.size() > 127) return TQDMS_E_BAD_VALUE;
        row.owner = text;
        return TQDMS_OK;
    }
    case 6:
    case 7:
        if (!isInt || v > 1) return TQDMS_E_BAD_VALUE;
        (column == 6 ? row.beacon : row.pixelService) = static_cast<uint8_t>(v);
        return TQDMS_OK;
    default:  // 8, run-time priority
        if (!isInt || v < 1 || v > 255) return TQDMS_E_BAD_VALUE;
        row.priority = static_cast<uint8_t>(v);
        return TQDMS_OK;
    }
}

// Takes the row to modifying, writes it and validates it in one exchange.
// A message that fails validation is stored with status error and the
// validation (and syntax) errors set: the call itself succeeds.
uint32_t SimSign::define1Message(int memoryType, int number, int beacon, int pixelService, int priority,
                                 const char* owner, const char* multi) {
    uint32_t rc = checkWritableRow(limits, memoryType, number);
    if (rc != TQDMS_OK) return rc;
    if (messages.isActivated(memoryType, number)) return TQDMS_E_GEN_ERR;
    std::string text(multi);
    std::string who(owner);
    if (who.size() > 127) return TQDMS_E_BAD_VALUE;
    MessageRow& row = messages.rows[{memoryType, number}];
    row = MessageRow();
    row.multi = text;
    row.owner = who;
    row.beacon = static_cast<uint8_t>(beacon < 0 || beacon > 255 ? 255 : beacon);
    row.pixelService = static_cast<uint8_t>(pixelService < 0 || pixelService > 255 ? 255 : pixelService);
    row.priority = static_cast<uint8_t>(priority);
    validateRow(*this, row);
    return TQDMS_OK;
}

namespace {

uint16_t be16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

// A message ID code names something the sign can show: blank, or a valid row.
bool namesShowable(const MessageStore& m, const Limits& l, const uint8_t* id) {
    int type = id[0];
    int number = be16(id + 1);
    if (type == 7) return number >= 1 && number <= 255;
    if (type == 6) return number == 1;
    const MessageRow* row = m.find(type, number);
    if (!row || row->status != kMsgValid) return false;
    uint16_t crc = be16(id + 3);
    return crc == row->crc || (crc == 0 && !l.strictCrc);
}

}  // namespace

// Activation record in host order: duration 16, priority 8, memory type 8,
// number 16, CRC 16, source address 32. A CRC of 0 stands for the stored
// message's CRC unless the sign is strict (strictCrc).
uint32_t SimSign::activeMessage(const uint8_t* a) {
    uint16_t duration, number, crc;
    uint32_t address;
    std::memcpy(&duration, a, 2);
    uint8_t priority = a[2];
    uint8_t type = a[3];
    std::memcpy(&number, a + 4, 2);
    std::memcpy(&crc, a + 6, 2);
    std::memcpy(&address, a + 8, 4);
    uint8_t id[5] = {type, static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number),
                     static_cast<uint8_t>(crc >> 8), static_cast<uint8_t>(crc)};
    if (type < 2 || type > 7 || type == 5) {
        messages.activateError = 5;  // messageMemoryType
        return TQDMS_E_GEN_ERR;
    }
    if (!namesShowable(messages, limits, id)) {
        const MessageRow* row = messages.find(type, number);
        messages.activateError = (type >= 6) ? 6 : (row && row->status == kMsgValid) ? 7 : 4;
        return TQDMS_E_GEN_ERR;
    }
    uint8_t* out = messages.activated.data();
    out[0] = static_cast<uint8_t>(duration >> 8);
    out[1] = static_cast<uint8_t>(duration);
    out[2] = priority;
    std::memcpy(out + 3, id, 5);
    out[8] = static_cast<uint8_t>(address >> 24);
    out[9] = static_cast<uint8_t>(address >> 16);
    out[10] = static_cast<uint8_t>(address >> 8);
    out[11] = static_cast<uint8_t>(address);
    messages.activateError = 2;
    return TQDMS_OK;
}

namespace {

std::array<uint8_t, 5>* eventSlot(MessageStore& m, int object) {
    switch (object) {
    case 8: return &m.shortPower;
    case 9: return &m.longPower;
    case 12: return &m.commLoss;
    default: return nullptr;
    }
}

uint32_t getId(const std::array<uint8_t, 5>& id, void* buf, int len) {
    if (len != 5) return TQDMS_E_BAD_VALUE;
    std::memcpy(buf, id.data(), 5);
    return TQDMS_OK;
}

uint32_t setId(const MessageStore& m, const Limits& l, std::array<uint8_t, 5>& id, const void* buf, int len) {
    if (len != 5) return TQDMS_E_BAD_VALUE;
    if (!namesShowable(m, l, static_cast<const uint8_t*>(buf))) return TQDMS_E_BAD_VALUE;
    std::memcpy(id.data(), buf, 5);
    return TQDMS_OK;
}

}  // namespace

// Sign control: 3 dmsMsgTableSource/activated message (12 bytes), 8 short
// and 9 long power recovery, 12 communications loss message (5 bytes each),
// 17 activation error, 18 MULTI syntax error (4 bytes each).
uint32_t SimSign::getSignControl(int object, void* buf, int len) {
    if (object == 3) {
        if (len != 12) return TQDMS_E_BAD_VALUE;
        std::memcpy(buf, messages.activated.data(), 12);
        return TQDMS_OK;
    }
    if (object == 17 || object == 18) {
        if (len != 4) return TQDMS_E_BAD_VALUE;
        return tqdms::putInt(buf, len, object == 17 ? messages.activateError : messages.syntaxError);
    }
    std::array<uint8_t, 5>* slot = eventSlot(messages, object);
    return slot ? getId(*slot, buf, len) : TQDMS_E_NO_SUCH_NAME;
}

uint32_t SimSign::setSignControl(int object, const void* buf, int len) {
    if (object == 3 || object == 17 || object == 18) return TQDMS_E_READ_ONLY;
    std::array<uint8_t, 5>* slot = eventSlot(messages, object);
    return slot ? setId(messages, limits, *slot, buf, len) : TQDMS_E_NO_SUCH_NAME;
}

uint32_t SimSign::getDoorOpen(void* buf, int len) { return getId(messages.doorOpen, buf, len); }

uint32_t SimSign::setDoorOpen(const void* buf, int len) {
    return setId(messages, limits, messages.doorOpen, buf, len);
}

}  // namespace tqsim
