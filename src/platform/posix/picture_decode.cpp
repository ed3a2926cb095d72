// Picture decoding on POSIX systems: JPEG through jpeg_decode.cpp, BMP through stb_image
// (run-length encoded BMP through bmp_rle.cpp). The result is laid out as a 32-bit device-independent bitmap:
// blue, green, red, unused; the bottom row first.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <new>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/picture_decode.h"

#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace platform {
namespace {

// Larger files can't hold a picture the buffer accepts, so they are not read at all.
constexpr uint64_t kMaxFileBytes = uint64_t{1} << 30;

bool FitsLimit(int64_t width, int64_t height, int64_t maxPixels) {
  return width > 0 && height > 0 && width * height <= maxPixels;
}

// ---- BMP -------------------------------------------------------------------------------------

// A header may claim a huge picture in a tiny file; uncompressed rows must all be present before
// the decoder allocates for them.
bool BmpRowsPresent(const std::vector<uint8_t>& bytes, int64_t width, int64_t height) {
  if (bytes.size() < 30) return false;
  const uint32_t headerSize = Le32(bytes, 14);
  const int64_t bitsPerPixel = headerSize == 12 ? bytes[24] | (bytes[25] << 8)
                                                : bytes[28] | (bytes[29] << 8);
  const int64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
  return rowBytes * height <= static_cast<int64_t>(bytes.size());
}

// stb_image wants the pixels straight after the header, the bit masks and the colour table. Some
// writers leave unused bytes before the pixels, and a damaged table may hold fewer colours than
// the pixels can name, which stb_image would take from uninitialised memory. It gets the bytes as
// they are when they have no gap and a whole table, else a copy that has, the colours missing from
// the table black; nothing when the pixels would start inside the header or past the end of the
// file. OS/2 and unknown headers go as they are.
const std::vector<uint8_t>* WholeTableNoGap(const std::vector<uint8_t>& bytes, std::vector<uint8_t>* copy) {
  if (bytes.size() < 18) return nullptr;
  const uint32_t headerSize = Le32(bytes, 14);
  if (headerSize < 40 || headerSize > 124) return &bytes;
  if (bytes.size() < 54) return nullptr;
  const uint32_t offset = Le32(bytes, 10), bits = Le16(bytes, 28), compression = Le32(bytes, 30),
                 used = Le32(bytes, 46);
  const uint64_t tableAt = 14 + headerSize + (compression == 3 && headerSize == 40 ? 12 : 0);
  if (offset < tableAt || offset > bytes.size()) return nullptr;
  const uint32_t colours = bits <= 8 ? 1u << bits : 0;
  const uint64_t stored = std::min<uint64_t>(used == 0 ? colours : std::min(used, colours), (offset - tableAt) / 4);
  const uint64_t pixelsAt = tableAt + 4 * colours;  // where stb_image looks for them
  if (stored == colours && offset == pixelsAt) return &bytes;
  copy->assign(bytes.begin(), bytes.begin() + static_cast<int64_t>(tableAt + 4 * stored));
  copy->resize(pixelsAt);
  for (int i = 0; i < 4; ++i) (*copy)[10 + i] = static_cast<uint8_t>(copy->size() >> (8 * i));
  copy->insert(copy->end(), bytes.begin() + offset, bytes.end());
  return copy;
}

// stb_image gives RGBA rows top-down; the bitmap layout wants BGRx rows bottom-up. Done in place.
void ToBottomUpBgrx(uint8_t* pixels, int32_t width, int32_t height) {
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  for (int32_t top = 0, bottom = height - 1; top <= bottom; ++top, --bottom) {
    uint8_t* a = pixels + rowBytes * top;
    uint8_t* b = pixels + rowBytes * bottom;
    for (size_t i = 0; i < rowBytes; i += 4) {
      const uint8_t upper[] = {a[i], a[i + 1], a[i + 2]};
      const uint8_t lower[] = {b[i], b[i + 1], b[i + 2]};
      a[i] = lower[2], a[i + 1] = lower[1], a[i + 2] = lower[0];  // the fourth byte is unused
      b[i] = upper[2], b[i + 1] = upper[1], b[i + 2] = upper[0];
    }
  }
}

bool DecodeBmpWithStb(const std::vector<uint8_t>& bytes, int64_t maxPixels, DecodedPicture* out) {
  const int length = static_cast<int>(bytes.size());
  int width{}, height{}, channels{};
  if (!stbi_info_from_memory(bytes.data(), length, &width, &height, &channels)) return false;
  if (height == INT32_MIN) return false;
  height = std::abs(height);  // negative for rows stored top-down
  out->width = width;
  out->height = height;
  if (!FitsLimit(width, height, maxPixels) || !BmpRowsPresent(bytes, width, height)) return false;
  uint8_t* pixels = stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, 4);
  if (pixels == nullptr) return false;
  ToBottomUpBgrx(pixels, width, height);
  out->pixels = pixels;
  return true;
}

