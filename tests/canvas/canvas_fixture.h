// A small cleared Canvas for each test, and ways to read what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <utility>

#include "canvas/canvas.h"

class CanvasTest : public ::testing::Test {
 protected:
  static constexpr int32_t kWidth = 160;
  static constexpr int32_t kHeight = 120;

  void SetUp() override {
    SetCanvasSize(kWidth, kHeight);
    ClearCanvas();
  }
  void TearDown() override { ReleaseCanvas(); }
};

using Point = std::pair<int32_t, int32_t>;

inline const uint8_t* PixelAt(int32_t x, int32_t y) {
  return Canvas + 4 * (static_cast<int64_t>(y) * CanvasWidth + x);
}

// Every pixel with alpha 255, which is every pixel a drawing operation wrote.
inline std::set<Point> DrawnPixels() {
  std::set<Point> drawn;
  for (int32_t y = 0; y < CanvasHeight; ++y) {
    for (int32_t x = 0; x < CanvasWidth; ++x) {
      if (PixelAt(x, y)[3] == 255) drawn.insert({x, y});
    }
  }
  return drawn;
}

// Every PickMap cell holding id.
inline std::set<Point> CellsWithId(uint32_t id) {
  std::set<Point> cells;
  for (int32_t y = 0; y < CanvasHeight; ++y) {
    for (int32_t x = 0; x < CanvasWidth; ++x) {
      if (PickIdAt(x, y) == id) cells.insert({x, y});
    }
  }
  return cells;
}

// The cells of the rectangle x0..x1, y0..y1 (inclusive) that lie inside the Canvas.
inline std::set<Point> RectCells(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  std::set<Point> cells;
  for (int32_t y = y0; y <= y1; ++y) {
    for (int32_t x = x0; x <= x1; ++x) {
      if (InsideCanvas(x, y)) cells.insert({x, y});
    }
  }
  return cells;
}
