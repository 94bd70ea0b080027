// The net-snmp handler: turns GET, GETNEXT and the SET phases into reads
// and writes of the sign model, and model outcomes into the SNMP error of
// the request's version. GETBULK reaches it as GETNEXTs.

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/agent/net-snmp-agent-includes.h>
#include <unistd.h>

#include "../snmp/varbind.h"
#include "agent_state.h"
#include "sign_access.h"
#include "tqdms/ntcip.h"

namespace tqagent {
namespace {

constexpr size_t kMax = tqdms::oids::kMaxOidArcs;

// The request's OID as 32-bit arcs; false when it cannot name a sign object.
bool arcsOf(const netsnmp_variable_list* vb, Arc* out, size_t& len) {
    if (vb->name_length > kMax) return false;
    for (size_t i = 0; i < vb->name_length; ++i) {
        if (vb->name[i] > 0xFFFFFFFFul) return false;
        out[i] = static_cast<Arc>(vb->name[i]);
    }
    len = vb->name_length;
    return true;
}

void setName(netsnmp_variable_list* vb, const Instance& at) {
    Arc arcs[kMax];
    size_t n = tqdms::oids::instanceOid(*at.object, at.index, arcs);
    oid name[kMax];
    for (size_t i = 0; i < n; ++i) name[i] = arcs[i];
    snmp_set_var_objid(vb, name, n);
}

void setValue(netsnmp_variable_list* vb, const Value& v) {
    tqdms::snmp::WireValue w(v);
    snmp_set_var_typed_value(vb, w.type, w.data(), w.size());
}

// The SNMP error of a refused SET, as signs answer them per version.
int setError(Outcome o, bool v1) {
    switch (o) {
    case Outcome::Ok: return SNMP_ERR_NOERROR;
    case Outcome::NoSuchInstance: return v1 ? SNMP_ERR_NOSUCHNAME : SNMP_ERR_NOCREATION;
    case Outcome::WrongType: return v1 ? SNMP_ERR_BADVALUE : SNMP_ERR_WRONGTYPE;
    case Outcome::WrongLength: return v1 ? SNMP_ERR_BADVALUE : SNMP_ERR_WRONGLENGTH;
    case Outcome::WrongValue: return v1 ? SNMP_ERR_BADVALUE : SNMP_ERR_WRONGVALUE;
    case Outcome::NotWritable: return v1 ? SNMP_ERR_READONLY : SNMP_ERR_NOTWRITABLE;
    case Outcome::Inconsistent: return v1 ? SNMP_ERR_GENERR : SNMP_ERR_INCONSISTENTVALUE;
    case Outcome::GenErr: return SNMP_ERR_GENERR;
    }
    return SNMP_ERR_GENERR;
}

std::string instanceName(const Instance& at) {
    std::string name = at.object->name;
    if (at.object->indexes == 0) return name + ".0";
    for (int i = 0; i < at.object->indexes; ++i) name += "." + std::to_string(at.index[i]);
    return name;
}

void record(SignAgent::State& s, const netsnmp_variable_list* vb, const Instance* at, const Value* v, Outcome o) {
    SetEvent e;
    Arc arcs[kMax];
    size_t n = 0;
    if (arcsOf(vb, arcs, n)) e.oid = tqdms::oids::dotted(arcs, n);
    e.name = at && at->object ? instanceName(*at) : e.oid;
    e.value = v ? tqdms::oids::describe(*v) : "?";
    e.result = outcomeName(o);
    s.events.push_back(std::move(e));
}

// Error reports survive the undo of a refused request: a client reads them
// to learn why its SET failed.
void keepErrorReports(const tqsim::SimSign& failed, tqsim::SimSign& restored) {
    restored.messages.validateError = failed.messages.validateError;
    restored.messages.syntaxError = failed.messages.syntaxError;
    restored.messages.syntaxErrorPosition = failed.messages.syntaxErrorPosition;
    restored.messages.activateError = failed.messages.activateError;
    restored.messages.activateErrorCode = failed.messages.activateErrorCode;
}

void get(SignAgent::State& s, netsnmp_agent_request_info* info, netsnmp_request_info* r) {
    Arc arcs[kMax];
    size_t n = 0;
    Instance at;
    if (!arcsOf(r->requestvb, arcs, n) || !findInstance(arcs, n, at)) {
        netsnmp_set_request_error(info, r, SNMP_NOSUCHOBJECT);
        return;
    }
    Value v;
    Outcome o = readInstance(*s.sign, at, v);
    if (o == Outcome::Ok) setValue(r->requestvb, v);
    else netsnmp_set_request_error(info, r, o == Outcome::NoSuchInstance ? SNMP_NOSUCHINSTANCE : SNMP_ERR_GENERR);
}

void getNext(SignAgent::State& s, netsnmp_request_info* r) {
    Arc arcs[kMax];
    size_t n = 0;
    if (!arcsOf(r->requestvb, arcs, n)) return;  // past every sign object
    Instance at;
    // An instance that cannot be read is passed over (bounded: the walk
    // only moves forward through a finite table).
    for (int guard = 0; guard < 100000 && nextInstance(*s.sign, arcs, n, at); ++guard) {
        Value v;
        if (readInstance(*s.sign, at, v) == Outcome::Ok) {
            setName(r->requestvb, at);
            setValue(r->requestvb, v);
            return;
        }
        n = tqdms::oids::instanceOid(*at.object, at.index, arcs);
    }
}

void reserve(SignAgent::State& s, netsnmp_agent_request_info* info, netsnmp_request_info* r, bool v1) {
    Arc arcs[kMax];
    size_t n = 0;
    Instance at;
    Value v;
    Outcome o;
    if (!arcsOf(r->requestvb, arcs, n) || !findInstance(arcs, n, at)) o = Outcome::NoSuchInstance;
    else if (!tqdms::snmp::readVarbind(r->requestvb, v)) o = Outcome::WrongType;
    else o = checkWrite(at, v);
    if (o == Outcome::Ok) return;
    record(s, r->requestvb, at.object ? &at : nullptr, at.object ? &v : nullptr, o);
    netsnmp_set_request_error(info, r, setError(o, v1));
}

// Writes every varbind in order; the first refusal undoes the others.
void action(SignAgent::State& s, netsnmp_agent_request_info* info, netsnmp_request_info* requests, bool v1) {
    int count = 0;
    for (netsnmp_request_info* r = requests; r; r = r->next) ++count;
    if (count > 1) s.before.reset(new tqsim::SimSign(*s.sign));
    for (netsnmp_request_info* r = requests; r; r = r->next) {
        Arc arcs[kMax];
        size_t n = 0;
        Instance at;
        Value v;
        if (!arcsOf(r->requestvb, arcs, n) || !findInstance(arcs, n, at) || !tqdms::snmp::readVarbind(r->requestvb, v)) continue;
        Outcome o = writeInstance(*s.sign, at, v);
        record(s, r->requestvb, &at, &v, o);
        if (o != Outcome::Ok) {
            if (s.before) {
                keepErrorReports(*s.sign, *s.before);
                *s.sign = *s.before;
            }
            netsnmp_set_request_error(info, r, setError(o, v1));
            return;
        }
    }
}

void finish(SignAgent::State& s, bool committed) {
    s.before.reset();
    if (committed) {
        s.changed = true;
        s.sign->markDirty();
    }
    if (s.sink)
        for (const SetEvent& e : s.events) s.sink(e);
    s.events.clear();
}

int handle(netsnmp_mib_handler* handler, netsnmp_handler_registration*, netsnmp_agent_request_info* info,
           netsnmp_request_info* requests) {
    auto& s = *static_cast<SignAgent::State*>(handler->myvoid);
    const bool v1 = info->asp && info->asp->pdu && info->asp->pdu->version == SNMP_VERSION_1;
    // A distant sign's answer time, once per request (its first pass).
    if (s.answerDelayMs > 0 &&
        (info->mode == MODE_GET || info->mode == MODE_GETNEXT || info->mode == MODE_SET_RESERVE1))
        usleep(static_cast<useconds_t>(s.answerDelayMs) * 1000);
    switch (info->mode) {
    case MODE_GET:
        for (netsnmp_request_info* r = requests; r; r = r->next)
            if (!r->processed) get(s, info, r);
        break;
    case MODE_GETNEXT:
        for (netsnmp_request_info* r = requests; r; r = r->next)
            if (!r->processed) getNext(s, r);
        break;
    case MODE_SET_RESERVE1:
        s.events.clear();
        for (netsnmp_request_info* r = requests; r; r = r->next) reserve(s, info, r, v1);
        break;
    case MODE_SET_RESERVE2: break;
    case MODE_SET_ACTION: action(s, info, requests, v1); break;
    case MODE_SET_COMMIT: finish(s, true); break;
    case MODE_SET_FREE:
    case MODE_SET_UNDO: finish(s, false); break;
    default: break;
    }
    return SNMP_ERR_NOERROR;
}

}  // namespace

bool registerSignHandler(SignAgent::State* state) {
    static const oid kDevices[] = {NTCIP_DEVICES_ARCS};
    netsnmp_handler_registration* reg = netsnmp_create_handler_registration(
        "dmsSign", handle, kDevices, OID_LENGTH(kDevices), HANDLER_CAN_RWRITE);
    if (!reg) return false;
    reg->handler->myvoid = state;
    return netsnmp_register_handler(reg) == MIB_REGISTERED_OK;
}

}  // namespace tqagent
