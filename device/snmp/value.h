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

// The client side: the value a boundary set's buffer carries, and an
// answer into a boundary get's buffer. `graphicType` as above (0 = not
// known: a colour above 0xFF goes as 3 octets, others as 1). Integers take
// 1-, 2- or 4-byte buffers; text is cut to the buffer, NUL-terminated, as
// every sign read is. An answer longer than the buffer is TooBig, one of
// another type or size WrongType / WrongLength.
enum class BufferError { None, BadBuffer, WrongType, WrongLength, TooBig };
BufferError fromSetBuffer(const Object& o, const void* buf, int len, int graphicType, Value& out);
BufferError intoGetBuffer(const Object& o, const Value& v, void* buf, int len);

// Short text of a value for logs: numbers, printable text quoted, other
// octets as hex, OIDs dotted.
std::string describe(const Value& v);

}  // namespace oids
}  // namespace tqdms
