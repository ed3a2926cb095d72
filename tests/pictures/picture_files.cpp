#include "picture_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace testpictures {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::vector<Rgb> PaletteOf(const Picture& picture) {
  std::vector<Rgb> palette;
  for (const Rgb& colour : picture.pixels)
    if (std::find(palette.begin(), palette.end(), colour) == palette.end()) palette.push_back(colour);
  return palette;
}

uint32_t Pack16(Rgb c, Sixteen sixteen) {
  if (sixteen == Sixteen::Rgb565) return ((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3);
  return ((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3);
}

// One row of pixel data, padded to four bytes.
std::vector<uint8_t> EncodeRow(const Picture& picture, int32_t yFromTop, const BmpLayout& layout,
                               const std::vector<Rgb>& palette) {
  std::vector<uint8_t> row;
  uint32_t bits = 0;
  int filled = 0;
  for (int32_t x = 0; x < picture.width; ++x) {
    const Rgb c = picture.At(x, yFromTop);
    switch (layout.bitsPerPixel) {
      case 1: case 4: case 8: {
        const auto index = static_cast<uint32_t>(
            std::find(palette.begin(), palette.end(), c) - palette.begin());
        bits = (bits << layout.bitsPerPixel) | index;
        filled += layout.bitsPerPixel;
        if (filled == 8) {
          row.push_back(static_cast<uint8_t>(bits));
          bits = 0;
          filled = 0;
        }
        break;
      }
      case 16: Put16(row, Pack16(c, layout.sixteen)); break;
      case 24: row.insert(row.end(), {c.b, c.g, c.r}); break;
      default: row.insert(row.end(), {c.b, c.g, c.r, 0}); break;
    }
  }
  if (filled > 0) row.push_back(static_cast<uint8_t>(bits << (8 - filled)));
  while (row.size() % 4 != 0) row.push_back(0);
  return row;
}

}  // namespace

Picture Pattern(int32_t width, int32_t height, const std::vector<Rgb>& colours) {
  Picture picture{width, height, {}};
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) picture.pixels.push_back(colours[(x + y) % colours.size()]);
  return picture;
}

Picture Filled(int32_t width, int32_t height, Rgb colour) {
  return Picture{width, height, std::vector<Rgb>(static_cast<size_t>(width) * height, colour)};
}

std::vector<uint8_t> EncodeBmp(const Picture& picture, const BmpLayout& layout) {
  const bool paletted = layout.bitsPerPixel <= 8;
  const bool bitfields = layout.bitsPerPixel == 16 && layout.sixteen == Sixteen::Rgb565;
  std::vector<Rgb> palette = paletted ? PaletteOf(picture) : std::vector<Rgb>{};
  if (paletted) palette.resize(size_t{1} << layout.bitsPerPixel, Rgb{0, 0, 0});
  const uint32_t tableBytes = static_cast<uint32_t>(palette.size() * 4) + (bitfields ? 12 : 0);
  const uint32_t dataOffset = 14 + 40 + tableBytes + static_cast<uint32_t>(layout.gapBytes);
  std::vector<uint8_t> pixels;
  for (int32_t i = 0; i < picture.height; ++i) {
    const int32_t yFromTop = layout.topDown ? i : picture.height - 1 - i;
    const std::vector<uint8_t> row = EncodeRow(picture, yFromTop, layout, palette);
    pixels.insert(pixels.end(), row.begin(), row.end());
  }
  std::vector<uint8_t> out{'B', 'M'};
  Put32(out, dataOffset + static_cast<uint32_t>(pixels.size()));
  Put32(out, 0);
  Put32(out, dataOffset);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(picture.width));
  Put32(out, static_cast<uint32_t>(layout.topDown ? -picture.height : picture.height));
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(layout.bitsPerPixel));
  Put32(out, bitfields ? 3 : 0);
  Put32(out, static_cast<uint32_t>(pixels.size()));
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, paletted ? static_cast<uint32_t>(palette.size()) : 0);
  Put32(out, 0);
  if (bitfields) {
    Put32(out, 0xF800);
    Put32(out, 0x07E0);
    Put32(out, 0x001F);
  }
  for (const Rgb& c : palette) out.insert(out.end(), {c.b, c.g, c.r, 0});
  out.insert(out.end(), static_cast<size_t>(layout.gapBytes), 0xEE);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vm_pictures_XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "no temporary folder";
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
  std::ofstream out(PathOf(name), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> TempFolder::Read(const std::string& name) const {
  std::ifstream in(PathOf(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void TempFolder::Convert(const std::string& arguments, const std::string& name) const {
  const std::string command = "convert " + arguments + " '" + PathOf(name) + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

std::string QuadrantArguments(int32_t width, int32_t height) {
  const std::string size = "-size " + std::to_string(width / 2) + "x" + std::to_string(height / 2);
  return "\\( " + size + " xc:red " + size + " xc:lime +append \\) \\( " + size + " xc:blue " +
         size + " xc:white +append \\) -append";
}

}  // namespace testpictures
