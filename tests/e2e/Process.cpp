#include "e2e/Process.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::vector<char*> ArgumentVector(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

const char* TempRoot() {
    const char* root = std::getenv("TMPDIR");
    return root && *root ? root : "/tmp";
}

void RedirectTo(int descriptor, const std::string& path) {
    int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(file, descriptor);
    close(file);
}

// The child side: working directory, environment, no input, output to files.
pid_t ForkChild(const std::string& program, const std::vector<std::string>& arguments, const ProcessOptions& options,
                const std::string& outPath, const std::string& errPath) {
    std::vector<char*> argv = ArgumentVector(program, arguments);
    pid_t child = fork();
    if (child != 0)
        return child;
    if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
        _exit(126);
    for (const auto& [name, value] : options.setEnvironment)
        setenv(name.c_str(), value.c_str(), 1);
    for (const std::string& name : options.unsetEnvironment)
        unsetenv(name.c_str());
    int input = open("/dev/null", O_RDONLY);
    dup2(input, STDIN_FILENO);
    RedirectTo(STDOUT_FILENO, outPath);
    RedirectTo(STDERR_FILENO, errPath);
    execv(program.c_str(), argv.data());
    _exit(127);
}

int ExitCodeOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status); }

}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options) {
    BackgroundProcess process(program, arguments, options);
    ProcessResult result;
    result.timedOut = !process.WaitForExit(options.timeoutSeconds);
    if (result.timedOut)
        process.Kill();
    result.seconds = process.SecondsRunning();
    result.exitCode = process.ExitCode();
    result.out = process.Out();
    result.err = process.Err();
    return result;
}

BackgroundProcess::BackgroundProcess(const std::string& program, const std::vector<std::string>& arguments,
                                     const ProcessOptions& options)
    : start(std::chrono::steady_clock::now()) {
    child = ForkChild(program, arguments, options, capture / "stdout", capture / "stderr");
}

BackgroundProcess::~BackgroundProcess() { Kill(); }

bool BackgroundProcess::WaitForExit(double seconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!ended && child > 0) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            ended = true;
            exitCode = ExitCodeOf(status);
            end = std::chrono::steady_clock::now();
            break;
        }
        if (std::chrono::steady_clock::now() > until)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return ended;
}

void BackgroundProcess::Kill() {
    if (ended || child <= 0)
        return;
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ended = true;
    exitCode = ExitCodeOf(status);
    end = std::chrono::steady_clock::now();
}

double BackgroundProcess::SecondsRunning() const {
    auto until = ended ? end : std::chrono::steady_clock::now();
    return std::chrono::duration<double>(until - start).count();
}

std::string BackgroundProcess::Out() const { return ReadFileText(capture / "stdout"); }

std::string BackgroundProcess::Err() const { return ReadFileText(capture / "stderr"); }

int StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& stdoutPath) {
    std::vector<char*> argv = ArgumentVector(program, arguments);
    pid_t child = fork();
    if (child == 0) {
        RedirectTo(STDOUT_FILENO, stdoutPath);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return child;
}

ScratchDirectory::ScratchDirectory() {
    std::string pattern = std::string(TempRoot()) + "/zpdemo-e2e-XXXXXX";
    path = mkdtemp(pattern.data()) ? pattern : std::string();
}

ScratchDirectory::~ScratchDirectory() {
    if (!path.empty())
        std::system(("rm -rf '" + path + "'").c_str());
}

std::string ReadFileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteFileText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}
