#include "messages.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstring>
#include <iterator>
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

// An integer in min..max, when the key is there.
void rangedInto(const nlohmann::json& j, const char* key, int64_t min, int64_t max, uint32_t& out) {
    if (!j.contains(key)) return;
    const nlohmann::json& v = j.at(key);
    if (!v.is_number_integer()) throw std::invalid_argument(key);
    int64_t n = v.get<int64_t>();
    if (n < min || n > max || (v.is_number_unsigned() && v.get<uint64_t>() > static_cast<uint64_t>(max)))
        throw std::invalid_argument(key);
    out = static_cast<uint32_t>(n);
}

// The blank message of priority 1 as a message ID code.
const MessageId kBlankId = {NTCIP_MEM_BLANK, 0, 1, 0, 0};

}  // namespace

MessageStore::MessageStore() {
    activated = {0xFF, 0xFF, 255, NTCIP_MEM_BLANK, 0, 1, 0, 0, 0, 0, 0, 0};  // blank, for ever
    doorOpen = commLoss = shortPower = longPower = reset = powerLoss = endDuration = kBlankId;
    activateErrorCode = kBlankId;
}

int MessageStore::count(int memoryType) const {
    int n = 0;
    for (const auto& kv : rows)
        if (kv.first.first == memoryType && kv.second.status != NTCIP_MSG_NOT_USED) ++n;
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
            if (type < NTCIP_MEM_PERMANENT || type > NTCIP_MEM_VOLATILE || number < 1 || number > 65535)
                throw std::invalid_argument("message row");
            MessageRow r;
            r.multi = j.value("multi", "");
            r.owner = j.value("owner", "");
            r.beacon = j.value("beacon", 0);
            r.pixelService = j.value("pixelService", 0);
            r.priority = j.value("priority", 1);
            r.status = j.value("status", NTCIP_MSG_VALID);
            if (r.status < NTCIP_MSG_NOT_USED || r.status > NTCIP_MSG_ERROR) throw std::invalid_argument("message status");
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
        hexInto(c, "reset", reset);
        hexInto(c, "powerLoss", powerLoss);
        hexInto(c, "endDuration", endDuration);
        hexInto(c, "activateErrorMsgCode", activateErrorCode);
        validateError = c.value("validateError", static_cast<uint32_t>(NTCIP_VALIDATE_NONE));
        syntaxError = c.value("syntaxError", static_cast<uint32_t>(NTCIP_MULTI_NONE));
        activateError = c.value("activateError", static_cast<uint32_t>(NTCIP_ACTIVATE_NONE));
        rangedInto(c, "controlMode", NTCIP_CONTROL_OTHER, NTCIP_CONTROL_SIMULATION, controlMode);
        rangedInto(c, "timeCommLoss", 0, 65535, timeCommLoss);
        rangedInto(c, "syntaxErrorPosition", 0, 65535, syntaxErrorPosition);
    }
}

void MessageStore::save(nlohmann::json& state) const {
    nlohmann::json arr = nlohmann::json::array();
    for (const auto& kv : rows) {
        const MessageRow& r = kv.second;
        // A request still pending is saved as the state it leads to.
        int status = r.pendingStatus != 0 ? r.pendingStatus : r.status;
        if (status == NTCIP_MSG_NOT_USED) continue;
        arr.push_back({{"type", kv.first.first}, {"number", kv.first.second}, {"multi", r.multi},
                       {"owner", r.owner}, {"beacon", r.beacon}, {"pixelService", r.pixelService},
                       {"priority", r.priority}, {"status", status}, {"crc", r.crc}});
    }
    state["messages"] = arr;
    state["control"] = {{"activated", hexOf(activated)}, {"doorOpen", hexOf(doorOpen)},
                        {"commLoss", hexOf(commLoss)},   {"shortPower", hexOf(shortPower)},
                        {"longPower", hexOf(longPower)}, {"validateError", validateError},
                        {"syntaxError", syntaxError},    {"activateError", activateError},
                        {"reset", hexOf(reset)},         {"powerLoss", hexOf(powerLoss)},
                        {"endDuration", hexOf(endDuration)},
                        {"activateErrorMsgCode", hexOf(activateErrorCode)},
                        {"controlMode", controlMode},    {"timeCommLoss", timeCommLoss},
                        {"syntaxErrorPosition", syntaxErrorPosition}};
}

