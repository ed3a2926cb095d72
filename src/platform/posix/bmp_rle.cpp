// Run-length encoded BMP (8 and 4 bits per pixel), which stb_image does not read but ImageMagick
// writes by default for pictures of up to 256 colours. Pixels the encoding skips stay black.
#include <array>
#include <cstdlib>
#include <cstring>

#include "platform/posix/picture_decode.h"

namespace platform {
namespace {

constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;

using Palette = std::array<std::array<uint8_t, 4>, 256>;  // blue, green, red, unused

class RlePainter {
 public:
  RlePainter(DecodedPicture* out, const Palette& palette) : out_(out), palette_(palette) {}

  // Runs are cut at the right edge; every command starts below the top (Done), and only moves
  // and line ends go up.
  void Paint(uint32_t index) {
    if (x_ < out_->width) {
      uint8_t* p = out_->pixels + 4 * (static_cast<int64_t>(y_) * out_->width + x_);
      std::memcpy(p, palette_[index & 0xFF].data(), sizeof palette_[0]);  // the fourth byte is unused
    }
    x_ += 1;
  }
  void NextLine() {
    x_ = 0;
    y_ += 1;
  }
  void Move(uint32_t dx, uint32_t dy) {
    x_ += static_cast<int64_t>(dx);
    y_ += static_cast<int64_t>(dy);
  }
  bool Done() const { return y_ >= out_->height; }

 private:
  DecodedPicture* out_;
  const Palette& palette_;
  int64_t x_ = 0, y_ = 0;  // y counts rows from the bottom, as the encoding does
};

// One pixel's palette index from a run's byte: RLE8 repeats it, RLE4 alternates its two nibbles.
uint32_t IndexInByte(uint8_t byte, uint32_t n, uint32_t compression) {
  if (compression == kRle8) return byte;
  return n % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

void DecodeRuns(const std::vector<uint8_t>& bytes, size_t at, uint32_t compression,
                RlePainter& painter) {
  while (at + 2 <= bytes.size() && !painter.Done()) {
    const uint32_t count = bytes[at], value = bytes[at + 1];
    at += 2;
    if (count > 0) {
      for (uint32_t n = 0; n < count; ++n) painter.Paint(IndexInByte(static_cast<uint8_t>(value), n, compression));
    } else if (value == 0) {
      painter.NextLine();
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (at + 2 > bytes.size()) return;
      painter.Move(bytes[at], bytes[at + 1]);
      at += 2;
    } else {
      // Absolute mode: value indices as they are, padded to a 16-bit boundary.
      const size_t dataBytes = compression == kRle8 ? value : (value + 1) / 2;
      if (at + dataBytes > bytes.size()) return;
      for (uint32_t n = 0; n < value; ++n) {
        const uint8_t byte = bytes[at + (compression == kRle8 ? n : n / 2)];
        painter.Paint(IndexInByte(byte, n, compression));
      }
      at += (dataBytes + 1) / 2 * 2;
    }
  }
}

}  // namespace

bool IsRleBmp(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 34) return false;
  const uint32_t compression = Le32(bytes, 30);
  return compression == kRle8 || compression == kRle4;
}

bool DecodeRleBmp(const std::vector<uint8_t>& bytes, int64_t maxPixels, DecodedPicture* out) {
  if (bytes.size() < 54) return false;
  const uint32_t headerSize = Le32(bytes, 14);
  const auto width = static_cast<int32_t>(Le32(bytes, 18));
  const auto height = static_cast<int32_t>(Le32(bytes, 22));
  const uint32_t bits = Le16(bytes, 28), compression = Le32(bytes, 30);
  if (headerSize < 40 || (compression == kRle8 ? bits != 8 : bits != 4)) return false;
  out->width = width;
  out->height = height;
  // Run-length encoded bitmaps are always stored bottom-up: a negative height is invalid.
  if (width <= 0 || height <= 0 || int64_t{width} * height > maxPixels) return false;
  Palette palette{};
  const size_t paletteAt = 14 + size_t{headerSize};
  const uint32_t used = Le32(bytes, 46);
  const size_t entries = used == 0 || used > (1u << bits) ? (1u << bits) : used;
  for (size_t i = 0; i < entries && paletteAt + 4 * i + 4 <= bytes.size(); ++i)
    for (size_t c = 0; c < 4; ++c) palette[i][c] = bytes[paletteAt + 4 * i + c];
  out->pixels = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(width) * height, 4));
  if (out->pixels == nullptr) return false;
  RlePainter painter(out, palette);
  DecodeRuns(bytes, Le32(bytes, 10), compression, painter);
  return true;
}

}  // namespace platform
