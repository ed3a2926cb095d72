// Picture decoding into the shared PictureBuffer: RGBA, bottom row first, key-colour alpha.
#pragma once

#include <cstdint>
#include <string>

struct PictureInfoRecord {
  int32_t spare;
  int32_t type;            // 1 bmp, 2 jpg/jpeg, 5 gif, 6 ico, 7 emf, 8 wmf, 0 other
  uint32_t width;          // of the last successful decode
  uint32_t height;
  uint32_t format;         // 6408, GL_RGBA
  uint32_t bitsPerPixel;   // 32
};

inline constexpr int64_t kPictureBufferBytes = 400000000;
inline constexpr int64_t kMaxPicturePixels = kPictureBufferBytes / 4;

// A file name's picture type and whether the loader decodes it, by its extension.
struct PictureNameKind {
  int32_t type;
  uint32_t loadable;
};
PictureNameKind ClassifyPictureName(const char* name);

class TextureLoader {
 public:
  TextureLoader();
  virtual ~TextureLoader();

  void SetKeyColour(uint8_t mode, uint8_t red, uint8_t green, uint8_t blue);
  int32_t IsPictureName(const char* name, PictureInfoRecord& info);
  int32_t LoadPicture(const char* name, PictureInfoRecord& info);
  int32_t DecodePicturePath(const char* path, PictureInfoRecord& info);
  static void GetExtension(const char* name, char (&out)[16]);
  void StorePixels(const PictureInfoRecord& info, const uint8_t* bits);

  int32_t spare = 0;
  uint32_t loadable = 0;
  uint8_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  float ViewerStep = 0.0f;
  int32_t PanFactor = 0;
  uint32_t MenuBarShown = 0;
  uint32_t loads = 0;
  uint8_t keyMode = 0;
  uint8_t keyColour[3] = {0, 0, 0};
};

extern TextureLoader PictureLoader;
extern PictureInfoRecord PictureInfo;
extern uint8_t* PictureBuffer;

// The path LoadPicture decodes for name: the current directory, the separator and the name, or
// the name itself when it is a URL. Empty when the current directory can't be read (or does not
// fit its 260 bytes): a picture is never looked for in another folder.
std::string PicturePathFor(const char* name);
// Fills info for a decoded picture of width x height: 32 bits per pixel, GL_RGBA.
void RecordDecodedSize(int32_t width, int32_t height, PictureInfoRecord& info);

// Reserves the 400,000,000-byte PictureBuffer without making it resident.
void AllocatePictureBuffer();
