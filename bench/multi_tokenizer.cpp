// The MULTI tokenizer over a corpus of messages, one per line: messages per
// second (items) of tokenizing every message to its end. The corpus is the
// first argument after the benchmark flags, or DMS_MULTI_CORPUS; without
// either (or when it cannot be read) a small built-in sample is used.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "multi/tokenizer.h"

namespace {

std::vector<std::string> corpus;
size_t corpusBytes = 0;

const char* const kSample[] = {
    "[pt30o][pb0,0,0][jp3][fo2]HELLO[np][pt20o5][g1,1,1]",
    "[jp3][fo1]ROAD WORK[nl1][fo2]AHEAD",
    "[pt30o][tr1,1,96,16][jp3][jl3][fo2]CRASH[nl1]AHEAD[cr1,18,96,8,255,0,0]",
    "[pt30o][flt05o05][mvcl240,4,1,[fo2]ABC[/fl]][nl1][cf255,128,0]TIME [f1] MIN",
};

void loadCorpus(const char* path) {
    if (path != nullptr) {
        std::ifstream in(path);
        if (!in) std::fprintf(stderr, "multi tokenizer bench: cannot read %s, using the built-in sample\n", path);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) corpus.push_back(line);
        }
    }
    if (corpus.empty())
        for (const char* m : kSample) corpus.emplace_back(m);
    for (const std::string& m : corpus) corpusBytes += m.size();
}

void BM_Tokenize(benchmark::State& state) {
    size_t tokens = 0, errors = 0;
    for (auto _ : state) {
        for (const std::string& m : corpus) {
            dms::multi::Tokenizer tokenizer(m.data(), m.size());
            for (dms::multi::Token t; tokenizer.next(t);) {
                ++tokens;
                errors += t.kind == dms::multi::TokenKind::Error;
            }
        }
        benchmark::DoNotOptimize(tokens);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * corpus.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpusBytes));
    state.counters["tokens/msg"] = static_cast<double>(tokens) / static_cast<double>(state.iterations() * corpus.size());
    state.counters["errors/msg"] = static_cast<double>(errors) / static_cast<double>(state.iterations() * corpus.size());
}

BENCHMARK(BM_Tokenize);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const char* path = argc > 1 ? argv[1] : std::getenv("DMS_MULTI_CORPUS");
    loadCorpus(path);
    std::fprintf(stderr, "multi tokenizer bench: %zu messages, %zu bytes\n", corpus.size(), corpusBytes);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
