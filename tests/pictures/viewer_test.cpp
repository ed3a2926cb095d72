// The picture viewer: size by ViewerStep, placement by PanFactor and the cursor, and pixels equal
// to sampling the whole picture as the plain loop does, whatever part lands on the Canvas.
#include "pictures/viewer.h"

#include <gtest/gtest.h>

#include <vector>

#include "canvas/canvas.h"
#include "pictures/sample_axis.h"
#include "pictures/texture_loader.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/input.h"
#include "shell/menu_state.h"

namespace {

// A colour no pixel of another position shares, never black.
void PutTestPicture(int32_t w, int32_t h) {
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      uint8_t* p = PictureBuffer + 4 * (static_cast<int64_t>(y) * w + x);
      p[0] = static_cast<uint8_t>(x % 251 + 1);
      p[1] = static_cast<uint8_t>(y % 251 + 1);
      p[2] = static_cast<uint8_t>((x / 251 + 3 * (y / 251)) % 256);
      p[3] = 255;
    }
  }
  PictureInfo.width = static_cast<uint32_t>(w);
  PictureInfo.height = static_cast<uint32_t>(h);
  PictureInfo.bitsPerPixel = 32;
}

struct Box {
  int32_t left = INT32_MAX, bottom = INT32_MAX, right = INT32_MIN, top = INT32_MIN;  // inclusive
};

Box DrawnBox() {
  Box box;
  for (int32_t y = 0; y < CanvasHeight; ++y) {
    for (int32_t x = 0; x < CanvasWidth; ++x) {
      if (Canvas[4 * (y * CanvasWidth + x) + 3] == 0) continue;
      box.left = std::min(box.left, x), box.right = std::max(box.right, x);
      box.bottom = std::min(box.bottom, y), box.top = std::max(box.top, y);
    }
  }
  return box;
}

// The viewer as the plain loop draws it: every sample of the picture, each pixel clipped alone.
std::vector<uint8_t> PlainViewerCanvas(int32_t x0, int32_t y0) {
  ClearCanvas();
  const int32_t w = static_cast<int32_t>(PictureInfo.width), h = static_cast<int32_t>(PictureInfo.height);
  const float z = PictureLoader.ViewerStep;
  int32_t r = 0;
  for (float fy = 0.0f; static_cast<float>(h) > fy; fy += z, ++r) {
    int32_t j = 0;
    for (float fx = 0.0f; static_cast<float>(w) > fx; fx += z, ++j) {
      const uint8_t* p = PictureBuffer + 4 * (static_cast<int64_t>(fy) * w + static_cast<int64_t>(fx));
      for (int32_t dy = 0; dy < 2; ++dy)
        for (int32_t dx = 0; dx < 2; ++dx) PutPixel(x0 + 2 * j + dx, y0 + 2 * r + dy, p[0], p[1], p[2]);
    }
  }
  return {Canvas, Canvas + 4 * CanvasWidth * CanvasHeight};
}

class Viewer : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    ResetMenuState();
    AllocatePictureBuffer();
    UseCanvas(960, 540, 2);
    PictureLoader.ViewerStep = 2.0f;
    PictureLoader.PanFactor = 0;
  }
  void UseCanvas(int32_t w, int32_t h, int32_t scale) {
    CloseGlWindow();
    SetCanvasSize(w, h);
    PixelScale = scale;
    ASSERT_TRUE(OpenGlWindow("GAME", w * scale, h * scale, 32));
  }
  void PointAt(int32_t x, int32_t y) {
    headless::PointAtCanvas(x, y);
    ASSERT_EQ(CursorToCanvasX(), x);
    ASSERT_EQ(CursorToCanvasY(), y);
  }
};

TEST_F(Viewer, StepTwoShowsThePictureAtItsSizeCentredOnTheCursor) {
  PutTestPicture(400, 300);
  PointAt(480, 270);
  DrawViewer();
  const Box box = DrawnBox();
  EXPECT_EQ(box.left, 280);
  EXPECT_EQ(box.right, 679);
  EXPECT_EQ(box.bottom, 120);
  EXPECT_EQ(box.top, 419);
  PictureLoader.ViewerStep = 4.0f;
  DrawViewer();
  const Box half = DrawnBox();
  EXPECT_EQ(half.right - half.left + 1, 200);
  EXPECT_EQ(half.top - half.bottom + 1, 150);
  EXPECT_EQ((half.left + half.right + 1) / 2, 480);
}

TEST_F(Viewer, PanFactorMovesThePictureThreeTimesAsFarAsTheCursor) {
  PutTestPicture(400, 300);
  PictureLoader.PanFactor = 3;
  PointAt(490, 270);
  DrawViewer();
  const Box box = DrawnBox();
  EXPECT_EQ((box.left + box.right + 1) / 2, 510);
  EXPECT_EQ((box.bottom + box.top + 1) / 2, 270);
}

