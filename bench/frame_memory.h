// The memory work every full frame must do at least: clearing Canvas and PickMap and two
// whole-Canvas copies, written with plain memset and memcpy as the yardstick for frame costs.
#pragma once

#include <benchmark/benchmark.h>

#include <cstring>

#include "canvas/canvas.h"

inline void PlainFrameMemory() {
  const size_t pixels = static_cast<size_t>(CanvasWidth) * CanvasHeight;
  std::memset(Canvas, 0, pixels * 4);
  std::memset(PickMap, 0, pixels * sizeof(uint32_t));
  std::memcpy(Backdrop, Canvas, pixels * 4);
  std::memcpy(Canvas, Backdrop, pixels * 4);
  benchmark::ClobberMemory();
}
