#include "pictures/viewer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "canvas/canvas.h"
#include "pictures/sample_axis.h"
#include "pictures/texture_loader.h"
#include "platform/platform.h"
#include "shell/input.h"
#include "shell/menu_state.h"

namespace {

struct Origin {
  int32_t x, y;
};

// Truncation toward zero, saturated where the float lies beyond the integer range (and at the
// bottom of it for a NaN, which no step or pan can give).
int32_t TruncateToInt(float value) {
  if (!(value > -2147483648.0f)) return INT32_MIN;
  if (value >= 2147483648.0f) return INT32_MAX;
  return static_cast<int32_t>(value);
}

Origin PictureOrigin(int32_t w, int32_t h, float z, int32_t k) {
  const float cx = static_cast<float>(CursorToCanvasX());
  const float cy = static_cast<float>(CursorToCanvasY());
  const float halfWidth = static_cast<float>(w) / z;
  const float halfHeight = static_cast<float>(h) / z;
  if (k == 0) return {TruncateToInt(cx - halfWidth), TruncateToInt(cy - halfHeight)};
  float ax, ay;
  if (CanvasWidth != 1280) {
    int32_t sw = 0, sh = 0;
    platform::ReadScreenSize(&sw, &sh);
    const auto scale = static_cast<float>(PixelScale);
    ax = static_cast<float>(sw) / 2.0f / scale;
    ay = static_cast<float>(sh) / 2.0f / scale;
  } else {
    ax = static_cast<float>(CanvasWidth / 2);
    ay = static_cast<float>(CanvasHeight / 2);
  }
  const auto factor = static_cast<float>(k);
  return {TruncateToInt(ax + (cx - ax) * factor - halfWidth),
          TruncateToInt(ay + (cy - ay) * factor - halfHeight)};
}

// The samples n of an axis whose 2-pixel blocks from origin touch [0, size): the rest would be
// dropped pixel by pixel, so they are never sampled.
struct SampleRange {
  int64_t first, end;
};

SampleRange VisibleSamples(int64_t origin, int64_t size, int64_t count) {
  // Block n covers origin + 2n and origin + 2n + 1.
  const int64_t first = std::max<int64_t>(0, (-origin) >> 1);
  const int64_t end = std::min<int64_t>(count, ((size - 1 - origin) >> 1) + 1);
  return {first, std::max(first, end)};
}

// One Canvas row of blocks: each sample's colour in columns x and x + 1, each pixel clipped.
void PaintBlockRow(int32_t y, int64_t firstX, const uint8_t* sourceRow,
                   const std::vector<int64_t>& columnOffsets) {
  int64_t x = firstX;
  for (const int64_t offset : columnOffsets) {
    const uint8_t* rgb = sourceRow + offset;
    PutPixel(static_cast<int32_t>(x), y, rgb[0], rgb[1], rgb[2]);
    PutPixel(static_cast<int32_t>(x + 1), y, rgb[0], rgb[1], rgb[2]);
    x += 2;
  }
}

void DrawPicture(int32_t w, int32_t h, int32_t bytesPerPixel, float z, Origin origin) {
  const SampleAxis across(w, z);
  const SampleAxis up(h, z);
  const SampleRange columns = VisibleSamples(origin.x, CanvasWidth, across.count());
  const SampleRange rows = VisibleSamples(origin.y, CanvasHeight, up.count());
  if (columns.first == columns.end) return;  // nothing shows across, so no row has a span
  std::vector<int64_t> columnOffsets;
  for (int64_t j = columns.first; j < columns.end; ++j)
    columnOffsets.push_back(int64_t{across.SourceOf(j)} * bytesPerPixel);
  const int64_t firstX = origin.x + 2 * columns.first;
  // The span of the Canvas row the blocks cover, for copying a painted row to the one above.
  const int64_t spanStart = std::max<int64_t>(firstX, 0);
  const int64_t spanEnd = std::min<int64_t>(origin.x + 2 * columns.end, CanvasWidth);
  for (int64_t r = rows.first; r < rows.end; ++r) {
    const uint8_t* sourceRow = PictureBuffer + int64_t{up.SourceOf(r)} * w * bytesPerPixel;
    const int64_t y = origin.y + 2 * r;
    // A block's two rows are alike: paint the lower one (or the upper, when only it shows) and
    // copy it.
    const int64_t painted = y >= 0 ? y : y + 1;
    PaintBlockRow(static_cast<int32_t>(painted), firstX, sourceRow, columnOffsets);
    if (painted == y && y + 1 < CanvasHeight)
      std::memcpy(Canvas + 4 * ((y + 1) * CanvasWidth + spanStart), Canvas + 4 * (y * CanvasWidth + spanStart),
                  static_cast<size_t>(4 * (spanEnd - spanStart)));
  }
}

bool PictureFitsBuffer(int64_t w, int64_t h, int64_t bytesPerPixel) {
  // Each sample reads three bytes.
  if (PictureBuffer == nullptr || bytesPerPixel < 3) return false;
  // A side of no length or less samples nothing: only sides too long are refused.
  if (w > kMaxPicturePixels || h > kMaxPicturePixels) return false;
  return w * h * bytesPerPixel <= kPictureBufferBytes;
}

}  // namespace

void DrawViewer() {
  ClearCanvas();
  const auto w = static_cast<int32_t>(PictureInfo.width);
  const auto h = static_cast<int32_t>(PictureInfo.height);
  const auto bytesPerPixel = static_cast<int32_t>(PictureInfo.bitsPerPixel / 8);
  const float z = PictureLoader.ViewerStep;
  if (PictureFitsBuffer(w, h, bytesPerPixel))
    DrawPicture(w, h, bytesPerPixel, z, PictureOrigin(w, h, z, PictureLoader.PanFactor));
  SaveBackdrop();
}
