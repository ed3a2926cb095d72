// The thumbnail grid. The parallel, cached draw must leave exactly what drawing one entry after
// the other leaves: Canvas, Backdrop and PickMap byte for byte, and the picture record and menu
// state. Also the page geometry, the page commands, the S key and the click that opens the viewer.
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
#include "pictures/texture_loader.h"
#include "pictures/thumbnail_cache.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/input.h"
#include "shell/menu_state.h"
#include "shell/virtual_keys.h"

namespace {

using testpictures::Pattern;

// The plain grid: every picture decoded in full through the PictureLoader into the PictureBuffer
// and sampled from there.
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
    if (c < columns - 1) {
      c += 1;
    } else {
      c = 0;
      if (r < rows - 1) r += 1;
    }
    char name[260];
    std::snprintf(name, sizeof name, "%s", EntryTable.name[i]);
    platform::ChangeCurrentDir(FolderPath);
    PictureLoader.IsPictureName(name, PictureInfo);
    PictureLoaded = 0;
    if (PictureLoader.loadable == 1) {
      PictureLoaded = PictureLoader.LoadPicture(name, PictureInfo);
      PictureLoader.PanFactor = 3;
      PictureLoader.MenuBarShown = 1;
    }
    platform::ChangeCurrentDir(StartDir);
    if (PictureLoaded) {
      const int32_t w = static_cast<int32_t>(PictureInfo.width), h = static_cast<int32_t>(PictureInfo.height);
      const int32_t b = static_cast<int32_t>(PictureInfo.bitsPerPixel / 8);
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

GridOutcome CaptureGridOutcome() {
  const size_t pixels = static_cast<size_t>(CanvasWidth) * CanvasHeight;
  return {{Canvas, Canvas + pixels * 4}, {Backdrop, Backdrop + pixels * 4}, {PickMap, PickMap + pixels},
          {PictureInfo.type, PictureInfo.width, PictureInfo.height, PictureInfo.bitsPerPixel, PictureInfo.format,
           PictureLoader.loadable, PictureLoader.width, PictureLoader.height, PictureLoader.PanFactor,
           PictureLoader.MenuBarShown, PictureLoaded, GridRedraw, SelectedEntry, FirstThumb}};
}

// Puts back what a draw reads or changes, then draws.
GridOutcome DrawFrom(void (*draw)(), int32_t firstThumb, int32_t panFactor = 0, uint32_t menuBarShown = 0) {
  FirstThumb = firstThumb;
  PictureLoader.PanFactor = panFactor;
  PictureLoader.MenuBarShown = menuBarShown;
  PictureLoader.width = PictureLoader.height = 0;
  PictureInfo = {};
  GridRedraw = 1;
  draw();
  return CaptureGridOutcome();
}

GridOutcome ExpectSameAsOneByOne(int32_t firstThumb, int32_t panFactor = 0, uint32_t menuBarShown = 0) {
  const GridOutcome reference = DrawFrom(DrawGridOneByOne, firstThumb, panFactor, menuBarShown);
  const GridOutcome drawn = DrawFrom(DrawGrid, firstThumb, panFactor, menuBarShown);
  EXPECT_TRUE(drawn.canvas == reference.canvas) << "Canvas differs";
  EXPECT_TRUE(drawn.backdrop == reference.backdrop) << "Backdrop differs";
  EXPECT_TRUE(drawn.pickMap == reference.pickMap) << "PickMap differs";
  EXPECT_EQ(drawn.state, reference.state);
  return drawn;
}

// Whether the Canvas pixel at (x, y) is grey level v.
bool IsGrey(int32_t x, int32_t y, uint8_t v) {
  const uint8_t* p = Canvas + 4 * (y * CanvasWidth + x);
  return p[0] == v && p[1] == v && p[2] == v;
}

// A grid over real temporary folders on the half-screen Canvas of a 1920 x 1080 screen.
class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
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
  // The Canvas point of the first pixel carrying id, or (-1, -1).
  static std::pair<int32_t, int32_t> FindId(uint32_t id) {
    for (int32_t i = 0; i < CanvasWidth * CanvasHeight; ++i)
      if (PickMap[i] == id) return {i % CanvasWidth, i / CanvasWidth};
    return {-1, -1};
  }

  testpictures::TempFolder start_, pictures_;
  std::filesystem::path previous_;
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
    pictures_.Write("anim.gif", {'G', 'I', 'F'});
    pictures_.Write("notes.txt", {'n'});
    std::filesystem::create_directory(pictures_.PathOf("folder.jpg"));
  }
};

