// Current directory, folder search, attributes and file reading on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/modification_time.h"

namespace platform {

struct FolderSearch {
  DIR* dir;
};

struct ReadableFile {
  int fd;
};

bool ReadCurrentDir(char* buffer, size_t capacity) {
  if (capacity == 0) return false;
  if (getcwd(buffer, capacity) == nullptr) {
    buffer[0] = '\0';
    return false;
  }
  return true;
}

bool ChangeCurrentDir(const char* path) { return chdir(path) == 0; }

FolderSearch* FindFirstEntry(const char** name) {
  DIR* dir = opendir(".");
  if (dir == nullptr) return nullptr;
  auto* search = new FolderSearch{dir};
  if (!FindNextEntry(search, name)) {
    CloseEntrySearch(search);
    return nullptr;
  }
  return search;
}

bool FindNextEntry(FolderSearch* search, const char** name) {
  const dirent* entry = readdir(search->dir);
  if (entry == nullptr) return false;
  *name = entry->d_name;
  return true;
}

void CloseEntrySearch(FolderSearch* search) {
  closedir(search->dir);
  delete search;
}

uint32_t QueryAttributes(const char* name) {
  struct stat info;
  if (stat(name, &info) != 0) return kAttributesFailed;
  // A folder answers exactly "folder"; anything else the plain-file attribute (archive).
  return S_ISDIR(info.st_mode) ? kAttributeFolderOnly : 0x20u;
}

// Only regular files are read. O_NONBLOCK keeps the open itself from waiting (a FIFO without a
// writer would block for good); anything that is not a regular file is then refused.
ReadableFile* OpenFileForReading(const char* path) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {  // a failed open fails here too
    close(fd);
    return nullptr;
  }
  return new ReadableFile{fd};
}

int64_t SizeOfFile(ReadableFile* file) {
  struct stat info;
  return fstat(file->fd, &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
}

size_t ReadFromFile(ReadableFile* file, void* buffer, size_t count) {
  size_t done = 0;
  auto* bytes = static_cast<uint8_t*>(buffer);
  while (done < count) {
    const ssize_t got = read(file->fd, bytes + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

void CloseReadableFile(ReadableFile* file) {
  close(file->fd);
  delete file;
}

bool QueryFileStamp(const char* path, uint64_t* size, int64_t* modifiedNanoseconds) {
  struct stat info;
  if (stat(path, &info) != 0) return false;
  *size = static_cast<uint64_t>(info.st_size);
  *modifiedNanoseconds = posix::ModifiedNanoseconds(info);
  return true;
}

const Conventions& NativeConventions() {
  static const Conventions kLinux{'/', 1, "xdg-open"};
  return kLinux;
}

}  // namespace platform
