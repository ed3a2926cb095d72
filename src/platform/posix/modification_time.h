// A file's modification time as nanoseconds since the epoch, the stamp both the thumbnail keys
// and the cache folder's trim go by.
#pragma once

#include <sys/stat.h>

#include <chrono>
#include <cstdint>

namespace posix {

inline int64_t ModifiedNanoseconds(const struct stat& info) {
  return (std::chrono::seconds{info.st_mtim.tv_sec} + std::chrono::nanoseconds{info.st_mtim.tv_nsec}).count();
}

}  // namespace posix
