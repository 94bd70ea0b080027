// The transport over WinSNMP (wsnmp32.dll). Windows' older SNMP Management
// API (mgmtapi.dll) has no way to ask for SNMPv2c (none of its calls takes a
// version) and reaches another port only through a control call on the
// session; WinSNMP gives each agent entity its version (v1 or v2c), port,
// timeout and retries, so it reaches every sign an snmp:// address can name.
// Answers come asynchronously: the session's callback wakes the waiting
// request, which then takes the messages with SnmpRecvMsg.
#include <windows.h>
#include <winsnmp.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <limits>
#include <mutex>
#include <vector>

#include "transport.h"
#include "tqdms/tqdms.h"

namespace tqdms {
namespace snmp {
namespace {

using oids::Arc;
using oids::Syntax;
using oids::Value;

// WinSNMP's translate mode is per process and decides the version of the
// entities made under it (they keep it). A session's entity and context are
// made under this lock and the host's mode is put back after.
std::mutex modeLock;

struct TranslateMode {
    explicit TranslateMode(smiUINT32 mode) {
        ok = SnmpGetTranslateMode(&previous) == SNMPAPI_SUCCESS && SnmpSetTranslateMode(mode) == SNMPAPI_SUCCESS;
    }
    ~TranslateMode() { if (ok) SnmpSetTranslateMode(previous); }
    TranslateMode(const TranslateMode&) = delete;
    TranslateMode& operator=(const TranslateMode&) = delete;
    std::lock_guard<std::mutex> hold{modeLock};
    smiUINT32 previous = SNMPAPI_UNTRANSLATED_V1;
    bool ok = false;
};

// An OID as WinSNMP takes it; the arcs live as long as this object.
struct SmiOid {
    explicit SmiOid(const std::vector<Arc>& arcs) : store(arcs.begin(), arcs.end()) {
        store.push_back(0);  // never an empty buffer; not counted in len
        oid.len = static_cast<smiUINT32>(arcs.size());
        oid.ptr = store.data();
    }
    SmiOid(const SmiOid&) = delete;
    SmiOid& operator=(const SmiOid&) = delete;
    std::vector<smiUINT32> store;
    smiOID oid{};
};

// A value as WinSNMP takes it (it copies the bytes into its varbind list).
struct SmiValue {
    explicit SmiValue(const Value& v) : arcs(v.oid) {
        switch (v.syntax) {
        case Syntax::Integer: value.syntax = SNMP_SYNTAX_INT; value.value.sNumber = static_cast<smiINT>(v.integer); break;
        case Syntax::Counter32: value.syntax = SNMP_SYNTAX_CNTR32; value.value.uNumber = static_cast<smiUINT32>(v.integer); break;
        case Syntax::Gauge32: value.syntax = SNMP_SYNTAX_GAUGE32; value.value.uNumber = static_cast<smiUINT32>(v.integer); break;
        case Syntax::OctetString:
            bytes.assign(v.octets.begin(), v.octets.end());
            bytes.push_back(0);  // never an empty buffer; not counted in len
            value.syntax = SNMP_SYNTAX_OCTETS;
            value.value.string.len = static_cast<smiUINT32>(v.octets.size());
            value.value.string.ptr = bytes.data();
            break;
        case Syntax::ObjectId: value.syntax = SNMP_SYNTAX_OID; value.value.oid = arcs.oid; break;
        }
    }
    SmiValue(const SmiValue&) = delete;
    SmiValue& operator=(const SmiValue&) = delete;
    SmiOid arcs;
    std::vector<smiBYTE> bytes;
    smiVALUE value{};
};

// False for a type no sign object has.
bool readValue(const smiVALUE& s, Value& v) {
    v = Value();
    switch (s.syntax) {
    case SNMP_SYNTAX_INT: v.syntax = Syntax::Integer; v.integer = s.value.sNumber; return true;
    case SNMP_SYNTAX_CNTR32: v.syntax = Syntax::Counter32; v.integer = s.value.uNumber; return true;
    case SNMP_SYNTAX_GAUGE32: v.syntax = Syntax::Gauge32; v.integer = s.value.uNumber; return true;
    case SNMP_SYNTAX_OCTETS:
        v.syntax = Syntax::OctetString;
        if (s.value.string.len) v.octets.assign(reinterpret_cast<const char*>(s.value.string.ptr), s.value.string.len);
        return true;
    case SNMP_SYNTAX_OID:
        v.syntax = Syntax::ObjectId;
        v.oid.assign(s.value.oid.ptr, s.value.oid.ptr + s.value.oid.len);
        return true;
    default: return false;
    }
}

// One varbind of a list, read out; frees what WinSNMP allocated for it.
struct Vb {
    Vb(HSNMP_VBL vbl, smiUINT32 index) : ok(SnmpGetVb(vbl, index, &name, &value) == SNMPAPI_SUCCESS) {}
    ~Vb() {
        if (!ok) return;
        SnmpFreeDescriptor(SNMP_SYNTAX_OID, reinterpret_cast<smiLPOPAQUE>(&name));
        switch (value.syntax) {
        case SNMP_SYNTAX_OCTETS:
        case SNMP_SYNTAX_BITS:
        case SNMP_SYNTAX_OPAQUE:
        case SNMP_SYNTAX_IPADDR:
        case SNMP_SYNTAX_NSAPADDR: SnmpFreeDescriptor(value.syntax, &value.value.string); break;
        case SNMP_SYNTAX_OID: SnmpFreeDescriptor(SNMP_SYNTAX_OID, reinterpret_cast<smiLPOPAQUE>(&value.value.oid)); break;
        default: break;
        }
    }
    Vb(const Vb&) = delete;
    Vb& operator=(const Vb&) = delete;
    smiOID name{};
    smiVALUE value{};
    bool ok;
};

// A varbind list we made.
struct Vbl {
    explicit Vbl(HSNMP_VBL handle) : h(handle) {}
    ~Vbl() { if (h) SnmpFreeVbl(h); }
    Vbl(const Vbl&) = delete;
    Vbl& operator=(const Vbl&) = delete;
    HSNMP_VBL h;
};

// A received message and the handles WinSNMP made for it.
struct Received {
    Received() = default;
    ~Received() { reset(); }
    Received(const Received&) = delete;
    Received& operator=(const Received&) = delete;
    void reset() {
        if (vbl) SnmpFreeVbl(vbl);
        if (pdu) SnmpFreePdu(pdu);
        if (context) SnmpFreeContext(context);
        if (dst) SnmpFreeEntity(dst);
        if (src) SnmpFreeEntity(src);
        src = dst = nullptr, context = nullptr, pdu = nullptr, vbl = nullptr;
    }
    HSNMP_ENTITY src = nullptr, dst = nullptr;
    HSNMP_CONTEXT context = nullptr;
    HSNMP_PDU pdu = nullptr;
    HSNMP_VBL vbl = nullptr;
};

class WinSnmpTransport final : public Transport {
public:
    // SnmpStartup has succeeded; this object owns the matching SnmpCleanup.
    WinSnmpTransport() = default;
    ~WinSnmpTransport() override {
        if (context_) SnmpFreeContext(context_);
        if (agent_) SnmpFreeEntity(agent_);
        if (session_) SnmpClose(session_);  // no callbacks after this
        if (wake_) CloseHandle(wake_);
        SnmpCleanup();
    }

