// Test pictures: BMP files of every layout by hand, JPEG through ImageMagick.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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

struct BmpLayout {
  int bitsPerPixel = 24;  // 1, 4, 8 (palette), 16, 24 or 32
  bool topDown = false;
  bool rgb565 = false;  // 16 bits by bit fields rather than plain 5-5-5
  int gapBytes = 0;  // unused bytes between the colour table and the pixels
  int headerBytes = 40;  // 124 for a version 5 header, its added fields all zero
};

inline void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline std::vector<uint8_t> EncodeBmp(const Picture& picture, const BmpLayout& layout = {}) {
  const int bpp = layout.bitsPerPixel;
  const bool paletted = bpp <= 8, bitfields = bpp == 16 && layout.rgb565;
  std::vector<Rgb> palette;
  for (const Rgb& c : picture.pixels)
    if (paletted && std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
  if (paletted) palette.resize(size_t{1} << bpp, Rgb{0, 0, 0});
  std::vector<uint8_t> pixels;
  for (int32_t i = 0; i < picture.height; ++i) {
    const size_t rowStart = pixels.size();
    uint32_t bits = 0;
    int filled = 0;
    for (int32_t x = 0; x < picture.width; ++x) {
      const Rgb c = picture.At(x, layout.topDown ? i : picture.height - 1 - i);
      if (paletted) {
        bits = (bits << bpp) | static_cast<uint32_t>(std::find(palette.begin(), palette.end(), c) - palette.begin());
        if ((filled += bpp) == 8) pixels.push_back(static_cast<uint8_t>(bits)), bits = 0, filled = 0;
      } else if (bpp == 16) {
        PutLe(pixels, bitfields ? ((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3)
                                : ((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3), 2);
      } else {
        pixels.insert(pixels.end(), {c.b, c.g, c.r});
        if (bpp == 32) pixels.push_back(0);
      }
    }
    if (filled > 0) pixels.push_back(static_cast<uint8_t>(bits << (8 - filled)));
    while ((pixels.size() - rowStart) % 4 != 0) pixels.push_back(0);
  }
  const auto dataOffset = static_cast<uint32_t>(14 + layout.headerBytes + palette.size() * 4 + (bitfields ? 12 : 0) +
                                                layout.gapBytes);
  std::vector<uint8_t> out{'B', 'M'};
  for (const uint32_t v : {dataOffset + static_cast<uint32_t>(pixels.size()), 0u, dataOffset,
                           static_cast<uint32_t>(layout.headerBytes),
                           static_cast<uint32_t>(picture.width),
                           static_cast<uint32_t>(layout.topDown ? -picture.height : picture.height)})
    PutLe(out, v, 4);
  PutLe(out, 1, 2);
  PutLe(out, static_cast<uint32_t>(bpp), 2);
  for (const uint32_t v : {bitfields ? 3u : 0u, static_cast<uint32_t>(pixels.size()), 2835u, 2835u,
                           static_cast<uint32_t>(palette.size()), 0u})
    PutLe(out, v, 4);
  out.insert(out.end(), static_cast<size_t>(layout.headerBytes - 40), 0);
  for (const uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu})
    if (bitfields) PutLe(out, mask, 4);
  for (const Rgb& c : palette) out.insert(out.end(), {c.b, c.g, c.r, 0});
  out.insert(out.end(), static_cast<size_t>(layout.gapBytes), 0xEE);
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
