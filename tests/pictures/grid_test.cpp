// The thumbnail grid: page geometry, thumbnails and captions, the page commands, the S key and the
// click that opens the viewer.
#include <gtest/gtest.h>

#include "grid_fixture.h"
#include "shell/virtual_keys.h"

namespace {

using testpictures::Rgb;

const Rgb kRed{255, 0, 0}, kWhite{255, 255, 255};

bool IsWhite(int32_t x, int32_t y) {
  const uint8_t* p = Canvas + 4 * (y * CanvasWidth + x);
  return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

bool IsBlack(int32_t x, int32_t y) {
  const uint8_t* p = Canvas + 4 * (y * CanvasWidth + x);
  return p[0] == 0 && p[1] == 0 && p[2] == 0;
}

// Inclusive bounds of the pixels carrying id.
struct IdBox {
  int32_t left = INT32_MAX, bottom = INT32_MAX, right = INT32_MIN, top = INT32_MIN;
};

IdBox BoxOfId(uint32_t id) {
  IdBox box;
  for (int32_t y = 0; y < CanvasHeight; ++y)
    for (int32_t x = 0; x < CanvasWidth; ++x)
      if (PickMap[y * CanvasWidth + x] == id) {
        box.left = std::min(box.left, x), box.right = std::max(box.right, x);
        box.bottom = std::min(box.bottom, y), box.top = std::max(box.top, y);
      }
  return box;
}

int32_t SamplesAlong(int32_t extent, float step) {
  int32_t n = 0;
  for (float f = 0.0f; static_cast<float>(extent) > f; f += step) ++n;
  return n;
}

TEST_F(GridTest, HalfScreenPageHasSixColumnsOfThreeRows) {
  AddFiles("f", 30);
  FirstThumb = 1;
  DrawGrid();
  const int32_t lefts[] = {10, 150, 290, 430, 570, 710};
  const int32_t bottoms[] = {369, 229, 89};
  for (const int32_t y0 : bottoms) {
    for (const int32_t x0 : lefts) {
      EXPECT_TRUE(IsWhite(x0, y0)) << x0 << "," << y0;
      EXPECT_TRUE(IsWhite(x0 + 141, y0 + 141)) << x0 << "," << y0;
      EXPECT_TRUE(IsWhite(x0 + 1, y0 + 1)) << "inner frame " << x0 << "," << y0;
      EXPECT_TRUE(IsBlack(x0 + 2, y0 + 2)) << "inside " << x0 << "," << y0;
    }
  }
  EXPECT_TRUE(IsBlack(852, 369)) << "no seventh column";
  EXPECT_TRUE(IsBlack(10, 87)) << "no fourth row";
  EXPECT_EQ(SelectedEntry, 1);
  EXPECT_EQ(GridRedraw, 0u);
}

TEST_F(GridTest, ShortPageLeavesTheRemainingCellsBlack) {
  AddFiles("f", 3);
  DrawGrid();
  const int32_t drawn = EntryTable.count;
  ASSERT_LT(drawn, 18);
  for (int32_t cell = 0; cell < 18; ++cell) {
    const int32_t x0 = 140 * (cell % 6) + 10, y0 = 540 - 31 - 140 * (cell / 6 + 1);
    EXPECT_EQ(IsWhite(x0 + 70, y0), cell < drawn) << "cell " << cell;
  }
}

TEST_F(GridTest, ThumbnailsKeepTheAspectRatioFromTheCellCorner) {
  const float wideStep = 1.0f / (0.5f / (1000.0f / 140.0f));
  const float smallStep = 1.0f / (0.5f / (35.0f / 140.0f));
  struct Case {
    int32_t w, h, columns, rows;
  } const cases[] = {{1000, 500, SamplesAlong(1000, wideStep), SamplesAlong(500, wideStep)},
                     {500, 1000, SamplesAlong(500, wideStep), SamplesAlong(1000, wideStep)},
                     {35, 35, SamplesAlong(35, smallStep), SamplesAlong(35, smallStep)}};
  for (const Case& c : cases) {
    // Alone in its folder, so that no later cell's thumbnail covers its last columns.
    std::filesystem::remove_all(pictures_.path());
    std::filesystem::create_directory(pictures_.path());
    AddBmp("picture.bmp", testpictures::Filled(c.w, c.h, kRed));
    DrawGrid();
    const int32_t cell = IndexOf("picture.bmp") - 1;
    const int32_t x0 = 140 * (cell % 6) + 10, y0 = 540 - 31 - 140 * (cell / 6 + 1);
    const IdBox box = BoxOfId(4000 + static_cast<uint32_t>(cell + 1));
    EXPECT_EQ(box.left, x0) << c.w << "x" << c.h;
    EXPECT_EQ(box.bottom, y0) << c.w << "x" << c.h;
    EXPECT_EQ(box.right - box.left + 1, 2 * c.columns) << c.w << "x" << c.h;
    EXPECT_EQ(box.top - box.bottom + 1, 2 * c.rows) << c.w << "x" << c.h;
  }
  EXPECT_NEAR(cases[0].columns, 70, 1);
  EXPECT_NEAR(cases[0].rows, 35, 1);
  EXPECT_NEAR(cases[2].columns, 70, 1);
}

// A cell's inside (within the frames) shows white caption pixels only when captions are drawn.
bool CellInsideHasWhite(int32_t x0, int32_t y0, int32_t t) {
  for (int32_t y = y0 + 2; y < y0 + t; ++y)
    for (int32_t x = x0 + 2; x < x0 + t; ++x)
      if (IsWhite(x, y)) return true;
  return false;
}

TEST_F(GridTest, SmallestCellsHaveNoCaptions) {
  AddFiles("caption", 2);
  ThumbSize = {60, 60};
  DrawGrid();
  EXPECT_FALSE(CellInsideHasWhite(10, 540 - 31 - 60, 60));
  ThumbSize = {140, 140};
  DrawGrid();
  EXPECT_TRUE(CellInsideHasWhite(10, 540 - 31 - 140, 140));
}

TEST_F(GridTest, FirstThumbBelowOneStartsAtTheFirstEntry) {
  AddFiles("f", 2);
  FirstThumb = -4000;
  DrawGrid();
  EXPECT_EQ(FirstThumb, 1);
  EXPECT_EQ(SelectedEntry, 1);
}

TEST_F(GridTest, PageCommandsMoveByOnePageWithinTheEntries) {
  EntryTable.count = 100;
  FirstThumb = 91;
  PageNext();
  EXPECT_EQ(FirstThumb, 100);
  EXPECT_EQ(GridRedraw, 1u);
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
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
}

TEST_F(GridTest, PageCommandsStandStillWhenNoCellFits) {
  SetCanvasSize(960, 400);
  ThumbSize = {400, 400};
  EntryTable.count = 100;
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
    for (int32_t i = 0; i < 30; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "p%02d.bmp", i);
      AddBmp(name, testpictures::Filled(40, 20, {static_cast<uint8_t>(10 + i), 100, 200}));
    }
  }
  // Points the cursor at a pixel of entry's thumbnail.
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

TEST_F(GridClicks, SMakesThePictureUnderTheCursorTheFirstCell) {
  FirstThumb = 20;
  DrawGrid();
  PointAtThumbnailOf(23);  // the fourth cell of the page
  PressS();
  EXPECT_EQ(FirstThumb, 23);
}

TEST_F(GridClicks, SOnALabelRedrawsTheSamePage) {
  FirstThumb = 4;
  DrawGrid();
  PutPickId(622, 529, 1200010);  // the "F5" label's id
  headless::PointAtCanvas(622, 529);
  PressS();
  EXPECT_EQ(FirstThumb, 4);
}

TEST_F(GridClicks, SOnNothingStartsThePageAtTheFirstEntryAtTheNextDraw) {
  FirstThumb = 10;
  DrawGrid();
  headless::PointAtCanvas(950, 5);
  PressS();
  EXPECT_EQ(FirstThumb, -4000);
  DrawGrid();
  EXPECT_EQ(FirstThumb, 1);
}

TEST_F(GridClicks, SOutsideTheGridDoesNothing) {
  DrawGrid();
  ViewMode = ViewModeKind::List;
  PointAtThumbnailOf(2);
  KeyTable[vk::S] = 1;
  EXPECT_FALSE(HandleThumbnailClick());
  EXPECT_EQ(FirstThumb, 1);
}

TEST_F(GridClicks, ClickOnAThumbnailOpensItsPictureInTheViewer) {
  DrawGrid();
  const int32_t entry = IndexOf("p05.bmp");
  PointAtThumbnailOf(entry);
  PictureLoader.PanFactor = 0;
  RightClick = 1;
  ViewOffset = {5, -7};
  EXPECT_FALSE(HandleThumbnailClick());
  EXPECT_EQ(ViewMode, ViewModeKind::Viewer);
  EXPECT_EQ(ShownPicture, entry);
  EXPECT_EQ(ViewOffset.x, 0);
  EXPECT_EQ(ViewOffset.y, 0);
  EXPECT_EQ(RightClick, 0u);
  EXPECT_EQ(PictureLoader.PanFactor, 3);
  EXPECT_EQ(PictureInfo.width, 40u);
  EXPECT_EQ(PictureBuffer[0], 15) << "the clicked picture is in the buffer";
}

TEST_F(GridClicks, ClickOnACellsEmptyPartOrAVanishedPictureStaysInTheGrid) {
  DrawGrid();
  const int32_t entry = IndexOf("p05.bmp");
  const auto [x, y] = FindId(4000 + static_cast<uint32_t>(entry));
  headless::PointAtCanvas(x + 4, y + 100);  // above the 40 x 20 picture's thumbnail, in its cell
  RightClick = 1;
  EXPECT_FALSE(HandleThumbnailClick());
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  EXPECT_EQ(RightClick, 1u);
  std::filesystem::remove(pictures_.PathOf("p05.bmp"));
  PointAtThumbnailOf(entry);
  EXPECT_FALSE(HandleThumbnailClick());
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  EXPECT_EQ(RightClick, 1u);
  EXPECT_EQ(PictureLoaded, 0u);
}

}  // namespace
