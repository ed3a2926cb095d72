// The thumbnail grid: the parallel, cached draw leaves byte for byte what drawing one entry after
// the other leaves (which also pins the page geometry); page commands, the S key, the click.
#include "pictures/grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "browser/entry_table.h"
#include "canvas/canvas.h"
#include "canvas/lines.h"
#include "canvas/text.h"
#include "picture_files.h"
#include "pictures/disk_thumbnail_cache.h"
#include "pictures/thumbnail_prefetch.h"
#include "pictures/texture_loader.h"
#include "pictures/thumbnail_cache.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/input.h"
#include "shell/menu_state.h"
#include "shell/virtual_keys.h"

namespace {

using testpictures::Pattern;

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
      const auto w = static_cast<int32_t>(PictureInfo.width), h = static_cast<int32_t>(PictureInfo.height),
                 b = static_cast<int32_t>(PictureInfo.bitsPerPixel / 8);
      const float m = static_cast<float>(std::max(PictureLoader.width, PictureLoader.height));
      const float step = 1.0f / (0.5f / (m / static_cast<float>(t)));
      int32_t k = 0;
      for (float fy = 0.0f; static_cast<float>(h) > fy; fy += step, ++k) {
        int32_t j = 0;
        for (float fx = 0.0f; static_cast<float>(w) > fx; fx += step, ++j) {
          const uint8_t* p = PictureBuffer + (static_cast<int64_t>(fy) * w + static_cast<int64_t>(fx)) * b;
          for (int q = 0; q < 4; ++q) {
            PutPixel(x0 + 2 * j + q % 2, y0 + 2 * k + q / 2, p[0], p[1], p[2]);
            PutPickId(x0 + 2 * j + q % 2, y0 + 2 * k + q / 2, 4000 + static_cast<uint32_t>(i));
          }
        }
      }
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

// Everything a grid draw leaves that the rest of the menu can see.
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
  draw();
  const size_t pixels = static_cast<size_t>(CanvasWidth) * CanvasHeight;
  return {{Canvas, Canvas + pixels * 4}, {Backdrop, Backdrop + pixels * 4}, {PickMap, PickMap + pixels},
          {PictureInfo.type, PictureInfo.width, PictureInfo.height, PictureInfo.bitsPerPixel, PictureInfo.format,
           PictureLoader.loadable, PictureLoader.width, PictureLoader.height, PictureLoader.PanFactor,
           PictureLoader.MenuBarShown, PictureLoaded, GridRedraw, SelectedEntry, FirstThumb}};
}

GridOutcome ExpectSameAsOneByOne(int32_t firstThumb, int32_t panFactor = 0, uint32_t menuBarShown = 0) {
  const GridOutcome reference = DrawFrom(DrawGridOneByOne, firstThumb, panFactor, menuBarShown);
  const GridOutcome drawn = DrawFrom(DrawGrid, firstThumb, panFactor, menuBarShown);
  EXPECT_TRUE(drawn.canvas == reference.canvas && drawn.backdrop == reference.backdrop) << "Canvas/Backdrop";
  EXPECT_TRUE(drawn.pickMap == reference.pickMap) << "PickMap differs";
  EXPECT_EQ(drawn.state, reference.state);
  return drawn;
}

// A grid over real temporary folders on the half-screen Canvas of a 1920 x 1080 screen.
class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    ResetMenuState();
    ClearInputState();
    SetCanvasSize(960, 540);
    ASSERT_TRUE(OpenGlWindow("GAME", 1920, 1080, 32));
    AllocateEntryTable();
    AllocatePictureBuffer();
    PictureInfo = {};
    GridThumbnails().Clear();
    std::snprintf(StartDir, sizeof StartDir, "%s", start_.path().c_str());
    std::snprintf(FolderPath, sizeof FolderPath, "%s", pictures_.path().c_str());
    std::filesystem::current_path(start_.path());
    ViewMode = ViewModeKind::Grid;
  }
  void TearDown() override {
    CloseGlWindow();
    std::filesystem::current_path(previous_);
  }
  void AddBmp(const std::string& name, const testpictures::Picture& picture) const {
    pictures_.Write(name, testpictures::EncodeBmp(picture, {}));
  }

  std::filesystem::path previous_ = std::filesystem::current_path();
  testpictures::TempFolder start_, pictures_;
};

