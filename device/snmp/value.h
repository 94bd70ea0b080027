// An SNMP value as the sign's objects use it, and its conversion to and
// from the boundary's buffers. Shared by the SNMP agent (boundary buffer ->
// value on a GET, value -> buffer on a SET) and SNMP clients (the reverse).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "oid_map.h"
#include "tqdms/ntcip.h"

namespace tqdms {
namespace oids {

struct Value {
    Syntax syntax = Syntax::Integer;
    int64_t integer = 0;      // Integer (signed 32), Counter32, Gauge32
    std::string octets;       // OctetString
    std::vector<Arc> oid;     // ObjectId
};

enum class ValueError { None, WrongType, WrongLength, WrongValue };

// The value a boundary get produced. `buf` holds `len` bytes as the call
// left them; `graphicType` decides the width of a Color (3 octets for
// color24bit, else 1).
ValueError fromBoundary(const Object& o, const void* buf, int len, int graphicType, Value& out);
// The bytes a boundary set takes for a value: its type must be the
// object's, fixed-size octets must have their size.
ValueError toBoundary(const Object& o, const Value& v, std::string& bytes);

// Short text of a value for logs: numbers, printable text quoted, other
// octets as hex, OIDs dotted.
std::string describe(const Value& v);

}  // namespace oids
}  // namespace tqdms
