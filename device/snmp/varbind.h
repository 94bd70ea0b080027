// Sign values in net-snmp's terms, for the agent's handler and the client
// transport alike: a varbind's value read as a Value, and a Value as the
// type and bytes net-snmp takes.
#pragma once

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <vector>

#include "value.h"

namespace tqdms {
namespace snmp {

// False for a type no sign object has.
bool readVarbind(const netsnmp_variable_list* vb, oids::Value& out);

// A value as net-snmp takes it (snmp_set_var_typed_value, snmp_pdu_add_variable).
struct WireValue {
    explicit WireValue(const oids::Value& v);
    u_char type;
    const void* data() const;
    size_t size() const;

private:
    const oids::Value& value_;
    long integer_ = 0;
    std::vector<oid> arcs_;
};

}  // namespace snmp
}  // namespace tqdms
