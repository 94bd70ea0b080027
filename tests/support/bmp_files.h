// Test helper: BMP files built byte by byte, and a scratch folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/bmp.h"
#include "support/font_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace testing_support {

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(Bytes& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// A BMP file: rows are given top row first, each with its data bytes only
// (no padding); they are stored bottom first (top first when topDown) and
// padded with `pad` bytes. palette: number of 4-byte entries (grey).
inline Bytes bmpFile(int32_t width, int32_t height, uint16_t bits, const std::vector<Bytes>& rowsTopFirst,
                     int palette = 0, bool topDown = false, uint32_t compression = 0, uint8_t pad = 0) {
    uint32_t stride = (uint32_t(bits) * uint32_t(width) + 31) / 32 * 4;
    Bytes image;
    for (size_t i = 0; i < rowsTopFirst.size(); ++i) {
        const Bytes& row = rowsTopFirst[topDown ? i : rowsTopFirst.size() - 1 - i];
        Bytes stored = row;
        stored.resize(stride, pad);
        image.insert(image.end(), stored.begin(), stored.end());
    }
    uint32_t offset = 54 + 4 * uint32_t(palette);
    Bytes f;
    f.push_back('B');
    f.push_back('M');
    put32(f, offset + uint32_t(image.size()));
    put32(f, 0);
    put32(f, offset);
    put32(f, 40);
    put32(f, uint32_t(width));
    put32(f, uint32_t(topDown ? -height : height));
    put16(f, 1);
    put16(f, bits);
    put32(f, compression);
    put32(f, uint32_t(image.size()));
    for (int i = 0; i < 4; ++i) put32(f, 0);
    for (int i = 0; i < palette; ++i) {
        uint8_t v = static_cast<uint8_t>(i * 255 / (palette > 1 ? palette - 1 : 1));
        f.insert(f.end(), {v, v, v, 0});
    }
    f.insert(f.end(), image.begin(), image.end());
    return f;
}

// A BMP file decoded in memory: result, headers and the packed stream.
struct Decoded {
    uint32_t rc = 0;
    dms::BmpFileHeader fh;
    dms::BmpInfoHeader ih;
    std::vector<uint8_t> pixels;
};

inline Decoded decode(const Bytes& file, uint32_t blockSize = 8) {
    Decoded d;
    d.rc = dms::decodeBmp(file.data(), file.size(), blockSize, d.fh, d.ih, d.pixels);
    return d;
}

// The first n bytes of v.
inline Bytes head(const std::vector<uint8_t>& v, size_t n) { return Bytes(v.begin(), v.begin() + static_cast<long>(n)); }

// writeFile and readFile come from font_files.h.

// A fresh folder under the test temp folder, removed with its content.
class TempFolder {
public:
    TempFolder() {
        static int serial = 0;
        path_ = ::testing::TempDir() + "dms_pictures_" + std::to_string(::getpid()) + "_" + std::to_string(++serial);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace testing_support
