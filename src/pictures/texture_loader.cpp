#include "pictures/texture_loader.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "shell/out_of_memory.h"

TextureLoader PictureLoader;
PictureInfoRecord PictureInfo;
uint8_t* PictureBuffer = nullptr;

namespace {

constexpr uint32_t kGlRgba = 6408;
constexpr int32_t kCurrentDirLimit = 260;

// Step 7 of the decode: BGRx arrives, RGBA leaves; with key mode 1 the key colour turns clear.
void ConvertToRgba(uint8_t* pixels, int64_t count, uint8_t keyMode, const uint8_t* key) {
  for (int64_t i = 0; i < count; ++i) {
    uint8_t* p = pixels + 4 * i;
    const uint8_t blue = p[0], green = p[1], red = p[2];
    p[0] = red;  // green keeps its place
    p[2] = blue;
    if (keyMode == 1)
      p[3] = (red == key[0] && green == key[1] && blue == key[2]) ? 0 : 255;
    else
      p[3] = 255;
  }
}

// lstrcmpiA's comparison for the ASCII extensions it is used on.
bool SameIgnoringCase(std::string_view a, std::string_view b) {
  const auto same = [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); };
  return std::ranges::equal(a, b, same);
}

}  // namespace

PictureNameKind ClassifyPictureName(const char* name) {
  char extension[16];
  TextureLoader::GetExtension(name, extension);
  if (SameIgnoringCase(extension, "bmp")) return {1, 1};
  if (SameIgnoringCase(extension, "jpg") || SameIgnoringCase(extension, "jpeg")) return {2, 1};
  if (SameIgnoringCase(extension, "gif")) return {5, 0};
  if (SameIgnoringCase(extension, "ico")) return {6, 0};
  if (SameIgnoringCase(extension, "emf")) return {7, 0};
  if (SameIgnoringCase(extension, "wmf")) return {8, 0};
  return {0, 0};
}

TextureLoader::TextureLoader() {
  SetKeyColour(1, 0, 0, 0);
}

TextureLoader::~TextureLoader() = default;

void TextureLoader::SetKeyColour(uint8_t mode, uint8_t red, uint8_t green, uint8_t blue) {
  keyMode = mode;
  if (mode != 1) return;
  keyColour[0] = red;
  keyColour[1] = green;
  keyColour[2] = blue;
}

void TextureLoader::GetExtension(const char* name, char (&out)[16]) {
  const char* dot = std::strrchr(name, '.');
  // Longer extensions are cut rather than overrun the buffer.
  std::snprintf(out, sizeof out, "%s", dot == nullptr ? "" : dot + 1);
}

int32_t TextureLoader::IsPictureName(const char* name, PictureInfoRecord& info) {
  const PictureNameKind kind = ClassifyPictureName(name);
  info.type = kind.type;
  loadable = kind.loadable;
  return 1;
}

std::string PicturePathFor(const char* name) {
  if (std::strstr(name, "http://") != nullptr) return name;
  char directory[kCurrentDirLimit + 1];
  if (!platform::ReadCurrentDir(directory, sizeof directory)) return {};
  return std::string(directory) + platform::NativeConventions().separator + name;
}

void RecordDecodedSize(int32_t width, int32_t height, PictureInfoRecord& info) {
  info.width = static_cast<uint32_t>(width);
  info.height = static_cast<uint32_t>(height);
  info.bitsPerPixel = 32;
  info.format = kGlRgba;
}

int32_t TextureLoader::LoadPicture(const char* name, PictureInfoRecord& info) {
  const std::string path = PicturePathFor(name);
  if (loadable != 1 || path.empty()) return 0;
  return DecodePicturePath(path.c_str(), info);
}

int32_t TextureLoader::DecodePicturePath(const char* path, PictureInfoRecord& info) {
  if (pixels == nullptr) return 0;
  platform::DecodedPicture decoded;
  const bool ok = platform::DecodePictureFile(path, kMaxPicturePixels, &decoded);
  if (decoded.width != 0 || decoded.height != 0) {
    width = decoded.width;
    height = decoded.height;
  }
  if (!ok) return 0;
  ConvertToRgba(decoded.pixels, static_cast<int64_t>(decoded.width) * decoded.height, keyMode,
                keyColour);
  RecordDecodedSize(decoded.width, decoded.height, info);
  StorePixels(info, decoded.pixels);
  platform::ReleaseDecodedPicture(&decoded);
  return 1;
}

void TextureLoader::StorePixels(const PictureInfoRecord& info, const uint8_t* bits) {
  const uint64_t bytes = uint64_t{info.width} * info.height * (info.bitsPerPixel / 8);
  if (bytes <= static_cast<uint64_t>(kPictureBufferBytes)) std::memcpy(pixels, bits, bytes);
  loads += 1;
}

void AllocatePictureBuffer() {
  // calloc of this size maps fresh zero pages: nothing becomes resident until a picture is stored.
  if (PictureBuffer == nullptr)
    PictureBuffer = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(kPictureBufferBytes), 1));
  if (PictureBuffer == nullptr) FailOutOfMemory("picture buffer");
  PictureLoader.pixels = PictureBuffer;
}
