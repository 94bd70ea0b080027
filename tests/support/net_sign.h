// Test helper: signs served by `dmsctl sim serve` in a folder of their own,
// and threads bound to such a sign over SNMP.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "support/agent_process.h"
#include "tqdms/tqdms.h"
#include "tqdms/tqnet.h"
#include "tqdms/tqsim.h"

namespace testing_support {

// An agent serving a fresh state file in a fresh folder (with `state`, a
// JSON text, as its start when given); both go away with the object.
class ServedSign {
public:
    explicit ServedSign(const std::string& state = "") {
        std::string tmpl = std::filesystem::temp_directory_path().string() + "/dms-served-XXXXXX";
        if (mkdtemp(&tmpl[0])) dir_ = tmpl;
        if (!dir_.empty() && !state.empty()) std::ofstream(dir_ + "/sign.json") << state;
        started_ = !dir_.empty() && agent_.start(DMSCTL_PATH, dir_ + "/sign.json");
    }
    ~ServedSign() {
        agent_.stop();
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    ServedSign(const ServedSign&) = delete;
    ServedSign& operator=(const ServedSign&) = delete;

    bool started() const { return started_; }
    int port() const { return agent_.port(); }
    const std::string& dir() const { return dir_; }
    int stop() { return agent_.stop(); }

private:
    std::string dir_;
    snmptest::AgentProcess agent_;
    bool started_ = false;
};

// The read-write community of sim serve, version 2c.
inline std::string snmpUri(int port, int timeoutMs, int retries) {
    return "snmp://private@127.0.0.1:" + std::to_string(port) + "?version=2c&timeout=" + std::to_string(timeoutMs) +
           "&retries=" + std::to_string(retries);
}

// Opens the sign `uri` names for the calling thread and binds the thread.
inline uint32_t openNetSign(const std::string& uri) {
    uint32_t rc = tqnetOpenThread(uri.c_str());
    if (rc != TQDMS_OK) return rc;
    DeviceInitParameters params;
    std::memset(&params, 0, sizeof params);
    std::strcpy(params.address, "127.0.0.1");
    return tqDMSInitNotVerify(&params);
}

// A thread bound to the sign `uri` names for its whole life, running the
// work given to run() one piece at a time, so a test can keep signs open
// on several threads and use them in turn.
class SignWorker {
public:
    explicit SignWorker(const std::string& uri) : thread_([this, uri] { loop(uri); }) {
        std::unique_lock<std::mutex> l(m_);
        cv_.wait(l, [this] { return ready_; });
    }
    ~SignWorker() {
        {
            std::lock_guard<std::mutex> l(m_);
            done_ = true;
        }
        cv_.notify_all();
        thread_.join();
    }
    SignWorker(const SignWorker&) = delete;
    SignWorker& operator=(const SignWorker&) = delete;

    // The result of opening the sign; nothing runs unless it is TQDMS_OK.
    uint32_t opened() const { return opened_; }
    // The worker's interface object, whose stop flag another thread may set.
    DeviceInterface* interface() const { return interface_; }

    // Runs fn on the worker's thread and waits until it has run.
    void run(const std::function<void()>& fn) {
        if (opened_ != TQDMS_OK) return;
        std::unique_lock<std::mutex> l(m_);
        task_ = &fn;
        cv_.notify_all();
        cv_.wait(l, [this] { return task_ == nullptr; });
    }

private:
    void loop(const std::string& uri) {
        uint32_t rc = openNetSign(uri);
        std::unique_lock<std::mutex> l(m_);
        opened_ = rc;
        interface_ = static_cast<DeviceInterface*>(GetIf());
        ready_ = true;
        cv_.notify_all();
        for (;;) {
            cv_.wait(l, [this] { return done_ || task_; });
            if (done_) break;
            const std::function<void()>* task = task_;
            l.unlock();
            (*task)();
            l.lock();
            task_ = nullptr;
            cv_.notify_all();
        }
        l.unlock();
        tqsimClose();
    }

    std::mutex m_;
    std::condition_variable cv_;
    bool ready_ = false, done_ = false;
    const std::function<void()>* task_ = nullptr;
    uint32_t opened_ = TQDMS_E_EXCHANGE;
    DeviceInterface* interface_ = nullptr;
    std::thread thread_;
};

}  // namespace testing_support
