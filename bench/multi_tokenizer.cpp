// The MULTI tokenizer over a corpus of messages, one per line: messages per
// second (items) of tokenizing every message to its end. The corpus is the
// first argument after the benchmark flags, or DMS_MULTI_CORPUS; without
// either (or when it cannot be read) a small built-in sample is used.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "multi/tokenizer.h"
#include "multi_corpus.h"

namespace {

const std::vector<std::string>& corpus = bench::multiCorpus().messages;

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
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bench::multiCorpus().bytes));
    state.counters["tokens/msg"] = static_cast<double>(tokens) / static_cast<double>(state.iterations() * corpus.size());
    state.counters["errors/msg"] = static_cast<double>(errors) / static_cast<double>(state.iterations() * corpus.size());
}

BENCHMARK(BM_Tokenize);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::loadMultiCorpus(argc, argv, "multi tokenizer bench");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
