// Current directory, folder search, attributes and file reading through the Win32 ANSI calls.
#include <windows.h>

#include "platform/platform.h"

namespace platform {

struct FolderSearch {
  HANDLE handle;
  WIN32_FIND_DATAA found;
};

struct ReadableFile {
  HANDLE handle;
};

bool ReadCurrentDir(char* buffer, size_t capacity) {
  if (capacity == 0) return false;
  const DWORD limit = capacity > MAXDWORD ? MAXDWORD : static_cast<DWORD>(capacity);
  const DWORD length = GetCurrentDirectoryA(limit, buffer);
  // 0 is a failure; a length of at least the capacity is the size it would have needed.
  if (length == 0 || length >= limit) {
    buffer[0] = '\0';
    return false;
  }
  return true;
}

bool ChangeCurrentDir(const char* path) { return SetCurrentDirectoryA(path) != 0; }

FolderSearch* FindFirstEntry(const char** name) {
  auto* search = new FolderSearch{};
  search->handle = FindFirstFileA("*.*", &search->found);
  if (search->handle == INVALID_HANDLE_VALUE) {
    delete search;
    return nullptr;
  }
  *name = search->found.cFileName;
  return search;
}

bool FindNextEntry(FolderSearch* search, const char** name) {
  if (!FindNextFileA(search->handle, &search->found)) return false;
  *name = search->found.cFileName;
  return true;
}

void CloseEntrySearch(FolderSearch* search) {
  FindClose(search->handle);
  delete search;
}

uint32_t QueryAttributes(const char* name) {
  // INVALID_FILE_ATTRIBUTES is all bits set, the value the core expects for a failed query.
  return GetFileAttributesA(name);
}

ReadableFile* OpenFileForReading(const char* path) {
  HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return new ReadableFile{handle};
}

int64_t SizeOfFile(ReadableFile* file) {
  LARGE_INTEGER size;
  return GetFileSizeEx(file->handle, &size) ? static_cast<int64_t>(size.QuadPart) : -1;
}

size_t ReadFromFile(ReadableFile* file, void* buffer, size_t count) {
  constexpr size_t kChunk = 1u << 30;  // ReadFile takes a 32-bit count
  auto* bytes = static_cast<uint8_t*>(buffer);
  size_t done = 0;
  while (done < count) {
    const DWORD want = static_cast<DWORD>(count - done < kChunk ? count - done : kChunk);
    DWORD got = 0;
    if (!ReadFile(file->handle, bytes + done, want, &got, nullptr) || got == 0) break;
    done += got;
  }
  return done;
}

void CloseReadableFile(ReadableFile* file) {
  CloseHandle(file->handle);
  delete file;
}

bool QueryFileStamp(const char* path, uint64_t* size, int64_t* modifiedNanoseconds) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
  *size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  // FILETIME counts 100 ns from 1601; counted from 1970 the nanoseconds fit in 64 bits.
  constexpr int64_t kTicksFrom1601To1970 = 116444736000000000;
  const int64_t ticks = static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                             data.ftLastWriteTime.dwLowDateTime);
  *modifiedNanoseconds = (ticks - kTicksFrom1601To1970) * 100;
  return true;
}

}  // namespace platform