namespace {

// Rows that can be changed: changeable and volatile rows within the limits.
uint32_t checkWritableRow(const Limits& l, int memoryType, int number) {
    if (memoryType == NTCIP_MEM_PERMANENT || (memoryType >= NTCIP_MEM_CURRENT_BUFFER && memoryType <= NTCIP_MEM_BLANK))
        return TQDMS_E_READ_ONLY;
    int max = memoryType == NTCIP_MEM_CHANGEABLE ? l.maxChangeable
              : memoryType == NTCIP_MEM_VOLATILE ? l.maxVolatile
                                                 : -1;
    if (max < 0) return TQDMS_E_BAD_VALUE;
    if (number < 1 || number > max) return TQDMS_E_NO_SUCH_NAME;
    return TQDMS_OK;
}

}  // namespace

// Finishes a validation: the row becomes valid with its CRC, or error with
// the validation and syntax errors set.
static void validateRow(SimSign& s, MessageRow& row) {
    size_t position = 0;
    int syntax = checkMulti(row.multi, multiCheckOf(s), &position);
    uint32_t error = NTCIP_VALIDATE_NONE;
    if (row.beacon > 1) error = NTCIP_VALIDATE_BEACONS;
    else if (row.pixelService > 1) error = NTCIP_VALIDATE_PIXEL_SERVICE;
    else if (syntax != NTCIP_MULTI_NONE) error = NTCIP_VALIDATE_SYNTAX_MULTI;
    s.messages.validateError = error;
    s.messages.syntaxError = static_cast<uint32_t>(syntax);
    s.messages.syntaxErrorPosition = static_cast<uint32_t>(position);
    if (error == NTCIP_VALIDATE_NONE) {
        row.status = NTCIP_MSG_VALID;
        row.crc = messageCrc(row.multi, row.beacon, row.pixelService);
    } else {
        row.status = NTCIP_MSG_ERROR;
        row.crc = 0;
    }
}

static void completeRequest(SimSign& s, MessageRow& row, uint8_t target) {
    row.pendingStatus = 0;
    row.pending.clear();
    if (target == NTCIP_MSG_MODIFYING) {
        row.status = NTCIP_MSG_MODIFYING;
    } else if (target == NTCIP_MSG_VALIDATING) {
        validateRow(s, row);
    } else {
        row = MessageRow();
    }
}

