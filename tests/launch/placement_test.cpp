// Where the player's window goes, in the movable 1280 x 960 geometry and in the others.
#include <gtest/gtest.h>

#include "browser/launch.h"

namespace {

TEST(PlayerPlacement, TheBoxFollowsTheListAndStaysOnTheScreen) {
  struct Case {
    MenuGeometry geometry;
    int32_t left, top;
  };
  const Case cases[] = {
      {{960, 540, 2, {320, -180}, {0, 0}, 1080}, 640, 360},  // half screen: the offset is scaled
      // 1280 x 960 is movable: the window position counts, the screen's bottom limits.
      {{1280, 960, 1, {10, -100}, {200, 300}, 1080}, 210, 400},
      {{1280, 960, 1, {426, -320}, {100, 300}, 1080}, 526, 480},
      {{1280, 960, 1, {0, -180}, {0, 300}, 1080}, 0, 480},  // touching the bottom is allowed
      // Other widths are limited by the menu's own height, never the screen's.
      {{960, 540, 2, {0, -300}, {0, 0}, 5000}, 0, 480},
      {{960, 540, 2, {0, 0}, {0, 900}, 1080}, 0, 900},
      {{400, 200, 1, {0, 0}, {0, 0}, 1080}, 0, -400},  // a menu smaller than the player
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    const WindowBox box = PlayerWindowBox(c.geometry);
    EXPECT_EQ(box.left, c.left);
    EXPECT_EQ(box.top, c.top);
  }
}

TEST(PlayerPlacement, ExtremeOffsetsDoNotOverflow) {
  const WindowBox box = PlayerWindowBox({960, 540, 2, {INT32_MAX, INT32_MIN}, {INT32_MAX, 0}, 1080});
  EXPECT_EQ(box.top, 480);
  EXPECT_EQ(box.width, 600);
}

}  // namespace
