#include "dmscontent/messages.h"
#include "multi/reading.h"

DMS_API uint32_t DMS_CALL dmsSetMultiReading(int mode) {
    if (mode != DMS_MULTI_DOCUMENTED && mode != DMS_MULTI_FAITHFUL) return DMS_E_ARGUMENT;
    dms::multi::setReading(mode == DMS_MULTI_FAITHFUL ? dms::multi::Reading::Faithful
                                                      : dms::multi::Reading::Documented);
    return DMS_OK;
}
