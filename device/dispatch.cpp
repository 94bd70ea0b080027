#include "dispatch.h"

#include <nlohmann/json.hpp>

#include <climits>
#include <cstring>
#include <mutex>

#include "bytes.h"
#include "tqdms/tqsim.h"
#include "connection.h"
#include "sim/sign.h"

namespace tqdms {
namespace {

struct Fault {
    std::string fn;                  // "*" for any
    std::vector<int> args;           // INT_MIN = any
    long nth = 1;
    long times = 1;                  // -1 = for ever
    uint32_t result = TQDMS_E_EXCHANGE;
    bool hasReply = false;
    std::string reply;
    bool swallow = false;
    long seen = 0;
    long fired = 0;

    bool matches(const Call& c) const {
        if (fn != "*" && fn != c.fn) return false;
        for (size_t i = 0; i < args.size(); ++i) {
            if (args[i] == INT_MIN) continue;
            if (i >= c.args.size() || c.args[i] != args[i]) return false;
        }
        return true;
    }
};

struct Entry {
    const char* fn;
    std::vector<int> args;
    int len;
    std::string bytes;
    std::vector<std::string> texts;
    uint32_t result;
    bool fault;
};

// The journal and the fault table are per process: one lock guards both,
// held only while they are read or changed, never across a sign's call.
std::mutex& journalMutex() {
    static std::mutex* m = new std::mutex;
    return *m;
}
std::vector<Fault> g_faults;
std::vector<Entry> g_journal;
bool g_journalOn = true;

// Returns the fault that fires for this call, or null.
Fault* firingFault(const Call& c) {
    Fault* chosen = nullptr;
    for (Fault& f : g_faults) {
        if (!f.matches(c)) continue;
        ++f.seen;
        if (chosen) continue;
        if (f.seen < f.nth) continue;
        if (f.times >= 0 && f.fired >= f.times) continue;
        ++f.fired;
        chosen = &f;
    }
    return chosen;
}

void record(const Call& c, uint32_t result, bool fault) {
    if (!g_journalOn || g_journal.size() >= TQSIM_JOURNAL_MAX) return;
    Entry e{c.fn, c.args, c.len, {}, c.texts, result, fault};
    if (c.dir == Direction::Set && c.data && c.len > 0)
        e.bytes.assign(static_cast<const char*>(c.data), static_cast<size_t>(c.len));
    else if (c.dir == Direction::Get && c.buf && c.len > 0)
        e.bytes.assign(static_cast<const char*>(c.buf), static_cast<size_t>(c.len));
    g_journal.push_back(std::move(e));
}

}  // namespace

uint32_t dispatch(const Call& c, const std::function<uint32_t(Backend&)>& op) {
    uint32_t result;
    bool fault = false;
    Connection* conn = threadConnection();
    if (c.len < 0 || (c.dir == Direction::Get && !c.buf) || (c.dir == Direction::Set && !c.data)) {
        result = TQDMS_E_BAD_VALUE;
    } else if (!conn) {
        result = TQDMS_E_EXCHANGE;
    } else if (__atomic_exchange_n(&conn->pub.params.stopRequested, 0, __ATOMIC_ACQ_REL) != 0) {
        // A stop request (possibly from another thread) ends the running
        // operation at its next exchange.
        result = TQDMS_E_EXCHANGE;
    } else {
        std::unique_lock<std::mutex> journal(journalMutex());
        Fault* f = firingFault(c);
        if (f) {
            fault = true;
            result = f->result;
            if (f->hasReply && c.dir == Direction::Get) {
                std::memset(c.buf, 0, static_cast<size_t>(c.len));
                std::memcpy(c.buf, f->reply.data(), std::min(f->reply.size(), static_cast<size_t>(c.len)));
            }
        } else {
            journal.unlock();
            SignHandle& sign = *conn->sign;
            std::lock_guard<std::mutex> guard(sign.lock);
            if (!sign.open) {
                result = TQDMS_E_EXCHANGE;  // closed by another thread meanwhile
            } else {
                // A get that reaches the sign clears its buffer first, so a
                // refused read leaves zeros rather than the caller's old bytes.
                if (c.dir == Direction::Get) std::memset(c.buf, 0, static_cast<size_t>(c.len));
                sign.backend->bindStop(&conn->pub.params.stopRequested);
                result = op(*sign.backend);
                sign.backend->bindStop(nullptr);
                if (result == TQDMS_OK && c.dir != Direction::Get && sign.sim) sign.sim->markDirty();
            }
        }
    }
    std::lock_guard<std::mutex> journal(journalMutex());
    record(c, result, fault);
    return result;
}

uint32_t addFault(const std::string& text) {
    using nlohmann::json;
    json j = json::parse(text, nullptr, false);
    if (!j.is_object() || !j.contains("fn") || !j["fn"].is_string()) return TQDMS_E_BAD_VALUE;
    Fault f;
    try {
        f.fn = j["fn"].get<std::string>();
        if (j.contains("args")) {
            for (const json& a : j["args"]) f.args.push_back(a.is_null() ? INT_MIN : a.get<int>());
        }
        f.nth = j.value("nth", 1L);
        f.times = j.value("times", 1L);
        if (j.contains("reply")) {
            if (!fromHex(j["reply"].get<std::string>(), f.reply)) return TQDMS_E_BAD_VALUE;
            f.hasReply = true;
        }
        f.swallow = j.value("swallow", false);
        f.result = j.value("result", (f.hasReply || f.swallow) ? TQDMS_OK : TQDMS_E_EXCHANGE);
    } catch (const json::exception&) {
        return TQDMS_E_BAD_VALUE;
    }
    if (f.nth < 1) return TQDMS_E_BAD_VALUE;
    std::lock_guard<std::mutex> lock(journalMutex());
    g_faults.push_back(std::move(f));
    return TQDMS_OK;
}

void clearFaults() {
    std::lock_guard<std::mutex> lock(journalMutex());
    g_faults.clear();
}

std::string journalJson() {
    using nlohmann::json;
    std::lock_guard<std::mutex> lock(journalMutex());
    json arr = json::array();
    for (const Entry& e : g_journal) {
        json j{{"fn", e.fn}, {"args", e.args}, {"len", e.len},
               {"data", toHex(e.bytes.data(), e.bytes.size())}, {"result", e.result}};
        if (!e.texts.empty()) j["texts"] = e.texts;
        if (e.fault) j["fault"] = true;
        arr.push_back(std::move(j));
    }
    return arr.dump();
}

void clearJournal() {
    std::lock_guard<std::mutex> lock(journalMutex());
    g_journal.clear();
}

void setJournal(bool on) {
    std::lock_guard<std::mutex> lock(journalMutex());
    g_journalOn = on;
}

int journalCount() {
    std::lock_guard<std::mutex> lock(journalMutex());
    return static_cast<int>(g_journal.size());
}

}  // namespace tqdms
