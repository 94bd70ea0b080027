// Choosing a sign by name through the device library's exports: snmp://
// URIs, the parameter block with transport SNMP and its configuration, and
// what stays unchanged when a name cannot be used.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "support/agent_process.h"
#include "tqdms/ntcip.h"
#include "tqdms/tqnet.h"
#include "tqdms/tqsim.h"

namespace {

std::string lastError() {
    char text[256];
    tqnetLastError(text, sizeof text);
    return text;
}

uint32_t maxVolatile() {
    uint32_t value = 0;
    uint32_t rc = tqGetMsgInfo(NTCIP_MAX_VOLATILE_MSG, &value, 4);
    return rc == TQDMS_OK ? value : 1000000 + rc;
}

DeviceInitParameters snmpBlock(int port) {
    DeviceInitParameters p{};
    p.transport = TQDMS_TRANSPORT_SNMP;
    std::strcpy(p.address, "127.0.0.1");
    p.port = port;
    p.retries = 1;
    p.timeout = 200;
    return p;
}

class SignNamesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char tmpl[] = "/tmp/dms-sign-names-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = new std::string(tmpl);
        std::ofstream(*dir_ + "/sign.json") << R"({"limits": {"maxVolatile": 7}})";
        agent_ = new snmptest::AgentProcess();
        ASSERT_TRUE(agent_->start(DMSCTL_PATH, *dir_ + "/sign.json", {"--community-rw", "blockrw"}));
    }
    static void TearDownTestSuite() {
        delete agent_;
        std::system(("rm -rf " + *dir_).c_str());
        delete dir_;
    }
    void TearDown() override {
        tqsimClose();
        unsetenv("TQDMS_CONFIG");
        unsetenv("TQDMS_COMMUNITY");
        unsetenv("TQDMS_SNMP_VERSION");
    }
    static std::string uri(const std::string& community = "blockrw") {
        return "snmp://" + community + "@127.0.0.1:" + std::to_string(agent_->port()) +
               "?version=2c&timeout=200&retries=1";
    }

    static std::string* dir_;
    static snmptest::AgentProcess* agent_;
};
std::string* SignNamesTest::dir_ = nullptr;
snmptest::AgentProcess* SignNamesTest::agent_ = nullptr;

TEST_F(SignNamesTest, ANameThatCannotBeUsedChangesNothing) {
    ASSERT_EQ(tqsimOpenMemoryThread(R"({"limits": {"maxVolatile": 5}})"), TQDMS_OK);
    DeviceInitParameters sim{};
    ASSERT_EQ(tqDMSInitNotVerify(&sim), TQDMS_OK);
    const struct {
        const char* name;
        const char* why;
    } refused[] = {
        {"snmp://x@127.0.0.1:65536", "bad port"},
        {"snmp://127.0.0.1?version=4", "version must be"},
        {"snmp://127.0.0.1?user=ops&version=2c", "version=3"},
        {"BROKEN", "cannot open sign file"},
    };
    const std::string broken = *dir_ + "/broken.json";
    std::ofstream(broken) << "{ not a sign";
    for (const auto& r : refused) {
        const std::string name = std::strcmp(r.name, "BROKEN") == 0 ? broken : r.name;
        EXPECT_NE(tqnetOpenThread(name.c_str()), TQDMS_OK) << r.name;
        EXPECT_NE(lastError().find(r.why), std::string::npos) << r.name << ": " << lastError();
        EXPECT_EQ(maxVolatile(), 5u) << "the thread's sign changed after " << r.name;
    }
    EXPECT_EQ(tqnetOpenThread(nullptr), TQDMS_E_BAD_VALUE);
    EXPECT_EQ(tqnetOpen(""), TQDMS_E_BAD_VALUE);
    EXPECT_EQ(maxVolatile(), 5u);
}

