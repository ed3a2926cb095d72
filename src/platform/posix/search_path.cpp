#include "platform/posix/search_path.h"

#include <sys/stat.h>
#include <unistd.h>

namespace posix {

bool IsExecutableFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string FindOnSearchPath(const std::string& name, const std::string& searchPath) {
  size_t start = 0;
  while (start < searchPath.size()) {
    size_t end = searchPath.find(':', start);
    if (end == std::string::npos) end = searchPath.size();
    const std::string folder = searchPath.substr(start, end - start);
    if (!folder.empty() && folder[0] == '/' && IsExecutableFile(folder + "/" + name)) return folder + "/" + name;
    start = end + 1;
  }
  return {};
}

}  // namespace posix
