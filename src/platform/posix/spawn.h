// Starting programs on POSIX systems: posix_spawn with an argument vector, never a shell.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace posix {

// The words of a parameter string split at space characters; runs of spaces give no empty words.
// Nothing else separates words: tabs, newlines and quotes stay inside them.
std::vector<std::string> SplitAtSpaces(const char* parameters);

// The program to run for a program string: a bare name is searched on PATH when it is started; a
// path that names no executable file is replaced by the program of the same file name installed
// beside the running executable.
std::string ResolveProgram(const char* program);

// Starts program with argv = program, then arguments, in its own process that the caller never
// waits for: exited children are reaped by the system. False when it could not be started.
bool SpawnProgram(const std::string& program, const std::vector<std::string>& arguments);

// platform::StartProgram for POSIX backends: the parameter string split as asked, the program
// resolved and spawned.
void StartProgram(const char* program, const char* parameters, platform::ParameterSplit split);

}  // namespace posix
