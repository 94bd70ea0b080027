// dmsctl's shared pieces: the options every command sees, opening the sign,
// printing results, and the registry through which each cmd_*.cpp file adds
// its subcommands.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <functional>
#include <string>

namespace dmsctl {

struct Context {
    std::string signFile = "dmsctl-sign.json";  // --sign
    bool json = false;                          // --json
    bool quiet = false;                         // --quiet: no progress display, only error lines
    bool verbose = false;                       // --verbose: the library's information lines too
    bool saveFailed = false;                    // the sign's state file could not be written
    int exitCode = 0;                           // of a command that ends without a message (1: refused)
};

// Where the library's diagnostic lines go: standard error, error lines
// always, warnings unless --quiet, information lines only with --verbose.
void installLogSink();

Context& context();

// Thrown by commands to end with a one-line message and an exit code.
struct Failure {
    std::string message;
    int exitCode;
};

// Opens the sign named by --sign (creating it with default limits when the
// file does not exist) on this thread, with a progress display. The sign is
// saved and closed when the returned object goes away.
class OpenSign {
public:
    OpenSign();
    ~OpenSign();
    OpenSign(const OpenSign&) = delete;
    OpenSign& operator=(const OpenSign&) = delete;
};

// Ends the command when rc is not 0: "what: <code> <meaning>", exit 1.
void check(uint32_t rc, const std::string& what);
// Prints a JSON value (for --json output).
void printJson(const nlohmann::json& j);

// Adds subcommands to a command group (created on first use); call from a
// static object in each cmd_*.cpp. Several files may add to one group.
using Registration = std::function<void(CLI::App& group)>;
struct Register {
    Register(const char* group, const char* description, Registration add);
};
void registerAll(CLI::App& app);

}  // namespace dmsctl
