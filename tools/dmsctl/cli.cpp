#include "cli.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <vector>
#include <unistd.h>

#include "dmscontent/dmscontent.h"
#include "tqdms/tqnet.h"
#include "tqdms/tqsim.h"

namespace dmsctl {
namespace {

struct Group {
    std::string description;
    std::vector<Registration> adds;
};

std::map<std::string, Group>& registry() {
    static std::map<std::string, Group> r;
    return r;
}

int g_lastShown = -1;

// Progress reports: a bar on a terminal, a line per quarter otherwise.
// Operations may report past 100 (rows beyond the ones they count): shown as 100.
void TQ_CALL showProgress(void*, int, int value) {
    if (context().quiet || context().json) return;
    if (value < 0) value = 0;
    if (value > 100) value = 100;
    if (value == g_lastShown) return;
    if (isatty(fileno(stderr))) {
        int filled = value / 4;
        std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(static_cast<size_t>(filled), '#').c_str(),
                     std::string(static_cast<size_t>(25 - filled), ' ').c_str(), value);
        if (value == 100) std::fputc('\n', stderr);
    } else if (value / 25 != (g_lastShown < 0 ? -1 : g_lastShown / 25)) {
        std::fprintf(stderr, "progress %d%%\n", value);
    }
    g_lastShown = value;
    std::fflush(stderr);
}

// The library's lines begin with their level tag.
bool shown(const char* line) {
    const auto startsWith = [line](const char* tag) { return std::strncmp(line, tag, std::strlen(tag)) == 0; };
    if (context().verbose) return true;
    if (startsWith("[INFO]")) return false;
    return !context().quiet || startsWith("[ERROR]");
}

void DMS_CALL logToStderr(const char* line, void*) {
    if (!line || !shown(line)) return;
    std::fputs(line, stderr);
    std::fflush(stderr);
}

}  // namespace

void installLogSink() { dmsSetLogSink(logToStderr, nullptr); }

Context& context() {
    static Context c;
    return c;
}

namespace {

bool networkSign() { return context().signFile.compare(0, 7, "snmp://") == 0; }

std::string lastOpenError() {
    std::string text(static_cast<size_t>(tqnetLastError(nullptr, 0)), '\0');
    tqnetLastError(&text[0], static_cast<int>(text.size()));
    text.resize(text.size() - 1);
    return text;
}

}  // namespace

OpenSign::OpenSign() {
    uint32_t rc = tqnetOpen(context().signFile.c_str());
    if (rc != 0) throw Failure{lastOpenError(), 1};
    tqsimSetJournal(0);
    DeviceInitParameters params{};
    std::snprintf(params.address, sizeof params.address, "%s", "127.0.0.1");
    params.progress = showProgress;
    g_lastShown = -1;
    rc = tqDMSInitNotVerify(&params);
    if (rc != 0) throw Failure{"cannot connect to the sign: " + lastOpenError(), 1};
}

OpenSign::~OpenSign() {
    if (!networkSign() && tqsimSave(nullptr) != 0) {
        std::cerr << "dmsctl: cannot save " << context().signFile << "\n";
        context().saveFailed = true;  // the command's work is lost: the exit code says so
    }
    tqsimClose();
}

void check(uint32_t rc, const std::string& what) {
    if (rc == 0) return;
    throw Failure{what + ": " + std::to_string(rc) + " " + dmsResultText(rc), 1};
}

void printJson(const nlohmann::json& j) { std::cout << j.dump(2) << "\n"; }

Register::Register(const char* group, const char* description, Registration add) {
    Group& g = registry()[group];
    if (g.description.empty()) g.description = description;
    g.adds.push_back(std::move(add));
}

void registerAll(CLI::App& app) {
    for (auto& kv : registry()) {
        CLI::App* group = app.add_subcommand(kv.first, kv.second.description);
        group->require_subcommand(1);
        for (auto& add : kv.second.adds) add(*group);
    }
}

}  // namespace dmsctl
