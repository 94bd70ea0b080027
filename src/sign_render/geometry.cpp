#include "sign_render/geometry.h"

#include "dmscontent/common.h"
#include "tqdms/tqgeometry.h"

#if defined(_WIN32)
#include <windows.h>
#else
// A weak reference: null when the loaded device library does not define it.
#pragma weak tqGetVmsCfg
#endif

namespace dms {
namespace {

using VmsCfgFunction = uint32_t(TQ_CALL*)(int, void*, int);

VmsCfgFunction lookUp() {
#if defined(_WIN32)
    HMODULE device = GetModuleHandleA("tqdms.dll");
    if (!device) return nullptr;
    // The export's __stdcall name as the device library lists it.
    return reinterpret_cast<VmsCfgFunction>(reinterpret_cast<void*>(GetProcAddress(device, "_tqGetVmsCfg@12")));
#else
    return &tqGetVmsCfg;
#endif
}

}  // namespace

uint32_t readVmsCfg(int object, void* buf, int len) {
    static const VmsCfgFunction function = lookUp();
    if (!function) return DMS_E_UNSUPPORTED;
    return function(object, buf, len);
}

}  // namespace dms
