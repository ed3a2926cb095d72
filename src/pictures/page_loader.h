// The pictures of one grid page: unchanged files come from the thumbnail cache, the others are
// decoded in parallel on all cores and then cached. A prefetch's finished thumbnails are taken in
// first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/thumbnail_cache.h"

struct PictureOutcome {
  // The size the file announced as a picture; 0 x 0 when it never opened as one.
  int32_t openedWidth = 0;
  int32_t openedHeight = 0;
  bool loaded = false;
  CachedPicture picture;  // when loaded
};

// One picture's thumbnail: from the disk cache when key is given and found there, else decoded
// (and then written to the disk cache off this thread). Safe on several threads at once.
void LoadThumbnail(const std::string& path, const ThumbnailKey* key, int32_t cellSize,
                   PictureOutcome* outcome);

std::vector<PictureOutcome> LoadPageThumbnails(const std::vector<std::string>& paths,
                                               int32_t cellSize, ThumbnailCache& cache);