    bool open(const Target& t, std::string& error) {
        std::string host = t.host;
        if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
        std::string community = t.community;
        smiOCTETS name{static_cast<smiUINT32>(community.size()), reinterpret_cast<smiLPBYTE>(&community[0])};
        TranslateMode mode(t.version == 2 ? SNMPAPI_UNTRANSLATED_V2 : SNMPAPI_UNTRANSLATED_V1);
        // Retransmission is per process as well; our retries need it on (the
        // implementation's default), so it stays on.
        if (!mode.ok || SnmpSetRetransmitMode(SNMPAPI_ON) != SNMPAPI_SUCCESS)
            return error = "WinSNMP refused the SNMP version or retransmission", false;
        if (!(wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr)) ||
            !(session_ = SnmpCreateSession(nullptr, 0, &notify, this)))
            return error = "cannot open a WinSNMP session", false;
        if (!(agent_ = SnmpStrToEntity(session_, host.c_str())) ||
            SnmpSetPort(agent_, static_cast<UINT>(t.port)) != SNMPAPI_SUCCESS)
            return error = "WinSNMP refused the address " + t.host + ":" + std::to_string(t.port), false;
        int centiseconds = t.timeoutMs > 10 ? (t.timeoutMs + 9) / 10 : 1;
        if (SnmpSetTimeout(agent_, static_cast<smiTIMETICKS>(centiseconds)) != SNMPAPI_SUCCESS ||
            SnmpSetRetry(agent_, static_cast<smiUINT32>(t.retries > 0 ? t.retries : 0)) != SNMPAPI_SUCCESS)
            return error = "WinSNMP refused the timeout or retries", false;
        if (!(context_ = SnmpStrToContext(session_, &name))) return error = "WinSNMP refused the community", false;
        waitMs_ = static_cast<int64_t>(t.timeoutMs > 0 ? t.timeoutMs : 0) * ((t.retries > 0 ? t.retries : 0) + 1);
        return true;
    }

