// Finished thumbnails kept between grid draws, keyed by file path, size, modification time and
// cell size, so that an unchanged page redraws without decoding. Least recently used go first.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

#include "pictures/thumbnail.h"

struct ThumbnailKey {
  std::string path;
  uint64_t size = 0;
  int64_t modified = 0;  // nanoseconds
  int32_t cellSize = 0;

  bool operator==(const ThumbnailKey&) const = default;
};

// A decoded picture's size with its thumbnail: all a grid draw needs of a picture.
struct CachedPicture {
  int32_t width = 0;
  int32_t height = 0;
  Thumbnail thumbnail;
};

class ThumbnailCache {
 public:
  explicit ThumbnailCache(size_t budgetBytes) : budget_(budgetBytes) {}

  // The entry for key, now the most recently used; null when absent.
  const CachedPicture* Find(const ThumbnailKey& key);
  void Store(const ThumbnailKey& key, CachedPicture picture);
  void Clear();
  size_t bytes() const { return bytes_; }

 private:
  struct KeyHash {
    size_t operator()(const ThumbnailKey& key) const;
  };
  using Entry = std::pair<ThumbnailKey, CachedPicture>;

  void DropOldestBeyondBudget();

  size_t budget_;
  size_t bytes_ = 0;
  std::list<Entry> recency_;  // most recently used first
  std::unordered_map<ThumbnailKey, std::list<Entry>::iterator, KeyHash> index_;
};

// The grid's cache: a few tens of MB.
ThumbnailCache& GridThumbnails();
