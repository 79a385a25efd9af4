#pragma once

// The portable program entry. The backend's process entry (main on Linux,
// WinMain on Windows) calls it with the text that follows the program name,
// as Windows passes it: the arguments joined by single blanks.
int ProgramMain(const char* commandLine);
