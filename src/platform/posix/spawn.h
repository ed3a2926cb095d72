// Starting programs on POSIX systems: posix_spawn with an argument vector, never a shell.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace posix {

// The words of a parameter string split at space characters; runs of spaces give no empty words.
// Nothing else separates words: tabs, newlines and quotes stay inside them.
std::vector<std::string> SplitAtSpaces(const char* parameters);

// The player: moxa3 in executableFolder, else the first in an absolute folder of searchPath;
// empty when there is none. The current folder is never looked in.
std::string FindPlayerProgram(const std::string& executableFolder, const std::string& searchPath);

// Starts program with argv = program, then arguments, in its own process that the caller never
// waits for: exited children are reaped by the system. False when it could not be started.
bool SpawnProgram(const std::string& program, const std::vector<std::string>& arguments);

// platform::StartProgram for POSIX backends: the parameter string split as asked, the program
// spawned (a bare name is searched on PATH).
void StartProgram(const char* program, const char* parameters, platform::ParameterSplit split);

}  // namespace posix
