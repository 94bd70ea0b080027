#include "running.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace dms {
namespace {

struct Running {
    std::mutex lock;
    std::vector<DeviceInterface*> ops;  // one entry per running operation
};

Running& running() {
    static Running* r = new Running;  // never destroyed: threads may outlive static teardown
    return *r;
}

}  // namespace

void setStopFlag(DeviceInterface* di, int32_t value) {
    __atomic_store_n(&di->params.stopRequested, value, __ATOMIC_RELEASE);
}

RunningOperation::RunningOperation(DeviceInterface* di) : di_(di) {
    Running& r = running();
    std::lock_guard<std::mutex> guard(r.lock);
    r.ops.push_back(di);
}

RunningOperation::~RunningOperation() {
    Running& r = running();
    std::lock_guard<std::mutex> guard(r.lock);
    auto it = std::find(r.ops.begin(), r.ops.end(), di_);
    if (it != r.ops.end()) r.ops.erase(it);
    if (std::find(r.ops.begin(), r.ops.end(), di_) == r.ops.end()) setStopFlag(di_, 0);
}

int requestStop(DeviceInterface* own) {
    Running& r = running();
    std::lock_guard<std::mutex> guard(r.lock);
    if (own && std::find(r.ops.begin(), r.ops.end(), own) != r.ops.end()) {
        setStopFlag(own, 1);
        return 1;
    }
    for (DeviceInterface* di : r.ops) setStopFlag(di, 1);
    return static_cast<int>(r.ops.size());
}

}  // namespace dms
