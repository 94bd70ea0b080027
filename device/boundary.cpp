// The 33 functions of the device library boundary. Each one describes its
// call for the journal and fault injection and hands it to the backend.
#include <cstring>

#include "connection.h"
#include "dispatch.h"
#include "tqdms/ntcip.h"
#include "tqdms/tqdms.h"

using tqdms::Backend;
using tqdms::Call;
using tqdms::Direction;
using tqdms::dispatch;

namespace {

Call get(const char* fn, std::initializer_list<int> args, void* buf, int len) {
    Call c;
    c.fn = fn;
    c.args = args;
    c.dir = Direction::Get;
    c.buf = buf;
    c.len = len;
    return c;
}

Call set(const char* fn, std::initializer_list<int> args, const void* data, int len) {
    Call c;
    c.fn = fn;
    c.args = args;
    c.dir = Direction::Set;
    c.data = data;
    c.len = len;
    return c;
}

}  // namespace

TQ_API void* TQ_CALL GetIf(void) {
    tqdms::Connection* c = tqdms::threadConnection();
    return c ? &c->pub : nullptr;
}

TQ_API uint32_t TQ_CALL GetTlsIndex(void) { return tqdms::tlsIndex(); }

TQ_API uint32_t TQ_CALL tqDMSInitNotVerify(DeviceInitParameters* params) {
    if (!params) return TQDMS_E_BAD_VALUE;
    return tqdms::connectThread(*params);
}

