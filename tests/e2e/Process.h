#pragma once

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
    const std::string& Path() const { return path; }
    std::string operator/(const std::string& name) const { return path + "/" + name; }

private:
    std::string path;
};

std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
