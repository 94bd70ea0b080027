#include "value.h"

#include "../bytes.h"

#include <algorithm>
#include <cstring>

namespace tqdms {
namespace oids {
namespace {

uint32_t hostInt(const void* buf, int len) {
    uint32_t v = 0;
    if (len >= 4) std::memcpy(&v, buf, 4);
    return v;
}

std::string hostIntBytes(uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

uint16_t be16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

// A 32-bit value as the syntax reads it: Integer is signed.
int64_t asSyntax(Syntax s, uint32_t v) {
    return s == Syntax::Integer ? static_cast<int64_t>(static_cast<int32_t>(v)) : static_cast<int64_t>(v);
}

}  // namespace

ValueError fromBoundary(const Object& o, const void* buf, int len, int graphicType, Value& out) {
    out = Value();
    out.syntax = o.syntax;
    const auto* p = static_cast<const uint8_t*>(buf);
    switch (o.form) {
    case Form::Int:
    case Form::RowIndex:
        if (len != 4) return ValueError::WrongLength;
        out.integer = asSyntax(o.syntax, hostInt(buf, len));
        return ValueError::None;
    case Form::Text: out.octets = getText(buf, len); return ValueError::None;
    case Form::Octets:
    case Form::ActivationCode:
        if (o.size && len != o.size) return ValueError::WrongLength;
        out.octets.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(len));
        return ValueError::None;
    case Form::ActionCode: {
        // Entry: memory type, a spare byte, number and CRC in host order.
        if (len != 6) return ValueError::WrongLength;
        uint16_t number, crc;
        std::memcpy(&number, p + 2, 2);
        std::memcpy(&crc, p + 4, 2);
        const char code[NTCIP_MESSAGE_ID_CODE_SIZE] = {static_cast<char>(p[0]), static_cast<char>(number >> 8),
                                                        static_cast<char>(number), static_cast<char>(crc >> 8),
                                                        static_cast<char>(crc)};
        out.octets.assign(code, sizeof code);
        return ValueError::None;
    }
    case Form::OidText: {
        std::string text = getText(buf, len);
        if (text.empty()) {  // no action: zeroDotZero
            out.oid = {0, 0};
            return ValueError::None;
        }
        Arc arcs[128];
        size_t count = 0;
        if (!parseDotted(text, arcs, 128, count)) return ValueError::WrongValue;
        out.oid.assign(arcs, arcs + count);
        if (out.oid.size() == 1) out.oid.push_back(0);  // an OID has two arcs at least
        return ValueError::None;
    }
    case Form::Color: {
        if (len != 4) return ValueError::WrongLength;
        uint32_t v = hostInt(buf, len);
        if (graphicType == NTCIP_COLOR_24BIT) {
            const char rgb[3] = {static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
            out.octets.assign(rgb, 3);
        } else {
            out.octets.assign(1, static_cast<char>(v));
        }
        return ValueError::None;
    }
    }
    return ValueError::WrongValue;
}

ValueError toBoundary(const Object& o, const Value& v, std::string& bytes) {
    bytes.clear();
    if (v.syntax != o.syntax) return ValueError::WrongType;
    const auto* p = reinterpret_cast<const uint8_t*>(v.octets.data());
    switch (o.form) {
    case Form::Int:
    case Form::RowIndex: {
        bool fits = o.syntax == Syntax::Integer ? v.integer >= INT32_MIN && v.integer <= INT32_MAX
                                                : v.integer >= 0 && v.integer <= UINT32_MAX;
        if (!fits) return ValueError::WrongValue;
        bytes = hostIntBytes(static_cast<uint32_t>(v.integer));
        return ValueError::None;
    }
    case Form::Text:
        // The boundary carries NUL-terminated text: a NUL inside would cut it.
        if (v.octets.find('\0') != std::string::npos) return ValueError::WrongValue;
        bytes = v.octets;
        bytes += '\0';
        return ValueError::None;
    case Form::Octets:
        if (o.size && v.octets.size() != o.size) return ValueError::WrongLength;
        bytes = v.octets;
        return ValueError::None;
    case Form::ActivationCode: {
        // Network order on the wire; the boundary's record is in host order.
        if (v.octets.size() != NTCIP_ACTIVATION_CODE_SIZE) return ValueError::WrongLength;
        uint16_t duration = be16(p), number = be16(p + 4), crc = be16(p + 6);
        uint32_t address = (static_cast<uint32_t>(p[8]) << 24) | (static_cast<uint32_t>(p[9]) << 16) |
                           (static_cast<uint32_t>(p[10]) << 8) | p[11];
        char record[NTCIP_ACTIVATION_CODE_SIZE];
        std::memcpy(record, &duration, 2);
        record[2] = static_cast<char>(p[2]);
        record[3] = static_cast<char>(p[3]);
        std::memcpy(record + 4, &number, 2);
        std::memcpy(record + 6, &crc, 2);
        std::memcpy(record + 8, &address, 4);
        bytes.assign(record, sizeof record);
        return ValueError::None;
    }
    case Form::ActionCode: {
        if (v.octets.size() != NTCIP_MESSAGE_ID_CODE_SIZE) return ValueError::WrongLength;
        uint16_t number = be16(p + 1), crc = be16(p + 3);
        char entry[6] = {static_cast<char>(p[0]), 0};
        std::memcpy(entry + 2, &number, 2);
        std::memcpy(entry + 4, &crc, 2);
        bytes.assign(entry, sizeof entry);
        return ValueError::None;
    }
    case Form::OidText:
        if (v.oid.size() == 2 && v.oid[0] == 0 && v.oid[1] == 0) {
            bytes.assign(1, '\0');  // zeroDotZero: no action
            return ValueError::None;
        }
        bytes = dotted(v.oid.data(), v.oid.size());
        bytes += '\0';
        return ValueError::None;
    case Form::Color: {
        uint32_t c = 0;
        if (v.octets.size() == 1) c = p[0];
        else if (v.octets.size() == 3) c = (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
        else if (!v.octets.empty()) return ValueError::WrongLength;
        bytes = hostIntBytes(c);
        return ValueError::None;
    }
    }
    return ValueError::WrongValue;
}

std::string describe(const Value& v) {
    switch (v.syntax) {
    case Syntax::Integer:
    case Syntax::Counter32:
    case Syntax::Gauge32: return std::to_string(v.integer);
    case Syntax::ObjectId: return dotted(v.oid.data(), v.oid.size());
    case Syntax::OctetString: break;
    }
    bool printable = true;
    for (unsigned char c : v.octets)
        if (c < 0x20 || c > 0x7E) printable = false;
    if (printable) return "\"" + v.octets + "\"";
    static const char kHex[] = "0123456789ABCDEF";
    std::string hex = "0x";
    for (unsigned char c : v.octets) {
        hex += kHex[c >> 4];
        hex += kHex[c & 15];
    }
    return hex;
}

}  // namespace oids
}  // namespace tqdms

namespace tqdms {
namespace oids {
namespace {

// A 1-, 2- or 4-byte value; a 4-byte INTEGER is signed.
bool readInt(const void* buf, int len, bool isSigned, int64_t& out) {
    uint32_t v = 0;
    if (!getUInt(buf, len, v)) return false;
    out = isSigned && len == 4 ? static_cast<int64_t>(static_cast<int32_t>(v)) : static_cast<int64_t>(v);
    return true;
}

// Stores v in a 1-, 2- or 4-byte buffer when it fits there.
BufferError writeInt(int64_t v, void* buf, int len) {
    int64_t lo = len == 1 ? -128 : len == 2 ? -32768 : INT32_MIN;
    int64_t hi = len == 1 ? 255 : len == 2 ? 65535 : UINT32_MAX;
    if (len != 1 && len != 2 && len != 4) return BufferError::BadBuffer;
    if (v < lo || v > hi) return BufferError::TooBig;
    putInt(buf, len, v);
    return BufferError::None;
}

// Text cut to the buffer and NUL-terminated, as every text read is.
BufferError writeText(const std::string& text, void* buf, int len) {
    return putText(buf, len, text) == TQDMS_OK ? BufferError::None : BufferError::BadBuffer;
}

}  // namespace

BufferError fromSetBuffer(const Object& o, const void* buf, int len, int graphicType, Value& out) {
    out = Value();
    out.syntax = o.syntax;
    if (len < 0 || (len > 0 && !buf)) return BufferError::BadBuffer;
    const auto* p = static_cast<const uint8_t*>(buf);
    switch (o.form) {
    case Form::Int:
    case Form::RowIndex:
        return readInt(buf, len, o.syntax == Syntax::Integer, out.integer) ? BufferError::None : BufferError::BadBuffer;
    case Form::Text: out.octets = getText(buf, len); return BufferError::None;
    case Form::Octets:
        if (o.size && len != o.size) return BufferError::BadBuffer;
        out.octets.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(len));
        return BufferError::None;
    case Form::ActivationCode: {
        // The boundary's host-order record, sent in network order.
        if (len != NTCIP_ACTIVATION_CODE_SIZE) return BufferError::BadBuffer;
        uint16_t duration, number, crc;
        uint32_t address;
        std::memcpy(&duration, p, 2);
        std::memcpy(&number, p + 4, 2);
        std::memcpy(&crc, p + 6, 2);
        std::memcpy(&address, p + 8, 4);
        const uint8_t wire[NTCIP_ACTIVATION_CODE_SIZE] = {
            static_cast<uint8_t>(duration >> 8), static_cast<uint8_t>(duration), p[2], p[3],
            static_cast<uint8_t>(number >> 8),   static_cast<uint8_t>(number),   static_cast<uint8_t>(crc >> 8),
            static_cast<uint8_t>(crc),           static_cast<uint8_t>(address >> 24), static_cast<uint8_t>(address >> 16),
            static_cast<uint8_t>(address >> 8),  static_cast<uint8_t>(address)};
        out.octets.assign(reinterpret_cast<const char*>(wire), sizeof wire);
        return BufferError::None;
    }
    case Form::ActionCode: {
        if (len != 6) return BufferError::BadBuffer;
        Value v;
        if (fromBoundary(o, buf, len, 0, v) != ValueError::None) return BufferError::BadBuffer;
        out.octets = v.octets;
        return BufferError::None;
    }
    case Form::OidText: {
        std::string text = getText(buf, len);
        out.syntax = Syntax::ObjectId;
        if (text.empty()) {
            out.oid = {0, 0};
            return BufferError::None;
        }
        Arc arcs[128];
        size_t n = 0;
        if (!parseDotted(text, arcs, 128, n)) return BufferError::BadBuffer;
        out.oid.assign(arcs, arcs + n);
        if (out.oid.size() == 1) out.oid.push_back(0);
        return BufferError::None;
    }
    case Form::Color: {
        int64_t v = 0;
        if (!readInt(buf, len, false, v)) return BufferError::BadBuffer;
        bool rgb = graphicType == NTCIP_COLOR_24BIT || (graphicType == 0 && v > 0xFF);
        if (rgb) {
            const char c[3] = {static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
            out.octets.assign(c, 3);
        } else {
            if (v > 0xFF) return BufferError::BadBuffer;
            out.octets.assign(1, static_cast<char>(v));
        }
        return BufferError::None;
    }
    }
    return BufferError::BadBuffer;
}

BufferError intoGetBuffer(const Object& o, const Value& v, void* buf, int len) {
    if (v.syntax != o.syntax) return BufferError::WrongType;
    if (len < 0 || (len > 0 && !buf)) return BufferError::BadBuffer;
    switch (o.form) {
    case Form::Int:
    case Form::RowIndex: return writeInt(v.integer, buf, len);
    case Form::Text: return writeText(v.octets, buf, len);
    case Form::Octets:
    case Form::ActivationCode:
        if (o.size && v.octets.size() != o.size) return BufferError::WrongLength;
        if (v.octets.size() > static_cast<size_t>(len)) return BufferError::TooBig;
        if (len > 0) std::memset(buf, 0, static_cast<size_t>(len));
        if (!v.octets.empty()) std::memcpy(buf, v.octets.data(), v.octets.size());
        return BufferError::None;
    case Form::ActionCode: {
        if (v.octets.size() != NTCIP_MESSAGE_ID_CODE_SIZE) return BufferError::WrongLength;
        if (len < 6) return BufferError::TooBig;
        std::string entry;
        if (toBoundary(o, v, entry) != ValueError::None) return BufferError::WrongLength;
        std::memset(buf, 0, static_cast<size_t>(len));
        std::memcpy(buf, entry.data(), entry.size());
        return BufferError::None;
    }
    case Form::OidText: {
        std::string text;
        if (!(v.oid.size() == 2 && v.oid[0] == 0 && v.oid[1] == 0)) text = dotted(v.oid.data(), v.oid.size());
        return writeText(text, buf, len);
    }
    case Form::Color: {
        const auto* c = reinterpret_cast<const uint8_t*>(v.octets.data());
        int64_t value = v.octets.empty() ? 0 : v.octets.size() == 1 ? c[0]
                        : v.octets.size() == 3 ? (c[0] << 16) | (c[1] << 8) | c[2] : -1;
        if (value < 0) return BufferError::WrongLength;
        return writeInt(value, buf, len);
    }
    }
    return BufferError::BadBuffer;
}

}  // namespace oids
}  // namespace tqdms
