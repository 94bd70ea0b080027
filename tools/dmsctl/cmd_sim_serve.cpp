// dmsctl sim serve: the simulated sign of the state file as an SNMP agent.
// Changes are saved atomically at most once a second and at the end;
// SIGINT and SIGTERM end it cleanly.
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "agent/sign_agent.h"
#include "cli.h"
#include "sim/sign.h"

namespace dmsctl {
namespace {

// Exit codes of sim serve besides 0 and 2 (bad options).
constexpr int kStateUnreadable = 3;
constexpr int kStateUnwritable = 4;
constexpr int kCannotListen = 5;

volatile sig_atomic_t g_stop = 0;

void onSignal(int) { g_stop = 1; }

void catchSignals() {
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;  // no restart: the agent's wait ends at once
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}

struct ServeOptions {
    tqagent::AgentOptions agent;
    bool jsonLog = false;
};

// Opens the state file, never replacing one that exists but cannot be
// read or parsed; a new file is written at once so that an unwritable
// place is found before serving.
std::shared_ptr<tqsim::SimSign> openState(const std::string& file) {
    namespace fs = std::filesystem;
    std::error_code ec;
    bool exists = fs::exists(file, ec);
    if (exists && !std::ifstream(file, std::ios::binary).good())
        throw Failure{"cannot read sign state " + file, kStateUnreadable};
    std::shared_ptr<tqsim::SimSign> sign;
    if (tqsim::SimSign::openFile(file, sign) != 0)
        throw Failure{file + " is not a sign state file (left untouched)", kStateUnreadable};
    if (!std::ofstream(file + ".tmp", std::ios::binary | std::ios::app).good())
        throw Failure{"cannot write sign state " + file, kStateUnwritable};
    fs::remove(file + ".tmp", ec);
    if (!exists && sign->save(std::string()) != 0) throw Failure{"cannot write sign state " + file, kStateUnwritable};
    return sign;
}

void printStart(const ServeOptions& o, const tqagent::SignAgent& agent, const std::string& file) {
    std::string versions = agent.versions();
    if (o.jsonLog) {
        std::cout << nlohmann::json{{"event", "start"}, {"address", agent.address()}, {"port", agent.port()},
                                    {"versions", versions}, {"state", file}}
                         .dump()
                  << std::endl;
    } else {
        std::cout << "serving " << file << " on udp " << agent.address() << " port " << agent.port() << " (SNMP "
                  << versions << ")" << std::endl;
    }
}

void printSet(bool json, const tqagent::SetEvent& e) {
    if (json)
        std::cout << nlohmann::json{{"event", "set"}, {"oid", e.oid}, {"name", e.name}, {"value", e.value},
                                    {"result", e.result}}
                         .dump()
                  << std::endl;
    else
        std::cout << "SET " << e.name << " = " << e.value << " -> " << e.result << std::endl;
}

void serve(const ServeOptions& o) {
    const std::string& file = context().signFile;
    std::shared_ptr<tqsim::SimSign> sign = openState(file);
    std::string error;
    std::unique_ptr<tqagent::SignAgent> agent = tqagent::SignAgent::start(*sign, o.agent, error);
    if (!agent) {
        bool bind = error.rfind("cannot listen", 0) == 0 || error.rfind("cannot serve", 0) == 0;
        throw Failure{error, bind ? kCannotListen : 2};
    }
    const bool logSets = context().verbose;
    const bool json = o.jsonLog;
    agent->onSet([logSets, json](const tqagent::SetEvent& e) {
        if (logSets) printSet(json, e);
    });
    catchSignals();
    printStart(o, *agent, file);

    using Clock = std::chrono::steady_clock;
    Clock::time_point lastSave = Clock::now() - std::chrono::seconds(1);
    bool dirty = false, warned = false;
    auto save = [&] {
        if (sign->save(std::string()) == 0) {
            dirty = false;
            warned = false;
        } else if (!warned) {
            std::cerr << "dmsctl: cannot save " << file << "; will try again" << std::endl;
            warned = true;
        }
        lastSave = Clock::now();
    };
    while (!g_stop) {
        // Wait no longer than the next save is due, so a crash loses at
        // most the last second of changes.
        int waitMs = 1000;
        if (dirty) {
            auto due = std::chrono::duration_cast<std::chrono::milliseconds>(lastSave + std::chrono::seconds(1) - Clock::now());
            waitMs = due.count() < 0 ? 0 : static_cast<int>(due.count());
        }
        agent->poll(waitMs);
        if (agent->takeChanged()) dirty = true;
        if (dirty && Clock::now() - lastSave >= std::chrono::seconds(1)) save();
    }
    agent.reset();
    if (dirty) save();
    if (json)
        std::cout << nlohmann::json{{"event", "stop"}, {"state", file}, {"saved", !dirty}}.dump() << std::endl;
    else
        std::cout << "stopped; " << (dirty ? "changes NOT saved to " : "state saved in ") << file << std::endl;
    if (dirty) throw Failure{"cannot save " + file, kStateUnwritable};
}

void addServe(CLI::App& sim) {
    static ServeOptions o;
    auto* cmd = sim.add_subcommand("serve", "Serve the simulated sign over SNMP (v1, v2c, v3) until SIGINT/SIGTERM");
    cmd->add_option("--listen", o.agent.listen, "UDP address and port, ADDR:PORT or [IPv6]:PORT (port 0: any free one)")
        ->capture_default_str();
    cmd->add_option("--community-ro", o.agent.communityRo, "Read-only community (empty: none)")->capture_default_str();
    cmd->add_option("--community-rw", o.agent.communityRw, "Read-write community (empty: none)")->capture_default_str();
    cmd->add_option("--v3-user", o.agent.v3User, "SNMPv3 USM user (read-write)");
    cmd->add_option("--v3-auth", o.agent.v3Auth, "Authentication PROTOCOL:KEY (MD5, SHA, SHA-256, SHA-512)");
    cmd->add_option("--v3-priv", o.agent.v3Priv, "Privacy PROTOCOL:KEY (DES, AES)");
    cmd->add_option("--answer-delay-ms", o.agent.answerDelayMs,
                    "Wait this long before each answer, as a distant sign would (0..1000)")
        ->check(CLI::Range(0, 1000));
    cmd->add_flag("--json-log", o.jsonLog, "Log start, stop and (with -v) every SET as JSON lines");
    cmd->callback([] { serve(o); });
}

Register reg("sim", "The simulated sign as a network device", [](CLI::App& sim) { addServe(sim); });

}  // namespace
}  // namespace dmsctl
