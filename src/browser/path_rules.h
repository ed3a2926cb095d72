// The path rules of walking into and out of folders, for either path convention: Windows ("\",
// root "C:\") or POSIX ("/", root "/"). Pure functions over a caller's buffer.
#pragma once

#include <cstddef>
#include <cstdint>

struct PathConvention {
  char separator;      // '\\' or '/'
  int32_t rootLength;  // leading characters that leaving a folder never removes: 3 or 1
};

// The convention the browser walks by; starts as the platform's own, tests may switch it.
extern PathConvention BrowseConvention;

// path with one trailing separator dropped, then separator, name and separator appended
// ("C:\Media" + "Films" gives "C:\Media\Films\"). False, path unchanged, when the result would
// not fit capacity bytes with its terminating zero.
bool AppendFolderName(char* path, size_t capacity, const char* name);

// The parent of path: its last character dropped, then everything after the last separator that
// lies beyond the root ("C:\Media\Films\" and "C:\Media\Films" give "C:\Media\"). False, path
// unchanged, when path is no longer than the root, which has no parent.
bool TrimToParentFolder(char* path);
