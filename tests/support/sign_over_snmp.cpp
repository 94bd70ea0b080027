#include "sign_over_snmp.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tqdms/tqnet.h"
#include "tqdms/tqsim.h"

namespace testing_support {
namespace {

const char kCommunity[] = "dmstest";

// Slow enough for a sanitized agent, short enough that a lost reply is
// noticed within the test's time.
#ifdef DMS_SANITIZED
const char kSession[] = "?version=2c&timeout=3000&retries=1";
#else
const char kSession[] = "?version=2c&timeout=1000&retries=2";
#endif

void check(uint32_t rc, const std::string& what) {
    if (rc != TQDMS_OK) throw std::runtime_error(what + " failed with code " + std::to_string(rc));
}

}  // namespace

bool overSnmp() {
    const char* v = std::getenv("DMS_TEST_OVER_SNMP");
    return v && *v && std::string(v) != "0";
}

SignOverSnmp::SignOverSnmp(const nlohmann::json& overrides, const DeviceInitParameters& params) : params_(params) {
    char tmpl[] = "/tmp/dms-over-snmp-XXXXXX";
    if (!mkdtemp(tmpl)) throw std::runtime_error("cannot make a temporary directory");
    dir_ = tmpl;
    file_ = dir_ + "/sign.json";
    // The same sign the in-process run gets, written out for the agent.
    check(tqsimOpenMemoryThread(overrides.dump().c_str()), "opening the sign");
    uint32_t saved = tqsimSave(file_.c_str());
    tqsimClose();
    check(saved, "saving the sign");
    serve();
}

SignOverSnmp::~SignOverSnmp() {
    halt();  // a state that was not saved no longer matters here
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void SignOverSnmp::serve() {
    // The agent names its port in a fresh log: an old one would name the last agent's.
    std::error_code ec;
    std::filesystem::remove(file_ + ".log", ec);
    agent_ = std::make_unique<snmptest::AgentProcess>();
    if (!agent_->start(DMSCTL_PATH, file_, {"--community-ro", "", "--community-rw", kCommunity}))
        throw std::runtime_error("the agent did not start on " + file_);
    std::string uri = std::string("snmp://") + kCommunity + "@127.0.0.1:" + std::to_string(agent_->port()) + kSession;
    check(tqnetOpenThread(uri.c_str()), "opening " + uri);
    check(tqDMSInitNotVerify(&params_), "binding the thread to " + uri);
}

// Ends the session, then the agent, which saves the sign's state on its way out.
bool SignOverSnmp::halt() {
    tqsimClose();
    bool saved = agent_ && agent_->stop() == 0;
    agent_.reset();
    return saved;
}

nlohmann::json SignOverSnmp::state() {
    if (!halt()) throw std::runtime_error("the agent did not save " + file_);
    nlohmann::json j = nlohmann::json::parse(std::ifstream(file_));
    serve();
    return j;
}

bool SignOverSnmp::patch(const nlohmann::json& mergePatch) {
    if (!halt()) throw std::runtime_error("the agent did not save " + file_);
    check(tqsimOpenThread(file_.c_str()), "reading " + file_);
    bool ok = tqsimPatchState(mergePatch.dump().c_str()) == TQDMS_OK && tqsimSave(nullptr) == TQDMS_OK;
    tqsimClose();
    serve();
    return ok;
}

}  // namespace testing_support
