// The grid and the viewer against plain reference loops. The parallel, cached grid draw leaves
// byte for byte what drawing one entry after the other leaves (which also pins the page geometry).
// The viewer samples the whole picture as the plain loop
// does, wherever it lands; the sample positions are those of the accumulated single-precision loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "browser/entry_table.h"
#include "canvas/canvas.h"
#include "canvas/lines.h"
#include "canvas/text.h"
#include "picture_files.h"
#include "pictures/disk_thumbnail_cache.h"
#include "pictures/grid.h"
#include "pictures/sample_axis.h"
#include "pictures/texture_loader.h"
#include "pictures/thumbnail_cache.h"
#include "pictures/thumbnail_prefetch.h"
#include "pictures/viewer.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/input.h"
#include "shell/menu_state.h"

namespace {

using testpictures::Pattern;

// The plain sampling loop: from (0, 0), the picture in PictureBuffer's pixel at every step in either
// direction, each drawn as a 2 x 2 square from (x0, y0) on, the squares' ids id unless that is 0.
void DrawSamplesPlainly(int32_t x0, int32_t y0, float step, uint32_t id) {
  const auto w = static_cast<int32_t>(PictureInfo.width), h = static_cast<int32_t>(PictureInfo.height),
             b = static_cast<int32_t>(PictureInfo.bitsPerPixel / 8);
  int32_t k = 0;
  for (float fy = 0.0f; static_cast<float>(h) > fy; fy += step, ++k) {
    int32_t j = 0;
    for (float fx = 0.0f; static_cast<float>(w) > fx; fx += step, ++j) {
      const uint8_t* p = PictureBuffer + (static_cast<int64_t>(fy) * w + static_cast<int64_t>(fx)) * b;
      for (int q = 0; q < 4; ++q) {
        PutPixel(x0 + 2 * j + q % 2, y0 + 2 * k + q / 2, p[0], p[1], p[2]);
        if (id != 0) PutPickId(x0 + 2 * j + q % 2, y0 + 2 * k + q / 2, id);
      }
    }
  }
}

// The plain grid: every picture decoded in full through the PictureLoader and sampled from there.
void DrawGridOneByOne() {
  GridRedraw = 0;
  ClearCanvas();
  const int32_t t = ThumbSize.x, columns = (CanvasWidth - 2) / t, rows = (CanvasHeight - 62) / t;
  Relist();
  if (FirstThumb < 1) FirstThumb = 1;
  const int32_t last = std::min({FirstThumb + columns * rows - 1, EntryTable.count, 2999});
  int32_t c = 0, r = 0;
  for (int32_t i = FirstThumb; i <= last; ++i) {
    const int32_t x0 = t * c + 10, y0 = CanvasHeight - 31 - t * (r + 1);
    c = c < columns - 1 ? c + 1 : 0;
    if (c == 0 && r < rows - 1) r += 1;
    platform::ChangeCurrentDir(FolderPath);
    PictureLoader.IsPictureName(EntryTable.name[i], PictureInfo);
    PictureLoaded = 0;
    if (PictureLoader.loadable == 1) {
      PictureLoaded = PictureLoader.LoadPicture(EntryTable.name[i], PictureInfo);
      PictureLoader.PanFactor = 3, PictureLoader.MenuBarShown = 1;
    }
    platform::ChangeCurrentDir(StartDir);
    if (PictureLoaded) {
      const float m = static_cast<float>(std::max(PictureLoader.width, PictureLoader.height));
      DrawSamplesPlainly(x0, y0, 1.0f / (0.5f / (m / static_cast<float>(t))), 4000 + static_cast<uint32_t>(i));
    }
    DrawFrame(x0, y0, x0 + t + 1, y0 + t + 1, 255, 255, 255);
    DrawFrame(x0 + 1, y0 + 1, x0 + t, y0 + t, 255, 255, 255);
    if (t != 60) {
      FormatText("%s", EntryTable.name[i]);
      DrawTextClipped(x0 + 6, y0 + t - 4, 255, 255, 255, x0 + t - 6);
    }
  }
  SaveBackdrop();
  SelectedEntry = FirstThumb;
}

// Everything a grid draw leaves that the rest of the menu can see (cached thumbnails count as loads).
struct GridOutcome {
  std::vector<uint8_t> canvas, backdrop;
  std::vector<uint32_t> pickMap;
  std::vector<int64_t> state;  // the picture record, the loader and the menu state
};

// Puts back what a draw reads or changes, then draws.
GridOutcome DrawFrom(void (*draw)(), int32_t firstThumb, int32_t panFactor = 0, uint32_t menuBarShown = 0) {
  FirstThumb = firstThumb;
  PictureLoader.PanFactor = panFactor, PictureLoader.MenuBarShown = menuBarShown;
  PictureLoader.width = PictureLoader.height = 0;
  PictureInfo = {};
  GridRedraw = 1;
  PictureLoader.loads = 0;
  draw();
  const size_t pixels = static_cast<size_t>(CanvasWidth) * CanvasHeight;
  return {{Canvas, Canvas + pixels * 4}, {Backdrop, Backdrop + pixels * 4}, {PickMap, PickMap + pixels},
          {PictureInfo.type, PictureInfo.width, PictureInfo.height, PictureInfo.bitsPerPixel, PictureInfo.format,
           PictureLoader.loadable, PictureLoader.width, PictureLoader.height, PictureLoader.PanFactor,
           PictureLoader.MenuBarShown, PictureLoader.loads, PictureLoaded, GridRedraw, SelectedEntry, FirstThumb}};
}

GridOutcome ExpectSameAsOneByOne(int32_t firstThumb, int32_t panFactor = 0, uint32_t menuBarShown = 0) {
  const GridOutcome reference = DrawFrom(DrawGridOneByOne, firstThumb, panFactor, menuBarShown);
  const GridOutcome drawn = DrawFrom(DrawGrid, firstThumb, panFactor, menuBarShown);
  EXPECT_TRUE(drawn.canvas == reference.canvas && drawn.backdrop == reference.backdrop) << "Canvas/Backdrop";
  EXPECT_TRUE(drawn.pickMap == reference.pickMap);
  EXPECT_EQ(drawn.state, reference.state);
  return drawn;
}

// A grid over a real temporary folder of pictures of every size and kind, and of other names, on
// the half-screen Canvas of a 1920 x 1080 screen; the disk cache in a folder of the test's own.
class GridEquivalence : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    ResetMenuState();
    SetCanvasSize(960, 540);
    ASSERT_TRUE(OpenGlWindow("GAME", 1920, 1080, 32));
    AllocateEntryTable();
    AllocatePictureBuffer();
    PictureInfo = {};
    GridThumbnails().Clear();
    std::snprintf(StartDir, sizeof StartDir, "%s", start_.text().c_str());
    std::snprintf(FolderPath, sizeof FolderPath, "%s", pictures_.text().c_str());
    fs::current_path(start_.path());
    ViewMode = ViewModeKind::Grid;
    headless::Backend().thumbnailCacheFolder = cache_.PathOf("thumbnails");
    for (const auto& [name, w, h] : {std::tuple{"landscape.jpg", 300, 200}, {"portrait.JPG", 200, 300},
                                     {"odd size.jpeg", 333, 77}})
      ASSERT_TRUE(pictures_.Convert(testpictures::QuadrantArguments(w, h) + " -quality 90", name));
    AddBmp("wide.bmp", Pattern(1000, 500, {{255, 0, 0}, {0, 0, 255}, {9, 9, 9}}));
    AddBmp("small.bmp", Pattern(35, 35, {{0, 255, 0}, {255, 255, 255}}));
    AddBmp("black.bmp", Pattern(8, 8, {{0, 0, 0}}));
    pictures_.Write("damaged.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0x00});
    pictures_.Write("no width.bmp", [] { auto b = testpictures::EncodeBmp(Pattern(2, 5, {{1, 2, 3}})); b[18] = 0; return b; }());
    // In a 200-pixel cell one of its characters starts on the caption's last column.
    pictures_.Write("notes with a name far wider than the widest cell in the grid.txt", {'n'});
    pictures_.AddFolder("folder.jpg");
  }
  void TearDown() override {
    FlushDiskThumbnails();
    CloseGlWindow();
    fs::current_path(previous_);
  }
  void AddBmp(const std::string& name, const testpictures::Picture& picture) const {
    pictures_.Write(name, testpictures::EncodeBmp(picture));
  }
  // The entries in the cache folder, each name with its bytes, after queued writes are done; each
  // readable by its owner alone, as the pictures may be private.
  std::vector<std::pair<std::string, std::vector<uint8_t>>> CacheEntries() const {
    FlushDiskThumbnails();
    std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
    for (const auto& file : fs::directory_iterator(cache_.PathOf("thumbnails"))) {
      entries.emplace_back(file.path().filename(), cache_.Read("thumbnails" / file.path().filename()));
      EXPECT_EQ(file.status().permissions(), fs::perms::owner_read | fs::perms::owner_write) << file.path();
    }
    std::sort(entries.begin(), entries.end());
    return entries;
  }

