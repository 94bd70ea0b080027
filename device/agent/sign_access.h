// The SNMP agent's door into the simulated sign: reads and writes one
// object instance as an SNMP value through the same sign calls the
// in-process boundary makes, and finds the instance that follows an OID.
// Nothing here knows SNMP packets; the net-snmp handler sits on top.
#pragma once

#include <cstddef>

#include "../snmp/oid_map.h"
#include "../snmp/value.h"

namespace tqsim {
class SimSign;
}

namespace tqagent {

using tqdms::oids::Arc;
using tqdms::oids::Object;
using tqdms::oids::Value;

struct Instance {
    const Object* object = nullptr;
    Arc index[2] = {0, 0};
};

// What became of a read or write, in SNMP's terms; the handler picks the
// error of the request's SNMP version.
enum class Outcome {
    Ok,
    NoSuchInstance,  // no such object or row
    WrongType,
    WrongLength,
    WrongValue,      // a value the sign does not take
    NotWritable,     // read-only object
    Inconsistent,    // refused in the row's current state
    GenErr
};
const char* outcomeName(Outcome o);

// The instance an OID names, or false.
bool findInstance(const Arc* oid, size_t len, Instance& out);
// The first instance after the OID, in OID order, or false past the last.
bool nextInstance(const tqsim::SimSign& sign, const Arc* oid, size_t len, Instance& out);

Outcome readInstance(tqsim::SimSign& sign, const Instance& at, Value& out);
// Checks what can be checked without the sign: writable, type and length.
Outcome checkWrite(const Instance& at, const Value& v);
Outcome writeInstance(tqsim::SimSign& sign, const Instance& at, const Value& v);

}  // namespace tqagent
