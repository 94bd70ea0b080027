// Preview speed: a 144 x 48 sign drawn at scale 4 with round LEDs and
// written as a PNG, and the two steps on their own.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "preview/image.h"
#include "preview/png_write.h"

namespace {

// Text-like content: amber strokes on black, a green band, a red block.
dms::render::Raster sign() {
    dms::render::Raster r(144, 48, dms::render::Rgb{});
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 144; ++x)
            if ((x % 7 < 2 || y % 9 < 2) && y < 30) r.set(x, y, dms::render::Rgb{255, 180, 0});
    r.fill(0, 36, 144, 4, dms::render::Rgb{0, 200, 0});
    r.fill(100, 40, 30, 8, dms::render::Rgb{255, 0, 0});
    return r;
}

void BM_PngOfFace(benchmark::State& state) {
    const dms::render::Raster r = sign();
    dms::preview::Image face;
    std::vector<uint8_t> png;
    std::string error;
    for (auto _ : state) {
        dms::preview::drawFace(r, 4, false, face);
        if (!dms::preview::encodePng(face, png, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(png.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["bytes"] = static_cast<double>(png.size());
}
BENCHMARK(BM_PngOfFace);

void BM_Face(benchmark::State& state) {
    const dms::render::Raster r = sign();
    dms::preview::Image face;
    for (auto _ : state) {
        dms::preview::drawFace(r, 4, false, face);
        benchmark::DoNotOptimize(face.rgb.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Face);

void BM_PngEncode(benchmark::State& state) {
    dms::preview::Image face;
    dms::preview::drawFace(sign(), 4, false, face);
    std::vector<uint8_t> png;
    std::string error;
    for (auto _ : state) {
        if (!dms::preview::encodePng(face, png, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(png.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PngEncode);

}  // namespace

BENCHMARK_MAIN();
