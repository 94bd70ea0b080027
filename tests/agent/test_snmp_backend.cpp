// The SNMP backend against `dmsctl sim serve` on loopback: each boundary
// call as one request, the message sequence, status requests that wait for
// a settled row, and the device codes of what can go wrong.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "snmp/snmp_backend.h"
#include "support/agent_process.h"
#include "tqdms/ntcip.h"
#include "tqdms/tqdms.h"

namespace {

using tqdms::snmp::SnmpBackend;
using tqdms::snmp::Target;

class SnmpBackendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char tmpl[] = "/tmp/dms-snmp-backend-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = new std::string(tmpl);
        // Every status request takes three reads and half a second to
        // complete, as a slow sign's would.
        std::ofstream(*dir_ + "/sign.json") << R"({"limits": {"pollLatency": 3, "settleMs": 500, "maxVolatile": 8}})";
        agent_ = new snmptest::AgentProcess();
        ASSERT_TRUE(agent_->start(DMSCTL_PATH, *dir_ + "/sign.json",
                                  {"--v3-user", "ops", "--v3-auth", "SHA:opsauthpass", "--v3-priv", "AES:opsprivpass"}));
    }
    static void TearDownTestSuite() {
        delete agent_;
        std::system(("rm -rf " + *dir_).c_str());
        delete dir_;
    }

    static std::unique_ptr<SnmpBackend> open(int version = 2, const char* community = "private",
                                             const char* user = "ops") {
        Target t;
        t.port = agent_->port();
        t.version = version;
        t.community = community;
        t.timeoutMs = 300;
        t.retries = 1;
        if (version == 3) {
            t.user = user;
            t.authProtocol = "SHA";
            t.authKey = "opsauthpass";
            t.privProtocol = "AES";
            t.privKey = community;  // the test passes the privacy key here
        }
        std::string error;
        auto transport = tqdms::snmp::openTransport(t, error);
        EXPECT_TRUE(transport) << error;
        return transport ? std::make_unique<SnmpBackend>(std::move(transport), 2000) : nullptr;
    }

    static std::string* dir_;
    static snmptest::AgentProcess* agent_;
};
std::string* SnmpBackendTest::dir_ = nullptr;
snmptest::AgentProcess* SnmpBackendTest::agent_ = nullptr;

TEST_F(SnmpBackendTest, ReadsFollowTheBoundarysBufferRules) {
    auto sign = open();
    uint32_t value = 0;
    ASSERT_EQ(sign->getMsgInfo(NTCIP_MAX_VOLATILE_MSG, &value, 4), TQDMS_OK);
    EXPECT_EQ(value, 8u);
    uint8_t small = 0;
    EXPECT_EQ(sign->getMultiCfg(NTCIP_DMS_MAX_MULTI_STRING_LENGTH, &small, 1), TQDMS_E_TOO_BIG);  // 1024
    EXPECT_EQ(sign->getMsgInfo(NTCIP_MAX_VOLATILE_MSG, &small, 1), TQDMS_OK);
    EXPECT_EQ(small, 8);
    char name[4];
    ASSERT_EQ(sign->getFontTable(2, NTCIP_FONT_NAME, name, sizeof name), TQDMS_OK);
    EXPECT_STREQ(name, "8x1");  // "8x14" cut to the buffer
    EXPECT_EQ(sign->getMsgTable(NTCIP_MEM_VOLATILE, 9, NTCIP_MSG_STATUS, &value, 4), TQDMS_E_NO_SUCH_NAME);
    EXPECT_EQ(sign->getFontDefinition(99, &value, 4), TQDMS_E_NO_SUCH_NAME);
    uint8_t id[5];
    ASSERT_EQ(sign->getDoorOpen(id, 5), TQDMS_OK);
    EXPECT_EQ(id[0], NTCIP_MEM_BLANK);
    id[0] = NTCIP_MEM_CHANGEABLE;
    EXPECT_EQ(sign->setDoorOpen(id, 5), TQDMS_E_NOT_SUPPORTED);
}

