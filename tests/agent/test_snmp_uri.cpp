// Signs named by snmp:// URIs: what each part sets, and what is refused.
#include <gtest/gtest.h>

#include "snmp/uri.h"

namespace {

using tqdms::snmp::parseSnmpUri;
using tqdms::snmp::Target;

TEST(SnmpUri, PartsSetTheTarget) {
    Target t;
    std::string error;
    ASSERT_TRUE(parseSnmpUri("snmp://sign-12.example", t, error)) << error;
    EXPECT_EQ(t.host, "sign-12.example");
    EXPECT_EQ(t.port, 161);
    EXPECT_EQ(t.community, "public");
    EXPECT_EQ(t.version, 1);

    ASSERT_TRUE(parseSnmpUri("snmp://pr%40v@127.0.0.1:65535?version=2c&timeout=60000&retries=0", t, error)) << error;
    EXPECT_EQ(t.community, "pr@v");
    EXPECT_EQ(t.host, "127.0.0.1");
    EXPECT_EQ(t.port, 65535);
    EXPECT_EQ(t.version, 2);
    EXPECT_EQ(t.timeoutMs, 60000);
    EXPECT_EQ(t.retries, 0);

    ASSERT_TRUE(parseSnmpUri("snmp://[::1]:16161?user=ops&auth=SHA:opsauthpass&priv=AES:opsp%26ivpass", t, error))
        << error;
    EXPECT_EQ(t.host, "[::1]");
    EXPECT_EQ(t.port, 16161);
    EXPECT_EQ(t.version, 3);  // a user means SNMPv3
    EXPECT_EQ(t.authProtocol, "SHA");
    EXPECT_EQ(t.authKey, "opsauthpass");
    EXPECT_EQ(t.privKey, "opsp&ivpass");
}

TEST(SnmpUri, MalformedAddressesAreRefusedWithAReason) {
    for (const char* bad : {"snmp:/host", "http://host", "snmp://", "snmp://@host", "snmp://host:", "snmp://host:0",
                            "snmp://host:65536", "snmp://host:12x", "snmp://ho st", "snmp://[::1", "snmp://[::1]x",
                            "snmp://[zz]:161", "snmp://host?version=2", "snmp://host?timeout=0",
                            "snmp://host?timeout=60001", "snmp://host?retries=11", "snmp://host?colour=red",
                            "snmp://host?version", "snmp://host?user=", "snmp://host?version=3",
                            "snmp://host?user=ops&auth=SHA:short", "snmp://host?user=ops&priv=AES:longenough",
                            "snmp://host?version=2c&user=ops", "snmp://c@host?user=ops", "snmp://%zzc@host"}) {
        Target t;
        std::string error;
        EXPECT_FALSE(parseSnmpUri(bad, t, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

}  // namespace
