#include "platform/headless/headless.h"

#include <algorithm>
#include <cstdio>
#include <deque>

#include "canvas/canvas.h"
#include "platform/platform.h"
#include "platform/posix/cache_files.h"
#include "shell/input.h"
#include "shell/menu_state.h"

namespace headless {
namespace {

struct QueuedEvent {
  int32_t frame;
  Event event;
};

State backend;
std::deque<QueuedEvent> queue;

void Deliver(const Event& event) {
  switch (event.kind) {
    case EventKind::KeyDown: OnKeyDown(event.key); break;
    case EventKind::KeyUp: OnKeyUp(event.key); break;
    case EventKind::RightDown: OnRightButtonDown(); break;
    case EventKind::RightUp: OnRightButtonUp(); break;
    case EventKind::Close: OnCloseRequest(); break;
    case EventKind::CursorMove:
      backend.cursorX = event.cursorX;
      backend.cursorY = event.cursorY;
      break;
  }
}

}  // namespace

State& Backend() { return backend; }

void Reset() {
  backend = State{};
  queue.clear();
}

void Queue(EventKind kind, int32_t key) { QueueAtFrame(0, kind, key); }

void QueueAtFrame(int32_t frame, EventKind kind, int32_t key) {
  queue.push_back({frame, Event{kind, key}});
}

void QueueCursorAtFrame(int32_t frame, int32_t x, int32_t y) {
  const int32_t nowX = backend.cursorX, nowY = backend.cursorY;
  PointAtCanvas(x, y);
  queue.push_back({frame, Event{EventKind::CursorMove, 0, backend.cursorX, backend.cursorY}});
  backend.cursorX = nowX;
  backend.cursorY = nowY;
}

void PointAtCanvas(int32_t x, int32_t y) {
  const int64_t spanX = backend.windowWidth, spanY = backend.windowHeight;
  backend.cursorX = backend.windowLeft + static_cast<int32_t>((x * spanX + spanX / 2) / CanvasWidth);
  backend.cursorY = backend.windowTop + backend.windowHeight -
                    static_cast<int32_t>((y * spanY + spanY / 2) / CanvasHeight);
}

}  // namespace headless

using headless::backend;

bool OpenGlWindow(const char* title, int32_t width, int32_t height, int32_t bits) {
  if (backend.failWindowCreation || backend.windowOpen) {
    platform::ShowMessageBox("ERROR", "Failed To Register The Window Class.",
                             platform::kBoxOkExclamation);
    return false;
  }
  (void)title;
  backend.windowOpen = true;
  backend.windowLeft = backend.windowTop = 0;
  backend.windowWidth = width;
  backend.windowHeight = height;
  backend.windowBits = bits;
  backend.windowsCreated += 1;
  return true;
}

void CloseGlWindow() { backend.windowOpen = false; }

void PresentCanvas() {
  const size_t bytes = static_cast<size_t>(CanvasWidth) * CanvasHeight * 4;
  backend.lastFrame.assign(Canvas, Canvas + bytes);
  backend.lastFrameWidth = CanvasWidth;
  backend.lastFrameHeight = CanvasHeight;
  backend.presentCount += 1;
}

void ClearGlBuffers() {}

namespace platform {

void HideSystemCursor() { backend.hideCursorCount += 1; }

void MinimiseMainWindow() { backend.minimiseCount += 1; }

void MoveMainWindow(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (!backend.windowOpen) return;
  backend.windowLeft = left;
  backend.windowTop = top;
  backend.windowWidth = width;
  backend.windowHeight = height;
}

void InstallInputHooks() { backend.hooksInstalled = true; }

bool WaitsWhenIdle() { return backend.waitWhenIdle; }

// Waiting passes the frames up to the one whose pump delivers the next queued event, or a second
// when nothing is queued.
int32_t WaitForMessages() {
  backend.idleWaits += 1;
  int32_t frames = 60;
  for (const headless::QueuedEvent& queued : headless::queue) frames = std::min(frames, queued.frame - FrameCounter + 1);
  return frames;
}

bool ThumbnailCacheFolder(char* buffer, size_t capacity) {
  return !backend.thumbnailCacheFolder.empty() &&
         posix::PrepareCacheFolder(backend.thumbnailCacheFolder, buffer, capacity);
}

uint32_t PumpOneMessage() {
  auto due = std::find_if(headless::queue.begin(), headless::queue.end(),
                          [](const headless::QueuedEvent& e) { return e.frame <= FrameCounter; });
  if (due == headless::queue.end()) return 0;
  const headless::Event event = due->event;
  headless::queue.erase(due);
  headless::Deliver(event);
  return 1;
}

bool ReadCursorPos(int32_t* x, int32_t* y) {
  *x = backend.cursorX;
  *y = backend.cursorY;
  return true;
}

bool ReadMainWindowRect(ScreenRect* rect) {
  if (!backend.windowOpen) return false;
  *rect = {backend.windowLeft, backend.windowTop, backend.windowLeft + backend.windowWidth,
           backend.windowTop + backend.windowHeight};
  return true;
}

void ReadScreenSize(int32_t* width, int32_t* height) {
  *width = backend.screenWidth;
  *height = backend.screenHeight;
}

void SleepMilliseconds(int32_t milliseconds) { backend.sleeps.push_back(milliseconds); }

void ReadLocalTimeText(char (&out)[9]) { std::snprintf(out, sizeof out, "%s", backend.localTime.c_str()); }

void StartProgram(const char* program, const char* parameters, ParameterSplit split) {
  backend.programsStarted.push_back({program, parameters, split});
}

bool PlaceWindowByTitle(const char* title, int32_t left, int32_t top, int32_t width, int32_t height) {
  const auto& titles = backend.existingWindowTitles;
  if (std::find(titles.begin(), titles.end(), title) == titles.end()) return false;
  backend.placements.push_back({title, left, top, width, height});
  return true;
}

void ShowMessageBox(const char* title, const char* text, uint32_t flags) {
  backend.messageBoxes.push_back({title, text, flags});
}

}  // namespace platform
