// Content-library exports against simulated signs reached over SNMP:
// `dmsctl sim serve` child processes on loopback, the device library's
// SNMP client in this process.
//
// Counters: "calls" are boundary calls (the device library's call journal),
// "requests" are SNMP requests this process sent, counted by wrapping
// snmp_sess_synch_response (the device library's net-snmp transport sends
// each request, each try, with one call of it). They differ where one boundary call is several
// requests: tqDefine1Message is at least six (modify, settle read, columns,
// validate, settle read, status read), and every status SET is followed by
// reads until the row has settled.
#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "dmscontent/dmscontent.h"
#include "support/agent_process.h"
#include "tqdms/ntcip.h"
#include "tqdms/tqdms.h"
#include "tqdms/tqnet.h"
#include "tqdms/tqsim.h"

struct snmp_pdu;

// Counts the requests the device library sends; the executable's definition
// comes before libnetsnmp's for libtqdms.
extern "C" int snmp_sess_synch_response(void* session, snmp_pdu* pdu, snmp_pdu** response);

namespace {

constexpr int kMessages = 512;
constexpr int kGraphicWidth = 148, kGraphicHeight = 147;  // 65268 bytes at 24 bits per pixel
constexpr int kMaxSigns = 8;

std::string g_dir;
std::vector<std::unique_ptr<snmptest::AgentProcess>> g_agents;

// A sign with room for the benchmark's content: 512 changeable messages,
// 24-bit colour and graphics of up to 64 KB.
const char kSignState[] = R"({"limits": {"maxChangeable": 512, "changeableMemory": 1048576,
  "graphicMaxSize": 65535, "graphicBlockSize": 1024}, "profile": {"colorScheme": 4}})";

// Agents kMaxSigns.. answer each request after kDistantMs, as signs on a
// road do: their throughput shows how waiting on many signs overlaps.
constexpr int kDistantMs = 2;

bool startAgents(int count) {
    for (int i = static_cast<int>(g_agents.size()); i < count; ++i) {
        const std::string file = g_dir + "/sign" + std::to_string(i) + ".json";
        std::ofstream(file) << kSignState;
        auto agent = std::make_unique<snmptest::AgentProcess>();
        std::vector<std::string> extra;
        if (i >= kMaxSigns) extra = {"--answer-delay-ms", std::to_string(kDistantMs)};
        if (!agent->start(DMSCTL_PATH, file, extra)) return false;
        g_agents.push_back(std::move(agent));
    }
    return true;
}

// Binds the calling thread to agent i (once; the binding lasts as long as
// the thread).
bool bindThread(int i) {
    thread_local int bound = -1;
    if (bound == i) return true;
    const std::string uri = "snmp://private@127.0.0.1:" + std::to_string(g_agents[i]->port()) + "?version=2c";
    if (tqnetOpenThread(uri.c_str()) != 0) return false;
    DeviceInitParameters params{};
    std::snprintf(params.address, sizeof params.address, "%s", "127.0.0.1");
    if (tqDMSInitNotVerify(&params) != 0) return false;
    bound = i;
    return true;
}

std::atomic<uint64_t> g_requests{0};
std::vector<int> g_agentPids;

// The agents' process ids: the children of the thread that started them.
void findAgentPids() {
    std::ifstream in("/proc/self/task/" + std::to_string(syscall(SYS_gettid)) + "/children");
    for (int pid; in >> pid;) g_agentPids.push_back(pid);
}

