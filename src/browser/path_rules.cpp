#include "browser/path_rules.h"

#include <cstring>

#include "platform/platform.h"

PathConvention BrowseConvention{platform::NativeConventions().separator,
                                platform::NativeConventions().rootLength};

bool AppendFolderName(char* path, size_t capacity, const char* name) {
  const char separator = BrowseConvention.separator;
  size_t kept = strnlen(path, capacity);
  if (kept > 0 && path[kept - 1] == separator) kept -= 1;
  const size_t nameLength = std::strlen(name);
  if (kept + 1 + nameLength + 1 >= capacity) return false;
  path[kept] = separator;
  std::memcpy(path + kept + 1, name, nameLength);
  path[kept + 1 + nameLength] = separator;
  path[kept + 2 + nameLength] = '\0';
  return true;
}

bool TrimToParentFolder(char* path) {
  const auto root = static_cast<size_t>(BrowseConvention.rootLength);
  size_t length = std::strlen(path);
  if (length <= root) return false;
  length -= 1;
  path[length] = '\0';
  // The separator found stays, so the parent ends with one; the root is never cut into.
  while (length > root && path[length - 1] != BrowseConvention.separator) {
    length -= 1;
    path[length] = '\0';
  }
  return true;
}
