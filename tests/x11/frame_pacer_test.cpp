#include "platform/gl/frame_pacer.h"

#include <gtest/gtest.h>

namespace {

TEST(FramePacer, QuickFramesKeepASteadyCadenceWithoutDrift) {
  FramePacer pacer;
  EXPECT_EQ(pacer.WaitAfterFrame(5'000'000), 0);  // the first frame does not wait
  int64_t now = 5'000'000;
  for (int frame = 1; frame <= 600; ++frame) {
    now += 2'000;                                      // the frame's own work
    now += pacer.WaitAfterFrame(now);                  // then the wait
    EXPECT_EQ(now, 5'000'000 + frame * kFrameMicros);  // every frame starts on the grid
  }
}

TEST(FramePacer, ASlowOrExactlyTimedFrameDoesNotWaitAndIsNotCaughtUpAfter) {
  FramePacer pacer;
  pacer.WaitAfterFrame(0);
  EXPECT_EQ(pacer.WaitAfterFrame(kFrameMicros), 0);
  EXPECT_EQ(pacer.WaitAfterFrame(100'000), 0);
  EXPECT_EQ(pacer.WaitAfterFrame(101'000), kFrameMicros - 1'000);
}

}  // namespace
