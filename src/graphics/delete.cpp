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
    if (status == NTCIP_GRAPHIC_IN_USE || status == NTCIP_GRAPHIC_PERMANENT) return DMS_E_IN_USE;
    if ((rc = enterGraphicModifying(index)) != 0) return rc;
    // Name, height, width, type and transparency are cleared before the row
    // is given up.
    const char name[64] = {0};
    const uint8_t zero8 = 0;
    const uint16_t zero16 = 0;
    if ((rc = tqSetGraphicTable(index, NTCIP_GRAPHIC_NAME, name, sizeof name)) != 0) return rc;
    if ((rc = tqSetGraphicTable(index, NTCIP_GRAPHIC_HEIGHT, &zero8, 1)) != 0) return rc;
    if ((rc = tqSetGraphicTable(index, NTCIP_GRAPHIC_WIDTH, &zero16, 2)) != 0) return rc;
    if ((rc = tqSetGraphicTable(index, NTCIP_GRAPHIC_TYPE, &zero8, 1)) != 0) return rc;
    if ((rc = tqSetGraphicTable(index, NTCIP_GRAPHIC_TRANSPARENT_ENABLED, &zero8, 1)) != 0) return rc;
    return changeGraphicStatus(index, NTCIP_GRAPHIC_NOT_USED_REQ, NTCIP_GRAPHIC_NOT_USED);
}

}  // namespace dms

DMS_API uint32_t DMS_CALL tqDeletePicture(int32_t index) {
    return dms::runWithInterface([&](DeviceInterface*) { return dms::deleteGraphic(index); });
}