TEST_F(SignNamesTest, ANetworkSignAnswersThroughTheBoundaryButHasNoLocalState) {
    ASSERT_EQ(tqnetOpenThread(uri().c_str()), TQDMS_OK) << lastError();
    EXPECT_EQ(lastError(), "");
    DeviceInitParameters sim{};
    ASSERT_EQ(tqDMSInitNotVerify(&sim), TQDMS_OK);
    EXPECT_EQ(maxVolatile(), 7u);
    EXPECT_EQ(tqsimGetState(nullptr, 0), 0);
    EXPECT_EQ(tqsimPatchState("{}"), TQDMS_E_NOT_SUPPORTED);
    EXPECT_EQ(tqsimSave(nullptr), TQDMS_E_NOT_SUPPORTED);
    // A community the agent does not know gets no answer at all.
    ASSERT_EQ(tqnetOpenThread(uri("nobody").c_str()), TQDMS_OK);
    ASSERT_EQ(tqDMSInitNotVerify(&sim), TQDMS_OK);
    EXPECT_EQ(maxVolatile(), 1000000u + TQDMS_E_EXCHANGE);
}

TEST_F(SignNamesTest, TheProcessNetworkSignGivesEachThreadItsOwnSession) {
    ASSERT_EQ(tqnetOpen(uri().c_str()), TQDMS_OK) << lastError();
    uint32_t seen[3] = {};
    std::thread threads[3];
    for (int i = 0; i < 3; ++i) {
        threads[i] = std::thread([&seen, i] {
            DeviceInitParameters p{};
            if (tqDMSInitNotVerify(&p) == TQDMS_OK) seen[i] = maxVolatile();
            tqsimClose();  // closes this thread's session, not the process's sign
        });
    }
    for (auto& t : threads) t.join();
    for (uint32_t v : seen) EXPECT_EQ(v, 7u);
    DeviceInitParameters p{};
    ASSERT_EQ(tqDMSInitNotVerify(&p), TQDMS_OK);
    EXPECT_EQ(maxVolatile(), 7u);
    tqsimClose();
    tqsimOpenMemory(nullptr);  // later tests in this process start from a simulated sign
}

TEST_F(SignNamesTest, TheParameterBlockTakesCommunityAndVersionFromEnvironmentOrFile) {
    const std::string conf = *dir_ + "/tqdms.conf";
    std::ofstream(conf) << "# the sign's community\ncommunity = blockrw\nversion = 2c\nunknown = 1\n";
    setenv("TQDMS_CONFIG", conf.c_str(), 1);
    DeviceInitParameters p = snmpBlock(agent_->port());
    ASSERT_EQ(tqDMSInitNotVerify(&p), TQDMS_OK) << lastError();
    EXPECT_EQ(maxVolatile(), 7u);
    EXPECT_EQ(tqsimGetState(nullptr, 0), 0);  // a network sign, not the default simulated one

    // The environment wins over the file.
    setenv("TQDMS_COMMUNITY", "nobody", 1);
    ASSERT_EQ(tqDMSInitNotVerify(&p), TQDMS_OK);
    EXPECT_EQ(maxVolatile(), 1000000u + TQDMS_E_EXCHANGE);
    setenv("TQDMS_COMMUNITY", "blockrw", 1);
    setenv("TQDMS_SNMP_VERSION", "5", 1);
    EXPECT_EQ(tqDMSInitNotVerify(&p), TQDMS_E_BAD_VALUE);
    EXPECT_NE(lastError().find("version"), std::string::npos) << lastError();

    // Without file and environment: "public" and version 1, which this
    // agent serves read-only.
    unsetenv("TQDMS_COMMUNITY");
    unsetenv("TQDMS_SNMP_VERSION");
    setenv("TQDMS_CONFIG", (*dir_ + "/missing.conf").c_str(), 1);
    ASSERT_EQ(tqDMSInitNotVerify(&p), TQDMS_OK);
    EXPECT_EQ(maxVolatile(), 7u);
    uint32_t seconds = 0;
    // SNMPv1 answers a write its community may not make with noSuchName.
    EXPECT_EQ(tqSetGlobalTime(NTCIP_GLOBAL_TIME_SECONDS, &seconds, 4), TQDMS_E_NO_SUCH_NAME);

    // A block without an address is refused; transport 0 is the simulated sign.
    p.address[0] = '\0';
    EXPECT_EQ(tqDMSInitNotVerify(&p), TQDMS_E_BAD_VALUE);
    p.transport = TQDMS_TRANSPORT_SIM;
    tqsimClose();
    ASSERT_EQ(tqsimOpenMemoryThread(R"({"limits": {"maxVolatile": 3}})"), TQDMS_OK);
    ASSERT_EQ(tqDMSInitNotVerify(&p), TQDMS_OK);
    EXPECT_EQ(maxVolatile(), 3u);
}

}  // namespace
