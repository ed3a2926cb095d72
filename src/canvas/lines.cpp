#include "canvas/lines.h"

#include <cstdlib>

#include "canvas/canvas.h"
#include "shell/input.h"

namespace {

int32_t StepToward(int32_t from, int32_t to) { return (to > from) - (to < from); }

constexpr int32_t kCrossArm = 5;

}  // namespace

// The error starts at the smaller difference, not at half the larger, so the minor-axis steps
// come late and the pixels depend on which end is given first.
void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t r, uint8_t g, uint8_t b) {
  const int64_t dx = std::llabs(static_cast<int64_t>(x1) - x0);
  const int64_t dy = std::llabs(static_cast<int64_t>(y1) - y0);
  const int32_t sx = StepToward(x0, x1);
  const int32_t sy = StepToward(y0, y1);
  // Walk the longer axis one pixel a step; a diagonal or a single point counts as steep.
  const bool flat = dx > dy;
  const int64_t major = flat ? dx : dy;
  const int64_t minor = flat ? dy : dx;
  int32_t x = x0;
  int32_t y = y0;
  int32_t& along = flat ? x : y;
  int32_t& across = flat ? y : x;
  const int32_t alongStep = flat ? sx : sy;
  const int32_t acrossStep = flat ? sy : sx;
  PutPixel(x, y, r, g, b);
  for (int64_t e = minor, n = 0; n < major; ++n) {
    e += minor;
    if (e > major) {
      e -= major;
      across += acrossStep;
    }
    along += alongStep;
    PutPixel(x, y, r, g, b);
  }
}

void DrawFrame(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t r, uint8_t g, uint8_t b) {
  DrawLine(x0, y0, x1, y0, r, g, b);
  DrawLine(x1, y0, x1, y1, r, g, b);
  DrawLine(x0, y0, x0, y1, r, g, b);
  DrawLine(x0, y1, x1, y1, r, g, b);
}

void CrossCursor() {
  const int32_t x = CursorToCanvasX();
  const int32_t y = CursorToCanvasY();
  DrawLine(x, y, x + kCrossArm, y, 255, 255, 255);
  DrawLine(x, y, x, y + kCrossArm, 255, 255, 255);
  DrawLine(x, y, x - kCrossArm, y, 255, 255, 255);
  DrawLine(x, y, x, y - kCrossArm, 255, 255, 255);
}
