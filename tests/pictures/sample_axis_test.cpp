// Sample positions must be exactly those of the accumulated single-precision loop, also where the
// loop is skipped by multiplication or its sum starts to round.
#include "pictures/sample_axis.h"

#include <gtest/gtest.h>

namespace {

// The loop as written (fx from 0 by step while extent > fx), sample by sample; it stops where fx
// stops moving, where the loop as written never would.
void ExpectSameAsAccumulated(int32_t extent, float step) {
  const SampleAxis axis(extent, step);
  int64_t n = 0;
  for (float fx = 0.0f; static_cast<float>(extent) > fx; ++n) {
    ASSERT_LT(n, axis.count()) << extent << " / " << step;
    ASSERT_EQ(axis.SourceOf(n), static_cast<int32_t>(fx)) << extent << " / " << step << " @" << n;
    const float next = fx + step;
    if (!(next > fx)) {
      ++n;
      break;
    }
    fx = next;
  }
  EXPECT_EQ(axis.count(), n) << extent << " / " << step;
}

TEST(SampleAxis, MatchesTheAccumulatedLoop) {
  for (const float step : {0.25f, 1.0f, 3.0f, 0.3f, 1.7f, 1.0f / (0.5f / (1000.0f / 140.0f))})
    for (const int32_t extent : {1, 2, 35, 999, 1000, 65537})
      ExpectSameAsAccumulated(extent, step);
  // Beyond the exact range every addition rounds (0.25 is exact up to 2^22, 3.0 up to 2^24).
  ExpectSameAsAccumulated(4194304 + 1000, 0.25f);
  ExpectSameAsAccumulated(16777216 + 5000, 3.0f);
  // At 2^22 adding 0.25 rounds back to the same float: the plain loop would never end.
  ExpectSameAsAccumulated(9000000, 0.25f);
  EXPECT_EQ(SampleAxis(9000000, 0.25f).SourceOf(SampleAxis(9000000, 0.25f).count() - 1), 4194304);
}

TEST(SampleAxis, DegenerateInputsAndTheFarEnd) {
  for (const auto& [extent, step] : {std::pair{0, 1.0f}, {-5, 1.0f}, {10, 0.0f}, {10, -1.0f}})
    EXPECT_EQ(SampleAxis(extent, step).count(), 0) << extent << " / " << step;
  const SampleAxis infinite(10, 1.0f / 0.0f);
  ASSERT_EQ(infinite.count(), 1);
  EXPECT_EQ(infinite.SourceOf(0), 0);
  // Above 2^24 a float extent rounds up, so a position could reach the extent itself.
  const SampleAxis axis(16777219, 1.0f);
  for (int64_t n = axis.count() - 8; n < axis.count(); ++n) EXPECT_LT(axis.SourceOf(n), 16777219);
}

}  // namespace
