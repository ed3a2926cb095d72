// Sample positions must be exactly those of the accumulated single-precision loop, also where the
// loop is skipped by multiplication or its sum starts to round.
#include "pictures/sample_axis.h"

#include <gtest/gtest.h>


namespace {

// The loop as written: fx from 0.0 growing by step while extent > fx, compared sample by sample;
// it ends where fx stops moving, which the loop as written never would.
void ExpectSameAsAccumulated(int32_t extent, float step) {
  const SampleAxis axis(extent, step);
  const auto limit = static_cast<float>(extent);
  int64_t n = 0;
  for (float fx = 0.0f; limit > fx; ++n) {
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

TEST(SampleAxis, MatchesTheAccumulatedLoopForViewerAndThumbnailSteps) {
  const float steps[] = {0.25f, 0.5f, 1.0f, 2.0f, 3.0f, 4.0f, 0.3f, 1.7f, 2.0f * 1000.0f / 140.0f,
                         1.0f / (0.5f / (1000.0f / 140.0f)), 1.0f / (0.5f / (35.0f / 140.0f))};
  const int32_t extents[] = {1, 2, 3, 35, 100, 500, 999, 1000, 6000, 8000, 65537};
  for (const float step : steps)
    for (const int32_t extent : extents) ExpectSameAsAccumulated(extent, step);
}

TEST(SampleAxis, MatchesWhereTheSumLeavesTheExactRange) {
  // 0.25 is exact for 2^24 samples (up to 2^22); 3.0 up to 2^24; beyond, every addition rounds.
  ExpectSameAsAccumulated(4194304 + 1000, 0.25f);
  ExpectSameAsAccumulated(16777216 + 5000, 3.0f);
  ExpectSameAsAccumulated(16777216 + 5000, 1.0f);
}

TEST(SampleAxis, StopsWhereTheStepNoLongerMovesThePosition) {
  // At 2^22 adding 0.25 rounds back to the same float (a tie, to even): the loop as written
  // would never end.
  ExpectSameAsAccumulated(9000000, 0.25f);
  const SampleAxis axis(9000000, 0.25f);
  EXPECT_EQ(axis.SourceOf(axis.count() - 1), 4194304);
}

TEST(SampleAxis, DegenerateStepsAndExtents) {
  EXPECT_EQ(SampleAxis(0, 1.0f).count(), 0);
  EXPECT_EQ(SampleAxis(-5, 1.0f).count(), 0);
  EXPECT_EQ(SampleAxis(10, 0.0f).count(), 0);
  EXPECT_EQ(SampleAxis(10, -1.0f).count(), 0);
  const SampleAxis infinite(10, 1.0f / 0.0f);
  ASSERT_EQ(infinite.count(), 1);
  EXPECT_EQ(infinite.SourceOf(0), 0);
}

TEST(SampleAxis, NeverPointsPastTheExtent) {
  // Above 2^24 a float extent rounds up, so a position may reach the extent itself.
  const int32_t extent = 16777219;
  const SampleAxis axis(extent, 1.0f);
  for (int64_t n = axis.count() - 8; n < axis.count(); ++n) EXPECT_LT(axis.SourceOf(n), extent);
}

}  // namespace
