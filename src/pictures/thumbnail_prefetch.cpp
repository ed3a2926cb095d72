#include "pictures/thumbnail_prefetch.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "browser/entry_table.h"
#include "canvas/canvas.h"
#include "pictures/disk_thumbnail_cache.h"
#include "pictures/grid.h"
#include "pictures/page_loader.h"
#include "pictures/texture_loader.h"
#include "platform/platform.h"
#include "shell/menu_state.h"

namespace {

// What a prefetch was made for: the page starting at first, in a folder, cell size and Canvas
// size; a change of any but first makes it stale.
struct PrefetchTarget {
  std::string folder;
  int32_t cellSize{}, canvasWidth{}, canvasHeight{}, first{};

  bool operator==(const PrefetchTarget&) const = default;
  bool SameView(const PrefetchTarget& other) const {
    return folder == other.folder && cellSize == other.cellSize && canvasWidth == other.canvasWidth &&
           canvasHeight == other.canvasHeight;
  }
};

PrefetchTarget ShownTarget() {
  const int64_t next = std::min<int64_t>(FirstThumb + CellsPerPage(), kMaxEntries + 1);
  return {FolderPath, ThumbSize.x, CanvasWidth, CanvasHeight, static_cast<int32_t>(next)};
}

class Prefetch {
 public:
  ~Prefetch() {
    stop_ = true;
    Join();
  }

  bool Has(const PrefetchTarget& target) const { return started_ && target_ == target; }
  bool MadeFor(const PrefetchTarget& target) const { return started_ && target_.SameView(target); }
  bool Running() const { return running_ != 0; }

  void Start(const PrefetchTarget& target, std::vector<ThumbnailKey> keys) {
    Join();
    target_ = target;
    started_ = true;
    stop_ = false;
    keys_ = std::move(keys);
    next_ = 0;
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t threads = std::min(cores, keys_.size());
    running_ = static_cast<int32_t>(threads);
    std::generate_n(std::back_inserter(threads_), threads, [this] { return std::thread([this] { Work(); }); });
  }

  void Stop() {
    stop_ = true;
    started_ = false;
  }

  void MoveFinishedInto(ThumbnailCache& cache) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& [key, picture] : finished_) cache.Store(key, std::move(picture));
    finished_.clear();
  }

  void Join() {
    for (std::thread& thread : threads_) thread.join();
    threads_.clear();
  }

 private:
  void Work() {
    platform::LowerThreadPriority();
    for (size_t i = next_++; i < keys_.size() && !stop_; i = next_++) {
      PictureOutcome outcome;
      LoadThumbnail(keys_[i].path, &keys_[i], keys_[i].cellSize, &outcome);
      if (!outcome.loaded) continue;
      std::lock_guard<std::mutex> lock(mutex_);
      finished_.emplace_back(keys_[i], std::move(outcome.picture));
    }
    running_ -= 1;
  }

  PrefetchTarget target_;
  bool started_ = false;
  std::vector<ThumbnailKey> keys_;
  std::atomic<size_t> next_{};
  std::atomic<bool> stop_{false};
  std::atomic<int32_t> running_{};
  std::vector<std::thread> threads_;
  std::mutex mutex_;
  std::vector<std::pair<ThumbnailKey, CachedPicture>> finished_;
};

Prefetch& NextPage() {
  static Prefetch prefetch;
  return prefetch;
}

// The stamped picture files of entries first to last that cache lacks.
std::vector<ThumbnailKey> MissingPictures(int32_t first, int32_t last, int32_t cellSize,
                                          ThumbnailCache& cache) {
  std::vector<ThumbnailKey> keys;
  platform::ChangeCurrentDir(FolderPath);
  for (int32_t i = first; i <= last; ++i) {
    if (ClassifyPictureName(EntryTable.name[i]).loadable != 1) continue;
    ThumbnailKey key{PicturePathFor(EntryTable.name[i]), 0, 0, cellSize};
    const bool stamped = platform::QueryFileStamp(key.path.c_str(), &key.size, &key.modified);
    if (stamped && cache.Find(key) == nullptr) keys.push_back(std::move(key));
  }
  platform::ChangeCurrentDir(StartDir);
  return keys;
}

}  // namespace

void StartThumbnailPrefetch() {
  Prefetch& prefetch = NextPage();
  if (ViewMode != ViewModeKind::Grid || GridRedraw || prefetch.Running()) return;
  const PrefetchTarget target = ShownTarget();
  if (prefetch.Has(target) || target.first <= FirstThumb || target.first > EntryTable.count) return;
  const int32_t cells = target.first - FirstThumb;
  const int32_t last = std::min<int32_t>({target.first + cells - 1, EntryTable.count, kMaxEntries});
  prefetch.MoveFinishedInto(GridThumbnails());
  prefetch.Start(target, MissingPictures(target.first, last, target.cellSize, GridThumbnails()));
}

void DropStaleThumbnailPrefetch() {
  Prefetch& prefetch = NextPage();
  if (ViewMode != ViewModeKind::Grid || !prefetch.MadeFor(ShownTarget())) prefetch.Stop();
}

void TakePrefetchedThumbnails(ThumbnailCache& cache) {
  NextPage().Stop();
  NextPage().MoveFinishedInto(cache);
}

void WaitForThumbnailPrefetch() { NextPage().Join(); }

void EndThumbnailWork() {
  NextPage().Stop();
  NextPage().Join();
  FlushDiskThumbnails();
}
