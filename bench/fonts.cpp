// Font file speed: reading FNT and FNN fonts from memory and writing the
// FNT file of a font read back from the sign.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "fonts/font_content.h"
#include "fonts/font_file.h"

namespace {

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A width x height font with every cell holding a pattern.
std::vector<uint8_t> fnt(uint32_t width, uint32_t height) {
    const uint32_t rowBytes = (width + 7) / 8, cell = height * rowBytes;
    std::vector<uint8_t> b(256 * cell + 64, 0);
    for (size_t i = 0; i < 256 * cell; ++i) b[i] = static_cast<uint8_t>(i * 37);
    uint8_t* t = &b[256 * cell];
    std::memcpy(t, "\x04" "FONT", 5);
    put32(b, 256 * cell + 16, width);
    put32(b, 256 * cell + 20, height);
    put32(b, 256 * cell + 24, rowBytes);
    return b;
}

// The same cells as an FNN font of one run, codes 0..255.
std::vector<uint8_t> fnn(uint32_t width, uint32_t height) {
    const uint32_t rowBytes = (width + 7) / 8, cell = height * rowBytes;
    std::vector<uint8_t> b(52 + 28 + 256 * cell, 0);
    put32(b, 4, 52);
    put32(b, 8, 1);
    put32(b, 24, width);
    put32(b, 28, height);
    put32(b, 32, rowBytes);
    put32(b, 52 + 4, 80);
    put32(b, 52 + 8, 80 + 256 * cell);
    for (size_t i = 80; i < b.size(); ++i) b[i] = static_cast<uint8_t>(i * 37);
    return b;
}

void BM_ReadFnt(benchmark::State& state) {
    const auto bytes = fnt(static_cast<uint32_t>(state.range(0)), static_cast<uint32_t>(state.range(1)));
    for (auto _ : state) {
        dms::FontContentPtr font = dms::newFontContent();
        benchmark::DoNotOptimize(dms::readFntBytes(*font, bytes.data(), bytes.size(), "bench", false));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadFnt)->Args({5, 7})->Args({10, 20})->Args({32, 32});

void BM_ReadFnn(benchmark::State& state) {
    const auto bytes = fnn(static_cast<uint32_t>(state.range(0)), static_cast<uint32_t>(state.range(1)));
    for (auto _ : state) {
        dms::FontContentPtr font = dms::newFontContent();
        benchmark::DoNotOptimize(dms::readFnnBytes(*font, bytes.data(), bytes.size(), "bench", false));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadFnn)->Args({5, 7})->Args({10, 20});

void BM_BuildFnt(benchmark::State& state) {
    const uint32_t width = static_cast<uint32_t>(state.range(0)), height = static_cast<uint32_t>(state.range(1));
    dms::SignFont font;
    font.height = height;
    font.tableNumber = 49;
    font.widths.assign(256, static_cast<uint8_t>(width));
    font.packed.assign(256, std::vector<uint8_t>(dms::bitmapLength(height, width), 0x5A));
    for (auto _ : state) benchmark::DoNotOptimize(dms::buildFntFile(font, 0));
}
BENCHMARK(BM_BuildFnt)->Args({5, 7})->Args({10, 20});

}  // namespace

BENCHMARK_MAIN();
