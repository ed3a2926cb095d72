#include "pictures/page_loader.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "pictures/disk_thumbnail_cache.h"
#include "pictures/texture_loader.h"
#include "pictures/thumbnail_prefetch.h"
#include "platform/platform.h"

namespace {

struct DecodeJob {
  const std::string* path;
  PictureOutcome* outcome;
  const ThumbnailKey* key;  // null when the file could not be stamped
};

void ChooseThumbnailRows(void* context, int32_t width, int32_t height, uint8_t* wanted) {
  const int32_t cellSize = *static_cast<const int32_t*>(context);
  for (const int32_t row : ThumbnailRows(width, height, cellSize)) wanted[row] = 1;
}

void Decode(const DecodeJob& job, int32_t cellSize) {
  if (job.key != nullptr && ReadDiskThumbnail(*job.key, &job.outcome->picture)) {
    PictureOutcome& outcome = *job.outcome;
    outcome = {outcome.picture.width, outcome.picture.height, true, std::move(outcome.picture)};
    return;
  }
  platform::DecodedPicture decoded;
  const platform::RowChoice rows{ChooseThumbnailRows, &cellSize};
  const bool ok = platform::DecodePictureRows(job.path->c_str(), kMaxPicturePixels, rows, &decoded);
  PictureOutcome& outcome = *job.outcome;
  outcome.openedWidth = decoded.width;
  outcome.openedHeight = decoded.height;
  outcome.loaded = ok;
  if (ok) {
    outcome.picture.width = decoded.width;
    outcome.picture.height = decoded.height;
    outcome.picture.thumbnail = SampleThumbnail(decoded.pixels, decoded.width, decoded.height, cellSize);
  }
  platform::ReleaseDecodedPicture(&decoded);
  if (ok && job.key != nullptr) WriteDiskThumbnailLater(*job.key, outcome.picture);
}

void DecodeOnAllCores(const std::vector<DecodeJob>& jobs, int32_t cellSize) {
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < jobs.size(); i = next++) Decode(jobs[i], cellSize);
  };
  const size_t threads =
      std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), jobs.size());
  std::vector<std::thread> helpers;
  for (size_t i = 1; i < threads; ++i) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();
}

}  // namespace

void LoadThumbnail(const std::string& path, const ThumbnailKey* key, int32_t cellSize,
                   PictureOutcome* outcome) {
  Decode({&path, outcome, key}, cellSize);
}

std::vector<PictureOutcome> LoadPageThumbnails(const std::vector<std::string>& paths,
                                               int32_t cellSize, ThumbnailCache& cache) {
  TakePrefetchedThumbnails(cache);
  std::vector<PictureOutcome> outcomes(paths.size());
  std::vector<ThumbnailKey> keys(paths.size());
  std::vector<bool> stamped(paths.size(), false);
  std::vector<DecodeJob> jobs;
  for (size_t i = 0; i < paths.size(); ++i) {
    keys[i].path = paths[i];
    keys[i].cellSize = cellSize;
    stamped[i] = platform::QueryFileStamp(paths[i].c_str(), &keys[i].size, &keys[i].modified);
    const CachedPicture* cached = stamped[i] ? cache.Find(keys[i]) : nullptr;
    if (cached == nullptr) {
      jobs.push_back({&paths[i], &outcomes[i], stamped[i] ? &keys[i] : nullptr});
      continue;
    }
    outcomes[i] = {cached->width, cached->height, true, *cached};
  }
  DecodeOnAllCores(jobs, cellSize);
  for (const DecodeJob& job : jobs) {
    const size_t i = static_cast<size_t>(job.outcome - outcomes.data());
    if (job.outcome->loaded && stamped[i]) cache.Store(keys[i], job.outcome->picture);
  }
  return outcomes;
}
