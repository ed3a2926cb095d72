// Pictures: a grid page of 18 twelve-megapixel JPEGs drawn first (decoded in parallel) and again
// (from the thumbnail cache), against full single-threaded decodes; a page turn to a prefetched
// page and a page drawn from the disk cache, each against the same page's cold draw; a viewer
// frame of a huge picture at step 0.25 against a small one.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <turbojpeg.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "alternating_timer.h"
#include "browser/entry_table.h"
#include "canvas/canvas.h"
#include "pictures/disk_thumbnail_cache.h"
#include "pictures/grid.h"
#include "pictures/texture_loader.h"
#include "pictures/thumbnail_cache.h"
#include "pictures/thumbnail_prefetch.h"
#include "pictures/viewer.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/menu_state.h"

namespace {

constexpr int32_t kPageJpegs = 18;
constexpr int32_t kJpegWidth = 4000;
constexpr int32_t kJpegHeight = 3000;

// A photo-like picture: smooth gradients under fine noise, so the JPEG has real detail to decode.
std::vector<uint8_t> PhotoLikeJpeg(uint32_t seed) {
  std::vector<uint8_t> rgb(static_cast<size_t>(kJpegWidth) * kJpegHeight * 3);
  uint32_t noise = seed * 2654435761u + 1;
  for (int32_t y = 0; y < kJpegHeight; ++y) {
    for (int32_t x = 0; x < kJpegWidth; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = static_cast<int>(noise >> 27);
      uint8_t* p = &rgb[3 * (static_cast<size_t>(y) * kJpegWidth + x)];
      p[0] = static_cast<uint8_t>((x * 255 / kJpegWidth + grain + seed * 13) & 0xFF);
      p[1] = static_cast<uint8_t>((y * 255 / kJpegHeight + grain) & 0xFF);
      p[2] = static_cast<uint8_t>(((x + y) * 127 / kJpegHeight + grain) & 0xFF);
    }
  }
  tjhandle encoder = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  tjCompress2(encoder, rgb.data(), kJpegWidth, 0, kJpegHeight, TJPF_RGB, &jpeg, &size, TJSAMP_420,
              90, 0);
  std::vector<uint8_t> bytes(jpeg, jpeg + size);
  tjFree(jpeg);
  tjDestroy(encoder);
  return bytes;
}

// The folder of the page, written once per run and removed at exit.
class PageFolder {
 public:
  PageFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vm_bench_page_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
    for (int32_t i = 0; i < kPageJpegs; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "photo%02d.jpg", i);
      const std::vector<uint8_t> bytes = PhotoLikeJpeg(static_cast<uint32_t>(i));
      std::ofstream(path_ + "/" + name, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      files_.push_back(path_ + "/" + name);
    }
  }
  ~PageFolder() { std::filesystem::remove_all(path_); }

