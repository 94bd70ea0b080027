#include "connection.h"

#include <algorithm>
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

// What is truly per process: the shared sign, the list of open signs (for
// saving at exit) and the connections. Guarded by its own short lock, never
// held across a sign's call.
struct Registry {
    std::mutex lock;
    SignRef processSign;
    std::vector<std::weak_ptr<SignHandle>> open;
    // Connections live until the process ends, so a pointer a host took from
    // GetIf or the thread slot never dangles; a closed sign only disconnects.
    std::vector<std::unique_ptr<Connection>> connections;
};

Registry& registry() {
    static Registry* r = new Registry;  // never destroyed: threads may outlive static teardown
    return *r;
}

SignRef track(std::shared_ptr<tqsim::SimSign> sign) {
    if (!sign) return nullptr;
    auto handle = std::make_shared<SignHandle>(std::move(sign));
    Registry& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.open.erase(std::remove_if(r.open.begin(), r.open.end(), [](const auto& w) { return w.expired(); }),
                 r.open.end());
    r.open.push_back(handle);
    return handle;
}

// The calling thread's own sign. Closed when the thread ends, so a sign
// kept in a file is saved then.
struct ThreadSign {
    SignRef sign;
    ~ThreadSign() {
        if (sign) sign->close();
    }
};
thread_local ThreadSign t_sign;

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

void SignHandle::close() {
    std::lock_guard<std::mutex> guard(lock);
    if (!open.exchange(false)) return;
    sign->saveIfDirty();
}

Connection* threadConnection() {
    Connection* c = slotGet();
    return (c && c->connected()) ? c : nullptr;
}

uint32_t tlsIndex() { return slotIndex(); }

uint32_t connectThread(const DeviceInitParameters& params) {
    SignRef sign = (t_sign.sign && t_sign.sign->open) ? t_sign.sign : nullptr;
    Registry& r = registry();
    if (!sign) {
        std::unique_lock<std::mutex> guard(r.lock);
        if (!r.processSign || !r.processSign->open) {
            guard.unlock();
            const char* file = std::getenv("TQDMS_SIGN");
            std::shared_ptr<tqsim::SimSign> opened;
            uint32_t rc = (file && *file) ? tqsim::SimSign::openFile(file, opened)
                                          : tqsim::SimSign::openMemory(nullptr, opened);
            if (rc != TQDMS_OK) return rc;
            SignRef fresh = track(std::move(opened));
            guard.lock();
            // Another thread may have opened the default sign meanwhile.
            if (!r.processSign || !r.processSign->open) r.processSign = fresh;
        }
        sign = r.processSign;
    }
    Connection* c = slotGet();
    if (!c) {
        std::lock_guard<std::mutex> guard(r.lock);
        r.connections.push_back(std::make_unique<Connection>());
        c = r.connections.back().get();
        slotSet(c);
    }
    c->pub.params = params;
    c->pub.params.stopRequested = 0;
    c->sign = std::move(sign);
    return TQDMS_OK;
}

SignRef currentSign() {
    if (t_sign.sign && t_sign.sign->open) return t_sign.sign;
    Registry& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    return (r.processSign && r.processSign->open) ? r.processSign : nullptr;
}

void setProcessSign(std::shared_ptr<tqsim::SimSign> sign) {
    SignRef fresh = track(std::move(sign));
    SignRef old;
    {
        Registry& r = registry();
        std::lock_guard<std::mutex> guard(r.lock);
        old = std::move(r.processSign);
        r.processSign = std::move(fresh);
    }
    if (old) old->close();
}

void setThreadSign(std::shared_ptr<tqsim::SimSign> sign) {
    SignRef old = std::move(t_sign.sign);
    t_sign.sign = track(std::move(sign));
    if (old) old->close();
}

void closeCurrentSign() {
    if (t_sign.sign && t_sign.sign->open) {
        setThreadSign(nullptr);
    } else {
        setProcessSign(nullptr);
    }
}

void saveAllSigns() {
    std::vector<SignRef> signs;
    {
        Registry& r = registry();
        std::lock_guard<std::mutex> guard(r.lock);
        for (const auto& w : r.open)
            if (SignRef s = w.lock()) signs.push_back(std::move(s));
    }
    for (const SignRef& s : signs) {
        std::lock_guard<std::mutex> guard(s->lock);
        if (s->open) s->sign->saveIfDirty();
    }
}

}  // namespace tqdms
