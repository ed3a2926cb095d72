// The pictures of one grid page: unchanged files come from the thumbnail cache, the others are
// decoded in parallel on all cores and then cached.
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

std::vector<PictureOutcome> LoadPageThumbnails(const std::vector<std::string>& paths,
                                               int32_t cellSize, ThumbnailCache& cache);