// dmsMessage objects.
uint32_t SimSign::getMsgInfo(int object, void* buf, int len) {
    if (len != 4) return TQDMS_E_BAD_VALUE;
    auto freeMemory = [&](int type, int total) {
        long used = 0;
        for (const auto& kv : messages.rows)
            if (kv.first.first == type && kv.second.status != NTCIP_MSG_NOT_USED)
                used += static_cast<long>(kv.second.multi.size());
        return total > used ? total - used : 0;
    };
    switch (object) {
    case NTCIP_NUM_PERMANENT_MSG: return tqdms::putInt(buf, len, messages.count(NTCIP_MEM_PERMANENT));
    case NTCIP_NUM_CHANGEABLE_MSG: return tqdms::putInt(buf, len, messages.count(NTCIP_MEM_CHANGEABLE));
    case NTCIP_MAX_CHANGEABLE_MSG: return tqdms::putInt(buf, len, limits.maxChangeable);
    case NTCIP_FREE_CHANGEABLE_MEMORY:
        return tqdms::putInt(buf, len, freeMemory(NTCIP_MEM_CHANGEABLE, limits.changeableMemory));
    case NTCIP_NUM_VOLATILE_MSG: return tqdms::putInt(buf, len, messages.count(NTCIP_MEM_VOLATILE));
    case NTCIP_MAX_VOLATILE_MSG: return tqdms::putInt(buf, len, limits.maxVolatile);
    case NTCIP_FREE_VOLATILE_MEMORY:
        return tqdms::putInt(buf, len, freeMemory(NTCIP_MEM_VOLATILE, limits.volatileMemory));
    case NTCIP_VALIDATE_MESSAGE_ERROR: return tqdms::putInt(buf, len, messages.validateError);
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

uint32_t SimSign::getMsgTable(int memoryType, int number, int column, void* buf, int len) {
    MessageRow view;
    MessageRow* row = &view;
    switch (memoryType) {
    case NTCIP_MEM_PERMANENT: {
        auto it = messages.rows.find({NTCIP_MEM_PERMANENT, number});
        if (it == messages.rows.end()) return TQDMS_E_NO_SUCH_NAME;
        row = &it->second;
        break;
    }
    case NTCIP_MEM_CHANGEABLE:
    case NTCIP_MEM_VOLATILE: {
        uint32_t rc = checkWritableRow(limits, memoryType, number);
        if (rc != TQDMS_OK) return rc;
        row = &messages.rows[{memoryType, number}];
        break;
    }
    case NTCIP_MEM_CURRENT_BUFFER:  // shows the activated message
    case NTCIP_MEM_SCHEDULE:        // the scheduler's message
    case NTCIP_MEM_BLANK:           // blank messages, one per priority level
        if (number < 1 || number > (memoryType == NTCIP_MEM_BLANK ? 255 : 1)) return TQDMS_E_NO_SUCH_NAME;
        view.status = NTCIP_MSG_VALID;
        if (memoryType == NTCIP_MEM_CURRENT_BUFFER) {
            const auto& a = messages.activated;
            if (const MessageRow* shown = messages.find(a[3], (a[4] << 8) | a[5])) view = *shown;
            view.status = NTCIP_MSG_VALID;
        }
        break;
    default:
        return TQDMS_E_NO_SUCH_NAME;
    }
    switch (column) {
    case NTCIP_MSG_MEMORY_TYPE: return tqdms::putInt(buf, len, memoryType);
    case NTCIP_MSG_NUMBER: return tqdms::putInt(buf, len, number);
    case NTCIP_MSG_MULTI_STRING: return tqdms::putText(buf, len, row->multi);
    case NTCIP_MSG_OWNER: return tqdms::putText(buf, len, row->owner);
    case NTCIP_MSG_CRC: return tqdms::putInt(buf, len, row->crc);
    case NTCIP_MSG_BEACON: return tqdms::putInt(buf, len, row->beacon);
    case NTCIP_MSG_PIXEL_SERVICE: return tqdms::putInt(buf, len, row->pixelService);
    case NTCIP_MSG_RUN_TIME_PRIORITY: return tqdms::putInt(buf, len, row->priority);
    case NTCIP_MSG_STATUS:
        if (row->pending.done()) completeRequest(*this, *row, row->pendingStatus);
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
    if (column == NTCIP_MSG_STATUS) {
        if (!isInt) return TQDMS_E_BAD_VALUE;
        uint8_t target;
        switch (v) {
        case NTCIP_MSG_MODIFY_REQ: target = NTCIP_MSG_MODIFYING; break;
        case NTCIP_MSG_VALIDATE_REQ:
            if (row.status != NTCIP_MSG_MODIFYING) return TQDMS_E_GEN_ERR;
            target = NTCIP_MSG_VALIDATING;
            break;
        case NTCIP_MSG_NOT_USED_REQ: target = NTCIP_MSG_NOT_USED; break;
        default: return TQDMS_E_BAD_VALUE;
        }
        // The message on display may not be changed or removed.
        if (v != NTCIP_MSG_VALIDATE_REQ && messages.isActivated(memoryType, number)) return TQDMS_E_GEN_ERR;
        if (limits.slow()) {
            row.status = static_cast<uint8_t>(v);
            row.pendingStatus = target;
            row.pending.start(limits);
        } else {
            completeRequest(*this, row, target);
        }
        return TQDMS_OK;
    }
    if (column == NTCIP_MSG_MEMORY_TYPE || column == NTCIP_MSG_NUMBER || column == NTCIP_MSG_CRC)
        return TQDMS_E_READ_ONLY;
    if (column < NTCIP_MSG_MEMORY_TYPE || column > NTCIP_MSG_STATUS) return TQDMS_E_NO_SUCH_NAME;
    if (row.status != NTCIP_MSG_MODIFYING) return TQDMS_E_GEN_ERR;  // columns change only while modifying
    switch (column) {
    case NTCIP_MSG_MULTI_STRING: {
        std::string text = tqdms::getText(buf, len);
        if (text.size() > static_cast<size_t>(limits.maxMultiLength)) return TQDMS_E_BAD_VALUE;
        row.multi = text;
        return TQDMS_OK;
    }
    case NTCIP_MSG_OWNER: {
        std::string text = tqdms::getText(buf, len);
        if (text.size() > 127) return TQDMS_E_BAD_VALUE;
        row.owner = text;
        return TQDMS_OK;
    }
    case NTCIP_MSG_BEACON:
    case NTCIP_MSG_PIXEL_SERVICE:
        if (!isInt || v > 1) return TQDMS_E_BAD_VALUE;
        (column == NTCIP_MSG_BEACON ? row.beacon : row.pixelService) = static_cast<uint8_t>(v);
        return TQDMS_OK;
    default:  // NTCIP_MSG_RUN_TIME_PRIORITY
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
    if (type == NTCIP_MEM_BLANK) return number >= 1 && number <= 255;
    if (type == NTCIP_MEM_SCHEDULE) return number == 1;
    const MessageRow* row = m.find(type, number);
    if (!row || row->status != NTCIP_MSG_VALID) return false;
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
    const MessageId id = {type, static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number),
                          static_cast<uint8_t>(crc >> 8), static_cast<uint8_t>(crc)};
    // A refusal keeps its reason and the message it was for.
    auto refuse = [&](uint32_t error) {
        messages.activateError = error;
        messages.activateErrorCode = id;
        return TQDMS_E_GEN_ERR;
    };
    if (messages.controlMode == NTCIP_CONTROL_LOCAL) return refuse(NTCIP_ACTIVATE_LOCAL_MODE);
    if (type < NTCIP_MEM_PERMANENT || type > NTCIP_MEM_BLANK || type == NTCIP_MEM_CURRENT_BUFFER)
        return refuse(NTCIP_ACTIVATE_MESSAGE_MEMORY_TYPE);
    if (!namesShowable(messages, limits, id.data())) {
        const MessageRow* row = messages.find(type, number);
        return refuse((type >= NTCIP_MEM_SCHEDULE)                      ? NTCIP_ACTIVATE_MESSAGE_NUMBER
                      : (row && row->status == NTCIP_MSG_VALID) ? NTCIP_ACTIVATE_MESSAGE_CRC
                                                                : NTCIP_ACTIVATE_MESSAGE_STATUS);
    }
    uint8_t* out = messages.activated.data();
    out[0] = static_cast<uint8_t>(duration >> 8);
    out[1] = static_cast<uint8_t>(duration);
    out[2] = priority;
    std::memcpy(out + 3, id.data(), id.size());
    out[8] = static_cast<uint8_t>(address >> 24);
    out[9] = static_cast<uint8_t>(address >> 16);
    out[10] = static_cast<uint8_t>(address >> 8);
    out[11] = static_cast<uint8_t>(address);
    messages.activateError = NTCIP_ACTIVATE_NONE;
    return TQDMS_OK;
}

namespace {

MessageId* eventSlot(MessageStore& m, int object) {
    switch (object) {
    case NTCIP_SHORT_POWER_RECOVERY_MESSAGE: return &m.shortPower;
    case NTCIP_LONG_POWER_RECOVERY_MESSAGE: return &m.longPower;
    case NTCIP_COMMUNICATIONS_LOSS_MESSAGE: return &m.commLoss;
    case NTCIP_RESET_MESSAGE: return &m.reset;
    case NTCIP_POWER_LOSS_MESSAGE: return &m.powerLoss;
    case NTCIP_END_DURATION_MESSAGE: return &m.endDuration;
    default: return nullptr;
    }
}

uint32_t getId(const MessageId& id, void* buf, int len) {
    if (len != NTCIP_MESSAGE_ID_CODE_SIZE) return TQDMS_E_BAD_VALUE;
    std::memcpy(buf, id.data(), id.size());
    return TQDMS_OK;
}

uint32_t setId(const MessageStore& m, const Limits& l, MessageId& id, const void* buf, int len) {
    if (len != NTCIP_MESSAGE_ID_CODE_SIZE) return TQDMS_E_BAD_VALUE;
    if (!namesShowable(m, l, static_cast<const uint8_t*>(buf))) return TQDMS_E_BAD_VALUE;
    std::memcpy(id.data(), buf, id.size());
    return TQDMS_OK;
}

// dmsMemoryMgmt clearing one memory type: every row of that type is freed,
// unless the activated message is one of them.
uint32_t clearMemory(MessageStore& m, int memoryType) {
    if (m.activated[3] == memoryType) return TQDMS_E_GEN_ERR;
    for (auto it = m.rows.begin(); it != m.rows.end();)
        it = it->first.first == memoryType ? m.rows.erase(it) : std::next(it);
    return TQDMS_OK;
}

uint32_t setMemoryMgmt(MessageStore& m, uint32_t v) {
    switch (v) {
    case NTCIP_MEMORY_NORMAL: return TQDMS_OK;
    case NTCIP_MEMORY_CLEAR_CHANGEABLE: return clearMemory(m, NTCIP_MEM_CHANGEABLE);
    case NTCIP_MEMORY_CLEAR_VOLATILE: return clearMemory(m, NTCIP_MEM_VOLATILE);
    default: return TQDMS_E_BAD_VALUE;
    }
}

}  // namespace

// Sign control: the control mode, the activated message (activation code),
// the event messages (message ID codes), the communications loss time,
// memory management (reads normal), the activation and MULTI syntax errors
// (4 bytes each), the syntax error position and the message of the last
// refused activation.
uint32_t SimSign::getSignControl(int object, void* buf, int len) {
    switch (object) {
    case NTCIP_ACTIVATE_MESSAGE:
        if (len != NTCIP_ACTIVATION_CODE_SIZE) return TQDMS_E_BAD_VALUE;
        std::memcpy(buf, messages.activated.data(), messages.activated.size());
        return TQDMS_OK;
    case NTCIP_ACTIVATE_MSG_ERROR:
    case NTCIP_MULTI_SYNTAX_ERROR:
        if (len != 4) return TQDMS_E_BAD_VALUE;
        return tqdms::putInt(buf, len,
                             object == NTCIP_ACTIVATE_MSG_ERROR ? messages.activateError : messages.syntaxError);
    case NTCIP_CONTROL_MODE: return tqdms::putInt(buf, len, messages.controlMode);
    case NTCIP_TIME_COMM_LOSS: return tqdms::putInt(buf, len, messages.timeCommLoss);
    case NTCIP_MEMORY_MGMT: return tqdms::putInt(buf, len, NTCIP_MEMORY_NORMAL);
    case NTCIP_MULTI_SYNTAX_ERROR_POSITION: return tqdms::putInt(buf, len, messages.syntaxErrorPosition);
    case NTCIP_ACTIVATE_ERROR_MSG_CODE: return getId(messages.activateErrorCode, buf, len);
    default: {
        MessageId* slot = eventSlot(messages, object);
        return slot ? getId(*slot, buf, len) : TQDMS_E_NO_SUCH_NAME;
    }
    }
}

uint32_t SimSign::setSignControl(int object, const void* buf, int len) {
    uint32_t v = 0;
    switch (object) {
    case NTCIP_ACTIVATE_MESSAGE:
    case NTCIP_ACTIVATE_MSG_ERROR:
    case NTCIP_MULTI_SYNTAX_ERROR:
    case NTCIP_MULTI_SYNTAX_ERROR_POSITION:
    case NTCIP_ACTIVATE_ERROR_MSG_CODE:
        return TQDMS_E_READ_ONLY;
    case NTCIP_CONTROL_MODE:
        if (!tqdms::getUInt(buf, len, v) || v < NTCIP_CONTROL_OTHER || v > NTCIP_CONTROL_SIMULATION)
            return TQDMS_E_BAD_VALUE;
        messages.controlMode = v;
        return TQDMS_OK;
    case NTCIP_TIME_COMM_LOSS:
        if (!tqdms::getUInt(buf, len, v) || v > 65535) return TQDMS_E_BAD_VALUE;
        messages.timeCommLoss = v;
        return TQDMS_OK;
    case NTCIP_MEMORY_MGMT:
        if (!tqdms::getUInt(buf, len, v)) return TQDMS_E_BAD_VALUE;
        return setMemoryMgmt(messages, v);
    default: {
        MessageId* slot = eventSlot(messages, object);
        return slot ? setId(messages, limits, *slot, buf, len) : TQDMS_E_NO_SUCH_NAME;
    }
    }
}

uint32_t SimSign::getDoorOpen(void* buf, int len) { return getId(messages.doorOpen, buf, len); }

uint32_t SimSign::setDoorOpen(const void* buf, int len) {
    return setId(messages, limits, messages.doorOpen, buf, len);
}

}  // namespace tqsim