class GridEquivalence : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    for (const auto& [name, w, h] : {std::tuple{"landscape.jpg", 300, 200}, {"portrait.JPG", 200, 300},
                                     {"odd size.jpeg", 333, 77}})
      pictures_.Convert(testpictures::QuadrantArguments(w, h) + " -quality 90", name);
    AddBmp("wide.bmp", Pattern(1000, 500, {{255, 0, 0}, {0, 0, 255}, {9, 9, 9}}));
    AddBmp("small.bmp", Pattern(35, 35, {{0, 255, 0}, {255, 255, 255}}));
    AddBmp("black.bmp", testpictures::Filled(8, 8, {0, 0, 0}));
    pictures_.Write("damaged.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0x00});
    pictures_.Write("notes.txt", {'n'});
    std::filesystem::create_directory(pictures_.PathOf("folder.jpg"));
  }
};

TEST_F(GridEquivalence, FreshAndCachedDrawsMatchTheOneByOneDraw) {
  // Each cell size starts with the cache holding only thumbnails of the other sizes.
  for (const int32_t cell : {140, 60, 200}) {
    SCOPED_TRACE(cell);
    ThumbSize = {cell, cell};
    ExpectSameAsOneByOne(1);
    ASSERT_GT(GridThumbnails().bytes(), 0u);
    ExpectSameAsOneByOne(1);
    ExpectSameAsOneByOne(2, 9, 1);
  }
}

TEST_F(GridEquivalence, CacheFollowsTheFilesStamp) {
  const GridOutcome before = DrawFrom(DrawGrid, 1);
  // Same size and modification time, other pixels: the cache can't tell, so it answers.
  const auto stamp = std::filesystem::last_write_time(pictures_.PathOf("small.bmp"));
  AddBmp("small.bmp", Pattern(35, 35, {{255, 0, 255}, {0, 0, 0}}));
  std::filesystem::last_write_time(pictures_.PathOf("small.bmp"), stamp);
  EXPECT_TRUE(DrawFrom(DrawGrid, 1).canvas == before.canvas);
  std::filesystem::last_write_time(pictures_.PathOf("small.bmp"), stamp + std::chrono::seconds(5));
  EXPECT_FALSE(ExpectSameAsOneByOne(1).canvas == before.canvas) << "the changed file shows its new picture";
}

// The disk cache on: thumbnails of the page are written to a folder of the test's own.
class DiskCache : public GridEquivalence {
 protected:
  void SetUp() override {
    GridEquivalence::SetUp();
    headless::Backend().thumbnailCacheFolder = cache_.PathOf("thumbnails");
  }
  void TearDown() override {
    FlushDiskThumbnails();
    GridEquivalence::TearDown();
  }
  // The entries in the cache folder, each name with its bytes, after queued writes are done.
  std::vector<std::pair<std::string, std::vector<uint8_t>>> Entries() const {
    FlushDiskThumbnails();
    std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
    for (const auto& file : std::filesystem::directory_iterator(cache_.PathOf("thumbnails"))) {
      const std::string name = file.path().filename().string();
      entries.emplace_back(name, cache_.Read("thumbnails/" + name));
    }
    std::sort(entries.begin(), entries.end());
    return entries;
  }
  // Draws from the disk cache alone: the memory cache emptied first.
  GridOutcome DrawFromDisk() {
    GridThumbnails().Clear();
    return ExpectSameAsOneByOne(1);
  }

  testpictures::TempFolder cache_;
};

TEST_F(DiskCache, DamagedEntriesAreDecodedAgainAndDrawnRight) {
  ExpectSameAsOneByOne(1);
  const auto sound = Entries();
  ASSERT_EQ(sound.size(), 6u) << "one entry per picture that decodes";
  using Damage = void (*)(std::vector<uint8_t>&);
  for (const Damage damage : {+[](std::vector<uint8_t>& b) { b.resize(b.size() / 2); },
                              +[](std::vector<uint8_t>& b) { b[b.size() / 2] ^= 0x10; },
                              +[](std::vector<uint8_t>& b) { b.push_back(0); },
                              +[](std::vector<uint8_t>& b) { b[8] += 1; }}) {  // the recorded file size
    for (auto [name, bytes] : sound) {
      damage(bytes);
      cache_.Write("thumbnails/" + name, bytes);
    }
    DrawFromDisk();
    EXPECT_EQ(Entries(), sound) << "each entry written afresh from a new decode";
  }
}

TEST_F(DiskCache, ThumbnailsComeFromDiskUntilTheFileIsRewrittenWithANewTime) {
  const GridOutcome before = ExpectSameAsOneByOne(1);
  // Same size and modification time, other pixels: only the disk entry can give the old picture.
  const auto stamp = std::filesystem::last_write_time(pictures_.PathOf("small.bmp"));
  AddBmp("small.bmp", Pattern(35, 35, {{255, 0, 255}, {0, 0, 0}}));
  std::filesystem::last_write_time(pictures_.PathOf("small.bmp"), stamp);
  FlushDiskThumbnails();
  GridThumbnails().Clear();
  EXPECT_TRUE(DrawFrom(DrawGrid, 1).canvas == before.canvas);
  std::filesystem::last_write_time(pictures_.PathOf("small.bmp"), stamp + std::chrono::seconds(5));
  EXPECT_FALSE(DrawFromDisk().canvas == before.canvas) << "the rewritten file shows its new picture";
}