bool DecodeBmp(const std::vector<uint8_t>& bytes, int64_t maxPixels, DecodedPicture* out) {
  if (IsRleBmp(bytes)) return DecodeRleBmp(bytes, maxPixels, out);
  std::vector<uint8_t> copy;
  const std::vector<uint8_t>* whole = WholeTableNoGap(bytes, &copy);
  return whole != nullptr && DecodeBmpWithStb(*whole, maxPixels, out);
}

}  // namespace

// ---- Shared with the row-selective decoder ---------------------------------------------------

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
         (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

uint32_t Le16(const std::vector<uint8_t>& bytes, size_t at) { return bytes[at] | (bytes[at + 1] << 8); }

bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes) {
  ReadableFile* file = OpenFileForReading(path);
  if (file == nullptr) return false;
  const int64_t size = SizeOfFile(file);
  bool ok = static_cast<uint64_t>(size) <= kMaxFileBytes;  // an unknown size, -1, is refused too
  try {
    if (ok) bytes->resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    ok = false;  // a file too large for the memory left is a picture that does not load
  }
  if (ok) ok = ReadFromFile(file, bytes->data(), bytes->size()) == bytes->size();
  CloseReadableFile(file);
  return ok;
}


bool HasAdobeMarker(const std::vector<uint8_t>& bytes) {
  size_t at = 2;
  while (at + 4 <= bytes.size() && bytes[at] == 0xFF) {
    const uint8_t marker = bytes[at + 1];
    if (marker == 0xFF) {  // fill byte
      at += 1;
      continue;
    }
    if (marker == 0xDA) break;  // start of scan: no more tables
    const size_t length = (bytes[at + 2] << 8) | bytes[at + 3];
    if (marker == 0xEE && at + 9 <= bytes.size() &&
        std::memcmp(&bytes[at + 4], "Adobe", 5) == 0)
      return true;
    at += 2 + length;
  }
  return false;
}

void ConvertCmykRows(uint8_t* pixels, int64_t count, bool inverted) {
  for (int64_t i = 0; i < count; ++i) {
    uint8_t* p = pixels + 4 * i;
    // Adobe's writers store 255 - ink; others store the ink itself.
    const uint32_t c = inverted ? p[0] : 255 - p[0];
    const uint32_t m = inverted ? p[1] : 255 - p[1];
    const uint32_t y = inverted ? p[2] : 255 - p[2];
    const uint32_t k = inverted ? p[3] : 255 - p[3];
    p[0] = static_cast<uint8_t>((y * k + 127) / 255);
    p[1] = static_cast<uint8_t>((m * k + 127) / 255);
    p[2] = static_cast<uint8_t>((c * k + 127) / 255);  // the fourth byte is unused
  }
}

PictureKind DetectPictureKind(const std::vector<uint8_t>& bytes) {
  const auto startsWith = [&bytes](std::initializer_list<uint8_t> magic) {
    return std::mismatch(magic.begin(), magic.end(), bytes.begin(), bytes.end()).first == magic.end();
  };
  if (startsWith({0xFF, 0xD8, 0xFF})) return PictureKind::Jpeg;
  if (startsWith({'B', 'M'})) return PictureKind::Bmp;
  return PictureKind::Unknown;
}

bool DecodePictureBytes(const std::vector<uint8_t>& bytes, int64_t maxPixels,
                        DecodedPicture* out) {
  switch (DetectPictureKind(bytes)) {
    case PictureKind::Jpeg: return DecodeJpeg(bytes, maxPixels, nullptr, out);
    case PictureKind::Bmp: return DecodeBmp(bytes, maxPixels, out);
    case PictureKind::Unknown: break;
  }
  return false;
}

bool DecodePictureFile(const char* path, int64_t maxPixels, DecodedPicture* out) {
  *out = DecodedPicture{};
  std::vector<uint8_t> bytes;
  return ReadWholeFile(path, &bytes) && DecodePictureBytes(bytes, maxPixels, out);
}

void ReleaseDecodedPicture(DecodedPicture* picture) {
  std::free(picture->pixels);
  *picture = DecodedPicture{};
}

}  // namespace platform
