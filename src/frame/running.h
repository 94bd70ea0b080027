// The operations in flight: every export that works through an interface
// object is registered here while it runs, so that tqStop, called from any
// thread, reaches the operation that is running.
#pragma once

#include "tqdms/tqdms.h"

namespace dms {

// Registers an operation on `di` for the life of the object. When it ends,
// a stop request that arrived after its last exchange is withdrawn, so it
// cannot end the interface's next operation.
class RunningOperation {
public:
    explicit RunningOperation(DeviceInterface* di);
    ~RunningOperation();
    RunningOperation(const RunningOperation&) = delete;
    RunningOperation& operator=(const RunningOperation&) = delete;

private:
    DeviceInterface* di_;
};

// Sets the stop flag of the running operations: of the caller's own
// interface object when it is running (a stop asked from inside a progress
// callback), else of every running one. Returns how many were asked.
int requestStop(DeviceInterface* own);

// Sets or clears an interface's stop flag; the device library reads it from
// the thread that runs the operation.
void setStopFlag(DeviceInterface* di, int32_t value);

}  // namespace dms
