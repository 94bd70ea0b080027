// The one map from the sign's objects to their NTCIP object identifiers,
// read by the SNMP agent (OID -> sign call) and by SNMP clients (boundary
// call -> OID) alike. Each entry names the call behind the object, the
// object or column number that call takes, the SNMP syntax and how the
// value travels through a boundary buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tqdms {
namespace oids {

using Arc = uint32_t;
// Longest instance OID the map produces (root, object arcs and two indexes).
constexpr size_t kMaxOidArcs = 24;

enum class Syntax : uint8_t { Integer, Counter32, Gauge32, OctetString, ObjectId };

// How the boundary buffer carries a value.
enum class Form : uint8_t {
    Int,             // 4-byte host-order integer
    Text,            // NUL-terminated text
    Octets,          // raw bytes: `size` of them, or any number when size is 0
    ActivationCode,  // 12 network-order bytes; the boundary's set takes a host-order record
    ActionCode,      // 5-byte message ID code; the boundary carries a 6-byte action entry
    OidText,         // OBJECT IDENTIFIER; the boundary carries dotted text
    Color,           // 1 or 3 octets (RGB); the boundary carries a 4-byte 0xRRGGBB value
    RowIndex         // the row's own index, answered without a call
};

// The group of sign calls behind an object.
enum class Table : uint8_t {
    SignCfg, VmsCfg, FontDefinition, FontTable, CharacterTable, MultiCfg, MsgInfo, MsgTable,
    ActivateMessage, SignControl, NumActions, ActionTable, Status, GraphicDefinition, GraphicTable,
    GraphicBitmap, MaxModules, ModuleTable, GlobalTime, TimeBase, ScheduleTable, DayPlanTable
};

enum class Root : uint8_t { Dms, Global };

struct Object {
    const char* name;    // NTCIP object name
    Root root;
    Arc arcs[6];         // arcs below the root
    uint8_t arcCount;
    uint8_t indexes;     // 0: scalar (instance ".0"); else index arcs after the object
    Syntax syntax;
    bool writable;
    Form form;
    Table table;
    int number;          // object or column number the call takes
    uint16_t size;       // fixed octet size; 0 = any
};

// Every object, in OID order.
const Object* objects(size_t& count);
// The object a boundary call reaches with this object or column number.
const Object* find(Table table, int number);
// The object of an NTCIP name, or null.
const Object* findByName(const std::string& name);

// The object's OID (without instance arcs) into out; returns the arc count.
size_t objectOid(const Object& o, Arc* out);
// The instance OID: object, then ".0" for a scalar or the index arcs.
size_t instanceOid(const Object& o, const Arc* index, Arc* out);
// Finds the object an instance OID belongs to and its index arcs (two at
// most). Null when no object has this OID or the instance part has the
// wrong shape (a scalar must end in ".0").
const Object* lookup(const Arc* oid, size_t len, Arc index[2]);

// Dotted text of an OID (with a leading dot) and back. parseDotted accepts
// an optional leading dot and refuses empty arcs and arcs above 2^32-1.
std::string dotted(const Arc* oid, size_t len);
bool parseDotted(const std::string& text, Arc* out, size_t max, size_t& len);

}  // namespace oids
}  // namespace tqdms
