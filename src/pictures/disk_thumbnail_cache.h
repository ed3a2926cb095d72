// Exact thumbnails kept on disk between runs, in the platform's thumbnail cache folder (the Linux
// port's $XDG_CACHE_HOME/vestramenu; Windows has none, so there this finds and keeps nothing).
// One file per thumbnail, keyed like the memory cache by path, size, modification time and cell
// size, written whole under a temporary name and renamed, and checked by length, key and checksum
// when read, so a damaged entry is only ever a miss. Files used least recently go first once the
// folder holds more than its budget.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/thumbnail_cache.h"

// The thumbnail for key when the disk cache holds a sound entry for it; marks the entry used.
bool ReadDiskThumbnail(const ThumbnailKey& key, CachedPicture* picture);
// Queues the thumbnail to be written by a background thread; nothing when there is no cache.
void WriteDiskThumbnailLater(const ThumbnailKey& key, const CachedPicture& picture);
// Waits until queued writes are done (tests, benchmarks and the end of the program).
void FlushDiskThumbnails();

// The entry's file name in the cache folder and its bytes; exposed for tests of damaged entries.
std::string DiskThumbnailName(const ThumbnailKey& key);
std::vector<uint8_t> EncodeDiskThumbnail(const ThumbnailKey& key, const CachedPicture& picture);
bool DecodeDiskThumbnail(const std::vector<uint8_t>& bytes, const ThumbnailKey& key, CachedPicture* picture);