  fs::path previous_ = fs::current_path();
  TempFolder start_, pictures_, cache_;
};

TEST_F(GridEquivalence, FreshAndCachedDrawsMatchTheOneByOneDraw) {
  // Each cell size starts with the caches holding only thumbnails of the other sizes; the first
  // size is drawn once more with a cache folder that can't be made (a file is in its way).
  cache_.Write("in the way", {1});
  for (const int32_t cell : {140, 60, 200, 140}) {
    SCOPED_TRACE(cell);
    ThumbSize = {cell, cell};
    ExpectSameAsOneByOne(1);
    ExpectSameAsOneByOne(1);
    ExpectSameAsOneByOne(2, 9, 1);
    if (cell == 200) GridThumbnails().Clear(), headless::Backend().thumbnailCacheFolder = cache_.PathOf("in the way/x");
  }
  EXPECT_EQ(cache_.Read("in the way"), std::vector<uint8_t>{1});
  headless::Backend().thumbnailCacheFolder = "relative", ExpectSameAsOneByOne(1);  // names no fixed place
  for (const fs::path& made : {pictures_.path() / "thumbnails", pictures_.path() / "relative", start_.path() / "relative"})
    EXPECT_FALSE(fs::exists(made)) << made;
}

TEST_F(GridEquivalence, ThumbnailsAreKeptUntilTheFileIsRewrittenWithANewTime) {
  const GridOutcome before = ExpectSameAsOneByOne(1);
  // Same size and modification time, other pixels: only a kept thumbnail can give the old picture.
  const auto stamp = fs::last_write_time(pictures_.PathOf("small.bmp"));
  AddBmp("small.bmp", Pattern(35, 35, {{255, 0, 255}, {0, 0, 0}}));
  fs::last_write_time(pictures_.PathOf("small.bmp"), stamp);
  EXPECT_TRUE(DrawFrom(DrawGrid, 1).canvas == before.canvas) << "from memory";
  FlushDiskThumbnails();
  GridThumbnails().Clear();
  EXPECT_TRUE(DrawFrom(DrawGrid, 1).canvas == before.canvas) << "from disk";
  fs::last_write_time(pictures_.PathOf("small.bmp"), stamp + std::chrono::seconds(5));
  EXPECT_FALSE(ExpectSameAsOneByOne(1).canvas == before.canvas) << "the rewritten file shows its new picture";
  GridThumbnails().Clear();
  ExpectSameAsOneByOne(1);
}

