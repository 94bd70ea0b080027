// Test helpers for message rows: host records and rows put on a sign.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "dmscontent/records.h"
#include "support/sim_sign.h"
#include "tqdms/ntcip.h"

namespace testing_support {

inline MessageTableEntry entry(int memoryType, int number, const std::string& multi, int eventCode = 0,
                               const std::string& owner = "host") {
    MessageTableEntry e;
    std::memset(&e, 0, sizeof e);
    e.memoryType = static_cast<uint8_t>(memoryType);
    e.number = static_cast<uint16_t>(number);
    e.priority = 50;
    e.eventCode = static_cast<uint8_t>(eventCode);
    std::strncpy(e.owner, owner.c_str(), sizeof e.owner - 1);
    std::strncpy(e.multi, multi.c_str(), sizeof e.multi - 1);
    return e;
}

// A valid row as the sign's state holds it.
inline json row(int type, int number, const std::string& multi, const std::string& owner = "sign") {
    return {{"type", type}, {"number", number}, {"multi", multi}, {"owner", owner}, {"status", NTCIP_MSG_VALID}};
}

// The sign's message rows as "type/number" -> MULTI text.
inline std::map<std::string, std::string> rowsOf(const SimSign& sign) {
    std::map<std::string, std::string> out;
    json state = sign.state();
    for (const json& r : state["messages"])
        out[std::to_string(r["type"].get<int>()) + "/" + std::to_string(r["number"].get<int>())] = r["multi"];
    return out;
}

// The row numbers of the message definitions in the journal, in call order.
inline std::vector<int> definedNumbers(const SimSign& sign) {
    std::vector<int> numbers;
    for (const json& c : sign.calls("tqDefine1Message")) numbers.push_back(c["args"][1]);
    return numbers;
}

// The first row of the sign's message table with this owner (null if none).
inline json ownedRow(const SimSign& sign, const std::string& owner) {
    json state = sign.state();
    for (const json& r : state["messages"])
        if (r["owner"] == owner) return r;
    return nullptr;
}

}  // namespace testing_support
