// Connections: the per-thread interface objects handed out by GetIf and the
// signs they are bound to. A process has one shared sign; a thread may open
// a sign of its own instead. Each sign has its own lock, so threads driving
// different signs never wait for each other, and a sign reached over the
// network is opened once per thread, so threads never share a session.
#pragma once

#include <atomic>
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

// One open sign: a simulated sign (`sim` set) or a sign reached over the
// network (`sim` null). Its backend is used only under `lock`. A closed
// sign refuses every call (its connections are cut), whoever still holds it.
struct SignHandle {
    SignHandle(std::shared_ptr<Backend> b, std::shared_ptr<tqsim::SimSign> s)
        : backend(std::move(b)), sim(std::move(s)) {}
    const std::shared_ptr<Backend> backend;
    const std::shared_ptr<tqsim::SimSign> sim;
    std::string uri;  // what it was opened from (network signs)
    std::mutex lock;
    std::atomic<bool> open{true};

    // Saves a simulated sign when it changed and cuts its connections.
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

// Binds the calling thread to a sign: the one its parameter block names
// over the network (transport TQDMS_TRANSPORT_SNMP), else its own sign,
// else the process's (opening TQDMS_SIGN or a default sign when none).
uint32_t connectThread(const DeviceInitParameters& params);

// The sign the calling thread's tqsim* calls act on: its own sign when it
// opened one, else the process's. Null when neither is open.
SignRef currentSign();
// Makes the sign `uri` names (a state file or snmp://...) the process's or
// the calling thread's sign. Nothing changes when it cannot be opened.
uint32_t openProcessSign(const std::string& uri);
uint32_t openThreadSign(const std::string& uri);
// Makes `sign` the process's sign (null closes it); the old one is closed.
void setProcessSign(std::shared_ptr<tqsim::SimSign> sign);
// Makes `sign` the calling thread's own sign (null closes it and falls back
// to the process's sign at the next tqDMSInitNotVerify).
void setThreadSign(std::shared_ptr<tqsim::SimSign> sign);
// Closes the calling thread's own sign when it has one, else the process's.
void closeCurrentSign();
// Why the calling thread's last open failed.
const std::string& lastOpenError();
// Saves every open sign that changed (at process exit).
void saveAllSigns();

}  // namespace tqdms
