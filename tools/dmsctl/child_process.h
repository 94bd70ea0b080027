// Running one program many times as child processes, a few at a time: each
// child's standard output and error come back through pipes (up to a bound),
// a child that runs too long is stopped, and every child is reaped on every
// path, exceptions included.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace dmsctl {

// Bytes kept of each output stream of a child; the rest is read and dropped.
constexpr size_t kCaptureLimit = 64 * 1024;

struct ChildResult {
    enum class End { NotRun, Exited, Signalled, TimedOut, Interrupted, CannotStart };
    End end = End::NotRun;
    int code = 0;  // exit status (Exited) or signal number (Signalled)
    double seconds = 0;
    std::string out;  // output streams; a cut one ends with a "(truncated)" line
    std::string err;
};

struct ChildPoolOptions {
    int jobs = 4;                                   // children at once
    std::chrono::milliseconds timeout{120000};      // per child; then SIGTERM
    std::chrono::milliseconds killGrace{2000};      // after SIGTERM, SIGKILL
};

// Runs program once per argument list (argv[0] included), in list order,
// with at most options.jobs children at once; children get /dev/null as
// standard input and a process group of their own. done(index, result) is
// called as each child ends. SIGINT or SIGTERM during the run stops the
// running children (reported Interrupted) and starts no more (NotRun).
std::vector<ChildResult> runChildren(const std::string& program, const std::vector<std::vector<std::string>>& argvs,
                                     const ChildPoolOptions& options,
                                     const std::function<void(size_t, const ChildResult&)>& done);

}  // namespace dmsctl
