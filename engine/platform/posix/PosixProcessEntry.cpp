#include "engine/platform/ProcessEntry.h"

#include "engine/platform/LargePageHeap.h"

#include <string>

// The arguments after the program name, joined by single blanks: the command
// line as Windows hands it to WinMain.
int main(int argc, char** argv) {
    platform::PrepareLargePageHeap();
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    return ProgramMain(commandLine.c_str());
}
