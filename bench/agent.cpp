// Requests per second of the simulated sign's SNMP agent over loopback:
// `dmsctl sim serve` in its own process (one core), one synchronous client.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "support/agent_process.h"
#include "support/snmp_client.h"

namespace {

const std::string D = ".1.3.6.1.4.1.1206.4.2.3";
snmptest::AgentProcess* g_agent = nullptr;

void BM_GetScalar(benchmark::State& state) {
    snmptest::Session s(g_agent->port(), "public");
    for (auto _ : state) {
        snmptest::Answer a = s.get({D + ".4.16.0"});
        if (!a.ok()) state.SkipWithError("GET failed");
    }
    state.SetItemsProcessed(state.iterations());
}
// One client measures the round trip; four keep the agent's one core busy.
BENCHMARK(BM_GetScalar)->UseRealTime()->Threads(1)->Threads(4);

void BM_SetMessageColumn(benchmark::State& state) {
    snmptest::Session s(g_agent->port(), "private");
    const std::string row = ".4." + std::to_string(state.thread_index() + 1);  // a row per client
    if (!s.set({D + ".5.8.1.9" + row}, {"i:6"}).ok()) state.SkipWithError("modifyReq failed");
    for (auto _ : state) {
        snmptest::Answer a = s.set({D + ".5.8.1.4" + row}, {"s:benchmark owner"});
        if (!a.ok()) state.SkipWithError("SET failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetMessageColumn)->UseRealTime()->Threads(1)->Threads(4);

void BM_GetBulk20Rows(benchmark::State& state) {
    snmptest::Session s(g_agent->port(), "public");
    for (auto _ : state) {
        snmptest::Answer a = s.bulk(D + ".5.8.1.9.3", 20);  // dmsMessageStatus of changeable rows 1..20
        if (!a.ok() || a.names.size() != 20) state.SkipWithError("GETBULK failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetBulk20Rows)->UseRealTime()->Threads(1)->Threads(4);

}  // namespace

int main(int argc, char** argv) {
    char dir[] = "/tmp/dms-bench-agent-XXXXXX";
    if (!mkdtemp(dir)) return 1;
    snmptest::AgentProcess agent;
    if (!agent.start(DMSCTL_PATH, std::string(dir) + "/sign.json")) return 1;
    g_agent = &agent;
    snmptest::initClient();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    agent.stop();
    std::system((std::string("rm -rf ") + dir).c_str());
    return 0;
}
