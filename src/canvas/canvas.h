// The Canvas (RGBA, row 0 at the bottom), its PickMap of click ids and the Backdrop that keeps the
// last drawn view. Every drawing operation ends in PutPixel and PutPickId.
#pragma once

#include <cstdint>

extern int32_t CanvasWidth;
extern int32_t CanvasHeight;
extern uint8_t* Canvas;     // CanvasWidth x CanvasHeight x 4 bytes: red, green, blue, alpha
extern uint8_t* Backdrop;   // same layout as Canvas
extern uint32_t* PickMap;   // CanvasWidth x CanvasHeight ids, 0 = nothing
// True from a copy between Canvas and Backdrop until the Canvas is next drawn on: restoring the
// Backdrop then has nothing to copy. Everything that writes Canvas pixels clears it.
extern bool CanvasMatchesBackdrop;

// Replaces all three buffers with new ones of w x h; their contents are undefined.
void SetCanvasSize(int32_t w, int32_t h);
// Releases the three buffers (each only if allocated) and clears the pointers.
void ReleaseCanvas();
// Clears the GL buffers, every Canvas byte and every PickMap id.
void ClearCanvas();
// Clears the Canvas bytes and PickMap ids of rows bottom to top - 1 only (clamped to the Canvas),
// for a view that clears each band just before drawing on it.
void ClearCanvasRows(int32_t bottom, int32_t top);
void SaveBackdrop();
void RestoreBackdrop();

inline bool InsideCanvas(int32_t x, int32_t y) {
  return static_cast<uint32_t>(x) < static_cast<uint32_t>(CanvasWidth) &&
         static_cast<uint32_t>(y) < static_cast<uint32_t>(CanvasHeight);
}

inline void PutPixel(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b) {
  if (!InsideCanvas(x, y)) return;
  CanvasMatchesBackdrop = false;
  uint8_t* p = Canvas + 4 * (static_cast<int64_t>(y) * CanvasWidth + x);
  p[0] = r;
  p[1] = g;
  p[2] = b;
  p[3] = 255;
}

inline void PutPickId(int32_t x, int32_t y, uint32_t id) {
  if (!InsideCanvas(x, y)) return;
  PickMap[static_cast<int64_t>(y) * CanvasWidth + x] = id;
}

// The id at (x, y), which the caller has clamped into the Canvas.
inline uint32_t PickIdAt(int32_t x, int32_t y) {
  return PickMap[static_cast<int64_t>(y) * CanvasWidth + x];
}