TQ_API uint32_t TQ_CALL tqGetMsgInfo(int object, void* buf, int len) {
    return dispatch(get("tqGetMsgInfo", {object}, buf, len),
                    [&](Backend& b) { return b.getMsgInfo(object, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetMsgTable(int memoryType, int number, int column, void* buf, int len) {
    return dispatch(get("tqGetMsgTable", {memoryType, number, column}, buf, len),
                    [&](Backend& b) { return b.getMsgTable(memoryType, number, column, buf, len); });
}

TQ_API uint32_t TQ_CALL tqSetMsgTable(int memoryType, int number, int column, const void* buf, int len) {
    return dispatch(set("tqSetMsgTable", {memoryType, number, column}, buf, len),
                    [&](Backend& b) { return b.setMsgTable(memoryType, number, column, buf, len); });
}

TQ_API uint32_t TQ_CALL tqDefine1Message(int memoryType, int number, int beacon, int pixelService,
                                         int priority, const char* owner, const char* multi,
                                         int reserved) {
    Call c;
    c.fn = "tqDefine1Message";
    c.args = {memoryType, number, beacon, pixelService, priority, reserved};
    c.dir = Direction::Action;
    c.texts = {owner ? owner : "", multi ? multi : ""};
    if (!owner || !multi) {
        c.dir = Direction::Set;  // null data: refused as a bad value and journalled
        c.data = nullptr;
        c.len = 0;
    }
    return dispatch(c, [&](Backend& b) {
        return b.define1Message(memoryType, number, beacon, pixelService, priority, owner, multi);
    });
}

TQ_API uint32_t TQ_CALL tqActiveMessage(const void* activation) {
    return dispatch(set("tqActiveMessage", {}, activation, activation ? NTCIP_ACTIVATION_CODE_SIZE : 0), [&](Backend& b) {
        return b.activeMessage(static_cast<const uint8_t*>(activation));
    });
}

TQ_API uint32_t TQ_CALL tqGetSignControl(int object, void* buf, int len) {
    return dispatch(get("tqGetSignControl", {object}, buf, len),
                    [&](Backend& b) { return b.getSignControl(object, buf, len); });
}

TQ_API uint32_t TQ_CALL tqSetSignControl(int object, const void* buf, int len) {
    return dispatch(set("tqSetSignControl", {object}, buf, len),
                    [&](Backend& b) { return b.setSignControl(object, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetDoorOpen(void* buf, int len) {
    return dispatch(get("tqGetDoorOpen", {}, buf, len), [&](Backend& b) { return b.getDoorOpen(buf, len); });
}

TQ_API uint32_t TQ_CALL tqSetDoorOpen(const void* buf, int len) {
    return dispatch(set("tqSetDoorOpen", {}, buf, len), [&](Backend& b) { return b.setDoorOpen(buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetGlobalTime(int object, void* buf, int len) {
    return dispatch(get("tqGetGlobalTime", {object}, buf, len),
                    [&](Backend& b) { return b.getGlobalTime(object, buf, len); });
}

TQ_API uint32_t TQ_CALL tqSetGlobalTime(int object, const void* buf, int len) {
    return dispatch(set("tqSetGlobalTime", {object}, buf, len),
                    [&](Backend& b) { return b.setGlobalTime(object, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetMultiCfg(int object, void* buf, int len) {
    return dispatch(get("tqGetMultiCfg", {object}, buf, len),
                    [&](Backend& b) { return b.getMultiCfg(object, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetFontDefinition(int object, void* buf, int len) {
    return dispatch(get("tqGetFontDefinition", {object}, buf, len),
                    [&](Backend& b) { return b.getFontDefinition(object, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetFontTable(int row, int column, void* buf, int len) {
    return dispatch(get("tqGetFontTable", {row, column}, buf, len),
                    [&](Backend& b) { return b.getFontTable(row, column, buf, len); });
}

TQ_API uint32_t TQ_CALL tqSetFontTable(int row, int column, const void* buf, int len) {
    return dispatch(set("tqSetFontTable", {row, column}, buf, len),
                    [&](Backend& b) { return b.setFontTable(row, column, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetCharacterTable(int row, int character, int column, void* buf, int len) {
    return dispatch(get("tqGetCharacterTable", {row, character, column}, buf, len),
                    [&](Backend& b) { return b.getCharacterTable(row, character, column, buf, len); });
}

TQ_API uint32_t TQ_CALL tqSetCharacterTable(int row, int character, int column, const void* buf, int len) {
    return dispatch(set("tqSetCharacterTable", {row, character, column}, buf, len),
                    [&](Backend& b) { return b.setCharacterTable(row, character, column, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetGraphicDefinition(int object, void* buf, int len) {
    return dispatch(get("tqGetGraphicDefinition", {object}, buf, len),
                    [&](Backend& b) { return b.getGraphicDefinition(object, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetGraphicTable(int row, int column, void* buf, int len) {
    return dispatch(get("tqGetGraphicTable", {row, column}, buf, len),
                    [&](Backend& b) { return b.getGraphicTable(row, column, buf, len); });
}

TQ_API uint32_t TQ_CALL tqSetGraphicTable(int row, int column, const void* buf, int len) {
    return dispatch(set("tqSetGraphicTable", {row, column}, buf, len),
                    [&](Backend& b) { return b.setGraphicTable(row, column, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetGraphicBitmapTable(int row, int block, void* buf, int len) {
    return dispatch(get("tqGetGraphicBitmapTable", {row, block}, buf, len),
                    [&](Backend& b) { return b.getGraphicBitmapTable(row, block, buf, len); });
}

TQ_API uint32_t TQ_CALL tqSetGraphicBitmapTable(int row, int block, const void* buf, int len) {
    return dispatch(set("tqSetGraphicBitmapTable", {row, block}, buf, len),
                    [&](Backend& b) { return b.setGraphicBitmapTable(row, block, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetTimeBase(int object, void* buf, int len) {
    return dispatch(get("tqGetTimeBase", {object}, buf, len),
                    [&](Backend& b) { return b.getTimeBase(object, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetTimeBaseSchTable(int row, int column, void* buf, int len) {
    return dispatch(get("tqGetTimeBaseSchTable", {row, column}, buf, len),
                    [&](Backend& b) { return b.getTimeBaseSchTable(row, column, buf, len); });
}

TQ_API uint32_t TQ_CALL tqSetTimeBaseSchTable(int row, int column, const void* buf, int len) {
    return dispatch(set("tqSetTimeBaseSchTable", {row, column}, buf, len),
                    [&](Backend& b) { return b.setTimeBaseSchTable(row, column, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetTimeBaseDayPlanTable(int dayPlan, int event, int column, void* buf, int len) {
    return dispatch(get("tqGetTimeBaseDayPlanTable", {dayPlan, event, column}, buf, len),
                    [&](Backend& b) { return b.getTimeBaseDayPlanTable(dayPlan, event, column, buf, len); });
}

TQ_API uint32_t TQ_CALL tqSetTimeBaseDayPlanTable(int dayPlan, int event, int column, const void* buf,
                                                  int len) {
    return dispatch(set("tqSetTimeBaseDayPlanTable", {dayPlan, event, column}, buf, len),
                    [&](Backend& b) { return b.setTimeBaseDayPlanTable(dayPlan, event, column, buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetNumActionTableEntries(void* buf, int len) {
    return dispatch(get("tqGetNumActionTableEntries", {}, buf, len),
                    [&](Backend& b) { return b.getNumActionTableEntries(buf, len); });
}

TQ_API uint32_t TQ_CALL tqGetSchActionTable(int row, void* entry, int len) {
    return dispatch(get("tqGetSchActionTable", {row}, entry, len),
                    [&](Backend& b) { return b.getSchActionTable(row, entry, len); });
}

TQ_API uint32_t TQ_CALL tqSetSchActionTable(int row, const void* entry, int len) {
    return dispatch(set("tqSetSchActionTable", {row}, entry, len),
                    [&](Backend& b) { return b.setSchActionTable(row, entry, len); });
}
