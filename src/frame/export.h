// The common frame of an export: pointer checks first (the caller does them
// before calling runWithInterface), then the interface check, then the
// worker, whose result is returned unchanged. Allocation failures inside the
// worker become DMS_E_NO_MEMORY; nothing else may cross the boundary.
#pragma once

#include <cstdint>
#include <new>

#include "device.h"
#include "running.h"
#include "dmscontent/common.h"

namespace dms {

template <class Worker>
uint32_t guarded(Worker&& worker) noexcept {
    try {
        return worker();
    } catch (const std::bad_alloc&) {
        return DMS_E_NO_MEMORY;
    } catch (...) {
        return DMS_E_FAILED;
    }
}

template <class Worker>
uint32_t runWithInterface(Worker&& worker) noexcept {
    DeviceInterface* di = currentInterface();
    if (!di) return DMS_E_NO_INTERFACE;
    RunningOperation running(di);  // reachable by tqStop from any thread
    return guarded([&] { return worker(di); });
}

// For exports whose results do not include DMS_E_NO_INTERFACE: registered
// for tqStop while the thread has a sign, run as they are when it has none
// (their first exchange then gives the device's answer).
template <class Worker>
uint32_t runReachable(Worker&& worker) noexcept {
    DeviceInterface* di = currentInterface();
    if (!di) return guarded(worker);
    RunningOperation running(di);
    return guarded(worker);
}

}  // namespace dms