TEST_F(Viewer, At1280ColumnsThePanAnchorIsTheCanvasCentre) {
  UseCanvas(1280, 960, 1);
  PutTestPicture(400, 300);
  PictureLoader.PanFactor = 3;
  PointAt(650, 470);
  DrawViewer();
  const Box box = DrawnBox();
  EXPECT_EQ((box.left + box.right + 1) / 2, 670);
  EXPECT_EQ((box.bottom + box.top + 1) / 2, 450);
}

TEST_F(Viewer, CursorAtTheCentreCentresThePictureForEveryPanFactor) {
  PutTestPicture(400, 300);
  for (const int32_t k : {0, 3, 4, 9}) {
    PictureLoader.PanFactor = k;
    for (const auto& [w, h, scale] : {std::tuple{960, 540, 2}, std::tuple{1280, 960, 1}}) {
      UseCanvas(w, h, scale);
      PointAt(w / 2, h / 2);
      DrawViewer();
      const Box box = DrawnBox();
      EXPECT_EQ((box.left + box.right + 1) / 2, w / 2) << "k " << k << " width " << w;
      EXPECT_EQ((box.bottom + box.top + 1) / 2, h / 2) << "k " << k << " width " << w;
    }
  }
}

TEST_F(Viewer, StepQuarterDrawsEverySourcePixelAsAnEightSquare) {
  UseCanvas(1280, 960, 1);
  PutTestPicture(100, 100);
  PictureLoader.ViewerStep = 0.25f;
  PointAt(640, 480);
  DrawViewer();
  const Box box = DrawnBox();
  ASSERT_EQ(box.left, 240);
  ASSERT_EQ(box.bottom, 80);
  EXPECT_EQ(box.right - box.left + 1, 800);
  EXPECT_EQ(box.top - box.bottom + 1, 800);
  for (int32_t y = 0; y < 800; ++y) {
    for (int32_t x = 0; x < 800; ++x) {
      const uint8_t* shown = Canvas + 4 * ((80 + y) * 1280 + 240 + x);
      const uint8_t* source = PictureBuffer + 4 * ((y / 8) * 100 + x / 8);
      ASSERT_EQ(std::vector<uint8_t>(shown, shown + 3), std::vector<uint8_t>(source, source + 3))
          << x << "," << y;
    }
  }
}

TEST_F(Viewer, PaintsNoIdsAndSavesTheBackdrop) {
  PutTestPicture(50, 40);
  PointAt(100, 100);
  DrawViewer();
  for (int32_t i = 0; i < CanvasWidth * CanvasHeight; ++i) ASSERT_EQ(PickMap[i], 0u);
  EXPECT_EQ(std::vector<uint8_t>(Backdrop, Backdrop + 4 * CanvasWidth * CanvasHeight),
            std::vector<uint8_t>(Canvas, Canvas + 4 * CanvasWidth * CanvasHeight));
}

struct Placement {
  int32_t w, h;
  float step;
  int32_t pan, cursorX, cursorY;
};

// The origin the viewer uses, recomputed from the documented rules for the plain reference.
std::pair<int32_t, int32_t> DocumentedOrigin(const Placement& p) {
  const float halfW = static_cast<float>(p.w) / p.step, halfH = static_cast<float>(p.h) / p.step;
  if (p.pan == 0)
    return {static_cast<int32_t>(static_cast<float>(p.cursorX) - halfW),
            static_cast<int32_t>(static_cast<float>(p.cursorY) - halfH)};
  const float ax = 1920.0f / 2.0f / 2.0f, ay = 1080.0f / 2.0f / 2.0f;
  return {static_cast<int32_t>(ax + (static_cast<float>(p.cursorX) - ax) * p.pan - halfW),
          static_cast<int32_t>(ay + (static_cast<float>(p.cursorY) - ay) * p.pan - halfH)};
}

TEST_F(Viewer, SamplingOnlyWhatShowsGivesThePlainLoopsPixels) {
  const Placement placements[] = {
      {400, 300, 2.0f, 0, 480, 270}, {401, 299, 3.0f, 3, 10, 500},  {777, 555, 0.5f, 4, 0, 0},
      {640, 480, 0.25f, 9, 959, 539}, {123, 457, 0.3f, 0, 333, 17}, {2000, 1500, 0.25f, 3, 700, 100},
      {31, 17, 1.0f, 0, 955, 3},      {999, 1, 0.5f, 0, 470, 270},  {1, 999, 4.0f, 9, 600, 400}};
  for (const Placement& p : placements) {
    PutTestPicture(p.w, p.h);
    PictureLoader.ViewerStep = p.step;
    PictureLoader.PanFactor = p.pan;
    PointAt(p.cursorX, p.cursorY);
    DrawViewer();
    const std::vector<uint8_t> drawn(Canvas, Canvas + 4 * CanvasWidth * CanvasHeight);
    const auto [x0, y0] = DocumentedOrigin(p);
    EXPECT_TRUE(drawn == PlainViewerCanvas(x0, y0)) << p.w << "x" << p.h << " step " << p.step;
  }
}

TEST_F(Viewer, NothingDecodedDrawsABlackCanvas) {
  PictureInfo = {};
  DrawViewer();
  EXPECT_EQ(DrawnBox().left, INT32_MAX);
}

}  // namespace
