#include "platform/gl/frame_pacer.h"

#include <gtest/gtest.h>

namespace {

TEST(FramePacer, TheFirstFrameDoesNotWait) {
  FramePacer pacer;
  EXPECT_EQ(pacer.WaitAfterFrame(5'000'000), 0);
}

TEST(FramePacer, AQuickFrameWaitsOutTheRestOfASixtiethOfASecond) {
  FramePacer pacer;
  pacer.WaitAfterFrame(1'000'000);
  EXPECT_EQ(pacer.WaitAfterFrame(1'004'000), kFrameMicros - 4'000);
}

TEST(FramePacer, QuickFramesKeepASteadyCadenceWithoutDrift) {
  FramePacer pacer;
  int64_t now = 0;
  pacer.WaitAfterFrame(now);
  for (int frame = 1; frame <= 600; ++frame) {
    now += 2'000;                          // the frame's own work
    now += pacer.WaitAfterFrame(now);      // then the wait
    EXPECT_EQ(now, frame * kFrameMicros);  // every frame starts on the grid
  }
}

TEST(FramePacer, ASlowFrameDoesNotWaitAndIsNotCaughtUpAfter) {
  FramePacer pacer;
  pacer.WaitAfterFrame(0);
  EXPECT_EQ(pacer.WaitAfterFrame(100'000), 0);
  EXPECT_EQ(pacer.WaitAfterFrame(101'000), kFrameMicros - 1'000);
}

TEST(FramePacer, AFrameEndingExactlyOnTimeDoesNotWait) {
  FramePacer pacer;
  pacer.WaitAfterFrame(0);
  EXPECT_EQ(pacer.WaitAfterFrame(kFrameMicros), 0);
}

}  // namespace