// CPU seconds (user and system) of the agents and of this process.
double agentCpu() {
    double ticks = 0;
    for (int pid : g_agentPids) {
        std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        size_t p = text.rfind(')');
        if (p == std::string::npos) continue;
        // utime and stime are fields 14 and 15; the text after ')' starts
        // with field 3.
        std::istringstream fields(text.substr(p + 1));
        std::string skip;
        for (int field = 3; field <= 13; ++field) fields >> skip;
        unsigned long long user = 0, system = 0;
        fields >> user >> system;
        ticks += static_cast<double>(user + system);
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}
double ownCpu() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

uint64_t requestsSent() { return g_requests.load(); }

// Calls and requests of the timed loop as totals and rates.
class Counting {
public:
    Counting() {
        tqsimClearJournal();
        tqsimSetJournal(1);
    }
    // Call after each operation: the journal holds at most TQSIM_JOURNAL_MAX calls.
    void add() {
        calls_ += tqsimJournalCount();
        tqsimClearJournal();
        sentEnd_ = requestsSent();
        agentEnd_ = agentCpu();
        ownEnd_ = ownCpu();
    }
    void report(benchmark::State& state) {
        const double ops = static_cast<double>(state.iterations());
        const double requests = static_cast<double>(sentEnd_ - sent0_);
        state.counters["calls/op"] = benchmark::Counter(static_cast<double>(calls_) / ops);
        state.counters["requests/op"] = benchmark::Counter(requests / ops);
        state.counters["requests/s"] = benchmark::Counter(requests, benchmark::Counter::kIsRate);
        state.counters["calls/s"] = benchmark::Counter(static_cast<double>(calls_), benchmark::Counter::kIsRate);
        state.counters["client us/req"] = (ownEnd_ - own0_) * 1e6 / requests;
        state.counters["agent us/req"] = (agentEnd_ - agent0_) * 1e6 / requests;
    }

private:
    uint64_t calls_ = 0;
    uint64_t sent0_ = requestsSent();
    uint64_t sentEnd_ = sent0_;
    double agent0_ = agentCpu(), agentEnd_ = agent0_;
    double own0_ = ownCpu(), ownEnd_ = own0_;
};

// ---- part 1: one sign, three uploads --------------------------------------

// The agents share two cores with everything else on the machine: three
// runs, reported as mean, median and spread.
void repeated(benchmark::internal::Benchmark* b) { b->Repetitions(3)->ReportAggregatesOnly(true); }

std::string messageDocument() {
    const std::string path = g_dir + "/messages.xml";
    std::ofstream x(path);
    x << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DmsMessage>\n  <Event sourceAddr=\"127.0.0.1\"/>\n";
    for (int n = 1; n <= kMessages; ++n) {
        // A "Message" number goes up to 255; rows above take the element of
        // a saved document, whose MULTI text is built from its pages alike.
        const char* element = n <= 255 ? "Message" : "CMessage";
        x << "  <" << element << " number=\"" << n << "\" type=\"changeable\" owner=\"bench\" beacon=\"false\""
          << " pixelService=\"false\" duration=\"65535\" runTimePriority=\"3\">\n"
          << "    <PageMessage pageOnTime=\"30\" pageOffTime=\"0\"><SectionText>"
          << "<NormalText text=\"EXIT " << n << "\"/><NewLine count=\"1\"/><NormalText text=\"KEEP RIGHT\"/>"
          << "</SectionText></PageMessage>\n  </" << element << ">\n";
    }
    x << "</DmsMessage>\n";
    return path;
}

void BM_SendMessageDocument512(benchmark::State& state) {
    if (!bindThread(0)) return state.SkipWithError("cannot reach the sign");
    const std::string path = messageDocument();
    Counting count;
    for (auto _ : state) {
        if (tqSendMessage(path.c_str()) != DMS_OK) return state.SkipWithError("tqSendMessage failed");
        count.add();
    }
    uint32_t first = 0, last = 0;
    tqGetMsgTable(NTCIP_MEM_CHANGEABLE, 1, NTCIP_MSG_STATUS, &first, 4);
    tqGetMsgTable(NTCIP_MEM_CHANGEABLE, kMessages, NTCIP_MSG_STATUS, &last, 4);
    if (first != NTCIP_MSG_VALID || last != NTCIP_MSG_VALID) return state.SkipWithError("messages not valid");
    count.report(state);
}
BENCHMARK(BM_SendMessageDocument512)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(repeated);

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// An 8 x 14 FNT font with a width table: code 0 has width 0 (not sent),
// codes 1..255 width 8, each cell a pattern of its code.
std::string fontFile() {
    const uint32_t width = 8, height = 14, cells = 256 * height;
    std::vector<uint8_t> b(cells + 256 + 64, 0);
    for (uint32_t c = 1; c < 256; ++c)
        for (uint32_t r = 0; r < height; ++r) b[c * height + r] = static_cast<uint8_t>(c ^ (r * 0x11));
    for (uint32_t c = 1; c < 256; ++c) b[cells + c] = width;
    const size_t t = cells + 256;
    b[t] = 0x04;
    b[t + 1] = 'F';
    b[t + 2] = 'O';
    b[t + 3] = 'N';
    b[t + 4] = 'T';
    put32(b, t + 16, width);
    put32(b, t + 20, height);
    put32(b, t + 24, 1);
    put32(b, t + 44, 1);  // font number 1, the sign's default font, sent raw
    b[t + 48] = 0xF0;     // width table present
    b[t + 49] = 1;
    b[t + 50] = 2;
    const std::string path = g_dir + "/bench8x14.fnt";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
    return path;
}

void BM_UploadFont255(benchmark::State& state) {
    if (!bindThread(0)) return state.SkipWithError("cannot reach the sign");
    std::string paths(255, '\0');
    paths.replace(0, fontFile().size(), fontFile());
    Counting count;
    for (auto _ : state) {
        int32_t n = 1;
        if (tqSendFonts(paths.data(), &n, 1) != DMS_OK || n != 1) return state.SkipWithError("tqSendFonts failed");
        count.add();
    }
    uint32_t status = 0;
    tqGetFontTable(1, NTCIP_FONT_STATUS, &status, 4);
    if (status != NTCIP_FONT_READY_FOR_USE) return state.SkipWithError("font not ready for use");
    count.report(state);
    state.counters["chars"] = 255;
}
BENCHMARK(BM_UploadFont255)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(repeated);

// A 24-bit BMP of 148 x 147 pixels, stored bottom-up.
std::string pictureFile() {
    const uint32_t stride = (kGraphicWidth * 3 + 3) / 4 * 4, image = stride * kGraphicHeight;
    std::vector<uint8_t> f(54 + image, 0);
    f[0] = 'B';
    f[1] = 'M';
    put32(f, 2, 54 + image);
    put32(f, 10, 54);
    put32(f, 14, 40);
    put32(f, 18, kGraphicWidth);
    put32(f, 22, kGraphicHeight);
    f[26] = 1;
    f[28] = 24;
    put32(f, 34, image);
    for (uint32_t y = 0; y < kGraphicHeight; ++y)
        for (uint32_t x = 0; x < kGraphicWidth * 3; ++x) f[54 + y * stride + x] = static_cast<uint8_t>(x * 7 + y * 3);
    const std::string path = g_dir + "/picture.bmp";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(f.data()), f.size());
    return path;
}

