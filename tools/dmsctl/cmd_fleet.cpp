// dmsctl fleet: one dmsctl command against every sign of a list. Each sign
// gets a child process of this same program (dmsctl --sign NAME --json ...),
// a few at a time; one sign failing never stops the others. The result is a
// table (or JSON) with a row per sign in list order.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "child_process.h"
#include "cli.h"

namespace dmsctl {
namespace {

constexpr size_t kMaxSigns = 10000;
constexpr size_t kMaxLine = 4096;   // bytes, without the line end
constexpr size_t kSummaryWidth = 60;
const char* const kChildMark = "DMSCTL_FLEET_CHILD";  // set in the children: no fleet inside a fleet

struct Entry {
    std::string sign;
    std::string label;
};

Failure bad(const std::string& message) { return Failure{message, 2}; }

bool blank(char c) { return c == ' ' || c == '\t'; }

// CSV fields of one line: double quotes around a field keep its commas, ""
// inside them is one quote; blanks around a field are dropped.
std::vector<std::string> csvFields(const std::string& line, const std::string& where) {
    std::vector<std::string> fields;
    size_t i = 0;
    for (;;) {
        while (i < line.size() && blank(line[i])) ++i;
        std::string field;
        if (i < line.size() && line[i] == '"') {
            for (++i;; ++i) {
                if (i >= line.size()) throw bad(where + "a quote is not closed");
                if (line[i] != '"') {
                    field += line[i];
                } else if (i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    break;
                }
            }
            for (++i; i < line.size() && blank(line[i]);) ++i;
            if (i < line.size() && line[i] != ',') throw bad(where + "text after a closing quote");
        } else {
            size_t end = line.find(',', i);
            if (end == std::string::npos) end = line.size();
            field = line.substr(i, end - i);
            while (!field.empty() && blank(field.back())) field.pop_back();
            if (field.find('"') != std::string::npos) throw bad(where + "a quote inside an unquoted field");
            i = end;
        }
        fields.push_back(field);
        if (i >= line.size()) return fields;
        ++i;  // the comma
    }
}

// One line without its line end (LF or CR LF); of a longer line no more than
// kMaxLine + 2 bytes are read, enough to tell it is too long.
bool readLine(std::istream& in, std::string& line) {
    line.clear();
    int c = 0;
    while (line.size() <= kMaxLine + 1 && (c = in.get()) != EOF && c != '\n') line += static_cast<char>(c);
    if (c == EOF && line.empty()) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

std::vector<Entry> readList(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw bad("cannot read " + file);
    std::vector<Entry> entries;
    std::string line;
    for (size_t number = 1; readLine(in, line); ++number) {
        std::string where = file + ":" + std::to_string(number) + ": ";
        if (line.size() > kMaxLine) throw bad(where + "line longer than " + std::to_string(kMaxLine) + " bytes");
        if (line.find('\0') != std::string::npos) throw bad(where + "NUL byte");
        size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        std::vector<std::string> f = csvFields(line, where);
        if (f.size() > 2) throw bad(where + "more than two fields (sign, label)");
        if (f[0].empty()) throw bad(where + "no sign");
        if (entries.size() == kMaxSigns) throw bad(file + ": more than " + std::to_string(kMaxSigns) + " signs");
        entries.push_back(Entry{f[0], f.size() > 1 ? f[1] : std::string()});
    }
    if (entries.empty()) throw bad(file + ": no signs in the list");
    return entries;
}

// The command must be one for a single sign: it may not name a sign or be fleet itself.
void checkCommand(const std::vector<std::string>& command) {
    if (command.empty()) throw bad("fleet: no command to run (fleet FILE.csv -- COMMAND ...)");
    for (const std::string& a : command)
        if (a == "--sign" || a.rfind("--sign=", 0) == 0) throw bad("fleet: the command may not name a sign");
    for (const std::string& a : command) {
        if (!a.empty() && a[0] == '-') continue;
        if (a == "fleet") throw bad("fleet: a fleet command cannot run fleet");
        return;
    }
}

bool succeeded(const ChildResult& r) { return r.end == ChildResult::End::Exited && r.code == 0; }

std::string resultText(const ChildResult& r) {
    using End = ChildResult::End;
    switch (r.end) {
    case End::Exited: return r.code == 0 ? "ok" : "failed (exit " + std::to_string(r.code) + ")";
    case End::Signalled: return "failed (signal " + std::to_string(r.code) + ")";
    case End::TimedOut: return "timeout";
    case End::Interrupted: return "interrupted";
    case End::CannotStart: return "failed (cannot start)";
    case End::NotRun: break;
    }
    return "not run";
}

// One line for the table: control characters as blanks, at most kSummaryWidth
// characters (never cutting a UTF-8 sequence).
std::string oneLine(const std::string& text) {
    std::string s;
    size_t chars = 0;
    for (char c : text) {
        if (c == '\n') break;
        bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (!continuation && ++chars > kSummaryWidth) return s + "...";
        s += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    }
    return s;
}

// What a sign answered: its first error line when it failed, else its
// first output line (JSON output in compact form).
std::string summary(const ChildResult& r) {
    const std::string& text = succeeded(r) || r.err.find_first_not_of(" \n") == std::string::npos ? r.out : r.err;
    nlohmann::json parsed = nlohmann::json::parse(text, nullptr, false);
    if (!parsed.is_discarded()) return oneLine(parsed.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    size_t start = text.find_first_not_of(" \n");
    return start == std::string::npos ? std::string() : oneLine(text.substr(start));
}

void printTable(const std::vector<Entry>& list, const std::vector<ChildResult>& results) {
    size_t width = 4;
    for (const Entry& e : list) width = std::max(width, oneLine(e.label.empty() ? e.sign : e.label).size());
    width = std::min<size_t>(width, kSummaryWidth + 3);
    std::printf("%-*s  %-18s %8s  %s\n", static_cast<int>(width), "SIGN", "RESULT", "SECONDS", "OUTPUT");
    for (size_t i = 0; i < list.size(); ++i) {
        const ChildResult& r = results[i];
        std::printf("%-*s  %-18s %8.2f  %s\n", static_cast<int>(width),
                    oneLine(list[i].label.empty() ? list[i].sign : list[i].label).c_str(), resultText(r).c_str(),
                    r.seconds, summary(r).c_str());
    }
}

void printJsonResults(const std::vector<Entry>& list, const std::vector<ChildResult>& results) {
    nlohmann::json arr = nlohmann::json::array();
    for (size_t i = 0; i < list.size(); ++i) {
        const ChildResult& r = results[i];
        nlohmann::json out = nlohmann::json::parse(r.out, nullptr, false);
        bool exited = r.end == ChildResult::End::Exited;
        arr.push_back({{"sign", list[i].sign},
                       {"label", list[i].label.empty() ? nlohmann::json() : nlohmann::json(list[i].label)},
                       {"result", resultText(r)},
                       {"exit", exited ? nlohmann::json(r.code) : nlohmann::json()},
                       {"seconds", r.seconds},
                       {"stdout", out.is_discarded() ? nlohmann::json(r.out) : out},
                       {"stderr", r.err}});
    }
    std::cout << arr.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

// "[#####     ] 12/40 signs, 2 failed" on a terminal, redrawn as signs finish.
class ProgressBar {
public:
    explicit ProgressBar(size_t total)
        : total_(total), on_(isatty(fileno(stderr)) && !context().quiet && !context().json) {}
    ~ProgressBar() {
        if (on_ && done_ > 0) std::fputc('\n', stderr);
    }
    void finished(bool ok) {
        ++done_;
        failed_ += ok ? 0 : 1;
        if (!on_) return;
        size_t filled = done_ * 20 / total_;
        std::fprintf(stderr, "\r[%s%s] %zu/%zu signs, %zu failed", std::string(filled, '#').c_str(),
                     std::string(20 - filled, ' ').c_str(), done_, total_, failed_);
        std::fflush(stderr);
    }

private:
    size_t total_, done_ = 0, failed_ = 0;
    bool on_;
};

Register reg("fleet", "Run one command against every sign of a list (CSV: sign[,label] per line)", [](CLI::App& cmd) {
    static std::string file;
    static int jobs = 4;
    static double timeout = 120;
    cmd.require_subcommand(0);
    cmd.fallthrough(false);
    // Everything after FILE.csv and fleet's own options, or after --, is the
    // command, taken as it is: the command positional never takes a word
    // itself (it only keeps -- here), so the words stay in order among the
    // remaining ones.
    cmd.prefix_command();
    cmd.validate_positionals();
    cmd.add_option("file", file, "Signs, one per line: sign name or address, optional label")->required();
    static std::vector<std::string> words;
    cmd.add_option("command", words, "The dmsctl command (and its arguments) to run for each sign")
        ->check(CLI::Validator([](std::string&) { return std::string("kept as it is"); }, ""));
    cmd.add_option("-j,--jobs", jobs, "Signs worked on at once")->check(CLI::Range(1, 64))->capture_default_str();
    cmd.add_option("--timeout", timeout, "Seconds one sign may take")
        ->check(CLI::Range(0.001, 86400.0))
        ->capture_default_str();
    cmd.callback([&cmd] {
        if (std::getenv(kChildMark)) throw bad("fleet: a fleet command cannot run fleet");
        std::vector<std::string> command = cmd.remaining();
        if (!command.empty() && command.front() == "--") command.erase(command.begin());
        checkCommand(command);
        std::vector<Entry> list = readList(file);
        std::vector<std::vector<std::string>> argvs;
        for (const Entry& e : list) {
            std::vector<std::string> argv{"dmsctl", "--sign=" + e.sign, "--json"};  // a name may start with -
            if (context().quiet) argv.push_back("-q");
            if (context().verbose) argv.push_back("-v");
            argv.insert(argv.end(), command.begin(), command.end());
            argvs.push_back(std::move(argv));
        }
        ::setenv(kChildMark, "1", 1);
        ChildPoolOptions options;
        options.jobs = jobs;
        options.timeout = std::chrono::milliseconds(static_cast<long long>(timeout * 1000));
        std::vector<ChildResult> results;
        {
            ProgressBar bar(list.size());
            results = runChildren("/proc/self/exe", argvs, options,
                                  [&bar](size_t, const ChildResult& r) { bar.finished(succeeded(r)); });
        }
        context().json ? printJsonResults(list, results) : printTable(list, results);
        size_t notOk = 0;
        for (const ChildResult& r : results) notOk += succeeded(r) ? 0 : 1;
        if (notOk) throw Failure{std::to_string(notOk) + " of " + std::to_string(list.size()) + " signs not ok", 1};
    });
});

}  // namespace
}  // namespace dmsctl
