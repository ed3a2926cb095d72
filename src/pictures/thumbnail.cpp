#include "pictures/thumbnail.h"

#include "canvas/canvas.h"
#include "pictures/sample_axis.h"

namespace {

float ThumbnailStep(int32_t width, int32_t height, int32_t cellSize) {
  float longer = static_cast<float>(width);
  if (static_cast<float>(height) > longer) longer = static_cast<float>(height);
  const float scale = 0.5f / (longer / static_cast<float>(cellSize));
  return 1.0f / scale;
}

}  // namespace

std::vector<int32_t> ThumbnailRows(int32_t width, int32_t height, int32_t cellSize) {
  const SampleAxis up(height, ThumbnailStep(width, height, cellSize));
  std::vector<int32_t> rows;
  for (int64_t k = 0; k < up.count(); ++k)
    if (rows.empty() || rows.back() != up.SourceOf(k)) rows.push_back(up.SourceOf(k));
  return rows;
}

Thumbnail SampleThumbnail(const uint8_t* rows, int32_t width, int32_t height, int32_t cellSize) {
  const float step = ThumbnailStep(width, height, cellSize);
  const SampleAxis across(width, step);
  const SampleAxis up(height, step);
  Thumbnail thumbnail;
  thumbnail.columns = static_cast<int32_t>(across.count());
  thumbnail.rows = static_cast<int32_t>(up.count());
  thumbnail.rgb.resize(static_cast<size_t>(thumbnail.columns) * thumbnail.rows * 3);
  uint8_t* out = thumbnail.rgb.data();
  int64_t held = 0;  // index of the held row being sampled
  for (int32_t k = 0; k < thumbnail.rows; ++k) {
    // Sample rows ascend, and each distinct source row is held once.
    if (k > 0 && up.SourceOf(k) != up.SourceOf(k - 1)) held += 1;
    const uint8_t* row = rows + held * width * 4;
    for (int32_t j = 0; j < thumbnail.columns; ++j) {
      const uint8_t* source = row + static_cast<int64_t>(across.SourceOf(j)) * 4;
      *out++ = source[2];
      *out++ = source[1];
      *out++ = source[0];
    }
  }
  return thumbnail;
}

void DrawThumbnail(const Thumbnail& thumbnail, int32_t x0, int32_t y0, uint32_t id) {
  const uint8_t* sample = thumbnail.rgb.data();
  for (int32_t k = 0; k < thumbnail.rows; ++k) {
    for (int32_t j = 0; j < thumbnail.columns; ++j, sample += 3) {
      for (int32_t dy = 0; dy < 2; ++dy) {
        for (int32_t dx = 0; dx < 2; ++dx) {
          const int32_t x = x0 + 2 * j + dx, y = y0 + 2 * k + dy;
          PutPixel(x, y, sample[0], sample[1], sample[2]);
          PutPickId(x, y, id);
        }
      }
    }
  }
}