void BM_UploadGraphic64K(benchmark::State& state) {
    if (!bindThread(0)) return state.SkipWithError("cannot reach the sign");
    const std::string path = pictureFile();
    Counting count;
    dmsGraphic picture{};
    for (auto _ : state) {
        picture = dmsGraphic{};
        picture.index = 1;
        picture.type = 4;  // color24bit, the sign's scheme
        std::snprintf(picture.name, sizeof picture.name, "%s", "bench");
        if (tqSendSinglePicture(path.c_str(), &picture) != DMS_OK) return state.SkipWithError("upload failed");
        count.add();
    }
    uint32_t status = 0;
    tqGetGraphicTable(1, NTCIP_GRAPHIC_STATUS, &status, 4);
    if (status != NTCIP_GRAPHIC_READY_FOR_USE) return state.SkipWithError("graphic not ready for use");
    count.report(state);
    state.counters["bytes"] = picture.length;
}
BENCHMARK(BM_UploadGraphic64K)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(repeated);

// ---- part 2: N threads, each with its own sign ----------------------------

// Fixed work of one thread per round: reading 20 message rows (each row
// six GETs, one request per boundary call).
constexpr int kRowsPerRound = 20;

// N worker threads, each bound to its own agent once, that do one round of
// work each time go() is called; go() returns when all have finished.
class Workers {
public:
    // Thread i talks to agent first + i.
    Workers(int n, int first) : n_(n) {
        for (int i = 0; i < n; ++i) threads_.emplace_back([this, i, first] { run(first + i); });
        std::unique_lock<std::mutex> lock(m_);
        cv_.wait(lock, [this] { return ready_ == n_; });
    }
    ~Workers() {
        {
            std::lock_guard<std::mutex> lock(m_);
            quit_ = true;
            ++round_;
        }
        cv_.notify_all();
        for (auto& t : threads_) t.join();
    }
    bool ok() const { return !failed_; }
    void go() {
        std::unique_lock<std::mutex> lock(m_);
        done_ = 0;
        ++round_;
        cv_.notify_all();
        cv_.wait(lock, [this] { return done_ == n_; });
    }

private:
    void run(int i) {
        if (!bindThread(i)) failed_ = true;
        // Rows of the message document some earlier benchmark may not have
        // sent: define them here, so every thread reads valid rows.
        MessageTableEntry e{};
        e.memoryType = 3;
        e.priority = 3;
        for (int n = 1; n <= kRowsPerRound && !failed_; ++n) {
            e.number = static_cast<uint16_t>(n);
            std::snprintf(e.multi, sizeof e.multi, "ROW %d", n);
            uint32_t v = 0, s = 0;
            if (tqSendSingleMessage(&e, &v, &s) != DMS_OK) failed_ = true;
        }
        uint64_t seen;
        {
            std::lock_guard<std::mutex> lock(m_);
            seen = round_;
            ++ready_;
        }
        cv_.notify_all();
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(m_);
                cv_.wait(lock, [&] { return round_ != seen; });
                seen = round_;
                if (quit_) return;
            }
            MessageTableEntry row{};
            for (int n = 1; n <= kRowsPerRound; ++n)
                if (tqGetSingleMessage(3, n, &row) != DMS_OK) failed_ = true;
            {
                std::lock_guard<std::mutex> lock(m_);
                ++done_;
            }
            cv_.notify_all();
        }
    }

    const int n_;
    std::vector<std::thread> threads_;
    std::mutex m_;
    std::condition_variable cv_;
    int ready_ = 0, done_ = 0;
    uint64_t round_ = 0;
    bool quit_ = false;
    std::atomic<bool> failed_{false};
};

