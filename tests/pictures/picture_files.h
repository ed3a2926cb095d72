// Test pictures: 24-bit BMP files by hand, JPEG through ImageMagick.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "browser/temp_folder.h"

namespace testpictures {

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

// Rows from the top, as one reads the picture.
struct Picture {
  int32_t width = 0, height = 0;
  std::vector<Rgb> pixels;
  Rgb At(int32_t x, int32_t yFromTop) const { return pixels[yFromTop * width + x]; }
};

// Colours cycling along each row, shifted by one on every row.
inline Picture Pattern(int32_t width, int32_t height, const std::vector<Rgb>& colours) {
  Picture picture{width, height, {}};
  for (int32_t i = 0; i < width * height; ++i)
    picture.pixels.push_back(colours[(i % width + i / width) % colours.size()]);
  return picture;
}

inline void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// An uncompressed 24-bit BMP, rows bottom-up, each padded to four bytes.
inline std::vector<uint8_t> EncodeBmp(const Picture& picture) {
  std::vector<uint8_t> pixels;
  for (int32_t y = picture.height - 1; y >= 0; --y) {
    for (int32_t x = 0; x < picture.width; ++x) {
      const Rgb c = picture.At(x, y);
      pixels.insert(pixels.end(), {c.b, c.g, c.r});
    }
    while (pixels.size() % 4 != 0) pixels.push_back(0);
  }
  const auto size = static_cast<uint32_t>(pixels.size());
  std::vector<uint8_t> out{'B', 'M'};
  for (const uint32_t v : {54 + size, 0u, 54u, 40u, static_cast<uint32_t>(picture.width),
                           static_cast<uint32_t>(picture.height)})
    PutLe(out, v, 4);
  PutLe(out, 1, 2);  // one plane
  PutLe(out, 24, 2);
  for (const uint32_t v : {0u, size, 2835u, 2835u, 0u, 0u}) PutLe(out, v, 4);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

// Four flat quadrants: red top-left, lime top-right, blue bottom-left, white bottom-right.
inline std::string QuadrantArguments(int32_t width, int32_t height) {
  const std::string size = std::string("-size ") + std::to_string(width / 2) + "x" + std::to_string(height / 2);
  return std::string("\\( ") + size + " xc:red " + size + " xc:lime +append \\) \\( " + size + " xc:blue " + size +
         " xc:white +append \\) -append";
}

}  // namespace testpictures