TEST_F(GridEquivalence, DamagedCacheEntriesAreDecodedAgainAndDrawnRight) {
  ExpectSameAsOneByOne(1);
  const auto sound = CacheEntries();
  ASSERT_EQ(sound.size(), 6u) << "one entry per picture that decodes";
  using Damage = void (*)(std::vector<uint8_t>&);
  for (const Damage damage : {+[](std::vector<uint8_t>& b) { b.resize(b.size() / 2); },
                              +[](std::vector<uint8_t>& b) { b[b.size() / 2] ^= 0x10; },
                              +[](std::vector<uint8_t>& b) { b.push_back(0); },
                              +[](std::vector<uint8_t>& b) { b[0] ^= 1; },  // the magic
                              +[](std::vector<uint8_t>& b) { b[8] += 1; }}) {  // the recorded file size
    for (auto [name, bytes] : sound) damage(bytes), cache_.Write(std::string("thumbnails/") + name, bytes);
    GridThumbnails().Clear();
    ExpectSameAsOneByOne(1);
    EXPECT_EQ(CacheEntries(), sound) << "each entry written afresh from a new decode";
  }
}

// Over its 256 MB the folder is cut to 192 MB, least recently used first; new entries stay.
TEST_F(GridEquivalence, AFullCacheFolderIsTrimmed) {
  cache_.AddFolder("thumbnails");
  // 60 MB each, sparse: two must go to get under 192 MB, and a third would leave 120 MB.
  for (const auto& [name, age] : {std::pair{"a", 50}, {"b", 40}, {"c", 30}, {"d", 20}, {"e", 10}}) {
    const std::string path = cache_.PathOf(std::string("thumbnails/").append(name));
    cache_.Write(std::string("thumbnails/").append(name), {});
    fs::resize_file(path, 60 << 20);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);  // as the menu writes them
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(age));
  }
  ExpectSameAsOneByOne(1);
  const auto entries = CacheEntries();
  ASSERT_EQ(entries.size(), 9u);
  for (const char* name : {"c", "d", "e"}) EXPECT_TRUE(fs::exists(cache_.PathOf("thumbnails/") + name)) << name;
}

