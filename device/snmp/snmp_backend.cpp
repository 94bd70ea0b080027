#include "snmp_backend.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "tqdms/ntcip.h"
#include "tqdms/tqdms.h"

namespace tqdms {
namespace snmp {
namespace {

using oids::Arc;
using oids::BufferError;
using oids::Table;
using oids::Value;

uint32_t codeOf(BufferError e) {
    switch (e) {
    case BufferError::None: return TQDMS_OK;
    case BufferError::BadBuffer: return TQDMS_E_BAD_VALUE;
    case BufferError::WrongType:
    case BufferError::WrongLength: return TQDMS_E_BAD_ANSWER;
    case BufferError::TooBig: return TQDMS_E_TOO_BIG;
    }
    return TQDMS_E_BAD_VALUE;
}

bool instance(Table table, int number, int i0, int i1, const oids::Object*& o, std::vector<Arc>& oid) {
    o = oids::find(table, number);
    if (!o || i0 < 0 || i1 < 0) return false;
    Arc index[2] = {static_cast<Arc>(i0), static_cast<Arc>(i1)};
    Arc arcs[oids::kMaxOidArcs];
    size_t n = oids::instanceOid(*o, index, arcs);
    oid.assign(arcs, arcs + n);
    return true;
}

// Status values a row shows while the sign is still working on a request.
bool transitional(Table table, int64_t status) {
    switch (table) {
    case Table::MsgTable:
        return status == NTCIP_MSG_VALIDATING || status == NTCIP_MSG_MODIFY_REQ || status == NTCIP_MSG_VALIDATE_REQ ||
               status == NTCIP_MSG_NOT_USED_REQ;
    case Table::FontTable:
        return status == NTCIP_FONT_CALCULATING_ID || (status >= NTCIP_FONT_MODIFY_REQ && status <= NTCIP_FONT_UNMANAGED_REQ);
    case Table::GraphicTable:
        return status == NTCIP_GRAPHIC_CALCULATING_ID ||
               (status >= NTCIP_GRAPHIC_MODIFY_REQ && status <= NTCIP_GRAPHIC_NOT_USED_REQ);
    default: return false;
    }
}

// Whether a row showing `status` has carried out `request`: a status
// request sent again after its answer was lost is refused by a sign that
// already did it, and that refusal is not the request's outcome.
bool carriedOut(Table table, int64_t request, int64_t status) {
    if (table == Table::MsgTable) {
        switch (request) {
        case NTCIP_MSG_MODIFY_REQ: return status == NTCIP_MSG_MODIFYING;
        case NTCIP_MSG_VALIDATE_REQ:
            return status == NTCIP_MSG_VALIDATING || status == NTCIP_MSG_VALID || status == NTCIP_MSG_ERROR;
        case NTCIP_MSG_NOT_USED_REQ: return status == NTCIP_MSG_NOT_USED;
        default: return false;
        }
    }
    if (table == Table::FontTable && request == NTCIP_FONT_UNMANAGED_REQ) return status == NTCIP_FONT_UNMANAGED;
    if (table != Table::FontTable && table != Table::GraphicTable) return false;
    // Fonts and graphics number their statuses alike.
    switch (request) {
    case NTCIP_FONT_MODIFY_REQ: return status == NTCIP_FONT_MODIFYING;
    case NTCIP_FONT_READY_FOR_USE_REQ: return status == NTCIP_FONT_CALCULATING_ID || status == NTCIP_FONT_READY_FOR_USE;
    case NTCIP_FONT_NOT_USED_REQ: return status == NTCIP_FONT_NOT_USED;
    default: return false;
    }
}

int statusColumn(Table table) {
    switch (table) {
    case Table::MsgTable: return NTCIP_MSG_STATUS;
    case Table::FontTable: return NTCIP_FONT_STATUS;
    case Table::GraphicTable: return NTCIP_GRAPHIC_STATUS;
    default: return -1;
    }
}

Value integer(int64_t v) {
    Value x;
    x.integer = v;
    return x;
}

Value text(const char* s) {
    Value x;
    x.syntax = oids::Syntax::OctetString;
    x.octets = s ? s : "";
    return x;
}

const uint8_t kBlankId[NTCIP_MESSAGE_ID_CODE_SIZE] = {NTCIP_MEM_BLANK, 0, 1, 0, 0};

}  // namespace

SnmpBackend::SnmpBackend(std::unique_ptr<Transport> transport, int settleMs)
    : transport_(std::move(transport)), settleMs_(settleMs) {}

uint32_t SnmpBackend::get(Table table, int number, int i0, int i1, void* buf, int len) {
    const oids::Object* o;
    std::vector<Arc> oid;
    if (!instance(table, number, i0, i1, o, oid)) return TQDMS_E_NO_SUCH_NAME;
    if (!buf || len < 1) return TQDMS_E_BAD_VALUE;
    Value v;
    uint32_t rc = transport_->get(oid, v);
    if (rc != TQDMS_OK) return rc;
    rc = codeOf(oids::intoGetBuffer(*o, v, buf, len));
    if (rc == TQDMS_OK && table == Table::GraphicTable && number == NTCIP_GRAPHIC_TYPE)
        graphicTypes_[i0] = static_cast<int>(v.integer);
    return rc;
}

uint32_t SnmpBackend::set(Table table, int number, int i0, int i1, const void* buf, int len) {
    const oids::Object* o;
    std::vector<Arc> oid;
    if (!instance(table, number, i0, i1, o, oid)) return TQDMS_E_NO_SUCH_NAME;
    auto type = graphicTypes_.find(i0);
    int graphicType = table == Table::GraphicTable && type != graphicTypes_.end() ? type->second : 0;
    Varbind b{oid, Value()};
    uint32_t rc = codeOf(oids::fromSetBuffer(*o, buf, len, graphicType, b.value));
    if (rc != TQDMS_OK) return rc;
    rc = transport_->set({b});
    const bool statusRequest = number == statusColumn(table) && transitional(table, b.value.integer);
    if ((rc == TQDMS_E_GEN_ERR || rc == TQDMS_E_BAD_VALUE) && statusRequest && transport_->mayHaveResent()) {
        Value now;
        if (transport_->get(oid, now) == TQDMS_OK && carriedOut(table, b.value.integer, now.integer)) rc = TQDMS_OK;
    }
    if (rc != TQDMS_OK) return rc;
    if (table == Table::GraphicTable && number == NTCIP_GRAPHIC_TYPE) graphicTypes_[i0] = static_cast<int>(b.value.integer);
    if (statusRequest) return settle(table, number, i0, i1);
    return TQDMS_OK;
}

uint32_t SnmpBackend::settle(Table table, int column, int i0, int i1) {
    const oids::Object* o;
    std::vector<Arc> oid;
    if (!instance(table, column, i0, i1, o, oid)) return TQDMS_E_NO_SUCH_NAME;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(settleMs_);
    for (;;) {
        Value v;
        uint32_t rc = transport_->get(oid, v);
        if (rc != TQDMS_OK) return rc;
        if (!transitional(table, v.integer) || std::chrono::steady_clock::now() >= deadline) return TQDMS_OK;
        if (transport_->stopRequested()) return TQDMS_E_EXCHANGE;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

uint32_t SnmpBackend::define1Message(int memoryType, int number, int beacon, int pixelService, int priority,
                                     const char* owner, const char* multi) {
    const oids::Object* o;
    std::vector<Arc> status;
    if (!instance(Table::MsgTable, NTCIP_MSG_STATUS, memoryType, number, o, status)) return TQDMS_E_NO_SUCH_NAME;
    uint32_t rc;
    int32_t modifyReq = NTCIP_MSG_MODIFY_REQ;
    if ((rc = set(Table::MsgTable, NTCIP_MSG_STATUS, memoryType, number, &modifyReq, 4)) != TQDMS_OK) return rc;
    // MULTI, owner, beacon, pixel service and priority in one SET. A sign
    // holds run-time priorities 1 to 255 only; the erase of a row defines
    // it with priority 0 just before freeing it, so a 0 is left out rather
    // than refused with the whole SET.
    std::vector<Varbind> columns;
    const std::pair<int, Value> values[] = {{NTCIP_MSG_MULTI_STRING, text(multi)},
                                            {NTCIP_MSG_OWNER, text(owner)},
                                            {NTCIP_MSG_BEACON, integer(beacon)},
                                            {NTCIP_MSG_PIXEL_SERVICE, integer(pixelService)},
                                            {NTCIP_MSG_RUN_TIME_PRIORITY, integer(priority)}};
    for (const auto& c : values) {
        if (c.first == NTCIP_MSG_RUN_TIME_PRIORITY && priority == 0) continue;
        std::vector<Arc> oid;
        instance(Table::MsgTable, c.first, memoryType, number, o, oid);
        columns.push_back({oid, c.second});
    }
    if ((rc = transport_->set(columns)) != TQDMS_OK) return rc;
    int32_t validateReq = NTCIP_MSG_VALIDATE_REQ;
    if ((rc = set(Table::MsgTable, NTCIP_MSG_STATUS, memoryType, number, &validateReq, 4)) != TQDMS_OK) return rc;
    // On error the sign tells why; reading it here leaves it fresh for the caller.
    Value v;
    if ((rc = transport_->get(status, v)) != TQDMS_OK) return rc;
    if (v.integer == NTCIP_MSG_ERROR) {
        uint32_t ignored;
        get(Table::MsgInfo, NTCIP_VALIDATE_MESSAGE_ERROR, 0, 0, &ignored, 4);
        get(Table::SignControl, NTCIP_MULTI_SYNTAX_ERROR, 0, 0, &ignored, 4);
        get(Table::SignControl, NTCIP_MULTI_SYNTAX_ERROR_POSITION, 0, 0, &ignored, 4);
    }
    return TQDMS_OK;
}

uint32_t SnmpBackend::getMsgInfo(int object, void* buf, int len) { return get(Table::MsgInfo, object, 0, 0, buf, len); }
uint32_t SnmpBackend::getMsgTable(int memoryType, int number, int column, void* buf, int len) {
    return get(Table::MsgTable, column, memoryType, number, buf, len);
}
uint32_t SnmpBackend::setMsgTable(int memoryType, int number, int column, const void* buf, int len) {
    return set(Table::MsgTable, column, memoryType, number, buf, len);
}
uint32_t SnmpBackend::activeMessage(const uint8_t* activation12) {
    return set(Table::ActivateMessage, NTCIP_ACTIVATE_MESSAGE, 0, 0, activation12, NTCIP_ACTIVATION_CODE_SIZE);
}
uint32_t SnmpBackend::getSignControl(int object, void* buf, int len) {
    Table t = object == NTCIP_ACTIVATE_MESSAGE ? Table::ActivateMessage : Table::SignControl;
    return get(t, object, 0, 0, buf, len);
}
uint32_t SnmpBackend::setSignControl(int object, const void* buf, int len) {
    if (object == NTCIP_ACTIVATE_MESSAGE) return TQDMS_E_READ_ONLY;  // activations go through tqActiveMessage
    return set(Table::SignControl, object, 0, 0, buf, len);
}
// NTCIP 1203 has no door-open message: it reads as the blank message, and
// only the blank message can be written.
uint32_t SnmpBackend::getDoorOpen(void* buf, int len) {
    if (!buf || len != NTCIP_MESSAGE_ID_CODE_SIZE) return TQDMS_E_BAD_VALUE;
    std::memcpy(buf, kBlankId, sizeof kBlankId);
    return TQDMS_OK;
}
uint32_t SnmpBackend::setDoorOpen(const void* buf, int len) {
    if (!buf || len != NTCIP_MESSAGE_ID_CODE_SIZE) return TQDMS_E_BAD_VALUE;
    return std::memcmp(buf, kBlankId, sizeof kBlankId) == 0 ? TQDMS_OK : TQDMS_E_NOT_SUPPORTED;
}
uint32_t SnmpBackend::getGlobalTime(int object, void* buf, int len) { return get(Table::GlobalTime, object, 0, 0, buf, len); }
uint32_t SnmpBackend::setGlobalTime(int object, const void* buf, int len) {
    return set(Table::GlobalTime, object, 0, 0, buf, len);
}
uint32_t SnmpBackend::getMultiCfg(int object, void* buf, int len) { return get(Table::MultiCfg, object, 0, 0, buf, len); }
uint32_t SnmpBackend::getSignCfg(int object, void* buf, int len) { return get(Table::SignCfg, object, 0, 0, buf, len); }
uint32_t SnmpBackend::getVmsCfg(int object, void* buf, int len) { return get(Table::VmsCfg, object, 0, 0, buf, len); }

uint32_t SnmpBackend::getFontDefinition(int object, void* buf, int len) {
    return get(Table::FontDefinition, object, 0, 0, buf, len);
}
uint32_t SnmpBackend::getFontTable(int row, int column, void* buf, int len) {
    return get(Table::FontTable, column, row, 0, buf, len);
}
uint32_t SnmpBackend::setFontTable(int row, int column, const void* buf, int len) {
    return set(Table::FontTable, column, row, 0, buf, len);
}
uint32_t SnmpBackend::getCharacterTable(int row, int character, int column, void* buf, int len) {
    return get(Table::CharacterTable, column, row, character, buf, len);
}
uint32_t SnmpBackend::setCharacterTable(int row, int character, int column, const void* buf, int len) {
    return set(Table::CharacterTable, column, row, character, buf, len);
}

uint32_t SnmpBackend::getGraphicDefinition(int object, void* buf, int len) {
    return get(Table::GraphicDefinition, object, 0, 0, buf, len);
}
uint32_t SnmpBackend::getGraphicTable(int row, int column, void* buf, int len) {
    return get(Table::GraphicTable, column, row, 0, buf, len);
}
uint32_t SnmpBackend::setGraphicTable(int row, int column, const void* buf, int len) {
    return set(Table::GraphicTable, column, row, 0, buf, len);
}
uint32_t SnmpBackend::getGraphicBitmapTable(int row, int block, void* buf, int len) {
    return get(Table::GraphicBitmap, NTCIP_GRAPHIC_BLOCK_BITMAP, row, block, buf, len);
}
uint32_t SnmpBackend::setGraphicBitmapTable(int row, int block, const void* buf, int len) {
    return set(Table::GraphicBitmap, NTCIP_GRAPHIC_BLOCK_BITMAP, row, block, buf, len);
}

uint32_t SnmpBackend::getTimeBase(int object, void* buf, int len) { return get(Table::TimeBase, object, 0, 0, buf, len); }
uint32_t SnmpBackend::getTimeBaseSchTable(int row, int column, void* buf, int len) {
    return get(Table::ScheduleTable, column, row, 0, buf, len);
}
uint32_t SnmpBackend::setTimeBaseSchTable(int row, int column, const void* buf, int len) {
    return set(Table::ScheduleTable, column, row, 0, buf, len);
}
uint32_t SnmpBackend::getTimeBaseDayPlanTable(int dayPlan, int event, int column, void* buf, int len) {
    return get(Table::DayPlanTable, column, dayPlan, event, buf, len);
}
uint32_t SnmpBackend::setTimeBaseDayPlanTable(int dayPlan, int event, int column, const void* buf, int len) {
    return set(Table::DayPlanTable, column, dayPlan, event, buf, len);
}
uint32_t SnmpBackend::getNumActionTableEntries(void* buf, int len) {
    return get(Table::NumActions, NTCIP_NUM_ACTION_TABLE_ENTRIES, 0, 0, buf, len);
}
uint32_t SnmpBackend::getSchActionTable(int row, void* entry, int len) {
    return get(Table::ActionTable, NTCIP_ACTION_MSG_CODE, row, 0, entry, len);
}
uint32_t SnmpBackend::setSchActionTable(int row, const void* entry, int len) {
    return set(Table::ActionTable, NTCIP_ACTION_MSG_CODE, row, 0, entry, len);
}

}  // namespace snmp
}  // namespace tqdms
