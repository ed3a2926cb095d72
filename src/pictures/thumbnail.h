// A thumbnail: the picture sampled for a grid cell, kept as plain colours so that it can be drawn
// again without the picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Thumbnail {
  int32_t columns = 0;       // samples across
  int32_t rows = 0;          // samples up, the picture's bottom row first
  std::vector<uint8_t> rgb;  // columns x rows samples of red, green, blue
};

// The source rows (counted from the bottom) that the thumbnail of a width x height picture for a
// cell of side cellSize samples: ascending, each once. Samples fall every 2 x longer side /
// cellSize source pixels, accumulated in single precision.
std::vector<int32_t> ThumbnailRows(int32_t width, int32_t height, int32_t cellSize);

// Samples the thumbnail from just those rows, held one straight after the other as 4-byte pixels
// of blue, green, red and an unused byte.
Thumbnail SampleThumbnail(const uint8_t* rows, int32_t width, int32_t height, int32_t cellSize);

// Paints each sample as a 2 x 2 block from the cell's lower-left corner, with id under each block.
void DrawThumbnail(const Thumbnail& thumbnail, int32_t x0, int32_t y0, uint32_t id);
