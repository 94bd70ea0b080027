// Connections: the per-thread interface objects handed out by GetIf and the
// signs they are bound to. A process has one shared sign; a thread may open
// a sign of its own instead. Each sign has its own lock, so threads driving
// different signs never wait for each other.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "backend.h"
#include "tqdms/tqdms.h"

namespace tqsim {
class SimSign;
}  // namespace tqsim

namespace tqdms {

// One open sign. The sign object is fixed at creation; its tables are used
// only under `lock`. A closed sign refuses every call (its connections are
// cut), whoever still holds it.
struct SignHandle {
    explicit SignHandle(std::shared_ptr<tqsim::SimSign> s) : sign(std::move(s)) {}
    const std::shared_ptr<tqsim::SimSign> sign;
    std::mutex lock;
    std::atomic<bool> open{true};

    // Saves the sign when it changed and cuts its connections.
    void close();
};

using SignRef = std::shared_ptr<SignHandle>;

// The interface object. `pub` comes first so that the pointer GetIf returns
// is the object's own address. Only its own thread binds it.
struct Connection {
    DeviceInterface pub;
    SignRef sign;

    bool connected() const { return sign && sign->open.load(); }
};

// The calling thread's connection if it is connected, else null.
Connection* threadConnection();
// Thread-local slot index (TLS index on Windows, pthread key elsewhere).
uint32_t tlsIndex();

// Binds the calling thread to its own sign, or else the process's sign,
// opening the default process sign first when there is none.
uint32_t connectThread(const DeviceInitParameters& params);

// The sign the calling thread's tqsim* calls act on: its own sign when it
// opened one, else the process's. Null when neither is open.
SignRef currentSign();
// Makes `sign` the process's sign (null closes it); the old one is closed.
void setProcessSign(std::shared_ptr<tqsim::SimSign> sign);
// Makes `sign` the calling thread's own sign (null closes it and falls back
// to the process's sign at the next tqDMSInitNotVerify).
void setThreadSign(std::shared_ptr<tqsim::SimSign> sign);
// Closes the calling thread's own sign when it has one, else the process's.
void closeCurrentSign();
// Saves every open sign that changed (at process exit).
void saveAllSigns();

}  // namespace tqdms
