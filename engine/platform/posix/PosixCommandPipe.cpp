#include "engine/platform/CommandPipe.h"

#include <csignal>
#include <cstdio>
#include <sys/wait.h>

namespace platform {

CommandPipeHandle OpenCommandPipe(const char* command) {
    // A command that ends early must make a write fail, not end this process.
    std::signal(SIGPIPE, SIG_IGN);
    return popen(command, "w");
}

bool WriteCommandPipe(CommandPipeHandle pipe, const void* data, size_t bytes) {
    return std::fwrite(data, 1, bytes, static_cast<FILE*>(pipe)) == bytes;
}

bool CloseCommandPipe(CommandPipeHandle pipe) {
    const int status = pclose(static_cast<FILE*>(pipe));
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}
