// The row-selective decode: JPEG with only the wanted rows decoded (jpeg_decode.cpp); BMP whole,
// then cut.
#include <vector>

#include "platform/picture_rows.h"
#include "platform/platform.h"
#include "platform/posix/picture_decode.h"

namespace platform {

bool DecodePictureRows(const char* path, int64_t maxPixels, const RowChoice& rows,
                       DecodedPicture* out) {
  *out = DecodedPicture{};
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, &bytes)) return false;
  if (DetectPictureKind(bytes) == PictureKind::Jpeg) return DecodeJpeg(bytes, maxPixels, &rows, out);
  if (!DecodePictureBytes(bytes, maxPixels, out)) return false;
  KeepWantedRows(out, rows);
  return true;
}

}  // namespace platform
