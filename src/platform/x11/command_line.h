// The Linux program's command line: vestramenu [--help | --version | FOLDER].
#pragma once

#include <optional>

// Answers --help and --version, reports a bad option or folder, and otherwise makes FOLDER the
// current directory, so the menu starts as if started there. Returns the exit status when the
// program should end now, nothing when the menu should start.
std::optional<int> ApplyCommandLine(int argc, char** argv);
