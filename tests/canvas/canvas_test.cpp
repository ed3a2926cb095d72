#include <cstring>

#include "canvas/text.h"
#include "canvas_fixture.h"

namespace {

TEST_F(CanvasTest, PutPixelWritesInsideOnlyWithFullAlpha) {
  std::memset(Canvas, 7, kWidth * kHeight * 4);
  PutPixel(kWidth, 0, 1, 1, 1);
  PutPixel(0, kHeight, 1, 1, 1);
  PutPixel(-1, 0, 1, 1, 1);
  PutPixel(0, -1, 1, 1, 1);
  for (int64_t i = 0; i < kWidth * kHeight * 4; ++i) ASSERT_EQ(Canvas[i], 7) << i;

  PutPixel(0, 0, 1, 2, 3);
  PutPixel(kWidth - 1, kHeight - 1, 4, 5, 6);
  PutPixel(12, 34, 10, 20, 30);
  const uint8_t first[] = {1, 2, 3, 255}, last[] = {4, 5, 6, 255}, inside[] = {10, 20, 30, 255};
  EXPECT_EQ(std::memcmp(Canvas, first, 4), 0);
  EXPECT_EQ(std::memcmp(Canvas + 4 * (kWidth * kHeight - 1), last, 4), 0);
  EXPECT_EQ(std::memcmp(Canvas + 4 * (34 * kWidth + 12), inside, 4), 0);
  EXPECT_EQ(CellsWithId(0).size(), static_cast<size_t>(kWidth * kHeight));
}

TEST_F(CanvasTest, PutPickIdWritesInsideOnlyAndLeavesTheCanvas) {
  PutPickId(kWidth, 0, 9);
  PutPickId(-1, 5, 9);
  PutPickId(5, kHeight, 9);
  PutPickId(12, 34, 9);
  EXPECT_EQ(CellsWithId(9), (std::set<Point>{{12, 34}}));
  EXPECT_EQ(PickMap[34 * kWidth + 12], 9u);
  EXPECT_TRUE(DrawnPixels().empty());
}

TEST_F(CanvasTest, ClearCanvasZeroesEveryByteAndId) {
  std::memset(Canvas, 0xAB, kWidth * kHeight * 4);
  std::memset(PickMap, 0xCD, kWidth * kHeight * 4);
  ClearCanvas();
  for (int64_t i = 0; i < kWidth * kHeight * 4; ++i) ASSERT_EQ(Canvas[i], 0) << i;
  for (int64_t i = 0; i < kWidth * kHeight; ++i) ASSERT_EQ(PickMap[i], 0u) << i;
}

TEST_F(CanvasTest, RestoreBackdropWipesLaterPixelsButKeepsLaterIds) {
  PutPixel(3, 3, 1, 2, 3);
  SaveBackdrop();
  PutPixel(5, 6, 9, 9, 9);
  PutPickId(5, 6, 1200003);
  RestoreBackdrop();
  EXPECT_EQ(DrawnPixels(), (std::set<Point>{{3, 3}}));
  EXPECT_EQ(PickIdAt(5, 6), 1200003u);
}

TEST_F(CanvasTest, SetCanvasSizeGivesBuffersOfTheNewSize) {
  SetCanvasSize(33, 7);
  EXPECT_EQ(CanvasWidth, 33);
  EXPECT_EQ(CanvasHeight, 7);
  ClearCanvas();
  PutPixel(32, 6, 1, 1, 1);  // the last pixel; the sanitizer build checks the extent
  PutPickId(32, 6, 5);
  SaveBackdrop();
  RestoreBackdrop();
  EXPECT_EQ(Canvas[4 * (33 * 7) - 1], 255);
  EXPECT_EQ(PickMap[33 * 7 - 1], 5u);

  SetCanvasSize(33, 7);  // the same size again still gives whole, usable buffers
  ClearCanvas();
  PutPixel(32, 6, 1, 1, 1);
  EXPECT_EQ(DrawnPixels(), (std::set<Point>{{32, 6}}));
}

}  // namespace

namespace {

TEST_F(CanvasTest, TextAndClearsAfterSaveBackdropAreWipedByRestore) {
  PutPixel(3, 3, 1, 2, 3);
  SaveBackdrop();
  RestoreBackdrop();  // nothing drawn in between: the Canvas already holds the Backdrop
  FormatText("ESC");
  DrawText(10, 20, 255, 255, 0);
  RestoreBackdrop();
  EXPECT_EQ(DrawnPixels(), (std::set<Point>{{3, 3}}));
  SaveBackdrop();
  ClearCanvasRows(0, 4);
  RestoreBackdrop();
  EXPECT_EQ(DrawnPixels(), (std::set<Point>{{3, 3}}));
}

TEST_F(CanvasTest, ClearCanvasRowsClearsOnlyItsRowsClampedToTheCanvas) {
  std::memset(Canvas, 0xAB, kWidth * kHeight * 4);
  std::memset(PickMap, 0xCD, kWidth * kHeight * 4);
  ClearCanvasRows(-5, 2);
  ClearCanvasRows(kHeight - 1, kHeight + 10);
  for (int32_t y = 0; y < kHeight; ++y) {
    const bool cleared = y < 2 || y == kHeight - 1;
    ASSERT_EQ(Canvas[4 * y * kWidth], cleared ? 0 : 0xAB) << y;
    ASSERT_EQ(PickMap[y * kWidth + kWidth - 1], cleared ? 0u : 0xCDCDCDCDu) << y;
  }
}

}  // namespace