TEST_F(DiskCache, AFolderThatCantBeWrittenChangesNothingVisible) {
  const GridOutcome uncached = ExpectSameAsOneByOne(1);
  cache_.Write("in the way", {1});
  for (const std::string& folder : {cache_.PathOf("in the way"), cache_.PathOf("in the way/thumbnails")}) {
    headless::Backend().thumbnailCacheFolder = folder;
    EXPECT_TRUE(DrawFromDisk().canvas == uncached.canvas);
    FlushDiskThumbnails();
  }
  EXPECT_EQ(cache_.Read("in the way"), std::vector<uint8_t>{1});
  EXPECT_FALSE(std::filesystem::exists(pictures_.PathOf("thumbnails"))) << "nothing in the browsed folder";
}

TEST_F(GridEquivalence, ThePrefetchedNextPageIsDrawnTheSameFromMemory) {
  ThumbSize = {400, 400};  // two cells a page
  DrawGrid();
  int32_t picture = EntryTable.count;
  while (ClassifyPictureName(EntryTable.name[picture]).loadable != 1 || picture < 3) picture -= 1;
  DrawFrom(DrawGrid, picture - 2);  // the page before the picture's
  const size_t drawn = GridThumbnails().bytes();
  StartThumbnailPrefetch();
  WaitForThumbnailPrefetch();
  TakePrefetchedThumbnails(GridThumbnails());
  EXPECT_GT(GridThumbnails().bytes(), drawn) << "the next page's picture is in memory";
  PageNext();
  ExpectSameAsOneByOne(picture);
}

TEST(ThumbnailCache, DropsTheLeastRecentlyUsedBeyondItsBudget) {
  auto picture = [](size_t bytes) {
    CachedPicture p;
    p.thumbnail.rgb.assign(bytes, 1);
    return p;
  };
  auto key = [](const char* path) { return ThumbnailKey{path, 10, 20, 140}; };
  ThumbnailCache cache(3000);
  cache.Store(key("a"), picture(1000));
  cache.Store(key("b"), picture(1000));
  ASSERT_NE(cache.Find(key("a")), nullptr);  // a becomes the most recent
  cache.Store(key("c"), picture(1000));
  EXPECT_TRUE(cache.Find(key("a")) && !cache.Find(key("b")) && cache.Find(key("c")));
  EXPECT_LE(cache.bytes(), 3000u);
  for (const ThumbnailKey& other : {ThumbnailKey{"a", 10, 21, 140}, {"a", 11, 20, 140}, {"a", 10, 20, 60}})
    EXPECT_EQ(cache.Find(other), nullptr) << "another time, size or cell size";
  cache.Store(key("a"), picture(10));
  EXPECT_EQ(cache.Find(key("a"))->thumbnail.rgb.size(), 10u);
  cache.Store(key("huge"), picture(10000));
  EXPECT_TRUE(cache.Find(key("huge")) && !cache.Find(key("a"))) << "the newest stays even alone over budget";
}

TEST_F(GridTest, PageCommandsMoveByOnePageWithinTheEntries) {
  EntryTable.count = 100;
  FirstThumb = 91;
  PageNext();
  EXPECT_EQ(FirstThumb, 100);
  EXPECT_EQ(GridRedraw, 1u);
  FirstThumb = 5;
  ViewMode = ViewModeKind::List;
  PagePrevious();
  EXPECT_TRUE(FirstThumb == 1 && ViewMode == ViewModeKind::Grid);
  FirstThumb = 20;
  PageNext();
  EXPECT_EQ(FirstThumb, 38);
  EXPECT_EQ(headless::Backend().sleeps, (std::vector<int32_t>{150, 150, 150}));
  // No cell fits: the page stands still and nothing is drawn.
  SetCanvasSize(960, 400);
  ThumbSize = {400, 400};
  FirstThumb = 7;
  PageNext();
  PagePrevious();
  EXPECT_EQ(FirstThumb, 7);
  DrawGrid();
  for (int32_t i = 0; i < CanvasWidth * CanvasHeight; ++i) ASSERT_EQ(Canvas[4 * i], 0);
}

