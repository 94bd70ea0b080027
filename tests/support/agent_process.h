// `dmsctl sim serve` as a child process on a free loopback port, for tests
// and benchmarks that talk to it over SNMP.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace snmptest {

class AgentProcess {
public:
    // Serves signFile (created when missing); false when it did not start
    // within five seconds. Its output goes to signFile + ".log".
    bool start(const std::string& dmsctl, const std::string& signFile, const std::vector<std::string>& extra = {}) {
        const std::string log = signFile + ".log";
        pid_ = fork();
        if (pid_ == 0) {
            if (!std::freopen(log.c_str(), "w", stdout)) _exit(127);
            std::vector<const char*> argv = {dmsctl.c_str(), "--sign", signFile.c_str(), "sim", "serve",
                                             "--listen", "127.0.0.1:0", "--json-log"};
            for (const std::string& e : extra) argv.push_back(e.c_str());
            argv.push_back(nullptr);
            execv(dmsctl.c_str(), const_cast<char* const*>(argv.data()));
            _exit(127);
        }
        for (int i = 0; i < 500 && port_ == 0; ++i) {
            usleep(10000);
            std::ifstream in(log);
            std::string line;
            if (std::getline(in, line)) {
                size_t p = line.find("\"port\":");
                if (p != std::string::npos) port_ = std::atoi(line.c_str() + p + 7);
            }
        }
        return port_ > 0;
    }
    ~AgentProcess() { stop(); }
    int stop() {
        if (pid_ <= 0) return -1;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int port() const { return port_; }
    // Resident memory of the agent in kB, from /proc.
    long rssKb() const {
        std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
        std::string key;
        long value = -1;
        while (in >> key) {
            if (key == "VmRSS:") {
                in >> value;
                break;
            }
            in.ignore(1 << 12, '\n');
        }
        return value;
    }

private:
    pid_t pid_ = 0;
    int port_ = 0;
};

}  // namespace snmptest
