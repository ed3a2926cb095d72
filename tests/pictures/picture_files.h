// Test pictures written on the spot: BMP files of every layout by hand, JPEG files through
// ImageMagick, inside temporary folders that vanish with the test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testpictures {

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

// A picture as tests describe it: rows from the top, as one reads it.
struct Picture {
  int32_t width = 0, height = 0;
  std::vector<Rgb> pixels;  // width x height, top row first

  Rgb At(int32_t x, int32_t yFromTop) const { return pixels[yFromTop * width + x]; }
};

// width x height pixels cycling through colours, shifted by one on each row.
Picture Pattern(int32_t width, int32_t height, const std::vector<Rgb>& colours);
Picture Filled(int32_t width, int32_t height, Rgb colour);

enum class Sixteen { Rgb555, Rgb565 };
struct BmpLayout {
  int bitsPerPixel = 24;  // 1, 4, 8 (palette), 16, 24 or 32
  bool topDown = false;
  Sixteen sixteen = Sixteen::Rgb555;
  int gapBytes = 0;  // unused bytes between the colour table and the pixels
};
std::vector<uint8_t> EncodeBmp(const Picture& picture, const BmpLayout& layout);

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string PathOf(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
  std::vector<uint8_t> Read(const std::string& name) const;
  // Runs ImageMagick's convert with arguments, the output being name in this folder.
  void Convert(const std::string& arguments, const std::string& name) const;

 private:
  std::string path_;
};

// ImageMagick arguments drawing a width x height picture of four flat quadrants: red top-left,
// lime top-right, blue bottom-left, white bottom-right.
std::string QuadrantArguments(int32_t width, int32_t height);

}  // namespace testpictures
