#include "pictures/thumbnail_cache.h"

#include <functional>
#include <utility>

namespace {

constexpr size_t kGridCacheBytes = 48u << 20;

size_t CostOf(const ThumbnailKey& key, const CachedPicture& picture) {
  return picture.thumbnail.rgb.size() + key.path.size() + sizeof(ThumbnailKey) +
         sizeof(CachedPicture);
}

}  // namespace

size_t ThumbnailCache::KeyHash::operator()(const ThumbnailKey& key) const {
  size_t hash = std::hash<std::string>{}(key.path);
  for (const uint64_t part : {key.size, static_cast<uint64_t>(key.modified),
                              static_cast<uint64_t>(key.cellSize)})
    hash = hash * 1000003u ^ std::hash<uint64_t>{}(part);
  return hash;
}

const CachedPicture* ThumbnailCache::Find(const ThumbnailKey& key) {
  const auto found = index_.find(key);
  if (found == index_.end()) return nullptr;
  recency_.splice(recency_.begin(), recency_, found->second);
  return &found->second->second;
}

void ThumbnailCache::Store(const ThumbnailKey& key, CachedPicture picture) {
  const auto found = index_.find(key);
  if (found != index_.end()) {
    bytes_ -= CostOf(found->second->first, found->second->second);
    recency_.erase(found->second);
    index_.erase(found);
  }
  bytes_ += CostOf(key, picture);
  recency_.emplace_front(key, std::move(picture));
  index_.emplace(key, recency_.begin());
  DropOldestBeyondBudget();
}

void ThumbnailCache::Clear() {
  index_.clear();
  recency_.clear();
  bytes_ = 0;
}

void ThumbnailCache::DropOldestBeyondBudget() {
  // The newest entry stays even when it alone exceeds the budget.
  while (bytes_ > budget_ && recency_.size() > 1) {
    const Entry& oldest = recency_.back();
    bytes_ -= CostOf(oldest.first, oldest.second);
    index_.erase(oldest.first);
    recency_.pop_back();
  }
}

ThumbnailCache& GridThumbnails() {
  static ThumbnailCache cache(kGridCacheBytes);
  return cache;
}
