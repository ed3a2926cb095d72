// The Canvas's whole-buffer work per frame against plain memset and memcpy of the same bytes, and
// the labels of a full List frame.
#include <benchmark/benchmark.h>

#include <cstring>

#include "alternating_timer.h"
#include "frame_memory.h"
#include "canvas/canvas.h"
#include "canvas/text.h"

namespace {

constexpr int32_t kFrameWidth = 1920;
constexpr int32_t kFrameHeight = 1080;
constexpr size_t kPixelCount = size_t{kFrameWidth} * kFrameHeight;
// Clearing Canvas and PickMap, then the two whole-Canvas copies.
constexpr int64_t kFrameBytes = 4 * kPixelCount * 4;

void CanvasFrameMemory() {
  ClearCanvas();
  SaveBackdrop();
  RestoreBackdrop();
  benchmark::ClobberMemory();
}

void SizeCanvas() {
  SetCanvasSize(kFrameWidth, kFrameHeight);
  PlainFrameMemory();  // touch every page before timing
}

void BM_CanvasFrameMemory(benchmark::State& state) {
  SizeCanvas();
  for (auto _ : state) CanvasFrameMemory();
  state.SetBytesProcessed(state.iterations() * kFrameBytes);
}
BENCHMARK(BM_CanvasFrameMemory)->Unit(benchmark::kMicrosecond);

void BM_PlainFrameMemory(benchmark::State& state) {
  SizeCanvas();
  for (auto _ : state) PlainFrameMemory();
  state.SetBytesProcessed(state.iterations() * kFrameBytes);
}
BENCHMARK(BM_PlainFrameMemory)->Unit(benchmark::kMicrosecond);

// Timed: the Canvas variant.
void BM_CanvasFrameMemoryRatio(benchmark::State& state) {
  SizeCanvas();
  state.counters["canvas_over_plain"] = TimeAgainst(state, CanvasFrameMemory, PlainFrameMemory);
}
BENCHMARK(BM_CanvasFrameMemoryRatio)->UseManualTime()->Unit(benchmark::kMicrosecond);

// 2999 list entries in columns of clipped labels, as a List frame draws them.
void BM_ListFrameLabels(benchmark::State& state) {
  SizeCanvas();
  constexpr int32_t kEntries = 2999, kRowsPerColumn = 130, kColumnWidth = 240;
  for (auto _ : state) {
    for (int32_t i = 1; i <= kEntries; ++i) {
      const int32_t x = (i / kRowsPerColumn) * kColumnWidth;
      const int32_t y = kFrameHeight - 30 - (i % kRowsPerColumn) * 8;
      FormatText("%s", i % 3 ? "Some Artist - A Song Title (Live) 2019.mp3" : "Holiday_Pics");
      DrawLabelClipped(x, y, 200, 200, 200, 12000 + i, x + kColumnWidth - 10);
    }
    benchmark::ClobberMemory();
  }
  state.counters["labels_per_second"] =
      benchmark::Counter(double(state.iterations()) * kEntries, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ListFrameLabels)->Unit(benchmark::kMicrosecond);

}  // namespace