TEST_F(GridEquivalence, FreshAndCachedDrawsMatchTheOneByOneDraw) {
  // Each cell size starts with the cache holding only thumbnails of the other sizes.
  for (const int32_t cell : {140, 60, 100, 200}) {
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
  EXPECT_NE(cache.Find(key("a")), nullptr);
  EXPECT_EQ(cache.Find(key("b")), nullptr);
  EXPECT_NE(cache.Find(key("c")), nullptr);
  EXPECT_LE(cache.bytes(), 3000u);
  EXPECT_EQ(cache.Find(ThumbnailKey{"a", 10, 21, 140}), nullptr) << "another modification time";
  EXPECT_EQ(cache.Find(ThumbnailKey{"a", 11, 20, 140}), nullptr) << "another size";
  EXPECT_EQ(cache.Find(ThumbnailKey{"a", 10, 20, 60}), nullptr) << "another cell size";
  cache.Store(key("a"), picture(10));
  EXPECT_EQ(cache.Find(key("a"))->thumbnail.rgb.size(), 10u);
  cache.Store(key("huge"), picture(10000));
  EXPECT_NE(cache.Find(key("huge")), nullptr) << "the newest stays even alone over budget";
  EXPECT_EQ(cache.Find(key("a")), nullptr);
}

TEST_F(GridTest, HalfScreenPageHasSixColumnsOfThreeRows) {
  for (const int32_t files : {3, 30}) {
    for (int32_t i = 0; i < files; ++i) pictures_.Write("f" + std::to_string(100 + i) + ".txt", {'x'});
    FirstThumb = 1;
    DrawGrid();
    for (int32_t cell = 0; cell < 18; ++cell) {
      const int32_t x0 = 140 * (cell % 6) + 10, y0 = 540 - 31 - 140 * (cell / 6 + 1);
      const bool drawn = cell < EntryTable.count;
      EXPECT_EQ(IsGrey(x0, y0, 255) && IsGrey(x0 + 141, y0 + 141, 255) && IsGrey(x0 + 1, y0 + 1, 255), drawn) << cell;
      EXPECT_EQ(IsGrey(x0 + 70, y0, 255), drawn) << cell;
      EXPECT_TRUE(IsGrey(x0 + 2, y0 + 2, 0)) << "inside " << cell;
    }
    EXPECT_TRUE(IsGrey(852, 369, 0)) << "no seventh column";
    EXPECT_TRUE(IsGrey(10, 87, 0)) << "no fourth row";
    EXPECT_EQ(SelectedEntry, 1);
    EXPECT_EQ(GridRedraw, 0u);
  }
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
  EXPECT_EQ(FirstThumb, 1);
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  FirstThumb = 20;
  PageNext();
  EXPECT_EQ(FirstThumb, 38);
  PagePrevious();
  EXPECT_EQ(FirstThumb, 20);
  EXPECT_EQ(headless::Backend().sleeps, (std::vector<int32_t>{150, 150, 150, 150}));
  // No cell fits: the page stands still and nothing is drawn.
  SetCanvasSize(960, 400);
  ThumbSize = {400, 400};
  FirstThumb = 7;
  PageNext();
  EXPECT_EQ(FirstThumb, 7);
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
      AddBmp("p" + std::to_string(10 + i) + ".bmp", testpictures::Filled(40, 20, {static_cast<uint8_t>(i), 100, 200}));
  }
  void PointAtThumbnailOf(int32_t entry) {
    const auto [x, y] = FindId(4000 + static_cast<uint32_t>(entry));
    ASSERT_GE(x, 0) << "entry " << entry << " has no thumbnail";
    headless::PointAtCanvas(x + 1, y + 1);
    ASSERT_EQ(PickIdAt(CursorToCanvasX(), CursorToCanvasY()), 4000u + entry);
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
  EXPECT_EQ(SelectedEntry, 1);
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
  const auto [x, y] = FindId(4000 + static_cast<uint32_t>(entry));
  headless::PointAtCanvas(x + 4, y + 100);  // above the small thumbnail, in its cell
  RightClick = 1;
  EXPECT_FALSE(HandleThumbnailClick());
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  EXPECT_EQ(RightClick, 1u);
  PointAtThumbnailOf(entry);
  PictureLoader.PanFactor = 0;
  ViewOffset = {5, -7};
  EXPECT_FALSE(HandleThumbnailClick());
  EXPECT_EQ(ViewMode, ViewModeKind::Viewer);
  EXPECT_EQ(ShownPicture, entry);
  EXPECT_EQ(ViewOffset.x, 0);
  EXPECT_EQ(ViewOffset.y, 0);
  EXPECT_EQ(RightClick, 0u);
  EXPECT_EQ(PictureLoader.PanFactor, 3);
  EXPECT_EQ(PictureInfo.width, 40u);
  EXPECT_EQ(PictureBuffer[0], std::stoi(EntryTable.name[entry] + 1) - 10) << "the clicked picture is in the buffer";
  // A picture gone since the draw leaves the grid as it was.
  ViewMode = ViewModeKind::Grid;
  RightClick = 1;
  std::filesystem::remove(pictures_.PathOf(EntryTable.name[shown[1]]));
  PointAtThumbnailOf(shown[1]);
  EXPECT_FALSE(HandleThumbnailClick());
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  EXPECT_EQ(RightClick, 1u);
  EXPECT_EQ(PictureLoaded, 0u);
}

}  // namespace
