#include "graphics.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "../bytes.h"
#include "multi_check.h"
#include "sign.h"
#include "tqdms/ntcip.h"

namespace tqsim {
namespace {

// Largest bitmap a state file may hold.
constexpr size_t kMaxStateBitmap = size_t{1} << 24;

}  // namespace

size_t graphicBitmapSize(const GraphicRow& g) {
    size_t pixels = static_cast<size_t>(g.width) * static_cast<size_t>(g.height);
    switch (g.type) {
    case NTCIP_MONOCHROME_1BIT: return (pixels + 7) / 8;
    case NTCIP_MONOCHROME_8BIT:
    case NTCIP_COLOR_CLASSIC: return pixels;
    default: return pixels * 3;  // NTCIP_COLOR_24BIT
    }
}

uint16_t graphicId(const GraphicRow& g) {
    std::string data;
    data += static_cast<char>(g.number);
    data += static_cast<char>(g.height >> 8);
    data += static_cast<char>(g.height);
    data += static_cast<char>(g.width >> 8);
    data += static_cast<char>(g.width);
    data += static_cast<char>(g.type);
    data += static_cast<char>(g.transparent);
    for (int shift = 24; shift >= 0; shift -= 8) data += static_cast<char>(g.transparentColor >> shift);
    data += g.bitmap;
    return messageCrc(data, 0, 0);
}

bool graphicUsable(uint32_t status) {
    return status == NTCIP_GRAPHIC_READY_FOR_USE || status == NTCIP_GRAPHIC_IN_USE || status == NTCIP_GRAPHIC_PERMANENT;
}

bool GraphicStore::hasGraphic(int number) const {
    for (const auto& kv : rows)
        if (kv.second.number == number && graphicUsable(kv.second.status)) return true;
    return false;
}

void GraphicStore::load(const nlohmann::json& state) {
    rows.clear();
    if (!state.contains("graphics")) return;
    for (const nlohmann::json& j : state.at("graphics")) {
        int row = j.at("row").get<int>();
        if (row < 1 || row > 255) throw std::invalid_argument("graphic row");
        GraphicRow g;
        g.number = j.value("number", row);
        g.name = j.value("name", "");
        g.height = j.value("height", 0);
        g.width = j.value("width", 0);
        g.type = j.value("type", static_cast<int>(NTCIP_MONOCHROME_1BIT));
        g.transparent = j.value("transparent", 0);
        g.transparentColor = j.value("transparentColor", 0u);
        g.status = j.value("status", static_cast<uint32_t>(NTCIP_GRAPHIC_READY_FOR_USE));
        bool statusOk = (g.status >= NTCIP_GRAPHIC_NOT_USED && g.status <= NTCIP_GRAPHIC_PERMANENT) || g.status == kGraphicLocked;
        if (g.number < 0 || g.number > 255 || g.name.size() > 64 || g.height < 0 || g.height > 65535 || g.width < 0 ||
            g.width > 65535 || g.type < 0 || g.type > NTCIP_COLOR_24BIT || g.transparent < 0 || g.transparent > 1 || !statusOk)
            throw std::invalid_argument("graphic row values");
        if (!tqdms::fromHex(j.value("bitmap", ""), g.bitmap) || g.bitmap.size() > kMaxStateBitmap)
            throw std::invalid_argument("graphic bitmap");
        g.id = j.contains("id") ? j.at("id").get<uint16_t>() : graphicId(g);
        rows[row] = g;
    }
}

void GraphicStore::save(nlohmann::json& state) const {
    nlohmann::json arr = nlohmann::json::array();
    for (const auto& kv : rows) {
        const GraphicRow& g = kv.second;
        if (g.status == NTCIP_GRAPHIC_NOT_USED) continue;
        arr.push_back({{"row", kv.first}, {"number", g.number}, {"name", g.name}, {"height", g.height},
                       {"width", g.width}, {"type", g.type}, {"transparent", g.transparent},
                       {"transparentColor", g.transparentColor}, {"id", g.id}, {"status", g.status},
                       {"bitmap", tqdms::toHex(g.bitmap.data(), g.bitmap.size())}});
    }
    state["graphics"] = arr;
}

namespace {

// A graphic named by the message on display is in use.
bool graphicShown(const SimSign& s, int number) {
    const auto& a = s.messages.activated;
    const MessageRow* shown = s.messages.find(a[3], (a[4] << 8) | a[5]);
    if (!shown) return false;
    const std::string tag = "[g" + std::to_string(number);
    for (size_t p = shown->multi.find(tag); p != std::string::npos; p = shown->multi.find(tag, p + 1)) {
        char next = p + tag.size() < shown->multi.size() ? shown->multi[p + tag.size()] : '\0';
        if (next == ']' || next == ',') return true;
    }
    return false;
}

uint32_t effectiveStatus(const SimSign& s, const GraphicRow& g) {
    if (g.status == NTCIP_GRAPHIC_READY_FOR_USE && graphicShown(s, g.number)) return NTCIP_GRAPHIC_IN_USE;
    return g.status;
}

void completeGraphicRequest(GraphicRow& g, uint32_t target) {
    g.pendingStatus = 0;
    g.pending.clear();
    if (target == NTCIP_GRAPHIC_MODIFYING) {
        g.status = NTCIP_GRAPHIC_MODIFYING;
    } else if (target == NTCIP_GRAPHIC_READY_FOR_USE) {
        // Blocks are written whole: what lies past the picture is dropped.
        g.bitmap.resize(graphicBitmapSize(g), '\0');
        g.id = graphicId(g);
        g.status = NTCIP_GRAPHIC_READY_FOR_USE;
    } else {
        g = GraphicRow();  // notUsed: the row is emptied
    }
}

// A graphic may become ready when it describes a picture that fits.
bool complete(const GraphicRow& g, const Limits& l) {
    return g.type >= NTCIP_MONOCHROME_1BIT && g.type <= NTCIP_COLOR_24BIT && g.height > 0 && g.width > 0 &&
           graphicBitmapSize(g) <= static_cast<size_t>(l.graphicMaxSize);
}

// Blocks 1..ceil(dmsGraphicMaxSize / dmsGraphicBlockSize) of a row.
bool blockExists(const Limits& l, int block) {
    int blocks = (l.graphicMaxSize + l.graphicBlockSize - 1) / l.graphicBlockSize;
    return block >= 1 && block <= blocks;
}

}  // namespace

// graphicDefinition: dmsGraphicMaxEntries, dmsGraphicNumEntries,
// dmsGraphicMaxSize, availableGraphicMemory, dmsGraphicBlockSize.
uint32_t SimSign::getGraphicDefinition(int object, void* buf, int len) {
    if (len != 4) return TQDMS_E_BAD_VALUE;
    int used = 0;
    long usedBytes = 0;
    for (const auto& kv : graphics.rows) {
        if (kv.second.status == NTCIP_GRAPHIC_NOT_USED) continue;
        ++used;
        usedBytes += static_cast<long>(kv.second.bitmap.size());
    }
    long memory = static_cast<long>(limits.graphicMaxSize) * limits.graphicRows;
    switch (object) {
    case NTCIP_MAX_GRAPHICS: return tqdms::putInt(buf, len, limits.graphicRows);
    case NTCIP_NUM_GRAPHICS: return tqdms::putInt(buf, len, used);
    case NTCIP_MAX_GRAPHIC_SIZE: return tqdms::putInt(buf, len, limits.graphicMaxSize);
    case NTCIP_AVAILABLE_GRAPHIC_MEMORY: return tqdms::putInt(buf, len, memory > usedBytes ? memory - usedBytes : 0);
    case NTCIP_GRAPHIC_BLOCK_SIZE: return tqdms::putInt(buf, len, limits.graphicBlockSize);
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

uint32_t SimSign::getGraphicTable(int row, int column, void* buf, int len) {
    if (row < 1 || row > limits.graphicRows) return TQDMS_E_NO_SUCH_NAME;
    GraphicRow& g = graphics.rows[row];
    switch (column) {
    case NTCIP_GRAPHIC_INDEX: return tqdms::putInt(buf, len, row);
    case NTCIP_GRAPHIC_NUMBER: return tqdms::putInt(buf, len, g.number);
    case NTCIP_GRAPHIC_NAME: return tqdms::putText(buf, len, g.name);
    case NTCIP_GRAPHIC_HEIGHT: return tqdms::putInt(buf, len, g.height);
    case NTCIP_GRAPHIC_WIDTH: return tqdms::putInt(buf, len, g.width);
    case NTCIP_GRAPHIC_TYPE: return tqdms::putInt(buf, len, g.type);
    case NTCIP_GRAPHIC_ID: return tqdms::putInt(buf, len, g.id);
    case NTCIP_GRAPHIC_TRANSPARENT_ENABLED: return tqdms::putInt(buf, len, g.transparent);
    case NTCIP_GRAPHIC_TRANSPARENT_COLOR: return tqdms::putInt(buf, len, g.transparentColor);
    case NTCIP_GRAPHIC_STATUS:
        if (g.pending.done()) completeGraphicRequest(g, g.pendingStatus);
        return tqdms::putInt(buf, len, effectiveStatus(*this, g));
    default: return TQDMS_E_NO_SUCH_NAME;
    }
}

uint32_t SimSign::setGraphicTable(int row, int column, const void* buf, int len) {
    if (row < 1 || row > limits.graphicRows) return TQDMS_E_NO_SUCH_NAME;
    GraphicRow& g = graphics.rows[row];
    uint32_t v = 0;
    bool isInt = tqdms::getUInt(buf, len, v);
    if (column == NTCIP_GRAPHIC_STATUS) {
        if (!isInt) return TQDMS_E_BAD_VALUE;
        uint32_t status = effectiveStatus(*this, g);
        // In-use, permanent and locked rows refuse every request.
        if (status == NTCIP_GRAPHIC_IN_USE || status == NTCIP_GRAPHIC_PERMANENT || status == kGraphicLocked) return TQDMS_E_GEN_ERR;
        uint32_t target;
        uint32_t shown = v;
        switch (v) {
        case NTCIP_GRAPHIC_MODIFY_REQ: target = NTCIP_GRAPHIC_MODIFYING; break;
        case NTCIP_GRAPHIC_READY_FOR_USE_REQ:
            if (g.status != NTCIP_GRAPHIC_MODIFYING || !complete(g, limits)) return TQDMS_E_GEN_ERR;
            target = NTCIP_GRAPHIC_READY_FOR_USE;
            shown = NTCIP_GRAPHIC_CALCULATING_ID;
            break;
        case NTCIP_GRAPHIC_NOT_USED_REQ: target = NTCIP_GRAPHIC_NOT_USED; break;
        default: return TQDMS_E_BAD_VALUE;
        }
        if (limits.slow()) {
            g.status = shown;
            g.pendingStatus = target;
            g.pending.start(limits);
        } else {
            completeGraphicRequest(g, target);
        }
        return TQDMS_OK;
    }
    if (column == NTCIP_GRAPHIC_INDEX || column == NTCIP_GRAPHIC_ID) return TQDMS_E_READ_ONLY;
    if (column < NTCIP_GRAPHIC_INDEX || column > NTCIP_GRAPHIC_STATUS) return TQDMS_E_NO_SUCH_NAME;
    if (g.status != NTCIP_GRAPHIC_MODIFYING) return TQDMS_E_GEN_ERR;
    if (column == NTCIP_GRAPHIC_NAME) {
        std::string name = tqdms::getText(buf, len);
        if (name.size() > 64) return TQDMS_E_BAD_VALUE;
        g.name = name;
        return TQDMS_OK;
    }
    if (!isInt) return TQDMS_E_BAD_VALUE;
    switch (column) {
    case NTCIP_GRAPHIC_NUMBER:
        if (v > 255) return TQDMS_E_BAD_VALUE;
        g.number = static_cast<int>(v);
        return TQDMS_OK;
    case NTCIP_GRAPHIC_HEIGHT:
    case NTCIP_GRAPHIC_WIDTH:
        if (v > 65535) return TQDMS_E_BAD_VALUE;
        (column == NTCIP_GRAPHIC_HEIGHT ? g.height : g.width) = static_cast<int>(v);
        return TQDMS_OK;
    case NTCIP_GRAPHIC_TYPE:  // 0 only while a row is being emptied
        if (v > NTCIP_COLOR_24BIT) return TQDMS_E_BAD_VALUE;
        g.type = static_cast<int>(v);
        return TQDMS_OK;
    case NTCIP_GRAPHIC_TRANSPARENT_ENABLED:
        if (v > 1) return TQDMS_E_BAD_VALUE;
        g.transparent = static_cast<int>(v);
        return TQDMS_OK;
    default:  // NTCIP_GRAPHIC_TRANSPARENT_COLOR
        g.transparentColor = v;
        return TQDMS_OK;
    }
}

// Blocks are at most dmsGraphicBlockSize bytes; reads give what was written
// there, zero past it.
uint32_t SimSign::getGraphicBitmapTable(int row, int block, void* buf, int len) {
    if (row < 1 || row > limits.graphicRows || !blockExists(limits, block)) return TQDMS_E_NO_SUCH_NAME;
    if (len < 1 || len > limits.graphicBlockSize) return TQDMS_E_BAD_VALUE;
    const GraphicRow& g = graphics.rows[row];
    size_t start = static_cast<size_t>(block - 1) * static_cast<size_t>(limits.graphicBlockSize);
    size_t have = g.bitmap.size() > start ? std::min(g.bitmap.size() - start, static_cast<size_t>(len)) : 0;
    std::memset(buf, 0, static_cast<size_t>(len));
    if (have) std::memcpy(buf, g.bitmap.data() + start, have);
    return TQDMS_OK;
}

uint32_t SimSign::setGraphicBitmapTable(int row, int block, const void* buf, int len) {
    if (row < 1 || row > limits.graphicRows || !blockExists(limits, block)) return TQDMS_E_NO_SUCH_NAME;
    if (len < 1 || len > limits.graphicBlockSize) return TQDMS_E_BAD_VALUE;
    GraphicRow& g = graphics.rows[row];
    if (g.status != NTCIP_GRAPHIC_MODIFYING) return TQDMS_E_GEN_ERR;
    size_t start = static_cast<size_t>(block - 1) * static_cast<size_t>(limits.graphicBlockSize);
    if (g.bitmap.size() < start + static_cast<size_t>(len)) g.bitmap.resize(start + static_cast<size_t>(len), '\0');
    std::memcpy(&g.bitmap[start], buf, static_cast<size_t>(len));
    return TQDMS_OK;
}

size_t SimSign::graphicBlockBytes(int row, int block) const {
    if (row < 1 || row > limits.graphicRows || !blockExists(limits, block)) return 0;
    auto g = graphics.rows.find(row);
    if (g == graphics.rows.end()) return 0;
    size_t size = static_cast<size_t>(limits.graphicBlockSize);
    size_t start = static_cast<size_t>(block - 1) * size;
    const std::string& bitmap = g->second.bitmap;
    return bitmap.size() > start ? std::min(bitmap.size() - start, size) : 0;
}

}  // namespace tqsim
