// The picture viewer: size by ViewerStep, placement by PanFactor and the cursor, and pixels equal
// to sampling the whole picture as the plain loop does, whatever part lands on the Canvas; the
// sample positions behind it are those of the accumulated single-precision loop.
#include "pictures/viewer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "canvas/canvas.h"
#include "pictures/sample_axis.h"
#include "pictures/texture_loader.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/input.h"
#include "shell/menu_state.h"

namespace {

// Every position gets a colour no other position shares, never black.
void PutTestPicture(int32_t w, int32_t h) {
  for (int32_t i = 0; i < w * h; ++i) {
    const int32_t x = i % w, y = i / w;
    const uint8_t rgba[] = {uint8_t(x % 251 + 1), uint8_t(y % 251 + 1), uint8_t(x / 251 + 3 * (y / 251)), 255};
    std::memcpy(PictureBuffer + 4 * i, rgba, 4);
  }
  PictureInfo.width = static_cast<uint32_t>(w), PictureInfo.height = static_cast<uint32_t>(h);
  PictureInfo.bitsPerPixel = 32;
}

std::vector<uint8_t> CanvasBytes() { return {Canvas, Canvas + 4 * CanvasWidth * CanvasHeight}; }

// The plain loop drawing from origin (x0, y0): every sample, each doubled pixel clipped alone.
std::vector<uint8_t> PlainViewerCanvas(int32_t x0, int32_t y0) {
  ClearCanvas();
  const int32_t w = static_cast<int32_t>(PictureInfo.width), h = static_cast<int32_t>(PictureInfo.height);
  const float z = PictureLoader.ViewerStep;
  int32_t r = 0;
  for (float fy = 0.0f; static_cast<float>(h) > fy; fy += z, ++r) {
    int32_t j = 0;
    for (float fx = 0.0f; static_cast<float>(w) > fx; fx += z, ++j) {
      const uint8_t* p = PictureBuffer + 4 * (static_cast<int64_t>(fy) * w + static_cast<int64_t>(fx));
      for (int32_t q = 0; q < 4; ++q) PutPixel(x0 + 2 * j + q % 2, y0 + 2 * r + q / 2, p[0], p[1], p[2]);
    }
  }
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
      {960, 540, 2, 400, 300, 2.0f, 0, 480, 270, 280, 120},  // at its size, centred on the cursor
      {960, 540, 2, 400, 300, 4.0f, 0, 480, 270, 380, 195},  // half size
      {960, 540, 2, 400, 300, 2.0f, 3, 490, 270, 310, 120},  // three times as far as the cursor
      {1280, 960, 1, 400, 300, 2.0f, 3, 650, 470, 470, 300},
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
  for (const auto& [extent, step] : {std::pair{0, 1.0f}, {-5, 1.0f}, {10, 0.0f}, {10, -1.0f}})
    EXPECT_EQ(SampleAxis(extent, step).count(), 0) << extent << " / " << step;
  const SampleAxis infinite(10, 1.0f / 0.0f);
  EXPECT_TRUE(infinite.count() == 1 && infinite.SourceOf(0) == 0);
  // Above 2^24 a float extent rounds up, so a position could reach the extent itself.
  const SampleAxis axis(16777219, 1.0f);
  for (int64_t n = axis.count() - 8; n < axis.count(); ++n) EXPECT_LT(axis.SourceOf(n), 16777219);
}

}  // namespace
