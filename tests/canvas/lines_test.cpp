#include "canvas/lines.h"

#include <algorithm>
#include <cstdlib>

#include "canvas_fixture.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace {

std::set<Point> LinePixels(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  ClearCanvas();
  DrawLine(x0, y0, x1, y1, 255, 0, 0);
  return DrawnPixels();
}

TEST_F(CanvasTest, LinesTakeTheMinorStepLate) {
  EXPECT_EQ(LinePixels(0, 0, 10, 3), (std::set<Point>{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1},
                                                      {5, 1}, {6, 2}, {7, 2}, {8, 2}, {9, 2},
                                                      {10, 3}}));
  EXPECT_EQ(LinePixels(0, 0, 10, 1), (std::set<Point>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0},
                                                      {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0},
                                                      {10, 1}}));
  EXPECT_EQ(LinePixels(0, 0, 2, 5),
            (std::set<Point>{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 5}}));
  EXPECT_EQ(LinePixels(7, 9, 7, 9), (std::set<Point>{{7, 9}}));
}

TEST_F(CanvasTest, ReversedLineGivesOtherPixels) {
  EXPECT_EQ(LinePixels(10, 3, 0, 0), (std::set<Point>{{10, 3}, {9, 3}, {8, 3}, {7, 2}, {6, 2},
                                                      {5, 2}, {4, 1}, {3, 1}, {2, 1}, {1, 1},
                                                      {0, 0}}));
  EXPECT_EQ(LinePixels(2, 5, 0, 0),
            (std::set<Point>{{2, 5}, {2, 4}, {1, 3}, {1, 2}, {1, 1}, {0, 0}}));
}

TEST_F(CanvasTest, EveryLineHasOnePixelPerMajorStepAndEndsOnItsEnd) {
  std::srand(7);
  for (int n = 0; n < 300; ++n) {
    const int32_t x0 = std::rand() % kWidth, y0 = std::rand() % kHeight;
    const int32_t x1 = std::rand() % kWidth, y1 = std::rand() % kHeight;
    const std::set<Point> pixels = LinePixels(x0, y0, x1, y1);
    SCOPED_TRACE(testing::Message() << x0 << "," << y0 << " to " << x1 << "," << y1);
    ASSERT_EQ(pixels.size(), size_t(std::max(std::abs(x1 - x0), std::abs(y1 - y0)) + 1));
    ASSERT_TRUE(pixels.count({x0, y0}) && pixels.count({x1, y1}));
  }
}

TEST_F(CanvasTest, LinesOutsideTheCanvasKeepOnlyInsidePixelsAndNoIds) {
  EXPECT_EQ(LinePixels(-5, 2, 3, 2), (std::set<Point>{{0, 2}, {1, 2}, {2, 2}, {3, 2}}));
  EXPECT_EQ(LinePixels(kWidth - 2, -3, kWidth - 2, 1),
            (std::set<Point>{{kWidth - 2, 0}, {kWidth - 2, 1}}));
  EXPECT_TRUE(LinePixels(-100, -100, -10, -50).empty());
  EXPECT_TRUE(LinePixels(kWidth, 0, kWidth + 40, kHeight).empty());
  EXPECT_EQ(CellsWithId(0).size(), static_cast<size_t>(kWidth * kHeight));
}

TEST_F(CanvasTest, FrameIsFourLinesOrOneWhenFlat) {
  DrawFrame(10, 20, 14, 23, 0, 255, 0);
  std::set<Point> outline = RectCells(10, 20, 14, 23);
  for (const Point& inner : RectCells(11, 21, 13, 22)) outline.erase(inner);
  EXPECT_EQ(DrawnPixels(), outline);

  ClearCanvas();
  DrawFrame(30, 5, 30, 9, 0, 255, 0);
  EXPECT_EQ(DrawnPixels(), RectCells(30, 5, 30, 9));
  ClearCanvas();
  DrawFrame(40, 5, 33, 5, 0, 255, 0);
  EXPECT_EQ(DrawnPixels(), RectCells(33, 5, 40, 5));
}

class CrossCursorTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    headless::Reset();
    ASSERT_TRUE(OpenGlWindow("GAME", kWidth * 2, kHeight * 2, 16));
  }
  void TearDown() override {
    headless::Reset();
    CanvasTest::TearDown();
  }
};

std::set<Point> Cross(int32_t x, int32_t y) {
  std::set<Point> cross;
  for (int32_t d = -5; d <= 5; ++d) {
    for (const Point& p : {Point{x + d, y}, Point{x, y + d}}) {
      if (InsideCanvas(p.first, p.second)) cross.insert(p);
    }
  }
  return cross;
}

TEST_F(CrossCursorTest, WhitePlusCentredOnTheCursor) {
  headless::PointAtCanvas(50, 40);
  CrossCursor();
  EXPECT_EQ(DrawnPixels(), Cross(50, 40));
  EXPECT_EQ(DrawnPixels().size(), 21u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(PixelAt(45, 40)[i], 255);
}

TEST_F(CrossCursorTest, BottomLeftCornerShowsTwoArms) {
  headless::Backend().cursorX = 0;
  headless::Backend().cursorY = kHeight * 2;  // the window's bottom edge on the screen
  CrossCursor();
  EXPECT_EQ(DrawnPixels(), Cross(0, 0));
  EXPECT_EQ(DrawnPixels().size(), 11u);
}

TEST_F(CrossCursorTest, CursorPastTheWindowIsClampedToTheEdge) {
  headless::Backend().cursorX = kWidth * 5;
  headless::Backend().cursorY = -50;
  CrossCursor();
  EXPECT_EQ(DrawnPixels(), Cross(kWidth - 1, kHeight - 1));
}

}  // namespace
