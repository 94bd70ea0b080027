#include "graphics/graphic_rows.h"

#include "dmscontent/common.h"
#include "frame/device.h"
#include "graphics/pictures.h"

namespace dms {

uint32_t readGraphicStatus(int index, uint32_t& status) {
    status = 0;
    return tqGetGraphicTable(index, NTCIP_GRAPHIC_STATUS, &status, 4);
}

uint32_t requestGraphicStatus(int index, uint32_t request) {
    return tqSetGraphicTable(index, NTCIP_GRAPHIC_STATUS, &request, 4);
}

uint32_t enterGraphicModifying(int index) {
    for (int round = 0; round < 3; ++round) {
        uint32_t rc = requestGraphicStatus(index, NTCIP_GRAPHIC_MODIFY_REQ);
        if (rc != 0) return rc;
        pollWait(10);
        uint32_t status = 0;
        if ((rc = readGraphicStatus(index, status)) != 0) return rc;
        if (status == NTCIP_GRAPHIC_MODIFYING) return 0;
    }
    return DMS_E_NOT_MODIFYING;
}

uint32_t awaitGraphicStatus(int index, uint32_t want, uint32_t timeout) {
    for (int round = 0; round < 3; ++round) {
        uint32_t status = 0;
        uint32_t rc = readGraphicStatus(index, status);
        if (rc != 0) return rc;
        if (status == want) return 0;
        pollWait(10);
    }
    return timeout;
}

}  // namespace dms
