// The sign's pixel matrix through the device library's geometry extra
// (tqdms/tqgeometry.h), which other device libraries may lack: it is looked
// up at run time, so the content library still loads without it.
#pragma once

#include <cstdint>

namespace dms {

// tqGetVmsCfg(object, buf, len), or DMS_E_UNSUPPORTED when the device
// library has no such function.
uint32_t readVmsCfg(int object, void* buf, int len);

}  // namespace dms
