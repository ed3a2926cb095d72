#include "shell/input.h"

#include <cstring>

#include "canvas/canvas.h"
#include "platform/platform.h"
#include "shell/menu_state.h"

uint32_t KeyTable[256];
uint32_t RightClick;
int32_t RightClickFrame;

namespace {

bool IsKeyCode(int32_t virtualKey) { return virtualKey >= 0 && virtualKey <= 255; }

}  // namespace

void OnKeyDown(int32_t virtualKey) {
  if (IsKeyCode(virtualKey)) KeyTable[virtualKey] = 1;
}

void OnKeyUp(int32_t virtualKey) {
  if (IsKeyCode(virtualKey)) KeyTable[virtualKey] = 0;
}

void OnRightButtonDown() {
  if (FrameCounter > RightClickFrame + kRightClickDebounceFrames) {
    RightClick = true;
    RightClickFrame = FrameCounter;
  }
}

void OnRightButtonUp() { RightClick = false; }

void OnCloseRequest() { QuitRequested = 1; }

void ClearInputState() {
  std::memset(KeyTable, 0, sizeof KeyTable);
  RightClick = false;
  RightClickFrame = 0;
}

int32_t MapCursorToCanvas(int32_t offset, int32_t span, int32_t canvasSize) {
  // A window of no extent maps every point to the first pixel.
  const float value =
      span == 0 ? 0.0f : static_cast<float>(offset) / static_cast<float>(span) * static_cast<float>(canvasSize);
  if (value < 0.0f) return 0;
  if (value > static_cast<float>(canvasSize - 1)) return canvasSize - 1;
  return static_cast<int32_t>(value);
}

namespace {

bool ReadCursorAndWindow(int32_t* x, int32_t* y, platform::ScreenRect* rect) {
  return platform::ReadMainWindowRect(rect) && rect->right != rect->left &&
         rect->bottom != rect->top && platform::ReadCursorPos(x, y);
}

}  // namespace

int32_t CursorToCanvasX() {
  int32_t x{}, y{};
  platform::ScreenRect rect{};
  if (!ReadCursorAndWindow(&x, &y, &rect)) return 0;
  return MapCursorToCanvas(x - rect.left, rect.right - rect.left, CanvasWidth);
}

int32_t CursorToCanvasY() {
  int32_t x{}, y{};
  platform::ScreenRect rect{};
  if (!ReadCursorAndWindow(&x, &y, &rect)) return 0;
  return MapCursorToCanvas(rect.bottom - y, rect.bottom - rect.top, CanvasHeight);
}
