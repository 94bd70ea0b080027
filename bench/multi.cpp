// MULTI parse, write, and parse+write over a corpus of messages, one per
// line. The corpus is the first argument after the benchmark flags, or
// DMS_MULTI_CORPUS; without either (or when it cannot be read) a small
// built-in sample is used so the program still runs.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/section.h"

namespace {

std::vector<std::string>& corpus() {
    static std::vector<std::string> messages;
    return messages;
}
size_t corpusBytes = 0;

const char* const kSample[] = {
    "[pt30o][pb0,0,0][jp3][fo2]HELLO[np][pt20o5][g1,1,1]",
    "[jp3][fo1]ROAD WORK[nl1][fo2]AHEAD",
    "[pt30o][tr1,1,96,16][jp3][jl3][fo2]CRASH[nl1]AHEAD[cr1,18,96,8,255,0,0]",
    "[pt30o][flt05o05][mvcl240,4,1,[fo2]ABC[/fl]][nl1][cf255,128,0]TIME [f1] MIN",
};

void loadCorpus(const char* path) {
    std::vector<std::string>& messages = corpus();
    if (path != nullptr) {
        std::ifstream in(path);
        if (!in) std::fprintf(stderr, "multi bench: cannot read %s, using the built-in sample\n", path);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) messages.push_back(line);
        }
    }
    if (messages.empty())
        for (const char* m : kSample) messages.emplace_back(m);
    for (const std::string& m : messages) corpusBytes += m.size();
}

void count(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * corpus().size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpusBytes));
}

void BM_Parse(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& m : corpus()) {
            dms::PageMessage page;
            page.FromMulti(m.c_str());
            benchmark::DoNotOptimize(page.next);
        }
    }
    count(state);
}

void BM_Write(benchmark::State& state) {
    std::vector<std::unique_ptr<dms::PageMessage>> pages;
    for (const std::string& m : corpus()) {
        pages.push_back(std::make_unique<dms::PageMessage>());
        pages.back()->FromMulti(m.c_str());
    }
    for (auto _ : state) {
        for (auto& page : pages) {
            std::ostringstream out = page->ToMulti();
            benchmark::DoNotOptimize(out);
        }
    }
    count(state);
}

void BM_ParseWrite(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& m : corpus()) {
            dms::PageMessage page;
            page.FromMulti(m.c_str());
            std::ostringstream out = page.ToMulti();
            benchmark::DoNotOptimize(out);
        }
    }
    count(state);
}

BENCHMARK(BM_Parse);
BENCHMARK(BM_Write);
BENCHMARK(BM_ParseWrite);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const char* path = argc > 1 ? argv[1] : std::getenv("DMS_MULTI_CORPUS");
    loadCorpus(path);
    std::fprintf(stderr, "multi bench: %zu messages, %zu bytes\n", corpus().size(), corpusBytes);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
