// MULTI rendering speed: every message of the corpus rendered on a 96 x 32
// full-matrix colour sign with the example fonts (examples/fonts, numbers 1
// to 4) and one 8 x 8 picture under every graphic number. Items are pages:
// each page rendered, and each message refused with a problem as one. The
// corpus is the first argument after the benchmark flags, DMS_MULTI_CORPUS,
// or tests/data/multi-corpus.txt of the source tree.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "dmscontent/records.h"
#include "fonts/font_content.h"
#include "fonts/font_file.h"
#include "multi_corpus.h"
#include "render/render.h"

namespace {

using namespace dms::render;

struct Sign {
    SignProfile profile;  // the default: 96 x 32, full matrix, color24bit
    std::vector<dms::FontContentPtr> files;
    std::vector<FontView> views;
    std::vector<FontEntry> fonts;
    std::vector<Rgb> pixels = std::vector<Rgb>(64, Rgb{0, 255, 0});
    Picture picture{8, 8, nullptr, true, Rgb{}};
    std::vector<PictureEntry> pictures;
    Sources sources;

    Sign() {
        static const char* const kFiles[] = {"Fixed5x7.fnt", "Bold8x13.fnt", "Fixed10x20.fnt", "Fixed6x10.fnn"};
        views.reserve(4);
        for (const char* name : kFiles) {
            std::string path = std::string(DMS_SOURCE_DIR) + "/examples/fonts/" + name;
            dms::FontContentPtr font = dms::newFontContent();
            if (!font || dms::readFontFile(*font, path.c_str(), false) != 0 || font->charCount == 0) {
                std::fprintf(stderr, "render bench: cannot read %s\n", path.c_str());
                continue;
            }
            files.push_back(font);
            views.emplace_back(*font);
            fonts.push_back(FontEntry{static_cast<int32_t>(views.size()), &views.back()});
        }
        picture.pixels = pixels.data();
        for (int32_t n = 1; n <= 255; ++n) pictures.push_back(PictureEntry{n, &picture});
        sources.fonts = FontSet{fonts.data(), fonts.size()};
        sources.pictures = PictureSet{pictures.data(), pictures.size()};
    }
};

Sign& sign() {
    static Sign s;
    return s;
}

const std::vector<std::string>& corpus() { return bench::multiCorpus().messages; }

// Pages per pass on a sign of the size (refused messages as one each),
// with a count of messages by outcome on the first call for that size.
int64_t pagesPerPass(const SignProfile& profile) {
    static std::map<uint32_t, int64_t> counted;
    const uint32_t key = uint32_t{profile.width} << 16 | profile.height;
    if (counted.count(key)) return counted[key];
    int64_t pages = 0;
    std::map<int32_t, int> problems;
    int rendered = 0;
    std::vector<PageImage> out;
    for (const std::string& m : corpus()) {
        Problem p = renderMulti(m.data(), m.size(), profile, sign().sources, out);
        if (p.ok()) {
            ++rendered;
            pages += static_cast<int64_t>(out.size());
        } else {
            ++problems[p.code];
            ++pages;
            if (std::getenv("DMS_RENDER_BENCH_VERBOSE"))
                std::fprintf(stderr, "%d at %zu: %.24s\n", p.code, p.at, m.c_str() + std::min(p.at, m.size()));
        }
    }
    std::fprintf(stderr, "render bench %ux%u: %d of %zu messages render (%lld items a pass); problems:",
                 profile.width, profile.height, rendered, corpus().size(), static_cast<long long>(pages));
    for (const auto& kv : problems) std::fprintf(stderr, " %d x%d", kv.first, kv.second);
    std::fprintf(stderr, "\n");
    return counted[key] = pages;
}

// Arguments: the sign's width and height. 96 x 32 is the sign measured;
// the corpus's rectangles are drawn for signs up to 192 x 64, where most
// of its messages render.
void BM_RenderCorpus(benchmark::State& state) {
    SignProfile profile = sign().profile;
    profile.width = static_cast<uint16_t>(state.range(0));
    profile.height = static_cast<uint16_t>(state.range(1));
    const int64_t perPass = pagesPerPass(profile);
    std::vector<PageImage> out;
    for (auto _ : state) {
        for (const std::string& m : corpus()) {
            Problem p = renderMulti(m.data(), m.size(), profile, sign().sources, out);
            benchmark::DoNotOptimize(p);
        }
    }
    state.SetItemsProcessed(state.iterations() * perPass);
}

// Only the messages that render on the sign, counting their pages: the
// speed of drawing alone.
void BM_RenderPagesOnly(benchmark::State& state) {
    SignProfile profile = sign().profile;
    profile.width = static_cast<uint16_t>(state.range(0));
    profile.height = static_cast<uint16_t>(state.range(1));
    std::vector<const std::string*> rendering;
    int64_t perPass = 0;
    std::vector<PageImage> out;
    for (const std::string& m : corpus())
        if (renderMulti(m.data(), m.size(), profile, sign().sources, out).ok()) {
            rendering.push_back(&m);
            perPass += static_cast<int64_t>(out.size());
        }
    for (auto _ : state) {
        for (const std::string* m : rendering) {
            Problem p = renderMulti(m->data(), m->size(), profile, sign().sources, out);
            benchmark::DoNotOptimize(p);
        }
    }
    state.SetItemsProcessed(state.iterations() * perPass);
}

BENCHMARK(BM_RenderCorpus)->Args({96, 32})->Args({192, 64})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderPagesOnly)->Args({96, 32})->Args({192, 64})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const std::string fallback = std::string(DMS_SOURCE_DIR) + "/tests/data/multi-corpus.txt";
    if (argc <= 1 && !std::getenv("DMS_MULTI_CORPUS")) setenv("DMS_MULTI_CORPUS", fallback.c_str(), 1);
    bench::loadMultiCorpus(argc, argv, "render bench");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