    uint32_t get(const std::vector<Arc>& name, Value& out) override {
        std::lock_guard<std::mutex> hold(lock_);
        SmiOid n(name);
        smiVALUE null{};
        null.syntax = SNMP_SYNTAX_NULL;
        Vbl request(SnmpCreateVbl(session_, &n.oid, &null));
        if (!request.h) return TQDMS_E_EXCHANGE;
        Received answer;
        uint32_t rc = exchange(SNMP_PDU_GET, request.h, answer);
        if (rc != TQDMS_OK) return rc;
        Vb vb(answer.vbl, 1);
        if (!vb.ok) return TQDMS_E_BAD_ANSWER;
        if (vb.value.syntax == SNMP_SYNTAX_NOSUCHOBJECT || vb.value.syntax == SNMP_SYNTAX_NOSUCHINSTANCE ||
            vb.value.syntax == SNMP_SYNTAX_ENDOFMIBVIEW)
            return TQDMS_E_NO_SUCH_NAME;
        Value v;
        if (vb.name.len != n.oid.len || !std::equal(name.begin(), name.end(), vb.name.ptr) || !readValue(vb.value, v))
            return TQDMS_E_BAD_ANSWER;
        out = std::move(v);
        return TQDMS_OK;
    }

    uint32_t set(const std::vector<Varbind>& varbinds) override {
        std::lock_guard<std::mutex> hold(lock_);
        Vbl request(SnmpCreateVbl(session_, nullptr, nullptr));  // empty; index 0 appends
        if (!request.h) return TQDMS_E_EXCHANGE;
        for (const Varbind& b : varbinds) {
            SmiOid n(b.oid);
            SmiValue v(b.value);
            if (SnmpSetVb(request.h, 0, &n.oid, &v.value) == SNMPAPI_FAILURE) return TQDMS_E_BAD_VALUE;
        }
        Received answer;
        return exchange(SNMP_PDU_SET, request.h, answer);
    }

private:
    // wParam 0: a message waits; otherwise an error (a timeout after the
    // last retry) for the request whose ID is in lParam.
    static SNMPAPI_STATUS CALLBACK notify(HSNMP_SESSION, HWND, UINT, WPARAM wParam, LPARAM lParam, LPVOID self) {
        auto* t = static_cast<WinSnmpTransport*>(self);
        if (wParam != 0) t->failed_.store(static_cast<smiINT32>(lParam));
        SetEvent(t->wake_);
        return SNMPAPI_SUCCESS;
    }

    // One request and its answer (left in `answer`, error status 0) or a
    // device code. WinSNMP retransmits; the wait ends at the last try's
    // timeout even if its notice never comes.
    uint32_t exchange(smiINT type, HSNMP_VBL request, Received& answer) {
        lastId_ = lastId_ == std::numeric_limits<smiINT32>::max() ? 1 : lastId_ + 1;
        const smiINT32 id = lastId_;
        HSNMP_PDU pdu = SnmpCreatePdu(session_, type, id, 0, 0, request);
        if (!pdu) return TQDMS_E_EXCHANGE;
        SNMPAPI_STATUS sent = SnmpSendMsg(session_, nullptr, agent_, context_, pdu);
        SnmpFreePdu(pdu);  // the message is encoded when sent
        if (sent != SNMPAPI_SUCCESS) return TQDMS_E_EXCHANGE;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs_ + 500);
        for (;;) {
            answer.reset();
            while (SnmpRecvMsg(session_, &answer.src, &answer.dst, &answer.context, &answer.pdu) == SNMPAPI_SUCCESS) {
                smiINT pduType = 0, status = 0, index = 0;
                smiINT32 answerId = 0;
                if (SnmpGetPduData(answer.pdu, &pduType, &answerId, &status, &index, &answer.vbl) == SNMPAPI_SUCCESS &&
                    pduType == SNMP_PDU_RESPONSE && answerId == id)
                    return deviceCodeOf(status);
                answer.reset();  // an answer to an earlier, abandoned request
            }
            if (failed_.load() == id) return TQDMS_E_EXCHANGE;
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                SnmpCancelMsg(session_, id);
                return TQDMS_E_EXCHANGE;
            }
            WaitForSingleObject(wake_, static_cast<DWORD>(left.count()));
        }
    }

    HANDLE wake_ = nullptr;
    HSNMP_SESSION session_ = nullptr;
    HSNMP_ENTITY agent_ = nullptr;
    HSNMP_CONTEXT context_ = nullptr;
    int64_t waitMs_ = 0;
    std::mutex lock_;  // one request at a time on the session
    smiINT32 lastId_ = 0;
    std::atomic<smiINT32> failed_{0};  // the last request WinSNMP gave up on
};

}  // namespace

std::unique_ptr<Transport> openTransport(const Target& t, std::string& error) {
    if (t.version == 3) return error = "SNMPv3 is not available on Windows", nullptr;
    smiUINT32 major = 0, minor = 0, level = 0, translate = 0, retransmit = 0;
    if (SnmpStartup(&major, &minor, &level, &translate, &retransmit) != SNMPAPI_SUCCESS)
        return error = "WinSNMP (wsnmp32.dll) is not available", nullptr;
    std::unique_ptr<WinSnmpTransport> transport(new WinSnmpTransport());
    if (!transport->open(t, error)) return nullptr;
    return std::unique_ptr<Transport>(std::move(transport));
}

}  // namespace snmp
}  // namespace tqdms
