// The disk thumbnail cache's folder, made ready for the X11 and headless backends.
#pragma once

#include <cstddef>
#include <string>

namespace posix {

// Creates folder (and missing parents, private to the user) and checks that it can be written;
// copies it into buffer when it fits. False leaves the cache off.
bool PrepareCacheFolder(const std::string& folder, char* buffer, size_t capacity);

}  // namespace posix