  const std::string& path() const { return path_; }
  const std::vector<std::string>& files() const { return files_; }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

const PageFolder& Page() {
  static const PageFolder folder;
  return folder;
}

// The 1280 x 960 geometry with 200-pixel cells: one page of 24 cells holds the folder's 18 JPEGs
// together with "." and "..".
void PrepareGrid() {
  headless::Reset();
  ResetMenuState();
  SetCanvasSize(1280, 960);
  CloseGlWindow();
  OpenGlWindow("GAME", 1280, 960, 32);
  PixelScale = 1;
  ThumbSize = {200, 200};
  AllocateEntryTable();
  AllocatePictureBuffer();
  platform::ReadCurrentDir(StartDir, kStartPathLimit);
  std::snprintf(FolderPath, sizeof FolderPath, "%s", Page().path().c_str());
  ViewMode = ViewModeKind::Grid;
}

void FirstDraw() {
  GridThumbnails().Clear();
  FirstThumb = 1;
  DrawGrid();
}

void Redraw() {
  FirstThumb = 1;
  DrawGrid();
}

void SingleThreadedFullDecodes() {
  for (const std::string& file : Page().files()) {
    platform::DecodedPicture decoded;
    platform::DecodePictureFile(file.c_str(), kMaxPicturePixels, &decoded);
    benchmark::DoNotOptimize(decoded.pixels);
    platform::ReleaseDecodedPicture(&decoded);
  }
}

void BM_GridFirstDrawOverFullDecodes(benchmark::State& state) {
  PrepareGrid();
  state.counters["first_draw_over_decodes"] = TimeAgainst(state, FirstDraw, SingleThreadedFullDecodes);
}
BENCHMARK(BM_GridFirstDrawOverFullDecodes)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GridRedrawOverFirstDraw(benchmark::State& state) {
  PrepareGrid();
  FirstDraw();
  state.counters["redraw_over_first_draw"] = TimeAgainst(state, Redraw, FirstDraw);
}
BENCHMARK(BM_GridRedrawOverFirstDraw)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- Prefetch and disk cache -----------------------------------------------------------------

// Seconds of after() over seconds of reference(), each run after its own untimed setup, alternately.
double TimeAfterSetups(benchmark::State& state, void (*setUp)(), void (*timed)(), void (*setUpReference)(),
                       void (*reference)()) {
  double timedSeconds = 0, referenceSeconds = 0;
  for (auto _ : state) {
    setUp();
    const double seconds = SecondsOf(timed);
    setUpReference();
    referenceSeconds += SecondsOf(reference);
    timedSeconds += seconds;
    state.SetIterationTime(seconds);
  }
  return timedSeconds / referenceSeconds;
}

// Two pages of the half-screen grid (18 cells of 140): every photo twice, as hard links under two
// names, so the second page holds as many twelve-megapixel JPEGs as the first.
const std::string& TwoPageFolder() {
  static const std::string path = [] {
    const std::string folder = Page().path() + "/two pages";
    std::filesystem::create_directory(folder);
    for (const std::string& file : Page().files()) {
      const std::string name = std::filesystem::path(file).filename().string();
      for (const char* prefix : {"a_", "b_"}) std::filesystem::create_hard_link(file, folder + "/" + prefix + name);
    }
    return folder;
  }();
  return path;
}

void PrepareTwoPages() {
  PrepareGrid();
  SetCanvasSize(960, 540);
  ThumbSize = {140, 140};
  std::snprintf(FolderPath, sizeof FolderPath, "%s", TwoPageFolder().c_str());
}

// The first page drawn and left alone long enough for the next one to be prefetched.
void DrawFirstPageAndIdle() {
  GridThumbnails().Clear();
  FirstThumb = 1;
  DrawGrid();
  StartThumbnailPrefetch();
  WaitForThumbnailPrefetch();
}

void EmptyMemoryCache() { GridThumbnails().Clear(); }

void TurnPage() {
  FirstThumb = 1;
  PageNext();
  DrawGrid();
}

void BM_PrefetchedPageTurnOverColdDraw(benchmark::State& state) {
  PrepareTwoPages();
  state.counters["prefetched_turn_over_cold"] =
      TimeAfterSetups(state, DrawFirstPageAndIdle, TurnPage, EmptyMemoryCache, TurnPage);
}
BENCHMARK(BM_PrefetchedPageTurnOverColdDraw)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

const std::string& DiskCacheFolder() {
  static const std::string path = Page().path() + "/disk cache";
  return path;
}

void DiskCacheOn() { headless::Backend().thumbnailCacheFolder = DiskCacheFolder(); }

void DiskCacheOffAndMemoryEmpty() {
  headless::Backend().thumbnailCacheFolder.clear();
  GridThumbnails().Clear();
}

void DiskCacheOnAndMemoryEmpty() {
  DiskCacheOn();
  GridThumbnails().Clear();
}

void BM_DiskCachedPageOverColdDraw(benchmark::State& state) {
  PrepareGrid();
  DiskCacheOn();
  FirstDraw();  // fills the disk cache
  FlushDiskThumbnails();
  state.counters["disk_cached_over_cold"] =
      TimeAfterSetups(state, DiskCacheOnAndMemoryEmpty, Redraw, DiskCacheOffAndMemoryEmpty, Redraw);
  headless::Backend().thumbnailCacheFolder.clear();
}
BENCHMARK(BM_DiskCachedPageOverColdDraw)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- Viewer ----------------------------------------------------------------------------------

void FillPicture(int32_t w, int32_t h) {
  for (int64_t i = 0; i < int64_t{w} * h; ++i) {
    PictureBuffer[4 * i] = static_cast<uint8_t>(i);
    PictureBuffer[4 * i + 1] = static_cast<uint8_t>(i >> 8);
    PictureBuffer[4 * i + 2] = static_cast<uint8_t>(i >> 16);
    PictureBuffer[4 * i + 3] = 255;
  }
}

void ShowPicture(int32_t w, int32_t h) {
  PictureInfo.width = static_cast<uint32_t>(w);
  PictureInfo.height = static_cast<uint32_t>(h);
  PictureInfo.bitsPerPixel = 32;
}

void HugeViewerFrame() {
  ShowPicture(8000, 6000);
  DrawViewer();
}

void SmallViewerFrame() {
  ShowPicture(100, 100);
  DrawViewer();
}

void PrepareViewer() {
  PrepareGrid();
  FillPicture(8000, 6000);  // the small picture is the first 100 x 100 pixels of the same buffer
  PictureLoader.ViewerStep = 0.25f;
  PictureLoader.PanFactor = 3;
  headless::PointAtCanvas(600, 500);
}

void BM_ViewerHugeOverSmallPicture(benchmark::State& state) {
  PrepareViewer();
  state.counters["huge_over_small"] = TimeAgainst(state, HugeViewerFrame, SmallViewerFrame);
}
BENCHMARK(BM_ViewerHugeOverSmallPicture)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