TEST_F(GridEquivalence, ThePrefetchedNextPageIsDrawnTheSameFromMemory) {
  headless::Backend().thumbnailCacheFolder = "";
  ThumbSize = {400, 400};  // two cells a page
  DrawGrid();
  // The next page starts at the first picture that decodes; more follow it.
  const std::set<std::string> decoding{"landscape.jpg", "portrait.JPG", "odd size.jpeg", "wide.bmp", "small.bmp",
                                       "black.bmp"};
  int32_t next = 3;
  while (!decoding.contains(EntryTable.name[next])) next += 1;
  // What the cache holds after drawing the page before it, and after drawing both.
  GridThumbnails().Clear();
  DrawFrom(DrawGrid, next);
  DrawFrom(DrawGrid, next - 2);
  const size_t bothPages = GridThumbnails().bytes();
  GridThumbnails().Clear();
  DrawFrom(DrawGrid, next - 2);
  const size_t drawn = GridThumbnails().bytes();
  ASSERT_GT(bothPages, drawn);
  // Nothing is fetched outside the grid or before its draw; then the next page is, and no more.
  using enum ViewModeKind;
  for (const auto& [mode, redraw] : {std::pair{List, 0u}, {Grid, 1u}, {Grid, 0u}}) {
    ViewMode = mode, GridRedraw = redraw;
    StartThumbnailPrefetch();
    WaitForThumbnailPrefetch();
    TakePrefetchedThumbnails(GridThumbnails());
    EXPECT_EQ(GridThumbnails().bytes(), redraw == 0 && mode == Grid ? bothPages : drawn);
  }
  PageNext();
  ExpectSameAsOneByOne(next);
}

// Every position gets a colour no other position shares, never black.
void PutTestPicture(int32_t w, int32_t h, int32_t bytesPerPixel = 4) {
  for (int32_t i = 0; i < w * h; ++i) {
    const int32_t x = i % w, y = i / w;
    const uint8_t rgba[] = {uint8_t(x % 251 + 1), uint8_t(y % 251 + 1), uint8_t(x / 251 + 3 * (y / 251)), 255};
    std::memcpy(PictureBuffer + bytesPerPixel * i, rgba, 4);
  }
  PictureInfo.width = static_cast<uint32_t>(w), PictureInfo.height = static_cast<uint32_t>(h);
  PictureInfo.bitsPerPixel = static_cast<uint32_t>(8 * bytesPerPixel);
}

std::vector<uint8_t> CanvasBytes() { return {Canvas, Canvas + 4 * CanvasWidth * CanvasHeight}; }

// The plain loop drawing from origin (x0, y0): every sample, each doubled pixel clipped alone.
std::vector<uint8_t> PlainViewerCanvas(int32_t x0, int32_t y0) {
  ClearCanvas();
  DrawSamplesPlainly(x0, y0, PictureLoader.ViewerStep, 0);
  return CanvasBytes();
}