TEST_F(SnmpBackendTest, DefineRunsTheMessageSequenceAndActivationCrossesInNetworkOrder) {
    auto sign = open();
    ASSERT_EQ(sign->define1Message(NTCIP_MEM_VOLATILE, 5, 0, 0, 55, "me", "[jp3]TEST [fl]Flashing[/fl]"), TQDMS_OK);
    uint32_t status = 0, crc = 0;
    ASSERT_EQ(sign->getMsgTable(NTCIP_MEM_VOLATILE, 5, NTCIP_MSG_STATUS, &status, 4), TQDMS_OK);
    EXPECT_EQ(status, uint32_t{NTCIP_MSG_VALID});
    ASSERT_EQ(sign->getMsgTable(NTCIP_MEM_VOLATILE, 5, NTCIP_MSG_CRC, &crc, 4), TQDMS_OK);
    EXPECT_EQ(crc, 0x95F9u);

    // The host-order record: 267 minutes, priority 55, volatile 5, CRC, 103.8.9.10.
    uint8_t record[12] = {0, 0, 55, NTCIP_MEM_VOLATILE};
    uint16_t duration = 267, number = 5, crc16 = 0x95F9;
    uint32_t address = 0x6708090A;
    std::memcpy(record, &duration, 2);
    std::memcpy(record + 4, &number, 2);
    std::memcpy(record + 6, &crc16, 2);
    std::memcpy(record + 8, &address, 4);
    ASSERT_EQ(sign->activeMessage(record), TQDMS_OK);
    uint8_t code[12];
    ASSERT_EQ(sign->getSignControl(NTCIP_ACTIVATE_MESSAGE, code, 12), TQDMS_OK);
    EXPECT_EQ(std::memcmp(code, "\x01\x0B\x37\x04\x00\x05\x95\xF9\x67\x08\x09\x0A", 12), 0);

    ASSERT_EQ(sign->define1Message(NTCIP_MEM_VOLATILE, 6, 0, 0, 5, "me", "[zz1]BAD"), TQDMS_OK);
    ASSERT_EQ(sign->getMsgTable(NTCIP_MEM_VOLATILE, 6, NTCIP_MSG_STATUS, &status, 4), TQDMS_OK);
    EXPECT_EQ(status, uint32_t{NTCIP_MSG_ERROR});
    uint32_t error = 0;
    ASSERT_EQ(sign->getMsgInfo(NTCIP_VALIDATE_MESSAGE_ERROR, &error, 4), TQDMS_OK);
    EXPECT_EQ(error, uint32_t{NTCIP_VALIDATE_SYNTAX_MULTI});
}

TEST_F(SnmpBackendTest, StatusRequestsReturnOnceTheRowHasSettled) {
    auto sign = open();
    int32_t request = NTCIP_FONT_MODIFY_REQ;
    ASSERT_EQ(sign->setFontTable(4, NTCIP_FONT_STATUS, &request, 4), TQDMS_OK);
    uint32_t status = 0;
    ASSERT_EQ(sign->getFontTable(4, NTCIP_FONT_STATUS, &status, 4), TQDMS_OK);
    EXPECT_EQ(status, uint32_t{NTCIP_FONT_MODIFYING});  // the first poll already sees it
    request = NTCIP_FONT_NOT_USED_REQ;
    ASSERT_EQ(sign->setFontTable(4, NTCIP_FONT_STATUS, &request, 4), TQDMS_OK);
    ASSERT_EQ(sign->getFontTable(4, NTCIP_FONT_STATUS, &status, 4), TQDMS_OK);
    EXPECT_EQ(status, uint32_t{NTCIP_FONT_NOT_USED});
}

TEST_F(SnmpBackendTest, TablesWithTheirOwnValueForms) {
    auto sign = open();
    const char action[] = ".1.3.6.1.4.1.1206.4.2.3.8.2.1.1.4";
    ASSERT_EQ(sign->setTimeBaseDayPlanTable(2, 3, NTCIP_DAY_PLAN_ACTION, action, sizeof action), TQDMS_OK);
    char back[64];
    ASSERT_EQ(sign->getTimeBaseDayPlanTable(2, 3, NTCIP_DAY_PLAN_ACTION, back, sizeof back), TQDMS_OK);
    EXPECT_STREQ(back, action);

    const uint8_t entry[6] = {NTCIP_MEM_CHANGEABLE, 0, 0x34, 0x12, 0xCD, 0xAB};  // number 0x1234, CRC 0xABCD
    ASSERT_EQ(sign->setSchActionTable(2, entry, 6), TQDMS_OK);
    uint8_t read[6];
    ASSERT_EQ(sign->getSchActionTable(2, read, 6), TQDMS_OK);
    EXPECT_EQ(std::memcmp(read, entry, 6), 0);

    // A colour picture's transparent colour goes as RGB because its type was written first.
    int32_t v = NTCIP_GRAPHIC_MODIFY_REQ;
    ASSERT_EQ(sign->setGraphicTable(3, NTCIP_GRAPHIC_STATUS, &v, 4), TQDMS_OK);
    v = NTCIP_COLOR_24BIT;
    ASSERT_EQ(sign->setGraphicTable(3, NTCIP_GRAPHIC_TYPE, &v, 4), TQDMS_OK);
    uint32_t color = 0x0000FF, got = 0;
    ASSERT_EQ(sign->setGraphicTable(3, NTCIP_GRAPHIC_TRANSPARENT_COLOR, &color, 4), TQDMS_OK);
    auto other = open();  // a fresh connection knows nothing of the type
    ASSERT_EQ(other->getGraphicTable(3, NTCIP_GRAPHIC_TRANSPARENT_COLOR, &got, 4), TQDMS_OK);
    EXPECT_EQ(got, 0x0000FFu);
}

