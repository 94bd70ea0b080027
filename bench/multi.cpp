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
#include "multi/faithful.h"
#include "multi/writer.h"
#include "multi_corpus.h"

namespace {

const std::vector<std::string>& corpus() { return bench::multiCorpus().messages; }

void count(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * corpus().size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bench::multiCorpus().bytes));
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

// The faithful reading, and the faithful reading followed by the writer.
void BM_FaithfulParse(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& m : corpus()) {
            dms::PageMessage page;
            dms::multi::readFaithful(page, m.data(), m.size());
            benchmark::DoNotOptimize(page.next);
        }
    }
    count(state);
}

// Written as the library writes a message's text (CMessage::BuildMulti):
// into a string, without the stream ToMulti returns.
void BM_FaithfulParseWrite(benchmark::State& state) {
    std::string out;
    for (auto _ : state) {
        for (const std::string& m : corpus()) {
            dms::PageMessage page;
            dms::multi::readFaithful(page, m.data(), m.size());
            out.clear();
            dms::multi::writePages(out, page);
            benchmark::DoNotOptimize(out.data());
        }
    }
    count(state);
}

BENCHMARK(BM_Parse);
BENCHMARK(BM_Write);
BENCHMARK(BM_ParseWrite);
BENCHMARK(BM_FaithfulParse);
BENCHMARK(BM_FaithfulParseWrite);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::loadMultiCorpus(argc, argv, "multi bench");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
