#include "platform/gl/shown_canvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ShownCanvas, OnlyNewBytesShapeOrScaleCountAsAChange) {
  ShownCanvas shown;
  std::vector<uint8_t> pixels(4 * 3 * 4, 7);
  EXPECT_TRUE(shown.Changed(pixels.data(), 4, 3, 2));  // nothing shown yet
  EXPECT_FALSE(shown.Changed(pixels.data(), 4, 3, 2));
  pixels.back() = 8;  // alpha of the last pixel
  EXPECT_TRUE(shown.Changed(pixels.data(), 4, 3, 2));
  EXPECT_FALSE(shown.Changed(pixels.data(), 4, 3, 2));
  pixels.front() = 8;
  EXPECT_TRUE(shown.Changed(pixels.data(), 4, 3, 2));
  EXPECT_TRUE(shown.Changed(pixels.data(), 3, 4, 2));  // same bytes, other shape
  EXPECT_TRUE(shown.Changed(pixels.data(), 3, 4, 1));
  EXPECT_FALSE(shown.Changed(pixels.data(), 3, 4, 1));
  shown.Forget();
  EXPECT_TRUE(shown.Changed(pixels.data(), 3, 4, 1));
}

TEST(ShownCanvas, AnEmptyCanvasIsHandled) {
  ShownCanvas shown;
  const uint8_t none[4] = {};
  EXPECT_TRUE(shown.Changed(none, 0, 0, 2));
  EXPECT_FALSE(shown.Changed(none, 0, 0, 2));
  EXPECT_TRUE(shown.Changed(none, -1, 5, 2));
}

}  // namespace
