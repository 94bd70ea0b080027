#include "sign_access.h"

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "../bytes.h"
#include "../sim/sign.h"
#include "tqdms/ntcip.h"

namespace tqagent {
namespace {

using tqdms::oids::Form;
using tqdms::oids::Table;
using tqdms::oids::ValueError;

// A run of index tuples: (first, lo..hi) for two-index tables, (lo..hi)
// for one index; scalars are the single tuple (0).
struct Segment {
    Arc first;
    Arc lo;
    Arc hi;
};

void range(std::vector<Segment>& out, Arc first, long lo, long hi) {
    if (hi >= lo && lo >= 0) out.push_back({first, static_cast<Arc>(lo), static_cast<Arc>(hi)});
}

// The rows an object's walk visits, sorted. Every row a GET accepts within
// the sign's limits is visited.
void rowsOf(const tqsim::SimSign& s, const Object& o, std::vector<Segment>& out) {
    const tqsim::Limits& l = s.limits;
    if (o.indexes == 0) {
        range(out, 0, 0, 0);
        return;
    }
    switch (o.table) {
    case Table::FontTable: range(out, 0, 1, l.fontRows); break;
    case Table::CharacterTable:
        for (int r = 1; r <= l.fontRows; ++r) range(out, static_cast<Arc>(r), 1, l.maxCharacter);
        break;
    case Table::MsgTable:
        for (const auto& kv : s.messages.rows)
            if (kv.first.first == NTCIP_MEM_PERMANENT) range(out, NTCIP_MEM_PERMANENT, kv.first.second, kv.first.second);
        range(out, NTCIP_MEM_CHANGEABLE, 1, l.maxChangeable);
        range(out, NTCIP_MEM_VOLATILE, 1, l.maxVolatile);
        range(out, NTCIP_MEM_CURRENT_BUFFER, 1, 1);
        range(out, NTCIP_MEM_SCHEDULE, 1, 1);
        range(out, NTCIP_MEM_BLANK, 1, 255);
        break;
    case Table::ActionTable: range(out, 0, 1, l.actionRows); break;
    case Table::GraphicTable: range(out, 0, 1, l.graphicRows); break;
    case Table::GraphicBitmap: {
        long blocks = l.graphicBlockSize > 0 ? (l.graphicMaxSize + l.graphicBlockSize - 1) / l.graphicBlockSize : 0;
        for (int r = 1; r <= l.graphicRows; ++r) range(out, static_cast<Arc>(r), 1, blocks);
        break;
    }
    case Table::ModuleTable: range(out, 0, 1, s.moduleCount()); break;
    case Table::ScheduleTable: range(out, 0, 1, l.maxScheduleEntries); break;
    case Table::DayPlanTable:
        for (int p = 1; p <= l.maxDayPlans; ++p) range(out, static_cast<Arc>(p), 1, l.maxDayPlanEvents);
        break;
    default: break;
    }
}

// The first tuple of the segments after `suffix` (the index arcs of an OID
// inside the object; empty = before every row).
bool firstAfter(const std::vector<Segment>& segs, int arity, const Arc* suffix, size_t n, Arc out[2]) {
    for (const Segment& seg : segs) {
        uint64_t from = seg.lo;
        if (arity == 1) {
            if (n > 0 && static_cast<uint64_t>(suffix[0]) + 1 > from) from = static_cast<uint64_t>(suffix[0]) + 1;
            if (from > seg.hi) continue;
            out[0] = static_cast<Arc>(from);
            return true;
        }
        if (n > 0 && seg.first < suffix[0]) continue;
        if (n > 1 && seg.first == suffix[0] && static_cast<uint64_t>(suffix[1]) + 1 > from)
            from = static_cast<uint64_t>(suffix[1]) + 1;
        if (from > seg.hi) continue;
        out[0] = seg.first;
        out[1] = static_cast<Arc>(from);
        return true;
    }
    return false;
}

int compareOid(const Arc* a, size_t an, const Arc* b, size_t bn) {
    size_t n = an < bn ? an : bn;
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    return an < bn ? -1 : an > bn ? 1 : 0;
}

Outcome fromResult(uint32_t rc) {
    switch (rc) {
    case TQDMS_OK: return Outcome::Ok;
    case TQDMS_E_NO_SUCH_NAME: return Outcome::NoSuchInstance;
    case TQDMS_E_BAD_VALUE: return Outcome::WrongValue;
    case TQDMS_E_READ_ONLY: return Outcome::NotWritable;
    case TQDMS_E_GEN_ERR: return Outcome::Inconsistent;
    default: return Outcome::GenErr;
    }
}

Outcome fromValueError(ValueError e) {
    switch (e) {
    case ValueError::None: return Outcome::Ok;
    case ValueError::WrongType: return Outcome::WrongType;
    case ValueError::WrongLength: return Outcome::WrongLength;
    case ValueError::WrongValue: return Outcome::WrongValue;
    }
    return Outcome::GenErr;
}

bool toInt(Arc a, int& out) {
    if (a > static_cast<Arc>(INT_MAX)) return false;
    out = static_cast<int>(a);
    return true;
}

// One get call of the sign for an object, into buf.
uint32_t callGet(tqsim::SimSign& s, const Object& o, int i0, int i1, void* buf, int len) {
    const int n = o.number;
    switch (o.table) {
    case Table::SignCfg: return s.getSignCfg(n, buf, len);
    case Table::VmsCfg: return s.getVmsCfg(n, buf, len);
    case Table::FontDefinition: return s.getFontDefinition(n, buf, len);
    case Table::FontTable: return s.getFontTable(i0, n, buf, len);
    case Table::CharacterTable: return s.getCharacterTable(i0, i1, n, buf, len);
    case Table::MultiCfg: return s.getMultiCfg(n, buf, len);
    case Table::MsgInfo: return s.getMsgInfo(n, buf, len);
    case Table::MsgTable: return s.getMsgTable(i0, i1, n, buf, len);
    case Table::ActivateMessage:
    case Table::SignControl: return s.getSignControl(n, buf, len);
    case Table::NumActions: return s.getNumActionTableEntries(buf, len);
    case Table::ActionTable: return s.getSchActionTable(i0, buf, len);
    case Table::Status: return s.getStatus(n, buf, len);
    case Table::GraphicDefinition: return s.getGraphicDefinition(n, buf, len);
    case Table::GraphicTable: return s.getGraphicTable(i0, n, buf, len);
    case Table::GraphicBitmap: return s.getGraphicBitmapTable(i0, i1, buf, len);
    case Table::MaxModules: return tqdms::putInt(buf, len, s.moduleCount());
    case Table::ModuleTable: return s.getModuleTable(i0, n, buf, len);
    case Table::GlobalTime: return s.getGlobalTime(n, buf, len);
    case Table::TimeBase: return s.getTimeBase(n, buf, len);
    case Table::ScheduleTable: return s.getTimeBaseSchTable(i0, n, buf, len);
    case Table::DayPlanTable: return s.getTimeBaseDayPlanTable(i0, i1, n, buf, len);
    }
    return TQDMS_E_NO_SUCH_NAME;
}

uint32_t callSet(tqsim::SimSign& s, const Object& o, int i0, int i1, const std::string& bytes) {
    const void* buf = bytes.data();
    const int len = static_cast<int>(bytes.size());
    const int n = o.number;
    switch (o.table) {
    case Table::FontTable: return s.setFontTable(i0, n, buf, len);
    case Table::CharacterTable: return s.setCharacterTable(i0, i1, n, buf, len);
    case Table::MsgTable: return s.setMsgTable(i0, i1, n, buf, len);
    case Table::ActivateMessage: return s.activeMessage(reinterpret_cast<const uint8_t*>(bytes.data()));
    case Table::SignControl: return s.setSignControl(n, buf, len);
    case Table::ActionTable: return s.setSchActionTable(i0, buf, len);
    case Table::GraphicTable: return s.setGraphicTable(i0, n, buf, len);
    case Table::GraphicBitmap: return s.setGraphicBitmapTable(i0, i1, buf, len);
    case Table::GlobalTime: return s.setGlobalTime(n, buf, len);
    case Table::ScheduleTable: return s.setTimeBaseSchTable(i0, n, buf, len);
    case Table::DayPlanTable: return s.setTimeBaseDayPlanTable(i0, i1, n, buf, len);
    default: return TQDMS_E_READ_ONLY;
    }
}

// Bytes a get of this object fills: the boundary's size for its form.
size_t readSize(const tqsim::SimSign& s, const Object& o, int i0, int i1) {
    switch (o.form) {
    case Form::Int:
    case Form::RowIndex:
    case Form::Color: return 4;
    case Form::Text:
    case Form::OidText: return 65536;  // longer text is cut (NUL-terminated)
    case Form::ActionCode: return 6;
    case Form::ActivationCode: return NTCIP_ACTIVATION_CODE_SIZE;
    case Form::Octets: break;
    }
    if (o.size) return o.size;
    if (o.table == Table::CharacterTable) return s.characterBitmapSize(i0, i1);
    if (o.table == Table::GraphicBitmap) return s.graphicBlockBytes(i0, i1);
    if (o.table == Table::MultiCfg) return s.profile.supportedMultiTags.size();
    return 0;
}

}  // namespace

const char* outcomeName(Outcome o) {
    switch (o) {
    case Outcome::Ok: return "noError";
    case Outcome::NoSuchInstance: return "noSuchInstance";
    case Outcome::WrongType: return "wrongType";
    case Outcome::WrongLength: return "wrongLength";
    case Outcome::WrongValue: return "wrongValue";
    case Outcome::NotWritable: return "notWritable";
    case Outcome::Inconsistent: return "inconsistentValue";
    case Outcome::GenErr: return "genErr";
    }
    return "genErr";
}

bool findInstance(const Arc* oid, size_t len, Instance& out) {
    out = Instance();
    out.object = tqdms::oids::lookup(oid, len, out.index);
    return out.object != nullptr;
}

bool nextInstance(const tqsim::SimSign& sign, const Arc* oid, size_t len, Instance& out) {
    size_t count = 0;
    const Object* all = tqdms::oids::objects(count);
    Arc base[tqdms::oids::kMaxOidArcs];
    std::vector<Segment> segs;
    for (size_t k = 0; k < count; ++k) {
        const Object& o = all[k];
        size_t n = tqdms::oids::objectOid(o, base);
        const Arc* suffix = nullptr;
        size_t suffixLen = 0;
        if (len >= n && compareOid(oid, n, base, n) == 0) {
            suffix = oid + n;  // the object or inside it: the rows after the OID
            suffixLen = len - n;
        } else if (compareOid(oid, len, base, n) >= 0) {
            continue;  // the whole object lies before the OID
        }
        segs.clear();
        rowsOf(sign, o, segs);
        int arity = o.indexes == 0 ? 1 : o.indexes;
        if (firstAfter(segs, arity, suffix, suffixLen, out.index)) {
            out.object = &o;
            return true;
        }
    }
    return false;
}

Outcome readInstance(tqsim::SimSign& sign, const Instance& at, Value& out) {
    const Object& o = *at.object;
    int i0 = 0, i1 = 0;
    if ((o.indexes > 0 && !toInt(at.index[0], i0)) || (o.indexes > 1 && !toInt(at.index[1], i1)))
        return Outcome::NoSuchInstance;
    size_t size = readSize(sign, o, i0, i1);
    std::vector<char> buf(size > 0 ? size : 4, 0);
    int len = static_cast<int>(size);
    uint32_t rc;
    if (o.form == Form::RowIndex || o.form == Form::ActionCode) {
        // The action entry tells whether the row exists.
        char entry[6];
        rc = sign.getSchActionTable(i0, entry, sizeof entry);
        if (o.form == Form::RowIndex) tqdms::putInt(buf.data(), 4, i0);
        else std::memcpy(buf.data(), entry, sizeof entry);
    } else if (size == 0) {
        // An empty cell: its row must still exist.
        char probe[4];
        rc = o.table == Table::CharacterTable ? sign.getCharacterTable(i0, i1, NTCIP_CHARACTER_WIDTH, probe, 4)
             : o.table == Table::GraphicBitmap ? sign.getGraphicBitmapTable(i0, i1, probe, 1)
                                               : TQDMS_OK;
    } else {
        rc = callGet(sign, o, i0, i1, buf.data(), len);
    }
    if (rc != TQDMS_OK) return fromResult(rc);
    int graphicType = 0;
    if (o.form == Form::Color) {
        uint32_t type = 0;
        if (sign.getGraphicTable(i0, NTCIP_GRAPHIC_TYPE, &type, 4) == TQDMS_OK) graphicType = static_cast<int>(type);
    }
    return fromValueError(tqdms::oids::fromBoundary(o, buf.data(), len, graphicType, out));
}

Outcome checkWrite(const Instance& at, const Value& v) {
    if (!at.object->writable) return Outcome::NotWritable;
    std::string bytes;
    return fromValueError(tqdms::oids::toBoundary(*at.object, v, bytes));
}

Outcome writeInstance(tqsim::SimSign& sign, const Instance& at, const Value& v) {
    const Object& o = *at.object;
    if (!o.writable) return Outcome::NotWritable;
    int i0 = 0, i1 = 0;
    if ((o.indexes > 0 && !toInt(at.index[0], i0)) || (o.indexes > 1 && !toInt(at.index[1], i1)))
        return Outcome::NoSuchInstance;
    std::string bytes;
    Outcome shape = fromValueError(tqdms::oids::toBoundary(o, v, bytes));
    if (shape != Outcome::Ok) return shape;
    return fromResult(callSet(sign, o, i0, i1, bytes));
}

}  // namespace tqagent
