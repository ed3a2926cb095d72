// The Canvas last put on screen. Drawing the same Canvas again changes nothing on screen, but on
// software GL the enlarged draw costs a third of a core at 60 frames a second, so an idle menu
// skips it. Pixels, size and scale are compared; the copy is re-allocated only when the size
// changes.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

class ShownCanvas {
 public:
  // True when the Canvas differs from the one recorded last, or nothing is recorded; records it.
  bool Changed(const uint8_t* pixels, int32_t width, int32_t height, int32_t scale) {
    const size_t bytes = static_cast<size_t>(width > 0 ? width : 0) * static_cast<size_t>(height > 0 ? height : 0) * 4;
    // memcmp must not see the null data of an empty Canvas, even with a size of 0.
    if (valid_ && width == width_ && height == height_ && scale == scale_ &&
        (bytes == 0 || std::memcmp(bytes_.data(), pixels, bytes) == 0))
      return false;
    bytes_.assign(pixels, pixels + bytes);
    width_ = width;
    height_ = height;
    scale_ = scale;
    valid_ = true;
    return true;
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
