#include "connection.h"

#include <cstdlib>
#include <vector>

#include "sim/sign.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace tqdms {
namespace {

struct Registry {
    std::shared_ptr<tqsim::SimSign> sign;
    uint64_t generation = 1;
    // Connections live until the process ends, so a pointer a host took from
    // GetIf or the thread slot never dangles; a closed sign only disconnects.
    std::vector<std::unique_ptr<Connection>> connections;
};

Registry& registry() {
    static Registry* r = new Registry;  // never destroyed: threads may outlive static teardown
    return *r;
}

#ifdef _WIN32
DWORD slotKey() {
    static DWORD key = TlsAlloc();
    return key;
}
Connection* slotGet() { return static_cast<Connection*>(TlsGetValue(slotKey())); }
void slotSet(Connection* c) { TlsSetValue(slotKey(), c); }
uint32_t slotIndex() { return static_cast<uint32_t>(slotKey()); }
#else
pthread_key_t slotKey() {
    static pthread_key_t key = [] {
        pthread_key_t k;
        pthread_key_create(&k, nullptr);
        return k;
    }();
    return key;
}
Connection* slotGet() { return static_cast<Connection*>(pthread_getspecific(slotKey())); }
void slotSet(Connection* c) { pthread_setspecific(slotKey(), c); }
uint32_t slotIndex() { return static_cast<uint32_t>(slotKey()); }
#endif

}  // namespace

Backend* Connection::backend() const {
    const Registry& r = registry();
    return (r.sign && generation == r.generation) ? r.sign.get() : nullptr;
}

std::mutex& deviceMutex() {
    static std::mutex* m = new std::mutex;
    return *m;
}

Connection* threadConnection() {
    Connection* c = slotGet();
    return (c && c->backend()) ? c : nullptr;
}

uint32_t tlsIndex() { return slotIndex(); }

uint32_t connectThread(const DeviceInitParameters& params) {
    std::lock_guard<std::mutex> lock(deviceMutex());
    Registry& r = registry();
    if (!r.sign) {
        const char* file = std::getenv("TQDMS_SIGN");
        std::shared_ptr<tqsim::SimSign> sign;
        uint32_t rc = (file && *file) ? tqsim::SimSign::openFile(file, sign) : tqsim::SimSign::openMemory(nullptr, sign);
        if (rc != TQDMS_OK) return rc;
        setCurrentSign(std::move(sign));
    }
    Connection* c = slotGet();
    if (!c) {
        r.connections.push_back(std::make_unique<Connection>());
        c = r.connections.back().get();
        slotSet(c);
    }
    c->pub.params = params;
    c->pub.params.stopRequested = 0;
    c->generation = r.generation;
    return TQDMS_OK;
}

tqsim::SimSign* currentSim() { return registry().sign.get(); }

void setCurrentSign(std::shared_ptr<tqsim::SimSign> sign) {
    Registry& r = registry();
    if (r.sign) r.sign->saveIfDirty();
    r.sign = std::move(sign);
    ++r.generation;
}

void markDirty() {
    if (tqsim::SimSign* s = currentSim()) s->markDirty();
}

}  // namespace tqdms
