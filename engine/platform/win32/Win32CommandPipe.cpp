#include "engine/platform/CommandPipe.h"

#include <cstdio>

namespace platform {

// Binary mode: the text mode would turn every byte 10 into 13 10.
CommandPipeHandle OpenCommandPipe(const char* command) { return _popen(command, "wb"); }

bool WriteCommandPipe(CommandPipeHandle pipe, const void* data, size_t bytes) {
    return std::fwrite(data, 1, bytes, static_cast<FILE*>(pipe)) == bytes;
}

bool CloseCommandPipe(CommandPipeHandle pipe) { return _pclose(static_cast<FILE*>(pipe)) == 0; }

}
