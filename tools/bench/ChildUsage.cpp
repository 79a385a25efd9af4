#include "tools/bench/ChildUsage.h"

#include "tools/bench/CpuTime.h"

#include <cerrno>
#include <cstring>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double Seconds(const timeval& value) {
    return static_cast<double>(value.tv_sec) + static_cast<double>(value.tv_usec) * 1e-6;
}

// Polls until the child ends; signals it once stopAfter has passed.
pid_t WaitWithDeadline(pid_t child, double started, double stopAfter, int& status, rusage& usage) {
    bool terminated = false;
    for (;;) {
        const pid_t done = wait4(child, &status, stopAfter > 0.0 ? WNOHANG : 0, &usage);
        if (done != 0)
            return done;
        const double elapsed = WallSeconds() - started;
        if (!terminated && elapsed >= stopAfter) {
            kill(child, SIGTERM);
            terminated = true;
        } else if (terminated && elapsed >= stopAfter + 2.0) {
            kill(child, SIGKILL);
        }
        usleep(10000);
    }
}

}

bool RunChild(const std::vector<std::string>& command, double stopAfter, ChildUsage& usage, std::string& error) {
    if (command.empty()) {
        error = "no command to run";
        return false;
    }
    std::vector<char*> argv;
    for (const std::string& argument : command)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const double started = WallSeconds();
    const pid_t child = fork();
    if (child < 0) {
        error = std::string("cannot fork: ") + std::strerror(errno);
        return false;
    }
    if (child == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage used{};
    if (WaitWithDeadline(child, started, stopAfter, status, used) < 0) {
        error = std::string("cannot wait for '") + command[0] + "': " + std::strerror(errno);
        return false;
    }
    usage.wallSeconds = WallSeconds() - started;
    usage.cpuSeconds = Seconds(used.ru_utime) + Seconds(used.ru_stime);
    usage.peakResidentKiB = used.ru_maxrss;
    usage.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (usage.exitCode == 127) {
        error = "cannot run '" + command[0] + "'";
        return false;
    }
    return true;
}
