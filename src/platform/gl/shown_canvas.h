// The Canvas last put on screen. Drawing the same Canvas again changes nothing on screen, but on
// software GL the enlarged draw costs a third of a core at 60 frames a second, so an idle menu
// skips it, and where the backend allows, a Canvas that differs in a band of rows (the clock's
// second) draws only that band. Pixels, size and scale are compared; the copy is re-allocated
// only when the size changes.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

// Rows first to first + count - 1 of the Canvas differ from the screen; all of them when whole.
struct ChangedRows {
  int32_t first = 0, count = 0;
  bool whole = false;

  bool Any() const { return whole || count > 0; }
};

class ShownCanvas {
 public:
  // True when the Canvas differs from the one recorded last, or nothing is recorded; records it.
  bool Changed(const uint8_t* pixels, int32_t width, int32_t height, int32_t scale) {
    return Compare(pixels, width, height, scale).Any();
  }

  // The band of rows that differ from the Canvas recorded last (all rows when the size or scale
  // differs, or nothing is recorded); records the Canvas.
  ChangedRows Compare(const uint8_t* pixels, int32_t width, int32_t height, int32_t scale) {
    const size_t row = static_cast<size_t>(width > 0 ? width : 0) * 4;
    const int32_t rows = height > 0 ? height : 0;
    const size_t bytes = row * static_cast<size_t>(rows);
    if (valid_ && width == width_ && height == height_ && scale == scale_) {
      // memcmp must not see the null data of an empty Canvas, even with a size of 0.
      if (bytes == 0) return {};
      int32_t low = 0, high = rows - 1;
      while (low < rows && std::memcmp(&bytes_[row * low], pixels + row * low, row) == 0) ++low;
      if (low == rows) return {};
      while (std::memcmp(&bytes_[row * high], pixels + row * high, row) == 0) --high;
      std::memcpy(&bytes_[row * low], pixels + row * low, row * static_cast<size_t>(high - low + 1));
      return {low, high - low + 1, low == 0 && high == rows - 1};
    }
    bytes_.assign(pixels, pixels + bytes);
    width_ = width;
    height_ = height;
    scale_ = scale;
    valid_ = true;
    return {0, rows, true};
  }

  void Forget() { valid_ = false; }

 private:
  std::vector<uint8_t> bytes_;
  int32_t width_ = 0, height_ = 0, scale_ = 0;
  bool valid_ = false;
};

// The next PresentCanvas draws even an unchanged Canvas: after a new context, or when the window
// was exposed and its contents lost.
void ForgetShownCanvas();
