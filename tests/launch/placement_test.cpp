// Where the player's window goes, in the movable 1280 x 960 geometry and in the others.
#include <gtest/gtest.h>

#include "browser/launch.h"

namespace {

MenuGeometry Geometry(int32_t w, int32_t h, int32_t scale, CanvasPoint viewOffset,
                      CanvasPoint windowPos, int32_t screenHeight) {
  return {w, h, scale, viewOffset, windowPos, screenHeight};
}

void ExpectBox(const WindowBox& box, int32_t left, int32_t top) {
  EXPECT_EQ(box.left, left);
  EXPECT_EQ(box.top, top);
  EXPECT_EQ(box.width, 600);
  EXPECT_EQ(box.height, 600);
}

TEST(PlayerPlacement, UnmovedListOpensThePlayerAtTheMenusCorner) {
  ExpectBox(PlayerWindowBox(Geometry(960, 540, 2, {0, 0}, {0, 0}, 1080)), 0, 0);
  ExpectBox(PlayerWindowBox(Geometry(1280, 960, 1, {0, 0}, {0, 0}, 1080)), 0, 0);
  ExpectBox(PlayerWindowBox(Geometry(1920, 1080, 1, {0, 0}, {0, 0}, 1080)), 0, 0);
}

TEST(PlayerPlacement, AfterCenterCenterOn1280x960TheListCornerIsUsed) {
  // CENTERCENTER: ViewOffset = (1280 / 3, -960 / 3).
  ExpectBox(PlayerWindowBox(Geometry(1280, 960, 1, {426, -320}, {0, 0}, 1080)), 426, 320);
}

TEST(PlayerPlacement, MovedWindowNearTheScreensBottomKeepsThePlayerOnScreen) {
  // 0 + 700 + 600 exceeds 1080: the player's bottom is put on the screen's bottom row.
  ExpectBox(PlayerWindowBox(Geometry(1280, 960, 1, {0, 0}, {100, 700}, 1080)), 100, 480);
  ExpectBox(PlayerWindowBox(Geometry(1280, 960, 1, {426, -320}, {100, 300}, 1080)), 526, 480);
}

TEST(PlayerPlacement, MovedWindowWithRoomBelowFollowsTheWindow) {
  ExpectBox(PlayerWindowBox(Geometry(1280, 960, 1, {10, -100}, {200, 300}, 1080)), 210, 400);
  // Exactly touching the bottom is not exceeding it.
  ExpectBox(PlayerWindowBox(Geometry(1280, 960, 1, {0, -180}, {0, 300}, 1080)), 0, 480);
}

TEST(PlayerPlacement, HalfScreenScalesTheOffsetByThePixelScale) {
  // 960 x 540 at scale 2 after CENTERCENTER: (320, -180) -> 640 right, 360 down.
  ExpectBox(PlayerWindowBox(Geometry(960, 540, 2, {320, -180}, {0, 0}, 1080)), 640, 360);
}

TEST(PlayerPlacement, OtherWidthsStayWithinTheMenusOwnHeightNotTheScreens) {
  // y = 600, 600 + 600 exceeds 540 x 2 = 1080: moved up to 480.
  ExpectBox(PlayerWindowBox(Geometry(960, 540, 2, {0, -300}, {0, 0}, 5000)), 0, 480);
  // A full-screen 1920 x 1200 Canvas on a screen reported smaller: the Canvas decides.
  ExpectBox(PlayerWindowBox(Geometry(1920, 1200, 1, {0, -580}, {0, 0}, 1080)), 0, 580);
  // The 1280 rule alone looks at WindowPos in the vertical.
  ExpectBox(PlayerWindowBox(Geometry(960, 540, 2, {0, 0}, {0, 900}, 1080)), 0, 900);
}

TEST(PlayerPlacement, AMenuSmallerThanThePlayerPutsItAboveTheTop) {
  ExpectBox(PlayerWindowBox(Geometry(400, 200, 1, {0, 0}, {0, 0}, 1080)), 0, -400);
}

TEST(PlayerPlacement, ExtremeOffsetsDoNotOverflow) {
  const WindowBox box =
      PlayerWindowBox(Geometry(960, 540, 2, {INT32_MAX, INT32_MIN}, {INT32_MAX, 0}, 1080));
  EXPECT_EQ(box.top, 480);
  EXPECT_EQ(box.width, 600);
}

}  // namespace
