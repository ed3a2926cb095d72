// Control of the headless backend, for tests and benchmarks: scripted input delivered during the
// message pump, a virtual clock for sleeps, presented frames and other effects kept in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace headless {

enum class EventKind { KeyDown, KeyUp, RightDown, RightUp, Close, CursorMove };

struct Event {
  EventKind kind;
  int32_t key = 0;
  int32_t cursorX = 0, cursorY = 0;  // screen pixels, for CursorMove
};

struct MessageBoxRecord {
  std::string title, text;
  uint32_t flags;
};

struct ProgramStart {
  std::string program, parameters;
  platform::ParameterSplit split;
};

struct WindowPlacement {
  std::string title;
  int32_t left, top, width, height;
};

// Everything the backend has recorded, and the settings it answers with.
struct State {
  // Settings.
  int32_t screenWidth = 1920, screenHeight = 1080;
  int32_t cursorX = 0, cursorY = 0;               // screen pixels
  std::string localTime = "00:00:00";             // the clock's text, 24-hour
  bool failWindowCreation = false;                // OpenGlWindow fails at its first step
  std::vector<std::string> existingWindowTitles;  // windows PlaceWindowByTitle can find
  bool waitWhenIdle = false;                      // the loop may wait instead of repeating a frame
  std::string thumbnailCacheFolder;               // the disk thumbnail cache; empty: none

  // Window.
  bool windowOpen = false;
  int32_t windowLeft = 0, windowTop = 0, windowWidth = 0, windowHeight = 0;
  int32_t windowBits = 0, windowsCreated = 0, minimiseCount = 0, hideCursorCount = 0;
  bool hooksInstalled = false;

  // Effects.
  std::vector<int32_t> sleeps;
  std::vector<uint8_t> lastFrame;  // Canvas bytes at the last PresentCanvas
  int32_t lastFrameWidth = 0, lastFrameHeight = 0, presentCount = 0;
  int32_t idleWaits = 0;
  std::vector<MessageBoxRecord> messageBoxes;
  std::vector<ProgramStart> programsStarted;
  std::vector<WindowPlacement> placements;
};

State& Backend();
// Back to the defaults: no window, nothing queued or recorded, a 1920 x 1080 screen.
void Reset();

// Queues an event for the next message pump.
void Queue(EventKind kind, int32_t key = 0);
// Queues an event for the pump of the iteration whose FrameCounter is frame (or any later one).
void QueueAtFrame(int32_t frame, EventKind kind, int32_t key = 0);
// Moves the cursor onto Canvas pixel (x, y) in the pump of that frame, as pointer motion would.
void QueueCursorAtFrame(int32_t frame, int32_t x, int32_t y);
// Puts the cursor on the screen point shown by Canvas pixel (x, y) of the open window.
void PointAtCanvas(int32_t x, int32_t y);

}  // namespace headless
