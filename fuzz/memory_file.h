// The fuzz input as a file that lives only in memory (memfd): it is read through its
// /proc/self/fd path like any file, and a killed run leaves nothing behind.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzzinput {

// Replaces the memory file's contents with data; answers its path.
inline const std::string& WriteMemoryFile(const uint8_t* data, size_t size) {
  static const int fd = memfd_create("vm_fuzz_input", MFD_CLOEXEC);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ftruncate(fd, 0) != 0) std::abort();
  for (size_t done = 0; done < size;) {
    const ssize_t wrote = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (wrote <= 0) std::abort();
    done += static_cast<size_t>(wrote);
  }
  return path;
}

}  // namespace fuzzinput
