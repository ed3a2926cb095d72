#include "platform/gl/shown_canvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Pixels(int32_t width, int32_t height, uint8_t value) {
  return std::vector<uint8_t>(static_cast<size_t>(width) * height * 4, value);
}

TEST(ShownCanvas, NothingShownYetCountsAsChanged) {
  ShownCanvas shown;
  const auto pixels = Pixels(4, 3, 7);
  EXPECT_TRUE(shown.Changed(pixels.data(), 4, 3, 2));
}

TEST(ShownCanvas, TheSameCanvasAgainIsUnchanged) {
  ShownCanvas shown;
  auto pixels = Pixels(4, 3, 7);
  shown.Changed(pixels.data(), 4, 3, 2);
  EXPECT_FALSE(shown.Changed(pixels.data(), 4, 3, 2));
  EXPECT_FALSE(shown.Changed(pixels.data(), 4, 3, 2));
}

TEST(ShownCanvas, OneChangedByteAnywhereIsAChange) {
  ShownCanvas shown;
  auto pixels = Pixels(4, 3, 7);
  shown.Changed(pixels.data(), 4, 3, 2);
  pixels.back() = 8;  // alpha of the top-right pixel
  EXPECT_TRUE(shown.Changed(pixels.data(), 4, 3, 2));
  EXPECT_FALSE(shown.Changed(pixels.data(), 4, 3, 2));
  pixels.front() = 8;
  EXPECT_TRUE(shown.Changed(pixels.data(), 4, 3, 2));
}

TEST(ShownCanvas, AnotherSizeOrScaleIsAChange) {
  ShownCanvas shown;
  const auto pixels = Pixels(4, 3, 0);
  shown.Changed(pixels.data(), 4, 3, 2);
  EXPECT_TRUE(shown.Changed(pixels.data(), 3, 4, 2));  // same bytes, other shape
  EXPECT_TRUE(shown.Changed(pixels.data(), 3, 4, 1));
  EXPECT_FALSE(shown.Changed(pixels.data(), 3, 4, 1));
}

TEST(ShownCanvas, ForgettingMakesTheNextCanvasAChange) {
  ShownCanvas shown;
  const auto pixels = Pixels(4, 3, 1);
  shown.Changed(pixels.data(), 4, 3, 1);
  shown.Forget();
  EXPECT_TRUE(shown.Changed(pixels.data(), 4, 3, 1));
  EXPECT_FALSE(shown.Changed(pixels.data(), 4, 3, 1));
}

TEST(ShownCanvas, AnEmptyCanvasIsHandled) {
  ShownCanvas shown;
  const uint8_t none[4] = {};
  EXPECT_TRUE(shown.Changed(none, 0, 0, 2));
  EXPECT_FALSE(shown.Changed(none, 0, 0, 2));
  EXPECT_TRUE(shown.Changed(none, -1, 5, 2));
}

}  // namespace
