#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

extern char** environ;

namespace dmsctl {
namespace {

using Clock = std::chrono::steady_clock;

volatile sig_atomic_t g_interrupted = 0;

void onInterrupt(int) { g_interrupted = 1; }

// While children run, SIGINT and SIGTERM only set a flag (no restart, so a
// wait ends at once); the earlier handlers come back afterwards.
class InterruptGuard {
public:
    InterruptGuard() {
        g_interrupted = 0;
        struct sigaction sa {};
        sa.sa_handler = onInterrupt;
        sigemptyset(&sa.sa_mask);
        sigaction(SIGINT, &sa, &oldInt_);
        sigaction(SIGTERM, &sa, &oldTerm_);
    }
    ~InterruptGuard() {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
};

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

// The read end of one output pipe of a child and what came through it.
struct Capture {
    Fd fd;
    std::string text;
    bool truncated = false;

    // One read (drain: until nothing is left); the pipe closes at its end.
    void read(bool drain) {
        char buf[16384];
        while (fd.get() >= 0) {
            ssize_t n = ::read(fd.get(), buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno == EAGAIN) return;
            if (n <= 0) {  // end of file, or an error: nothing more comes
                fd.reset();
                return;
            }
            size_t room = kCaptureLimit - text.size();
            text.append(buf, static_cast<size_t>(n) < room ? static_cast<size_t>(n) : room);
            if (static_cast<size_t>(n) > room) truncated = true;
            if (!drain) return;
        }
    }
    std::string result() const { return truncated ? text + "\n(truncated)\n" : text; }
};

// posix_spawn's attribute objects, destroyed on every path.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attr);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attr);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

// A child process; one that still runs when this goes away is killed and reaped.
class Child {
public:
    Child(size_t index, const std::string& program, const std::vector<std::string>& argv, const ChildPoolOptions& o)
        : index_(index), start_(Clock::now()), deadline_(start_ + o.timeout), grace_(o.killGrace) {
        int rc = spawn(program, argv);
        if (rc != 0) {
            result_.end = ChildResult::End::CannotStart;
            result_.err = "cannot start " + program + ": " + std::strerror(rc) + "\n";
        }
    }
    ~Child() {
        if (pid_ <= 0) return;
        ::kill(-pid_, SIGKILL);
        while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    size_t index() const { return index_; }
    Capture* captures() { return caps_; }
    bool outputOpen() const { return caps_[0].fd.get() >= 0 || caps_[1].fd.get() >= 0; }

    // Stops the child: at its deadline or on interruption SIGTERM, SIGKILL after the grace time.
    void enforce(Clock::time_point now, bool interrupted) {
        if (pid_ <= 0) return;
        if (!stopping_ && (interrupted || now >= deadline_)) {
            stopping_ = interrupted ? ChildResult::End::Interrupted : ChildResult::End::TimedOut;
            ::kill(-pid_, SIGTERM);
            killAt_ = now + grace_;
        } else if (stopping_ && !killed_ && now >= killAt_) {
            ::kill(-pid_, SIGKILL);
            killed_ = true;
        }
    }

    // True once the child has ended (or never started); its result is then final.
    bool reaped() {
        if (pid_ <= 0) return true;
        int status = 0;
        pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == 0 || (r < 0 && errno == EINTR)) return false;
        pid_ = -1;
        result_.seconds = std::chrono::duration<double>(Clock::now() - start_).count();
        if (stopping_) {
            result_.end = *stopping_;
        } else if (r > 0 && WIFEXITED(status)) {
            result_.end = ChildResult::End::Exited;
            result_.code = WEXITSTATUS(status);
        } else {
            result_.end = ChildResult::End::Signalled;
            result_.code = r > 0 && WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        }
        for (Capture& c : caps_) {
            c.read(true);  // what the child wrote is in the pipe; anything held open by others is not waited for
            c.fd.reset();
        }
        result_.out = caps_[0].result();
        result_.err = caps_[1].result() + result_.err;
        return true;
    }
    const ChildResult& result() const { return result_; }

private:
    int spawn(const std::string& program, const std::vector<std::string>& argv) {
        int out[2], err[2];
        if (::pipe2(out, O_CLOEXEC) != 0) return errno;
        caps_[0].fd.reset(out[0]);
        Fd outWrite(out[1]);
        if (::pipe2(err, O_CLOEXEC) != 0) return errno;
        caps_[1].fd.reset(err[0]);
        Fd errWrite(err[1]);
        SpawnSetup s;
        posix_spawn_file_actions_addopen(&s.actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&s.actions, outWrite.get(), 1);
        posix_spawn_file_actions_adddup2(&s.actions, errWrite.get(), 2);
        sigset_t none, defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGINT);
        sigaddset(&defaults, SIGTERM);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_setflags(&s.attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
        posix_spawnattr_setpgroup(&s.attr, 0);
        posix_spawnattr_setsigdefault(&s.attr, &defaults);
        posix_spawnattr_setsigmask(&s.attr, &none);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        pid_t pid = 0;
        int rc = ::posix_spawn(&pid, program.c_str(), &s.actions, &s.attr, args.data(), environ);
        if (rc != 0) return rc;
        pid_ = pid;
        for (Capture& c : caps_) ::fcntl(c.fd.get(), F_SETFL, O_NONBLOCK);
        return 0;
    }

    size_t index_;
    pid_t pid_ = -1;
    Clock::time_point start_, deadline_, killAt_;
    std::chrono::milliseconds grace_;
    std::optional<ChildResult::End> stopping_;
    bool killed_ = false;
    Capture caps_[2];  // standard output, standard error
    ChildResult result_;
};

}  // namespace

std::vector<ChildResult> runChildren(const std::string& program, const std::vector<std::vector<std::string>>& argvs,
                                     const ChildPoolOptions& options,
                                     const std::function<void(size_t, const ChildResult&)>& done) {
    InterruptGuard guard;
    std::vector<ChildResult> results(argvs.size());
    std::vector<std::unique_ptr<Child>> running;
    size_t next = 0;
    while ((next < argvs.size() && !g_interrupted) || !running.empty()) {
        while (!g_interrupted && next < argvs.size() && running.size() < static_cast<size_t>(options.jobs)) {
            running.push_back(std::make_unique<Child>(next, program, argvs[next], options));
            ++next;
        }
        std::vector<pollfd> fds;
        std::vector<Capture*> caps;
        bool ending = false;  // a child closed its output: it is about to end
        for (auto& c : running) {
            ending = ending || !c->outputOpen();
            for (int i = 0; i < 2; ++i) {
                Capture& cap = c->captures()[i];
                if (cap.fd.get() < 0) continue;
                fds.push_back(pollfd{cap.fd.get(), POLLIN, 0});
                caps.push_back(&cap);
            }
        }
        int n = ::poll(fds.data(), fds.size(), ending ? 2 : 50);
        for (size_t i = 0; n > 0 && i < fds.size(); ++i)
            if (fds[i].revents) caps[i]->read(false);
        Clock::time_point now = Clock::now();
        for (auto it = running.begin(); it != running.end();) {
            Child& c = **it;
            c.enforce(now, g_interrupted != 0);
            if (!c.reaped()) {
                ++it;
                continue;
            }
            results[c.index()] = c.result();
            done(c.index(), c.result());
            it = running.erase(it);
        }
    }
    return results;
}

}  // namespace dmsctl
