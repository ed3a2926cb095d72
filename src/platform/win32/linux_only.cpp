// What only the Linux port adds: waiting instead of computing a frame that would repeat the last,
// background thumbnail work and a disk thumbnail cache. The Windows program runs the loop and the
// decoding as specified, so here each of these is absent.
#include "platform/platform.h"

namespace platform {

bool WaitsWhenIdle() { return false; }
int32_t WaitForMessages() { return 0; }

bool ThumbnailCacheFolder(char*, size_t) { return false; }
bool ReplaceFileAtomically(const char*, const void*, size_t) { return false; }
void TouchFile(const char*) {}
bool RemoveFile(const char*) { return false; }
void ListFolderFiles(const char*, FileVisitor, void*) {}
void LowerThreadPriority() {}

}  // namespace platform
