// Pieces of the POSIX picture decoder shared by the whole-picture and the row-selective decoders.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace platform {

enum class PictureKind { Unknown, Jpeg, Bmp };

// Little-endian fields at a byte offset the caller has checked.
uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at);
uint32_t Le16(const std::vector<uint8_t>& bytes, size_t at);
// The whole file; false when it can't be read or is too large to hold a picture the buffer takes.
bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes);
// Decided by the file's first bytes, never by its name.
PictureKind DetectPictureKind(const std::vector<uint8_t>& bytes);
// True when the JPEG's tables include Adobe's APP14 marker, whose CMYK values are stored inverted.
bool HasAdobeMarker(const std::vector<uint8_t>& bytes);
// Turns count CMYK pixels into BGRx in place.
void ConvertCmykRows(uint8_t* pixels, int64_t count, bool inverted);
// Run-length encoded BMPs (BI_RLE8, BI_RLE4), read by a decoder of our own.
bool IsRleBmp(const std::vector<uint8_t>& bytes);
bool DecodeRleBmp(const std::vector<uint8_t>& bytes, int64_t maxPixels, DecodedPicture* out);
// JPEG, the whole picture (rows null) or the chosen rows as DecodePictureRows lays them out; one
// judge for both, so the thumbnail grid and the viewer accept the same files.
bool DecodeJpeg(const std::vector<uint8_t>& bytes, int64_t maxPixels, const RowChoice* rows,
                DecodedPicture* out);
bool DecodePictureBytes(const std::vector<uint8_t>& bytes, int64_t maxPixels, DecodedPicture* out);

}  // namespace platform
