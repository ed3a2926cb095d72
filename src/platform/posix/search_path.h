// Finding an installed program without ever taking one from the current folder.
#pragma once

#include <string>

namespace posix {

bool IsExecutableFile(const std::string& path);

// The first executable file called name in the absolute folders of the colon-separated
// searchPath; empty when there is none. Empty and relative entries, which would name the
// current folder, are passed over.
std::string FindOnSearchPath(const std::string& name, const std::string& searchPath);

}  // namespace posix
