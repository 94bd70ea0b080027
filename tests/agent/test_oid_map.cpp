// The OID map against the numbers NTCIP 1201/1203 give, and the value
// conversions between SNMP and the boundary's buffers.
#include <gtest/gtest.h>

#include <cstring>

#include "snmp/oid_map.h"
#include "snmp/value.h"

namespace {

using namespace tqdms::oids;

std::string oidOf(const char* name) {
    const Object* o = findByName(name);
    if (!o) return "(unknown)";
    Arc arcs[kMaxOidArcs];
    return dotted(arcs, objectOid(*o, arcs));
}

TEST(OidMap, ObjectsHaveTheirNtcipIdentifiers) {
    const struct {
        const char* name;
        const char* oid;
    } cases[] = {
        {"globalTime", ".1.3.6.1.4.1.1206.4.2.6.3.1"},
        {"globalLocalTimeDifferential", ".1.3.6.1.4.1.1206.4.2.6.3.5"},
        {"maxDayPlans", ".1.3.6.1.4.1.1206.4.2.6.3.3.3"},
        {"timeBaseScheduleDayPlan", ".1.3.6.1.4.1.1206.4.2.6.3.3.2.1.5"},
        {"dayPlanActionNumberOID", ".1.3.6.1.4.1.1206.4.2.6.3.3.5.1.5"},
        {"moduleMake", ".1.3.6.1.4.1.1206.4.2.6.1.3.1.3"},
        {"numActionTableEntries", ".1.3.6.1.4.1.1206.4.2.3.8.1"},
        {"dmsActionMsgCode", ".1.3.6.1.4.1.1206.4.2.3.8.2.1.2"},
        {"fontStatus", ".1.3.6.1.4.1.1206.4.2.3.3.2.1.8"},
        {"characterBitmap", ".1.3.6.1.4.1.1206.4.2.3.3.4.1.3"},
        {"dmsMaxMultiStringLength", ".1.3.6.1.4.1.1206.4.2.3.4.16"},
        {"dmsValidateMessageError", ".1.3.6.1.4.1.1206.4.2.3.5.9"},
        {"dmsMessageMultiString", ".1.3.6.1.4.1.1206.4.2.3.5.8.1.3"},
        {"dmsMessageStatus", ".1.3.6.1.4.1.1206.4.2.3.5.8.1.9"},
        {"dmsActivateMessage", ".1.3.6.1.4.1.1206.4.2.3.6.3"},
        {"dmsMultiSyntaxErrorPosition", ".1.3.6.1.4.1.1206.4.2.3.6.19"},
        {"dmsActivateErrorMsgCode", ".1.3.6.1.4.1.1206.4.2.3.6.24"},
        {"dmsGraphicTransparentColor", ".1.3.6.1.4.1.1206.4.2.3.10.6.1.9"},
        {"dmsGraphicBlockBitmap", ".1.3.6.1.4.1.1206.4.2.3.10.7.1.3"},
        {"vmsSignWidthPixels", ".1.3.6.1.4.1.1206.4.2.3.2.4"},
        {"dmsSignHeight", ".1.3.6.1.4.1.1206.4.2.3.1.3"},
        {"shortErrorStatus", ".1.3.6.1.4.1.1206.4.2.3.9.7.1"},
    };
    for (const auto& c : cases) EXPECT_EQ(oidOf(c.name), c.oid) << c.name;
}

TEST(OidMap, SortedAndEveryInstanceFindsItsObjectAgain) {
    size_t count = 0;
    const Object* all = objects(count);
    Arc prev[kMaxOidArcs], cur[kMaxOidArcs];
    size_t prevLen = 0;
    for (size_t i = 0; i < count; ++i) {
        size_t n = objectOid(all[i], cur);
        if (i > 0) {
            // Strictly after the previous object and not inside it.
            size_t m = std::min(n, prevLen);
            int cmp = std::memcmp(prev, cur, 0);
            for (size_t k = 0; k < m && cmp == 0; ++k) cmp = prev[k] < cur[k] ? -1 : prev[k] > cur[k] ? 1 : 0;
            EXPECT_EQ(cmp, -1) << all[i].name << " is not after " << all[i - 1].name;
        }
        std::memcpy(prev, cur, n * sizeof(Arc));
        prevLen = n;

        const Arc index[2] = {3, 7};
        Arc inst[kMaxOidArcs], found[2] = {0, 0};
        size_t len = instanceOid(all[i], index, inst);
        EXPECT_EQ(lookup(inst, len, found), &all[i]) << all[i].name;
        for (int k = 0; k < all[i].indexes; ++k) EXPECT_EQ(found[k], index[k]) << all[i].name;
        EXPECT_EQ(lookup(inst, len - 1, found), nullptr) << all[i].name << " without its instance";
        inst[len] = 1;
        EXPECT_EQ(lookup(inst, len + 1, found), nullptr) << all[i].name << " with an extra arc";
        EXPECT_EQ(find(all[i].table, all[i].number), &all[i]) << all[i].name;
    }
}

TEST(OidMap, DottedTextRoundTripsAndRefusesMalformedText) {
    Arc arcs[8];
    size_t n = 0;
    ASSERT_TRUE(parseDotted(".1.3.6.1.4.1.1206.4", arcs, 8, n));
    EXPECT_EQ(dotted(arcs, n), ".1.3.6.1.4.1.1206.4");
    ASSERT_TRUE(parseDotted("4294967295.0", arcs, 8, n));
    EXPECT_EQ(arcs[0], 4294967295u);
    for (const char* bad : {"", ".", "1..2", "1.2.", "1.x", "4294967296", "1.2.3.4.5.6.7.8.9"})
        EXPECT_FALSE(parseDotted(bad, arcs, 8, n)) << bad;
}

Value octets(const std::string& bytes) {
    Value v;
    v.syntax = Syntax::OctetString;
    v.octets = bytes;
    return v;
}

TEST(OidValues, ActivationCodeTravelsInNetworkOrderAndReachesTheSignInHostOrder) {
    // The worked example: 267 minutes, priority 55, volatile message 5,
    // CRC 0x95F9, from 103.8.9.10.
    const std::string wire("\x01\x0B\x37\x04\x00\x05\x95\xF9\x67\x08\x09\x0A", 12);
    std::string bytes;
    ASSERT_EQ(toBoundary(*findByName("dmsActivateMessage"), octets(wire), bytes), ValueError::None);
    ASSERT_EQ(bytes.size(), 12u);
    uint16_t duration, number, crc;
    uint32_t address;
    std::memcpy(&duration, bytes.data(), 2);
    std::memcpy(&number, bytes.data() + 4, 2);
    std::memcpy(&crc, bytes.data() + 6, 2);
    std::memcpy(&address, bytes.data() + 8, 4);
    EXPECT_EQ(duration, 267);
    EXPECT_EQ(static_cast<uint8_t>(bytes[2]), 55);
    EXPECT_EQ(static_cast<uint8_t>(bytes[3]), 4);
    EXPECT_EQ(number, 5);
    EXPECT_EQ(crc, 0x95F9);
    EXPECT_EQ(address, 0x6708090Au);
    EXPECT_EQ(toBoundary(*findByName("dmsActivateMessage"), octets(wire.substr(0, 11)), bytes), ValueError::WrongLength);
}

TEST(OidValues, ActionCodeAndActionEntryConvertBothWays) {
    const Object& o = *findByName("dmsActionMsgCode");
    std::string entry;
    ASSERT_EQ(toBoundary(o, octets(std::string("\x03\x01\x02\xAB\xCD", 5)), entry), ValueError::None);
    uint16_t number, crc;
    std::memcpy(&number, entry.data() + 2, 2);
    std::memcpy(&crc, entry.data() + 4, 2);
    EXPECT_EQ(entry[0], 3);
    EXPECT_EQ(number, 0x0102);
    EXPECT_EQ(crc, 0xABCD);
    Value back;
    ASSERT_EQ(fromBoundary(o, entry.data(), 6, 0, back), ValueError::None);
    EXPECT_EQ(back.octets, std::string("\x03\x01\x02\xAB\xCD", 5));
}

TEST(OidValues, DayPlanActionIsAnObjectIdentifierOnTheWireAndTextAtTheBoundary) {
    const Object& o = *findByName("dayPlanActionNumberOID");
    Value v;
    v.syntax = Syntax::ObjectId;
    v.oid = {1, 3, 6, 1, 4, 1, 1206, 4, 2, 3, 8, 2, 1, 1, 7};
    std::string text;
    ASSERT_EQ(toBoundary(o, v, text), ValueError::None);
    EXPECT_STREQ(text.c_str(), ".1.3.6.1.4.1.1206.4.2.3.8.2.1.1.7");
    Value back;
    ASSERT_EQ(fromBoundary(o, text.data(), static_cast<int>(text.size()), 0, back), ValueError::None);
    EXPECT_EQ(back.oid, v.oid);
    // No action: empty text and zeroDotZero stand for each other.
    ASSERT_EQ(fromBoundary(o, "", 1, 0, back), ValueError::None);
    EXPECT_EQ(back.oid, (std::vector<Arc>{0, 0}));
    v.oid = {0, 0};
    ASSERT_EQ(toBoundary(o, v, text), ValueError::None);
    EXPECT_EQ(text, std::string(1, '\0'));
    EXPECT_EQ(toBoundary(o, octets("1.3"), text), ValueError::WrongType);
}

TEST(OidValues, ShapesTheSignCannotTakeAreNamed) {
    Value big;
    big.syntax = Syntax::Integer;
    big.integer = int64_t{1} << 31;  // one past INTEGER's range
    std::string bytes;
    EXPECT_EQ(toBoundary(*findByName("dmsMessageStatus"), big, bytes), ValueError::WrongValue);
    big.integer = INT32_MAX;
    EXPECT_EQ(toBoundary(*findByName("dmsMessageStatus"), big, bytes), ValueError::None);
    EXPECT_EQ(toBoundary(*findByName("dmsMessageStatus"), octets("6"), bytes), ValueError::WrongType);
    big.syntax = Syntax::Integer;
    EXPECT_EQ(toBoundary(*findByName("globalTime"), big, bytes), ValueError::WrongType);  // Counter32
    EXPECT_EQ(toBoundary(*findByName("dmsMessageMultiString"), octets(std::string("A\0B", 3)), bytes),
              ValueError::WrongValue);
    EXPECT_EQ(toBoundary(*findByName("dmsCommunicationsLossMessage"), octets("1234"), bytes), ValueError::WrongLength);
    EXPECT_EQ(toBoundary(*findByName("dmsCommunicationsLossMessage"), octets("12345"), bytes), ValueError::None);

    const Object& color = *findByName("dmsGraphicTransparentColor");
    EXPECT_EQ(toBoundary(color, octets("ab"), bytes), ValueError::WrongLength);
    ASSERT_EQ(toBoundary(color, octets("\x12\x34\x56"), bytes), ValueError::None);
    uint32_t rgb;
    std::memcpy(&rgb, bytes.data(), 4);
    EXPECT_EQ(rgb, 0x123456u);
    Value back;
    ASSERT_EQ(fromBoundary(color, &rgb, 4, 4, back), ValueError::None);  // color24bit: 3 octets
    EXPECT_EQ(back.octets, "\x12\x34\x56");
    ASSERT_EQ(fromBoundary(color, &rgb, 4, 1, back), ValueError::None);  // otherwise 1
    EXPECT_EQ(back.octets, "\x56");
}

}  // namespace
