// A whole List frame (the list of 2999 entries, the Backdrop copied back, the MenuBar with its
// status text over it) against the frame's unavoidable memory work: clearing Canvas and PickMap
// and the two whole-Canvas copies. Both are alternated within one run; the counter
// frame_over_memory is the ratio the frame must keep at or below 1.5.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "alternating_timer.h"
#include "frame_memory.h"

#include "browser/entry_table.h"
#include "browser/list_view.h"
#include "canvas/canvas.h"
#include "pictures/texture_loader.h"
#include "shell/menu_bar.h"
#include "shell/menu_state.h"

namespace {

struct Geometry {
  int32_t width, height, displayMode, scale;
};

void FillEntryTable() {
  AllocateEntryTable();
  for (int32_t i = 1; i <= kMaxEntries; ++i) {
    std::snprintf(EntryTable.name[i], kEntryNameSize,
                  i % 7 ? "Some Artist - A Song Title (Live) %04d.mp3" : "Holiday Pictures %04d", i);
    EntryTable.isFile[i] = i % 7 ? 1 : 0;
  }
  EntryTable.count = kMaxEntries;
}

void PrepareFrame(const Geometry& geometry) {
  ResetMenuState();
  std::snprintf(FolderPath, sizeof FolderPath, "/media/music/albums/");
  DisplayMode = geometry.displayMode;
  PixelScale = geometry.scale;
  ScreenSize = {1920, 1080};
  PictureLoader.MenuBarShown = 1;
  SetCanvasSize(geometry.width, geometry.height);
  FillEntryTable();
}

void ListFrame() {
  DrawList();
  RestoreBackdrop();
  DrawMenuBar();
  benchmark::ClobberMemory();
}

// Timed: the List frame; the memory work is timed beside it for the ratio.
void BM_ListFrame(benchmark::State& state, Geometry geometry) {
  PrepareFrame(geometry);
  ListFrame();  // touch every page before timing
  state.counters["frame_over_memory"] = TimeAgainst(state, ListFrame, PlainFrameMemory);
}
BENCHMARK_CAPTURE(BM_ListFrame, full_screen_1920x1080, Geometry{1920, 1080, 2, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ListFrame, half_screen_960x540, Geometry{960, 540, 1, 2})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
