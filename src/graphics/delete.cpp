// Emptying one graphic row: deleteGraphic and tqDeletePicture.
#include "dmscontent/graphics.h"
#include "frame/device.h"
#include "frame/export.h"
#include "graphics/graphic_rows.h"
#include "graphics/pictures.h"

namespace dms {

uint32_t deleteGraphic(int index) {
    uint32_t status = 0;
    uint32_t rc = readGraphicStatus(index, status);
    if (rc != 0) return rc;
    if (status == kGraphicInUse || status == kGraphicPermanent) return DMS_E_IN_USE;
    if ((rc = enterGraphicModifying(index)) != 0) return rc;
    // Name, height, width, type and transparency are cleared before the row
    // is given up.
    const char name[64] = {0};
    const uint8_t zero8 = 0;
    const uint16_t zero16 = 0;
    if ((rc = tqSetGraphicTable(index, 3, name, sizeof name)) != 0) return rc;
    if ((rc = tqSetGraphicTable(index, 4, &zero8, 1)) != 0) return rc;
    if ((rc = tqSetGraphicTable(index, 5, &zero16, 2)) != 0) return rc;
    if ((rc = tqSetGraphicTable(index, 6, &zero8, 1)) != 0) return rc;
    if ((rc = tqSetGraphicTable(index, 8, &zero8, 1)) != 0) return rc;
    if ((rc = requestGraphicStatus(index, kGraphicNotUsedReq)) != 0) return rc;
    return awaitGraphicStatus(index, kGraphicNotUsed, DMS_E_STATE_TIMEOUT);
}

}  // namespace dms

DMS_API uint32_t DMS_CALL tqDeletePicture(int32_t index) {
    return dms::runWithInterface([&](DeviceInterface*) { return dms::deleteGraphic(index); });
}
