// The client side of SNMP: sign names (snmp:// URIs) and the conversion of
// answers into the boundary's buffers, and of set buffers into values.
// Input: a mode byte; mode 0 takes the rest as a URI, others build a value
// (object, syntax, buffer length, integer, octets) and convert it both ways
// into buffers of exactly the chosen length, so a write past one is caught.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "snmp/uri.h"
#include "snmp/value.h"

using namespace tqdms;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    if (data[0] == 0) {
        snmp::Target target;
        std::string error;
        snmp::parseSnmpUri(std::string(reinterpret_cast<const char*>(data + 1), size - 1), target, error);
        return 0;
    }
    if (size < 13) return 0;
    size_t count = 0;
    const oids::Object* all = oids::objects(count);
    const oids::Object& o = all[data[1] % count];
    oids::Value v;
    v.syntax = static_cast<oids::Syntax>(data[2] % 5);
    int len = data[3];
    int64_t integer = 0;
    std::memcpy(&integer, data + 4, 8);
    v.integer = integer;
    v.octets.assign(reinterpret_cast<const char*>(data + 12), size - 12);
    for (size_t i = 12; i + 4 <= size && v.oid.size() < 40; i += 4) {
        uint32_t arc;
        std::memcpy(&arc, data + i, 4);
        v.oid.push_back(arc);
    }
    std::vector<uint8_t> buf(static_cast<size_t>(len));
    oids::intoGetBuffer(o, v, len ? buf.data() : nullptr, len);
    oids::describe(v);

    // The same bytes as a set buffer of exactly `len` bytes.
    std::vector<uint8_t> in(v.octets.begin(), v.octets.end());
    in.resize(static_cast<size_t>(len));
    oids::Value out;
    oids::fromSetBuffer(o, len ? in.data() : nullptr, len, data[2] & 0x80 ? 4 : 0, out);
    return 0;
}
