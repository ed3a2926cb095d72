// Input state filled by the backends' hooks during the message pump, and the rules that act on it.
// Backends call only the On... entry points; the loop reads KeyTable, RightClick and the cursor.
#pragma once

#include <cstdint>

extern uint32_t KeyTable[256];   // 1 while a key-down arrived since the last clear
extern uint32_t RightClick;      // an accepted right press not yet released or consumed
extern int32_t RightClickFrame;  // FrameCounter of the last accepted press

// Right presses closer than this many frames to the last accepted one are ignored.
inline constexpr int32_t kRightClickDebounceFrames = 12;

void OnKeyDown(int32_t virtualKey);
void OnKeyUp(int32_t virtualKey);
void OnRightButtonDown();
void OnRightButtonUp();
void OnCloseRequest();

void ClearInputState();

// The cursor's Canvas column and row (row 0 at the bottom), clamped into the Canvas; 0 when the
// window or the cursor can't be read.
int32_t CursorToCanvasX();
int32_t CursorToCanvasY();

// The proportional mapping behind both, for a cursor coordinate within a window span.
int32_t MapCursorToCanvas(int32_t offset, int32_t span, int32_t canvasSize);