TEST_F(SnmpBackendTest, RefusalsAndSilenceGetTheirOwnCodes) {
    auto sign = open();
    uint32_t v = 1;
    EXPECT_EQ(sign->setMsgTable(NTCIP_MEM_VOLATILE, 7, NTCIP_MSG_CRC, &v, 4), TQDMS_E_READ_ONLY);
    EXPECT_EQ(sign->setMsgTable(NTCIP_MEM_VOLATILE, 7, NTCIP_MSG_MULTI_STRING, "X", 2), TQDMS_E_GEN_ERR);
    v = 99;
    EXPECT_EQ(sign->setMsgTable(NTCIP_MEM_VOLATILE, 7, NTCIP_MSG_STATUS, &v, 4), TQDMS_E_BAD_VALUE);
    EXPECT_EQ(sign->setMsgTable(NTCIP_MEM_VOLATILE, 7, NTCIP_MSG_STATUS, &v, 3), TQDMS_E_BAD_VALUE);  // no request made

    auto v1 = open(1);
    EXPECT_EQ(v1->setMsgTable(NTCIP_MEM_VOLATILE, 7, NTCIP_MSG_CRC, &v, 4), TQDMS_E_READ_ONLY);
    EXPECT_EQ(v1->getMsgTable(NTCIP_MEM_VOLATILE, 99, NTCIP_MSG_STATUS, &v, 4), TQDMS_E_NO_SUCH_NAME);

    auto stranger = open(2, "guess");  // no answer to a wrong community
    EXPECT_EQ(stranger->getMsgInfo(NTCIP_MAX_VOLATILE_MSG, &v, 4), TQDMS_E_EXCHANGE);

    auto v3 = open(3, "opsprivpass");
    ASSERT_EQ(v3->getMsgInfo(NTCIP_MAX_VOLATILE_MSG, &v, 4), TQDMS_OK);
    EXPECT_EQ(v, 8u);
    // (net-snmp keeps one key set per user and engine in a process, so a
    // stranger is a user the sign does not know.)
    auto stranger3 = open(3, "opsprivpass", "eve");
    EXPECT_EQ(stranger3->getMsgInfo(NTCIP_MAX_VOLATILE_MSG, &v, 4), TQDMS_E_AUTH);
}

}  // namespace

namespace {

// A sign that carried out a status request whose answer was lost: the
// request sent again is refused, and the row shows the requested state.
class ResentTransport final : public tqdms::snmp::Transport {
public:
    ResentTransport(bool resent, int64_t status) : status_(status) { resent_ = resent; }
    uint32_t get(const std::vector<tqdms::oids::Arc>&, tqdms::oids::Value& out) override {
        out.integer = status_;
        return TQDMS_OK;
    }
    uint32_t set(const std::vector<tqdms::snmp::Varbind>&) override { return TQDMS_E_GEN_ERR; }

private:
    int64_t status_;
};

TEST(SnmpBackendResent, ARefusedRepeatOfACarriedOutStatusRequestIsItsSuccess) {
    const struct {
        bool resent;
        int table;  // 0 message, 1 font, 2 graphic
        int32_t request;
        int64_t status;
        uint32_t rc;
    } cases[] = {
        {true, 0, NTCIP_MSG_MODIFY_REQ, NTCIP_MSG_MODIFYING, TQDMS_OK},
        {true, 0, NTCIP_MSG_VALIDATE_REQ, NTCIP_MSG_ERROR, TQDMS_OK},
        {true, 0, NTCIP_MSG_NOT_USED_REQ, NTCIP_MSG_NOT_USED, TQDMS_OK},
        {true, 1, NTCIP_FONT_READY_FOR_USE_REQ, NTCIP_FONT_READY_FOR_USE, TQDMS_OK},
        {true, 2, NTCIP_GRAPHIC_READY_FOR_USE_REQ, NTCIP_GRAPHIC_CALCULATING_ID, TQDMS_OK},
        // Not carried out: the refusal stands.
        {true, 0, NTCIP_MSG_MODIFY_REQ, NTCIP_MSG_VALID, TQDMS_E_GEN_ERR},
        {true, 2, NTCIP_GRAPHIC_READY_FOR_USE_REQ, NTCIP_GRAPHIC_MODIFYING, TQDMS_E_GEN_ERR},
        // Sent once: the sign's refusal is the answer, whatever the row shows.
        {false, 0, NTCIP_MSG_MODIFY_REQ, NTCIP_MSG_MODIFYING, TQDMS_E_GEN_ERR},
    };
    for (const auto& c : cases) {
        SnmpBackend sign(std::make_unique<ResentTransport>(c.resent, c.status), 0);
        uint32_t rc = c.table == 0   ? sign.setMsgTable(NTCIP_MEM_CHANGEABLE, 1, NTCIP_MSG_STATUS, &c.request, 4)
                      : c.table == 1 ? sign.setFontTable(1, NTCIP_FONT_STATUS, &c.request, 4)
                                     : sign.setGraphicTable(1, NTCIP_GRAPHIC_STATUS, &c.request, 4);
        EXPECT_EQ(rc, c.rc) << "table " << c.table << " request " << c.request << " status " << c.status;
    }
}

}  // namespace
