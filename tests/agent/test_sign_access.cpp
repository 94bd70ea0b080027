// The agent's view of the sign model: walks visit every instance once in
// OID order, reads and writes go through the sign's own status machines.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "agent/sign_access.h"
#include "sim/sign.h"
#include "tqdms/ntcip.h"

namespace {

using namespace tqagent;
using tqdms::oids::findByName;
using tqdms::oids::kMaxOidArcs;
using tqdms::oids::Syntax;

std::shared_ptr<tqsim::SimSign> smallSign() {
    std::shared_ptr<tqsim::SimSign> s;
    EXPECT_EQ(tqsim::SimSign::openMemory(
                  R"({"limits": {"maxChangeable": 3, "maxVolatile": 5, "fontRows": 2, "maxCharacter": 4,
                      "graphicRows": 2, "graphicMaxSize": 8, "graphicBlockSize": 4, "maxScheduleEntries": 2,
                      "maxDayPlans": 2, "maxDayPlanEvents": 3, "actionRows": 2}})",
                  s),
              0u);
    return s;
}

Instance at(const char* name, Arc i0 = 0, Arc i1 = 0) {
    Instance i;
    i.object = findByName(name);
    EXPECT_NE(i.object, nullptr) << name;
    i.index[0] = i0;
    i.index[1] = i1;
    return i;
}

Value integer(int64_t v) {
    Value x;
    x.integer = v;
    return x;
}

Value text(const std::string& s) {
    Value x;
    x.syntax = Syntax::OctetString;
    x.octets = s;
    return x;
}

TEST(SignAccess, AWalkVisitsEveryInstanceOnceInOrderAndEachReads) {
    auto sign = smallSign();
    Arc oid[kMaxOidArcs] = {1, 3, 6, 1, 4, 1, 1206, 4, 2};
    size_t len = 9;
    std::map<std::string, int> perObject;
    Arc prev[kMaxOidArcs];
    size_t prevLen = 0;
    Instance i;
    int total = 0;
    while (nextInstance(*sign, oid, len, i) && total < 100000) {
        len = tqdms::oids::instanceOid(*i.object, i.index, oid);
        if (prevLen) {
            EXPECT_TRUE(std::lexicographical_compare(prev, prev + prevLen, oid, oid + len));
        }
        std::copy(oid, oid + len, prev);
        prevLen = len;
        Value v;
        EXPECT_EQ(readInstance(*sign, i, v), Outcome::Ok) << tqdms::oids::dotted(oid, len);
        ++perObject[i.object->name];
        ++total;
    }
    EXPECT_EQ(perObject["dmsSignHeight"], 1);
    EXPECT_EQ(perObject["fontStatus"], 2);
    EXPECT_EQ(perObject["characterBitmap"], 2 * 4);
    // Changeable 3, volatile 5, current buffer, schedule and 255 blank messages.
    EXPECT_EQ(perObject["dmsMessageStatus"], 3 + 5 + 1 + 1 + 255);
    EXPECT_EQ(perObject["dmsActionMsgCode"], 2);
    EXPECT_EQ(perObject["dmsGraphicBlockBitmap"], 2 * 2);
    EXPECT_EQ(perObject["timeBaseScheduleMonth"], 2);
    EXPECT_EQ(perObject["dayPlanActionNumberOID"], 2 * 3);
    EXPECT_EQ(perObject["moduleMake"], sign->moduleCount());
    EXPECT_EQ(perObject["globalLocalTimeDifferential"], 1);
    size_t count = 0;
    tqdms::oids::objects(count);
    EXPECT_EQ(perObject.size(), count) << "an object was never visited";
}

TEST(SignAccess, NextInstanceFromPlacesAWalkDoesNotGo) {
    auto sign = smallSign();
    Arc oid[kMaxOidArcs];
    Instance i;
    // Past the last changeable row of memory type 3 comes volatile row 1.
    size_t len = tqdms::oids::instanceOid(*findByName("dmsMessageOwner"), at("dmsMessageOwner", 3, 3).index, oid);
    ASSERT_TRUE(nextInstance(*sign, oid, len, i));
    EXPECT_STREQ(i.object->name, "dmsMessageOwner");
    EXPECT_EQ(i.index[0], 4u);
    EXPECT_EQ(i.index[1], 1u);
    // The object's own OID (as a walk of one column asks) gives its first row.
    len = tqdms::oids::objectOid(*findByName("fontStatus"), oid);
    ASSERT_TRUE(nextInstance(*sign, oid, len, i));
    EXPECT_STREQ(i.object->name, "fontStatus");
    EXPECT_EQ(i.index[0], 1u);
    // An index past every row moves on to the next column's first row.
    Arc far[2] = {4000000000u, 7};
    len = tqdms::oids::instanceOid(*findByName("fontName"), far, oid);
    ASSERT_TRUE(nextInstance(*sign, oid, len, i));
    EXPECT_STREQ(i.object->name, "fontHeight");
    EXPECT_EQ(i.index[0], 1u);
    // A scalar's own instance is followed by the next object.
    len = tqdms::oids::instanceOid(*findByName("dmsMaxChangeableMsg"), far, oid);
    ASSERT_TRUE(nextInstance(*sign, oid, len, i));
    EXPECT_STREQ(i.object->name, "dmsFreeChangeableMemory");
    // After the very last instance there is nothing.
    len = tqdms::oids::instanceOid(*findByName("globalLocalTimeDifferential"), far, oid);
    EXPECT_FALSE(nextInstance(*sign, oid, len, i));
}

