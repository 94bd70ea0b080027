// Connections: the per-thread interface objects handed out by GetIf, the
// process's current sign, and the one lock that serialises device traffic.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "backend.h"
#include "tqdms/tqdms.h"

namespace tqsim {
class SimSign;
}  // namespace tqsim

namespace tqdms {

// The interface object. `pub` comes first so that the pointer GetIf returns
// is the object's own address.
struct Connection {
    DeviceInterface pub;
    uint64_t generation = 0;  // connected while equal to the current sign's

    Backend* backend() const;
};

std::mutex& deviceMutex();

// The calling thread's connection if it is connected to the current sign.
// The caller holds deviceMutex().
Connection* threadConnection();
// Thread-local slot index (TLS index on Windows, pthread key elsewhere).
uint32_t tlsIndex();

// Binds the calling thread to the current sign, opening the default sign
// first when there is none. Locks internally.
uint32_t connectThread(const DeviceInitParameters& params);

// Current sign management. Callers hold deviceMutex().
tqsim::SimSign* currentSim();
void setCurrentSign(std::shared_ptr<tqsim::SimSign> sign);  // null closes
void markDirty();

}  // namespace tqdms
