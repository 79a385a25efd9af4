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

}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options) {
    ScratchDirectory capture;
    std::string outPath = capture / "stdout", errPath = capture / "stderr";
    std::vector<char*> argv = ArgumentVector(program, arguments);
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
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

    ProcessResult result;
    int status = 0;
    for (;;) {
        if (waitpid(child, &status, WNOHANG) == child)
            break;
        double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (elapsed > options.timeoutSeconds) {
            result.timedOut = true;
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    result.out = ReadFileText(outPath);
    result.err = ReadFileText(errPath);
    return result;
}

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
