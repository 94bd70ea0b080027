#include "font_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "fonts/font_file.h"

namespace testing_support {

void putLe32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

Bytes CellFont::cell(unsigned code) const {
    Bytes c(height * rowBytes, 0);
    const auto& rows = glyphs.at(code);
    for (unsigned r = 0; r < height && r < rows.size(); ++r)
        for (unsigned x = 0; x < rows[r].size() && x < rowBytes * 8; ++x)
            if (rows[r][x] == '#') c[r * rowBytes + x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
    return c;
}

Bytes fntFile(const CellFont& f, const std::vector<uint8_t>& widths) {
    Bytes out;
    for (unsigned c = 0; c < 256; ++c) {
        Bytes cell = f.cell(c);
        out.insert(out.end(), cell.begin(), cell.end());
    }
    if (!widths.empty()) {
        Bytes table(256, 0);
        std::copy(widths.begin(), widths.begin() + std::min<size_t>(256, widths.size()), table.begin());
        out.insert(out.end(), table.begin(), table.end());
    }
    Bytes t(64, 0);
    const char head[] = "\x04" "FONT";
    std::memcpy(t.data(), head, 5);
    putLe32(t, 16, f.width);
    putLe32(t, 20, f.height);
    putLe32(t, 24, f.rowBytes);
    putLe32(t, 28, 255 * f.height * f.rowBytes + 64);
    std::memcpy(t.data() + 40, "LLIB", 4);
    putLe32(t, 44, f.number);
    t[48] = widths.empty() ? 0 : 0xF0;
    t[49] = f.charSpacing;
    t[50] = f.lineSpacing;
    out.insert(out.end(), t.begin(), t.end());
    return out;
}

Bytes fnnFile(const CellFont& f, const std::vector<FnnRange>& ranges) {
    const size_t cellSize = f.height * f.rowBytes;
    Bytes out(52 + 28 * ranges.size(), 0);
    putLe32(out, 4, 52);
    putLe32(out, 8, static_cast<uint32_t>(ranges.size()));
    putLe32(out, 24, f.width);
    putLe32(out, 28, f.height);
    putLe32(out, 32, f.rowBytes);
    putLe32(out, 36, f.number);
    out[40] = f.charSpacing;
    out[41] = f.lineSpacing;
    for (size_t i = 0; i < ranges.size(); ++i) {
        const size_t at = 52 + 28 * i;
        const size_t start = out.size();
        for (uint32_t k = 0; k < ranges[i].count; ++k) {
            Bytes cell = f.cell((ranges[i].firstCode + k) & 0xFF);
            out.insert(out.end(), cell.begin(), cell.end());
        }
        putLe32(out, at + 4, static_cast<uint32_t>(start));
        putLe32(out, at + 8, static_cast<uint32_t>(start + cellSize * ranges[i].count));
        putLe32(out, at + 12, ranges[i].firstCode);
    }
    return out;
}

std::string scratchFolder(const std::string& name) {
    std::string dir = ::testing::TempDir() + "dmsfonts_" + std::to_string(getpid()) + "_" + name;
    std::string cmd = "rm -rf '" + dir + "' && mkdir -p '" + dir + "'";
    if (std::system(cmd.c_str()) != 0) throw std::runtime_error("cannot make " + dir);
    return dir;
}

std::string writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + path);
    return path;
}

Bytes readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string pathFields(const std::vector<std::string>& paths) {
    std::string fields(255 * paths.size(), '\0');
    for (size_t i = 0; i < paths.size(); ++i) std::strncpy(&fields[255 * i], paths[i].c_str(), 254);
    return fields;
}

dms::FontContentPtr loadFont(const std::string& path, uint32_t* result) {
    dms::FontContentPtr c = dms::newFontContent();
    uint32_t rc = dms::readFontFile(*c, path.c_str(), false);
    if (result) *result = rc;
    return c;
}

std::string picture(const fontChar& c, unsigned height) {
    std::string out;
    const size_t length = dms::bitmapLength(height, c.width);
    for (unsigned r = 0; r < height; ++r) {
        if (r) out += '|';
        for (unsigned x = 0; x < c.width; ++x)
            out += c.bitmap && dms::bitAt(c.bitmap, length, r * c.width + x) ? '#' : '.';
    }
    return out;
}

std::string picture(const std::vector<std::string>& rows, unsigned height, unsigned width) {
    std::string out;
    for (unsigned r = 0; r < height; ++r) {
        if (r) out += '|';
        for (unsigned x = 0; x < width; ++x) out += r < rows.size() && x < rows[r].size() && rows[r][x] == '#' ? '#' : '.';
    }
    return out;
}

}  // namespace testing_support

namespace testing_support {

std::string hexOf(const uint8_t* data, size_t length) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < length; ++i) {
        s += digits[data[i] >> 4];
        s += digits[data[i] & 15];
    }
    return s;
}

nlohmann::json signFontRow(int row, const fontContent& font, int status) {
    nlohmann::json chars = nlohmann::json::array();
    for (uint32_t i = 0; i < font.charCount; ++i) {
        const fontChar& c = font.chars[i];
        const size_t n = dms::bitmapLength(font.height, c.width);
        if (n == 0) continue;
        chars.push_back({{"code", c.code}, {"width", c.width}, {"bitmap", hexOf(c.bitmap, n)}});
    }
    return {{"row", row}, {"number", font.number & 0xFF}, {"name", font.name}, {"height", font.height},
            {"charSpacing", font.charSpacing}, {"lineSpacing", font.lineSpacing}, {"status", status},
            {"characters", chars}};
}

void freeDetailBlocks(fontDetail& d) {
    if (d.content && d.content->chars) {
        for (int i = 0; i < 256; ++i) std::free(d.content->chars[i].bitmap);
        std::free(d.content->chars);
    }
    std::free(d.content);
    std::free(d.trailer);
    d.content = nullptr;
    d.trailer = nullptr;
}

}  // namespace testing_support
