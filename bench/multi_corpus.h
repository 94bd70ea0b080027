// The MULTI corpus the MULTI benchmarks share: one message per line, from
// the first argument after the benchmark flags or DMS_MULTI_CORPUS; without
// either (or when it cannot be read) a small built-in sample, so the
// programs still run.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

struct MultiCorpus {
    std::vector<std::string> messages;
    size_t bytes = 0;
};

inline MultiCorpus& multiCorpus() {
    static MultiCorpus corpus;
    return corpus;
}

inline void loadMultiCorpus(int argc, char** argv, const char* who) {
    static const char* const kSample[] = {
        "[pt30o][pb0,0,0][jp3][fo2]HELLO[np][pt20o5][g1,1,1]",
        "[jp3][fo1]ROAD WORK[nl1][fo2]AHEAD",
        "[pt30o][tr1,1,96,16][jp3][jl3][fo2]CRASH[nl1]AHEAD[cr1,18,96,8,255,0,0]",
        "[pt30o][flt05o05][mvcl240,4,1,[fo2]ABC[/fl]][nl1][cf255,128,0]TIME [f1] MIN",
    };
    MultiCorpus& c = multiCorpus();
    const char* path = argc > 1 ? argv[1] : std::getenv("DMS_MULTI_CORPUS");
    if (path != nullptr) {
        std::ifstream in(path);
        if (!in) std::fprintf(stderr, "%s: cannot read %s, using the built-in sample\n", who, path);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) c.messages.push_back(line);
        }
    }
    if (c.messages.empty())
        for (const char* m : kSample) c.messages.emplace_back(m);
    for (const std::string& m : c.messages) c.bytes += m.size();
    std::fprintf(stderr, "%s: %zu messages, %zu bytes\n", who, c.messages.size(), c.bytes);
}

}  // namespace bench
