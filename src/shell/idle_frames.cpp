#include "shell/idle_frames.h"

#include <algorithm>
#include <cstring>

#include "pictures/thumbnail_prefetch.h"
#include "platform/platform.h"
#include "shell/input.h"
#include "shell/main_loop.h"
#include "shell/menu_state.h"

namespace {

// What a frame draws from, besides the menu state that only input and pending work change.
struct FrameSources {
  int32_t cursorX = 0, cursorY = 0;
  char clock[9] = {};

  bool operator==(const FrameSources& other) const {
    return cursorX == other.cursorX && cursorY == other.cursorY &&
           std::memcmp(clock, other.clock, sizeof clock) == 0;
  }
};

struct LastFrame {
  bool known = false;
  bool quiet = false;  // drawn with no input and nothing pending, so it changed no state
  FrameSources sources;
};

LastFrame last;
bool messagesSinceLastFrame = true;

FrameSources ReadFrameSources() {
  FrameSources sources;
  sources.cursorX = CursorToCanvasX();
  sources.cursorY = CursorToCanvasY();
  platform::ReadLocalTimeText(sources.clock);
  return sources;
}

bool WorkPending() { return GridRedraw || RelistRequest; }

bool InputWaiting() {
  return RightClick || std::any_of(KeyTable, KeyTable + 256, [](uint32_t slot) { return slot != 0; });
}

}  // namespace

bool WaitInsteadOfRepeatedFrame() {
  if (!platform::WaitsWhenIdle()) return false;
  DropStaleThumbnailPrefetch();
  const FrameSources sources = ReadFrameSources();
  const bool repeat = last.known && last.quiet && !messagesSinceLastFrame && !WorkPending() &&
                      sources == last.sources;
  if (!repeat) {
    last = {true, !InputWaiting() && !WorkPending(), sources};
    messagesSinceLastFrame = false;
    return false;
  }
  StartThumbnailPrefetch();
  const int32_t frames = platform::WaitForMessages();
  FrameCounter += std::max(frames, 1) - 1;
  NoteMessagesPumped(PumpAllMessages());
  FrameCounter += 1;
  return true;
}

void NoteMessagesPumped(int32_t count) {
  if (count > 0) messagesSinceLastFrame = true;
}

void ForgetIdleFrameState() {
  last = {};
  messagesSinceLastFrame = true;
}
