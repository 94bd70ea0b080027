#include "graphics/graphic_rows.h"

#include "dmscontent/common.h"
#include "frame/device.h"
#include "frame/status_request.h"

namespace dms {
namespace {

uint32_t writeGraphicStatus(int index, uint32_t request) {
    return tqSetGraphicTable(index, NTCIP_GRAPHIC_STATUS, &request, 4);
}

}  // namespace

uint32_t readGraphicStatus(int index, uint32_t& status) {
    status = 0;
    return tqGetGraphicTable(index, NTCIP_GRAPHIC_STATUS, &status, 4);
}

uint32_t enterGraphicModifying(int index) {
    return requestStatusEachTry([index](uint32_t v) { return writeGraphicStatus(index, v); },
                                [index](uint32_t& s) { return readGraphicStatus(index, s); },
                                NTCIP_GRAPHIC_MODIFY_REQ, NTCIP_GRAPHIC_MODIFYING, 3, 10, RoundWait::kBeforeRead,
                                DMS_E_NOT_MODIFYING);
}

uint32_t changeGraphicStatus(int index, uint32_t request, uint32_t target) {
    return requestStatus([index](uint32_t v) { return writeGraphicStatus(index, v); },
                         [index](uint32_t& s) { return readGraphicStatus(index, s); }, request, target, 3, 10,
                         DMS_E_STATE_TIMEOUT);
}

}  // namespace dms
