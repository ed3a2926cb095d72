// Where the disk thumbnail cache lives: $XDG_CACHE_HOME/vestramenu, else ~/.cache/vestramenu.
// VESTRAMENU_NO_DISK_CACHE set to anything but empty turns it off.
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "platform/posix/cache_files.h"

namespace platform {

bool ThumbnailCacheFolder(char* buffer, size_t capacity) {
  const char* off = std::getenv("VESTRAMENU_NO_DISK_CACHE");
  if (off != nullptr && off[0] != '\0') return false;
  const char* cacheHome = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  std::string base;
  if (cacheHome != nullptr && cacheHome[0] == '/')
    base = cacheHome;
  else if (home != nullptr && home[0] == '/')
    base = std::string(home) + "/.cache";
  else
    return false;
  return posix::PrepareCacheFolder(base + "/vestramenu", buffer, capacity);
}

}  // namespace platform
