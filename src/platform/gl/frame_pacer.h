// Frames at least 1/60 s apart where nothing else paces them (no vsync, or a frame that was not
// drawn), so an idle menu does not spin a core.
#pragma once

#include <cstdint>

inline constexpr int64_t kFrameMicros = 1'000'000 / 60;

class FramePacer {
 public:
  // Called when a frame ends at nowMicros: how long to wait before the next one. A frame that
  // already took longer starts the next one at once, with no catching up.
  int64_t WaitAfterFrame(int64_t nowMicros) {
    if (!started_ || nowMicros >= lastFrameMicros_ + kFrameMicros) {
      started_ = true;
      lastFrameMicros_ = nowMicros;
      return 0;
    }
    lastFrameMicros_ += kFrameMicros;
    return lastFrameMicros_ - nowMicros;
  }

 private:
  bool started_ = false;
  int64_t lastFrameMicros_ = 0;
};

// Sleeps out the rest of the frame, measured from the end of the previous frame paced here.
void WaitOutFrame();
