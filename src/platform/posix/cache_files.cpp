// Files of the disk thumbnail cache: atomic replacement, use marks, listing and removal, and the
// low priority of the threads that fill it.
#include "platform/posix/cache_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "platform/posix/modification_time.h"

namespace posix {

bool PrepareCacheFolder(const std::string& folder, char* buffer, size_t capacity) {
  if (folder.empty() || folder[0] != '/' || folder.size() >= capacity) return false;
  for (size_t slash = folder.find('/', 1); ; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (mkdir(part.c_str(), 0700) < 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info{};
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || access(folder.c_str(), W_OK | X_OK) != 0)
    return false;
  std::snprintf(buffer, capacity, "%s", folder.c_str());
  return true;
}

}  // namespace posix

namespace platform {

bool ReplaceFileAtomically(const char* path, const void* data, size_t size) {
  static std::atomic<unsigned> serial{0};
  const std::string temporary =
      std::string(path) + "." + std::to_string(getpid()) + "." + std::to_string(serial++) + ".part";
  const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (file < 0) return false;
  // A write cut short (a full disk, a signal) leaves no entry: the cache loses nothing it needs.
  const bool written = write(file, data, size) == static_cast<ssize_t>(size);
  if (close(file) == 0 && written && rename(temporary.c_str(), path) == 0) return true;
  unlink(temporary.c_str());
  return false;
}

void TouchFile(const char* path) { utimensat(AT_FDCWD, path, nullptr, 0); }

bool RemoveFile(const char* path) { return unlink(path) == 0; }

void ListFolderFiles(const char* folder, FileVisitor visit, void* context) {
  DIR* directory = opendir(folder);
  if (directory == nullptr) return;
  while (const dirent* entry = readdir(directory)) {
    struct stat info{};
    if (fstatat(dirfd(directory), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
      continue;
    visit(context, entry->d_name, static_cast<uint64_t>(info.st_size), posix::ModifiedNanoseconds(info));
  }
  closedir(directory);
}

void LowerThreadPriority() {
  // Background work runs only when no other thread wants the processor.
  const sched_param unused{};
  pthread_setschedparam(pthread_self(), SCHED_IDLE, &unused);
}

}  // namespace platform
