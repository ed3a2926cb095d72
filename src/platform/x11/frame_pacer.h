// Frames at least 1/60 s apart where no vsync paces presentation, so an idle menu does not spin
// a core. Plain logic over times in microseconds.
#pragma once

#include <cstdint>

namespace x11 {

inline constexpr int64_t kFrameMicros = 1'000'000 / 60;

class FramePacer {
 public:
  // Called when a frame has been presented at nowMicros: how long to wait before the next one.
  // A frame that already took longer starts the next one at once, with no catching up.
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

}  // namespace x11
