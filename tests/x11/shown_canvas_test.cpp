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

TEST(ShownCanvas, TheChangedBandSpansTheFirstToTheLastChangedRow) {
  ShownCanvas shown;
  std::vector<uint8_t> pixels(2 * 5 * 4, 0);
  EXPECT_TRUE(shown.Compare(pixels.data(), 2, 5, 1).whole);
  struct Case {
    std::vector<int> rows;  // rows whose first byte changes
    int32_t first, count;
  };
  for (const Case& c : {Case{{3}, 3, 1}, Case{{1, 3}, 1, 3}, Case{{0, 4}, 0, 5}, Case{{}, 0, 0}}) {
    for (int row : c.rows) pixels[row * 2 * 4] += 1;
    const ChangedRows changed = shown.Compare(pixels.data(), 2, 5, 1);
    EXPECT_EQ(changed.first, c.first);
    EXPECT_EQ(changed.count, c.count);
    EXPECT_EQ(changed.whole, c.count == 5);
  }
}

TEST(ShownCanvas, AnEmptyCanvasIsHandled) {
  ShownCanvas shown;
  const uint8_t none[4] = {};
  EXPECT_TRUE(shown.Changed(none, 0, 0, 2));
  EXPECT_FALSE(shown.Changed(none, 0, 0, 2));
  EXPECT_TRUE(shown.Changed(none, -1, 5, 2));
}

}  // namespace
