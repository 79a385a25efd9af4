#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

// A child process started with its own working directory and environment
// changes, its standard output and error collected into files.
struct ProcessResult {
    int exitCode = -1;
    bool timedOut = false;
    double seconds = 0.0;
    std::string out;
    std::string err;
};

struct ProcessOptions {
    std::string workingDirectory;
    std::map<std::string, std::string> setEnvironment;
    std::vector<std::string> unsetEnvironment;
    double timeoutSeconds = 20.0;
};

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options);

// Starts a process without waiting; returns its pid, or -1.
int StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& stdoutPath);

// A fresh directory under the test temp directory, removed with the object.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const std::string& Path() const { return path; }
    std::string operator/(const std::string& name) const { return path + "/" + name; }

private:
    std::string path;
};

// A child process that runs while the test goes on; killed if it still runs
// when the object goes.
class BackgroundProcess {
public:
    BackgroundProcess(const std::string& program, const std::vector<std::string>& arguments,
                      const ProcessOptions& options);
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    // True when the process has ended, within the given seconds.
    bool WaitForExit(double seconds);
    void Kill();
    int ExitCode() const { return exitCode; }
    double SecondsRunning() const;
    std::string Out() const;
    std::string Err() const;

private:
    ScratchDirectory capture;
    std::chrono::steady_clock::time_point start;
    std::chrono::steady_clock::time_point end;
    int child = -1;
    bool ended = false;
    int exitCode = -1;
};

std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