TEST(Viewer, PlacesAndSamplesThePictureAsThePlainLoop) {
  headless::Reset();
  ResetMenuState();
  AllocatePictureBuffer();
  // The picture's bottom-left corner lands at (x0, y0): the cursor minus half the drawn size, or
  // with a PanFactor k the Canvas centre plus k times the cursor's distance from it, truncated.
  // A picture of no size draws a black Canvas.
  const struct {
    int32_t canvasW, canvasH, scale, w, h;
    float step;
    int32_t pan, cursorX, cursorY, x0, y0;
  } cases[] = {
      {960, 540, 2, 400, 300, 4.0f, 0, 480, 270, 380, 195},  // half size, centred on the cursor
      {960, 540, 2, 400, 300, 2.0f, 3, 490, 270, 310, 120},  // three times as far as the cursor
      {1280, 960, 1, 100, 100, 0.25f, 0, 640, 480, 240, 80},  // every source pixel an 8 x 8 square
      // Mostly or wholly off the Canvas.
      {960, 540, 2, 401, 299, 3.0f, 3, 10, 500, -1063, 860},
      {960, 540, 2, 777, 555, 0.5f, 4, 0, 0, -2994, -1920},
      {960, 540, 2, 123, 457, 0.3f, 0, 333, 17, -76, -1506},  // -76.99998 truncates toward zero
      {960, 540, 2, 31, 17, 1.0f, 0, 955, 3, 924, -14},
      {960, 540, 2, 999, 1, 0.5f, 0, 470, 270, -1528, 268},
      {960, 540, 2, 0, 0, 1.0f, 0, 470, 270, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " step " << c.step << " pan " << c.pan << " at "
                                    << c.cursorX << "," << c.cursorY);
    CloseGlWindow();
    SetCanvasSize(c.canvasW, c.canvasH);
    PixelScale = c.scale;
    ASSERT_TRUE(OpenGlWindow("GAME", c.canvasW * c.scale, c.canvasH * c.scale, 32));
    PutTestPicture(c.w, c.h);
    PictureLoader.ViewerStep = c.step;
    PictureLoader.PanFactor = c.pan;
    headless::PointAtCanvas(c.cursorX, c.cursorY);
    ASSERT_EQ(std::pair(CursorToCanvasX(), CursorToCanvasY()), std::pair(c.cursorX, c.cursorY));
    std::memset(Canvas, 0x5A, CanvasBytes().size());  // whatever the last frame left
    DrawViewer();
    const std::vector<uint8_t> drawn = CanvasBytes();
    EXPECT_TRUE(std::vector<uint8_t>(Backdrop, Backdrop + drawn.size()) == drawn) << "backdrop saved";
    for (int32_t i = 0; i < CanvasWidth * CanvasHeight; ++i) ASSERT_EQ(PickMap[i], 0u) << "no ids";
    EXPECT_TRUE(drawn == PlainViewerCanvas(c.x0, c.y0));
  }
  // Three bytes a pixel are sampled as the loop samples them; fewer than three draw nothing.
  headless::PointAtCanvas(480, 270);
  PictureLoader.ViewerStep = 2.0f, PictureLoader.PanFactor = 0;
  for (const int32_t bytesPerPixel : {3, 2}) {
    PutTestPicture(31, 17, bytesPerPixel);
    DrawViewer();
    const std::vector<uint8_t> drawn = CanvasBytes();
    ClearCanvas();
    EXPECT_TRUE(drawn == (bytesPerPixel == 3 ? PlainViewerCanvas(464, 261) : CanvasBytes())) << bytesPerPixel;
  }
  CloseGlWindow();
}

// The loop as written (fx from 0 by step while extent > fx), sample by sample; it stops where fx
// stops moving, where the loop as written never would.
void ExpectSameAsAccumulated(int32_t extent, float step) {
  const SampleAxis axis(extent, step);
  int64_t n = 0;
  for (float fx = 0.0f; static_cast<float>(extent) > fx; ++n) {
    ASSERT_LT(n, axis.count()) << extent << " / " << step;
    ASSERT_EQ(axis.SourceOf(n), static_cast<int32_t>(fx)) << extent << " / " << step << " @" << n;
    if (!(fx + step > fx)) {
      ++n;
      break;
    }
    fx += step;
  }
  EXPECT_EQ(axis.count(), n) << extent << " / " << step;
}

TEST(SampleAxis, MatchesTheAccumulatedLoop) {
  for (const float step : {0.25f, 1.0f, 3.0f, 0.3f, 1.7f, 1.0f / (0.5f / (1000.0f / 140.0f))})
    for (const int32_t extent : {1, 2, 35, 999, 1000, 65537}) ExpectSameAsAccumulated(extent, step);
  // Beyond the exact range every addition rounds (0.25 is exact up to 2^22, 3.0 up to 2^24); at
  // 2^22 adding 0.25 rounds back to the same float, where the plain loop would never end.
  for (const auto& [extent, step] : {std::pair{4194304 + 1000, 0.25f}, {16777216 + 5000, 3.0f}, {9000000, 0.25f}})
    ExpectSameAsAccumulated(extent, step);
  for (const auto& [extent, step] : {std::pair{0, 1.0f}, {0, 1.0f / 0.0f}, {-5, 1.0f}, {10, 0.0f}, {10, -1.0f}})
    EXPECT_EQ(SampleAxis(extent, step).count(), 0) << extent << " / " << step;
  const SampleAxis infinite(10, 1.0f / 0.0f);
  EXPECT_TRUE(infinite.count() == 1 && infinite.SourceOf(0) == 0);
  // Above 2^24 a float extent rounds up, so a position could reach the extent itself.
  const SampleAxis axis(16777219, 1.0f);
  for (int64_t n = axis.count() - 8; n < axis.count(); ++n) EXPECT_LT(axis.SourceOf(n), 16777219);
}

}  // namespace
