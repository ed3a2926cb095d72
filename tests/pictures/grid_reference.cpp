#include "grid_reference.h"

#include <algorithm>
#include <cstdio>

#include "browser/entry_table.h"
#include "canvas/canvas.h"
#include "canvas/lines.h"
#include "canvas/text.h"
#include "pictures/grid.h"
#include "pictures/texture_loader.h"
#include "platform/platform.h"
#include "shell/menu_state.h"

namespace {

void DrawThumbnailOneByOne(int32_t x0, int32_t y0, int32_t t, uint32_t id) {
  const int32_t w = static_cast<int32_t>(PictureInfo.width), h = static_cast<int32_t>(PictureInfo.height);
  const int32_t b = static_cast<int32_t>(PictureInfo.bitsPerPixel / 8);
  float m = static_cast<float>(PictureLoader.width);
  if (static_cast<float>(PictureLoader.height) > m) m = static_cast<float>(PictureLoader.height);
  const float s = 0.5f / (m / static_cast<float>(t));
  const float step = 1.0f / s;
  int32_t k = 0;
  for (float fy = 0.0f; static_cast<float>(h) > fy; fy += step, ++k) {
    int32_t j = 0;
    for (float fx = 0.0f; static_cast<float>(w) > fx; fx += step, ++j) {
      const uint8_t* p =
          PictureBuffer + (static_cast<int64_t>(fy) * w + static_cast<int64_t>(fx)) * b;
      const int32_t xs[4] = {x0 + 2 * j, x0 + 2 * j + 1, x0 + 2 * j, x0 + 2 * j + 1};
      const int32_t ys[4] = {y0 + 2 * k, y0 + 2 * k, y0 + 2 * k + 1, y0 + 2 * k + 1};
      for (int q = 0; q < 4; ++q) {
        PutPixel(xs[q], ys[q], p[0], p[1], p[2]);
        PutPickId(xs[q], ys[q], id);
      }
    }
  }
}

}  // namespace

void DrawGridOneByOne() {
  GridRedraw = 0;
  ClearCanvas();
  const int32_t t = ThumbSize.x;
  const int32_t columns = (CanvasWidth - 2) / t, rows = (CanvasHeight - 62) / t;
  Relist();
  if (FirstThumb < 1) FirstThumb = 1;
  int32_t last = FirstThumb + columns * rows - 1;
  if (last > EntryTable.count) last = EntryTable.count;
  if (last > 2999) last = 2999;
  int32_t c = 0, r = 0;
  for (int32_t i = FirstThumb; i <= last; ++i) {
    const int32_t x0 = t * c + 10, y0 = CanvasHeight - 31 - t * (r + 1);
    if (c < columns - 1) {
      c += 1;
    } else {
      c = 0;
      if (r < rows - 1) r += 1;
    }
    char name[260];
    std::snprintf(name, sizeof name, "%s", EntryTable.name[i]);
    platform::ChangeCurrentDir(FolderPath);
    PictureLoader.IsPictureName(name, PictureInfo);
    platform::ChangeCurrentDir(StartDir);
    PictureLoaded = 0;
    if (PictureLoader.loadable == 1) {
      platform::ChangeCurrentDir(FolderPath);
      PictureLoaded = PictureLoader.LoadPicture(name, PictureInfo);
      platform::ChangeCurrentDir(StartDir);
      PictureLoader.PanFactor = 3;
      PictureLoader.MenuBarShown = 1;
    }
    if (PictureLoaded) DrawThumbnailOneByOne(x0, y0, t, 4000 + static_cast<uint32_t>(i));
    DrawFrame(x0, y0, x0 + t + 1, y0 + t + 1, 255, 255, 255);
    DrawFrame(x0 + 1, y0 + 1, x0 + t, y0 + t, 255, 255, 255);
    if (t != 60) {
      FormatText("%s", EntryTable.name[i]);
      DrawTextClipped(x0 + 6, y0 + t - 4, 255, 255, 255, x0 + t - 6);
    }
  }
  SaveBackdrop();
  SelectedEntry = FirstThumb;
}

GridOutcome CaptureGridOutcome() {
  const size_t pixels = static_cast<size_t>(CanvasWidth) * CanvasHeight;
  return GridOutcome{{Canvas, Canvas + pixels * 4},
                     {Backdrop, Backdrop + pixels * 4},
                     {PickMap, PickMap + pixels},
                     PictureInfo.type,
                     PictureInfo.width,
                     PictureInfo.height,
                     PictureInfo.bitsPerPixel,
                     PictureInfo.format,
                     PictureLoader.loadable,
                     PictureLoader.width,
                     PictureLoader.height,
                     PictureLoader.PanFactor,
                     PictureLoader.MenuBarShown,
                     PictureLoaded,
                     GridRedraw,
                     SelectedEntry,
                     FirstThumb};
}

void ApplyGridStart(const GridStart& start) {
  FirstThumb = start.firstThumb;
  PictureLoader.PanFactor = start.panFactor;
  PictureLoader.MenuBarShown = start.menuBarShown;
  PictureLoader.width = PictureLoader.height = 0;
  PictureInfo = {};
  GridRedraw = 1;
}