void signsInParallel(benchmark::State& state, int firstAgent) {
    const int n = static_cast<int>(state.range(0));
    Workers workers(n, firstAgent);
    if (!workers.ok()) return state.SkipWithError("a sign could not be reached");
    uint64_t calls = 0;
    tqsimClearJournal();
    tqsimSetJournal(1);
    const uint64_t sent0 = requestsSent();
    uint64_t sentEnd = sent0;
    const double agent0 = agentCpu(), own0 = ownCpu();
    for (auto _ : state) {
        workers.go();
        calls += tqsimJournalCount();
        tqsimClearJournal();
        sentEnd = requestsSent();
    }
    const double agentSeconds = agentCpu() - agent0, ownSeconds = ownCpu() - own0;
    if (!workers.ok()) return state.SkipWithError("a read failed");
    // Every call here is one GET, so calls and requests come out the same:
    // both are shown as a check of the counting.
    const double requests = static_cast<double>(sentEnd - sent0);
    const double rounds = static_cast<double>(state.iterations());
    state.counters["signs"] = n;
    state.counters["requests/sign/round"] = requests / n / rounds;
    state.counters["calls/s"] = benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kIsRate);
    state.counters["requests/s"] = benchmark::Counter(requests, benchmark::Counter::kIsRate);
    state.counters["requests/s/sign"] = benchmark::Counter(requests / n, benchmark::Counter::kIsRate);
    // CPU time per request, in microseconds, of this process (the clients)
    // and of the agents: what the two cores have to give for each request.
    state.counters["client us/req"] = ownSeconds * 1e6 / requests;
    state.counters["agent us/req"] = agentSeconds * 1e6 / requests;
}
void BM_SignsInParallel(benchmark::State& state) { signsInParallel(state, 0); }
BENCHMARK(BM_SignsInParallel)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(repeated);

// The same against signs that take kDistantMs to answer.
void BM_DistantSignsInParallel(benchmark::State& state) { signsInParallel(state, kMaxSigns); }
BENCHMARK(BM_DistantSignsInParallel)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(repeated);

}  // namespace

extern "C" int snmp_sess_synch_response(void* session, snmp_pdu* pdu, snmp_pdu** response) {
    using Fn = int (*)(void*, snmp_pdu*, snmp_pdu**);
    static const Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "snmp_sess_synch_response"));
    g_requests.fetch_add(1, std::memory_order_relaxed);
    return real(session, pdu, response);
}

int main(int argc, char** argv) {
    char dir[] = "/tmp/dms-bench-snmp-XXXXXX";
    if (!mkdtemp(dir)) return 1;
    g_dir = dir;
    // The library's log lines would come between the table's rows. (The
    // message export also leaves its MULTI dump beside the executable.)
    dmsSetLogSink([](const char*, void*) {}, nullptr);
    benchmark::Initialize(&argc, argv);
    int rc = 0;
    if (!startAgents(2 * kMaxSigns)) {
        std::fprintf(stderr, "bench_snmp: cannot start the agents\n");
        rc = 1;
    } else {
        findAgentPids();
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    g_agents.clear();  // stops them
    std::system((std::string("rm -rf ") + dir).c_str());
    return rc;
}