TEST(SignAccess, RowsOutsideTheLimitsDoNotExist) {
    auto sign = smallSign();
    Value v;
    EXPECT_EQ(readInstance(*sign, at("dmsMessageStatus", 3, 3), v), Outcome::Ok);
    EXPECT_EQ(readInstance(*sign, at("dmsMessageStatus", 3, 4), v), Outcome::NoSuchInstance);
    EXPECT_EQ(readInstance(*sign, at("dmsMessageStatus", 3, 0), v), Outcome::NoSuchInstance);
    EXPECT_EQ(readInstance(*sign, at("fontStatus", 3), v), Outcome::NoSuchInstance);
    EXPECT_EQ(readInstance(*sign, at("dmsGraphicBlockBitmap", 1, 3), v), Outcome::NoSuchInstance);
    EXPECT_EQ(readInstance(*sign, at("dmsGraphicBlockBitmap", 1, 2), v), Outcome::Ok);
    EXPECT_EQ(readInstance(*sign, at("dmsActionIndex", 3), v), Outcome::NoSuchInstance);
    EXPECT_EQ(readInstance(*sign, at("dmsActionIndex", 2), v), Outcome::Ok);
    EXPECT_EQ(v.integer, 2);
    EXPECT_EQ(readInstance(*sign, at("dmsMessageStatus", 0x80000000u, 1), v), Outcome::NoSuchInstance);
}

TEST(SignAccess, MessageWrittenThroughTheStatusMachineGetsTheSignsCrc) {
    auto sign = smallSign();
    Value v;
    EXPECT_EQ(writeInstance(*sign, at("dmsMessageMultiString", 4, 5), text("X")), Outcome::Inconsistent);
    ASSERT_EQ(writeInstance(*sign, at("dmsMessageStatus", 4, 5), integer(NTCIP_MSG_MODIFY_REQ)), Outcome::Ok);
    ASSERT_EQ(readInstance(*sign, at("dmsMessageStatus", 4, 5), v), Outcome::Ok);
    EXPECT_EQ(v.integer, NTCIP_MSG_MODIFYING);
    ASSERT_EQ(writeInstance(*sign, at("dmsMessageMultiString", 4, 5), text("[jp3]TEST [fl]Flashing[/fl]")), Outcome::Ok);
    ASSERT_EQ(writeInstance(*sign, at("dmsMessageOwner", 4, 5), text("agent")), Outcome::Ok);
    EXPECT_EQ(writeInstance(*sign, at("dmsMessageBeacon", 4, 5), integer(2)), Outcome::WrongValue);
    EXPECT_EQ(writeInstance(*sign, at("dmsMessageBeacon", 4, 5), text("0")), Outcome::WrongType);
    EXPECT_EQ(writeInstance(*sign, at("dmsMessageCRC", 4, 5), integer(1)), Outcome::NotWritable);
    ASSERT_EQ(writeInstance(*sign, at("dmsMessageStatus", 4, 5), integer(NTCIP_MSG_VALIDATE_REQ)), Outcome::Ok);
    ASSERT_EQ(readInstance(*sign, at("dmsMessageStatus", 4, 5), v), Outcome::Ok);
    EXPECT_EQ(v.integer, NTCIP_MSG_VALID);
    ASSERT_EQ(readInstance(*sign, at("dmsMessageCRC", 4, 5), v), Outcome::Ok);
    EXPECT_EQ(v.integer, 0x95F9);

    // Activated with the worked example's code, the sign keeps it in network order.
    const std::string code("\x01\x0B\x37\x04\x00\x05\x95\xF9\x67\x08\x09\x0A", 12);
    ASSERT_EQ(writeInstance(*sign, at("dmsActivateMessage"), text(code)), Outcome::Ok);
    ASSERT_EQ(readInstance(*sign, at("dmsActivateMessage"), v), Outcome::Ok);
    EXPECT_EQ(v.octets, code);
    // The message on display cannot be taken back to modifying.
    EXPECT_EQ(writeInstance(*sign, at("dmsMessageStatus", 4, 5), integer(NTCIP_MSG_MODIFY_REQ)), Outcome::Inconsistent);
}

}  // namespace
