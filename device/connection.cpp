#include "connection.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "sign_open.h"
#include "sim/sign.h"
#include "tqdms/tqnet.h"

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
    std::string processNetwork;  // the process's sign when it is reached over the network
    std::vector<std::weak_ptr<SignHandle>> open;
    // Connections live until the process ends, so a pointer a host took from
    // GetIf or the thread slot never dangles; a closed sign only disconnects.
    std::vector<std::unique_ptr<Connection>> connections;
};

Registry& registry() {
    static Registry* r = new Registry;  // never destroyed: threads may outlive static teardown
    return *r;
}

SignRef track(OpenedSign opened, const std::string& uri = std::string()) {
    if (!opened.backend) return nullptr;
    auto handle = std::make_shared<SignHandle>(std::move(opened.backend), std::move(opened.sim));
    handle->uri = uri;
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
    bool fromProcess = false;  // a session to the process's network sign
    ~ThreadSign() {
        if (sign) sign->close();
    }
};
thread_local ThreadSign t_sign;
thread_local std::string t_lastError;

OpenedSign simulated(std::shared_ptr<tqsim::SimSign> sign) {
    OpenedSign o;
    o.backend = sign;
    o.sim = std::move(sign);
    return o;
}

void replaceThreadSign(SignRef fresh) {
    t_sign.fromProcess = false;
    SignRef old = std::move(t_sign.sign);
    t_sign.sign = std::move(fresh);
    if (old) old->close();
}

void replaceProcessSign(SignRef fresh, const std::string& network) {
    SignRef old;
    {
        Registry& r = registry();
        std::lock_guard<std::mutex> guard(r.lock);
        old = std::move(r.processSign);
        r.processSign = std::move(fresh);
        r.processNetwork = network;
    }
    if (old) old->close();
}

// Opens `uri` as the calling thread's own sign.
uint32_t openOwn(const std::string& uri) {
    OpenedSign opened;
    uint32_t rc = openSign(uri, opened, t_lastError);
    if (rc != TQDMS_OK) return rc;
    t_lastError.clear();
    replaceThreadSign(track(std::move(opened), uri));
    return TQDMS_OK;
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

// The sign TQDMS_SIGN names, else an in-memory sign with default limits,
// as the process's sign unless another thread chose one meanwhile.
uint32_t openDefaultSign() {
    const char* env = std::getenv("TQDMS_SIGN");
    std::string name = env ? env : "";
    OpenedSign opened;
    if (isNetworkName(name)) {
        if (!checkNetworkName(name, t_lastError)) return TQDMS_E_BAD_VALUE;
    } else if (!name.empty()) {
        uint32_t rc = openSign(name, opened, t_lastError);
        if (rc != TQDMS_OK) return rc;
    } else {
        std::shared_ptr<tqsim::SimSign> sim;
        uint32_t rc = tqsim::SimSign::openMemory(nullptr, sim);
        if (rc != TQDMS_OK) return rc;
        opened = simulated(std::move(sim));
    }
    SignRef fresh = track(std::move(opened));
    Registry& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    if (r.processNetwork.empty() && (!r.processSign || !r.processSign->open)) {
        if (fresh) r.processSign = std::move(fresh);
        else r.processNetwork = name;
    }
    return TQDMS_OK;
}

}  // namespace

void SignHandle::close() {
    std::lock_guard<std::mutex> guard(lock);
    if (!open.exchange(false)) return;
    if (sim) sim->saveIfDirty();
}

Connection* threadConnection() {
    Connection* c = slotGet();
    return (c && c->connected()) ? c : nullptr;
}

uint32_t tlsIndex() { return slotIndex(); }

uint32_t connectThread(const DeviceInitParameters& params) {
    if (params.transport == TQDMS_TRANSPORT_SNMP) {
        // The block names the sign: this thread's own session to it, kept
        // while later calls name the same target.
        std::string uri;
        if (!blockUri(params, uri, t_lastError)) return TQDMS_E_BAD_VALUE;
        if (!t_sign.sign || !t_sign.sign->open || t_sign.sign->uri != uri) {
            uint32_t rc = openOwn(uri);
            if (rc != TQDMS_OK) return rc;
        }
    }
    Registry& r = registry();
    if (t_sign.fromProcess) {
        // A session opened for the process's network sign lasts while that
        // is still the process's sign.
        std::unique_lock<std::mutex> guard(r.lock);
        bool current = t_sign.sign && r.processNetwork == t_sign.sign->uri;
        guard.unlock();
        if (!current) replaceThreadSign(nullptr);
    }
    SignRef sign = (t_sign.sign && t_sign.sign->open) ? t_sign.sign : nullptr;
    if (!sign) {
        std::unique_lock<std::mutex> guard(r.lock);
        if (r.processNetwork.empty() && (!r.processSign || !r.processSign->open)) {
            guard.unlock();
            uint32_t rc = openDefaultSign();
            if (rc != TQDMS_OK) return rc;
            guard.lock();
        }
        if (!r.processNetwork.empty()) {
            // A network sign gets a session per thread.
            std::string uri = r.processNetwork;
            guard.unlock();
            uint32_t rc = openOwn(uri);
            if (rc != TQDMS_OK) return rc;
            t_sign.fromProcess = true;
            sign = t_sign.sign;
        } else {
            sign = r.processSign;
        }
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

uint32_t openProcessSign(const std::string& uri) {
    if (isNetworkName(uri)) {
        // Checked now, opened per thread at tqDMSInitNotVerify.
        if (!checkNetworkName(uri, t_lastError)) return TQDMS_E_BAD_VALUE;
        t_lastError.clear();
        replaceProcessSign(nullptr, uri);
        return TQDMS_OK;
    }
    OpenedSign opened;
    uint32_t rc = openSign(uri, opened, t_lastError);
    if (rc != TQDMS_OK) return rc;
    t_lastError.clear();
    replaceProcessSign(track(std::move(opened)), std::string());
    return TQDMS_OK;
}

uint32_t openThreadSign(const std::string& uri) { return openOwn(uri); }

const std::string& lastOpenError() { return t_lastError; }

void setProcessSign(std::shared_ptr<tqsim::SimSign> sign) {
    replaceProcessSign(track(simulated(std::move(sign))), std::string());
}

void setThreadSign(std::shared_ptr<tqsim::SimSign> sign) { replaceThreadSign(track(simulated(std::move(sign)))); }

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
        if (s->open && s->sim) s->sim->saveIfDirty();
    }
}

}  // namespace tqdms
