#pragma once

#include <cstddef>

namespace platform {

using CommandPipeHandle = void*;

// Starts a shell command that reads, on its standard input, what is written
// to the pipe; null when it cannot be started.
CommandPipeHandle OpenCommandPipe(const char* command);
// False when the command has stopped reading.
bool WriteCommandPipe(CommandPipeHandle pipe, const void* data, size_t bytes);
// Ends the input and waits for the command. True when it exited with 0.
bool CloseCommandPipe(CommandPipeHandle pipe);

}
