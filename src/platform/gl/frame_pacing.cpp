#include <chrono>
#include <thread>

#include "platform/gl/frame_pacer.h"

void WaitOutFrame() {
  static FramePacer pacer;
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  const int64_t wait = pacer.WaitAfterFrame(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
  if (wait > 0) std::this_thread::sleep_for(std::chrono::microseconds(wait));
}
