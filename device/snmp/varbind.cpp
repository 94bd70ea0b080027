#include "varbind.h"

namespace tqdms {
namespace snmp {

using oids::Syntax;

bool readVarbind(const netsnmp_variable_list* vb, oids::Value& v) {
    v = oids::Value();
    switch (vb->type) {
    case ASN_INTEGER: v.syntax = Syntax::Integer; v.integer = *vb->val.integer; return true;
    case ASN_COUNTER: v.syntax = Syntax::Counter32; v.integer = static_cast<uint32_t>(*vb->val.integer); return true;
    case ASN_GAUGE: v.syntax = Syntax::Gauge32; v.integer = static_cast<uint32_t>(*vb->val.integer); return true;
    case ASN_OCTET_STR:
        v.syntax = Syntax::OctetString;
        v.octets.assign(reinterpret_cast<const char*>(vb->val.string), vb->val_len);
        return true;
    case ASN_OBJECT_ID:
        v.syntax = Syntax::ObjectId;
        for (size_t i = 0; i < vb->val_len / sizeof(oid); ++i) v.oid.push_back(static_cast<oids::Arc>(vb->val.objid[i]));
        return true;
    default: return false;
    }
}

WireValue::WireValue(const oids::Value& v) : value_(v) {
    switch (v.syntax) {
    case Syntax::Integer: type = ASN_INTEGER; break;
    case Syntax::Counter32: type = ASN_COUNTER; break;
    case Syntax::Gauge32: type = ASN_GAUGE; break;
    case Syntax::OctetString: type = ASN_OCTET_STR; break;
    case Syntax::ObjectId: type = ASN_OBJECT_ID; break;
    }
    integer_ = static_cast<long>(v.integer);
    if (v.syntax == Syntax::ObjectId) arcs_.assign(v.oid.begin(), v.oid.end());
}

const void* WireValue::data() const {
    switch (value_.syntax) {
    case Syntax::OctetString: return value_.octets.data();
    case Syntax::ObjectId: return arcs_.data();
    default: return &integer_;
    }
}

size_t WireValue::size() const {
    switch (value_.syntax) {
    case Syntax::OctetString: return value_.octets.size();
    case Syntax::ObjectId: return arcs_.size() * sizeof(oid);
    default: return sizeof integer_;
    }
}

}  // namespace snmp
}  // namespace tqdms