class GridClicks : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    for (int32_t i = 0; i < 30; ++i)
      AddBmp(std::string("p").append(std::to_string(10 + i)).append(".bmp"),
             testpictures::Filled(40, 20, {static_cast<uint8_t>(i), 100, 200}));
  }
  // The Canvas point of the first pixel carrying id, or (-1, -1).
  static std::pair<int32_t, int32_t> FindId(uint32_t id) {
    for (int32_t i = 0; i < CanvasWidth * CanvasHeight; ++i)
      if (PickMap[i] == id) return {i % CanvasWidth, i / CanvasWidth};
    return {-1, -1};
  }
  void PointAtThumbnailOf(int32_t entry, int32_t dy = 1) {
    const auto [x, y] = FindId(4000 + static_cast<uint32_t>(entry));
    ASSERT_GE(x, 0) << "entry " << entry << " has no thumbnail";
    headless::PointAtCanvas(x + 1, y + dy);
  }
  // S in the grid always asks for a redraw and ends the frame's click handling.
  static void PressS() {
    KeyTable[vk::S] = 1;
    EXPECT_TRUE(HandleThumbnailClick());
    EXPECT_EQ(GridRedraw, 1u);
  }
};

TEST_F(GridClicks, SChoosesTheFirstCell) {
  FirstThumb = 20;
  DrawGrid();
  PointAtThumbnailOf(23);  // the picture under the cursor becomes the first cell
  PressS();
  EXPECT_EQ(FirstThumb, 23);
  PutPickId(622, 529, 1200010);  // a label redraws the same page
  headless::PointAtCanvas(622, 529);
  PressS();
  EXPECT_EQ(FirstThumb, 23);
  headless::PointAtCanvas(950, 5);  // nothing: the next draw starts at the first entry
  PressS();
  EXPECT_EQ(FirstThumb, -4000);
  DrawGrid();
  EXPECT_EQ(FirstThumb, 1);
  ViewMode = ViewModeKind::List;  // outside the grid S does nothing
  PointAtThumbnailOf(2);
  KeyTable[vk::S] = 1;
  EXPECT_FALSE(HandleThumbnailClick());
  EXPECT_EQ(FirstThumb, 1);
}

TEST_F(GridClicks, ClickOnAThumbnailOpensItsPictureInTheViewer) {
  DrawGrid();
  // Listing order is the folder's: take two pictures on the page.
  std::vector<int32_t> shown;
  for (int32_t i = 1; i <= 18; ++i)
    if (EntryTable.name[i][0] == 'p') shown.push_back(i);
  ASSERT_GE(shown.size(), 2u);
  const int32_t entry = shown[0];
  PointAtThumbnailOf(entry, 100);  // above the small thumbnail, in its cell
  RightClick = 1;
  EXPECT_FALSE(HandleThumbnailClick());
  EXPECT_TRUE(ViewMode == ViewModeKind::Grid && RightClick == 1u);
  PointAtThumbnailOf(entry);
  PictureLoader.PanFactor = 0;
  ViewOffset = {5, -7};
  EXPECT_FALSE(HandleThumbnailClick());
  EXPECT_TRUE(ViewMode == ViewModeKind::Viewer && ShownPicture == entry && RightClick == 0u);
  EXPECT_TRUE(ViewOffset.x == 0 && ViewOffset.y == 0 && PictureLoader.PanFactor == 3);
  EXPECT_EQ(PictureBuffer[0], std::stoi(EntryTable.name[entry] + 1) - 10) << "the clicked picture is in the buffer";
  // A picture gone since the draw leaves the grid as it was.
  ViewMode = ViewModeKind::Grid;
  RightClick = 1;
  std::filesystem::remove(pictures_.PathOf(EntryTable.name[shown[1]]));
  PointAtThumbnailOf(shown[1]);
  EXPECT_FALSE(HandleThumbnailClick());
  EXPECT_TRUE(ViewMode == ViewModeKind::Grid && RightClick == 1u && PictureLoaded == 0u);
}

// The folder shown is deleted from outside: its names are never read from the start folder.
TEST_F(GridClicks, PicturesAreReadOnlyFromTheFolderShown) {
  DrawGrid();
  int32_t entry = 1;
  while (EntryTable.name[entry][0] != 'p') entry += 1;
  for (const auto& file : std::filesystem::directory_iterator(pictures_.path()))
    std::filesystem::copy_file(file.path(), start_.path() / file.path().filename());
  std::filesystem::remove_all(pictures_.path());
  PointAtThumbnailOf(entry);
  RightClick = 1;
  HandleThumbnailClick();
  EXPECT_TRUE(ViewMode == ViewModeKind::Grid && PictureLoaded == 0u) << "no viewer";
  DrawGrid();
  EXPECT_EQ(EntryTable.name[entry][0], 'p') << "the listing stays";
  for (int32_t i = 0; i < CanvasWidth * CanvasHeight; ++i) ASSERT_FALSE(PickMap[i] >= 4000 && PickMap[i] < 7000) << "a thumbnail at " << i;
}

}  // namespace
