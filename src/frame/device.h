// The device library as the content library uses it: the 33 boundary
// functions (tqdms.h), the protocol's names for their numbers (ntcip.h),
// plus the small helpers every worker shares.
#pragma once

#include <cstdint>

#include "tqdms/ntcip.h"
#include "tqdms/tqdms.h"

namespace dms {

// The calling thread's interface object, or null.
inline DeviceInterface* currentInterface() { return static_cast<DeviceInterface*>(GetIf()); }

// Calls the interface's progress callback when there is one.
inline void reportProgress(DeviceInterface* di, int code, int value) {
    if (di && di->params.progress) di->params.progress(di, code, value);
}

// Waits between status polls of a table row.
void pollWait(unsigned ms);

}  // namespace dms
