// Test helper: graphic rows of the simulated sign and host picture records.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "dmscontent/records.h"
#include "support/bmp_files.h"
#include "support/sim_sign.h"

namespace testing_support {

// A graphic row of the sign state; status 4 (ready for use) unless given.
inline json graphicRow(int row, const std::string& name, int width, int height, int type, const std::string& bitmap,
                       uint32_t status = 4) {
    return {{"row", row}, {"number", row}, {"name", name}, {"width", width}, {"height", height},
            {"type", type}, {"status", status}, {"bitmap", bitmap}};
}

inline dmsGraphic pictureRecord(int index, int type, const char* name) {
    dmsGraphic p;
    std::memset(&p, 0, sizeof p);
    p.index = static_cast<uint8_t>(index);
    p.type = static_cast<uint8_t>(type);
    std::strncpy(p.name, name, sizeof p.name - 1);
    return p;
}

// The fields of a picture record a listing fills, id aside.
inline json asJson(const dmsGraphic& p) {
    return {{"index", p.index}, {"width", p.width}, {"height", p.height}, {"type", p.type},
            {"status", p.status}, {"name", std::string(p.name, strnlen(p.name, sizeof p.name))},
            {"fileLength", p.fileLength}};
}

// Paths laid end to end in 255-byte fields.
inline std::string pathFields(const std::vector<std::string>& paths) {
    std::string fields(255 * paths.size(), '\0');
    for (size_t i = 0; i < paths.size(); ++i) fields.replace(255 * i, paths[i].size(), paths[i]);
    return fields;
}

// 10 x 3 pixels, 1 bit: rows 1111111111, 1000000001, 1010101010; the packed
// stream is FF E0 1A A8.
inline Bytes tenByThree() { return bmpFile(10, 3, 1, {{0xFF, 0xC0}, {0x80, 0x40}, {0xAA, 0x80}}, 2); }

// The graphic row of the sign's state, or null when the row is empty.
inline json rowOf(const SimSign& sign, int row) {
    const json state = sign.state();
    for (const json& g : state["graphics"])
        if (g["row"] == row) return g;
    return json();
}

// The columns of every graphic table write, and the status values asked
// for, in order.
inline std::vector<int> columnsWritten(const SimSign& sign) {
    std::vector<int> out;
    for (const json& c : sign.calls("tqSetGraphicTable")) out.push_back(c["args"][1]);
    return out;
}
inline std::vector<int> statusRequests(const SimSign& sign) {
    std::vector<int> out;
    for (const json& c : sign.calls("tqSetGraphicTable"))
        if (c["args"][1] == 10) out.push_back(entryBytes(c)[0]);
    return out;
}

// A folder holding tenByThree() as `name`; path() gives the file.
struct TenByThreeFile {
    TempFolder dir;
    std::string path;
    explicit TenByThreeFile(const std::string& name = "a.bmp") : path(dir.file(name)) { writeFile(path, tenByThree()); }
};

}  // namespace testing_support
