// For backends whose decoder can't skip rows: the whole picture is decoded, then only the wanted
// rows are kept, moved together at the front of its pixels.
#pragma once

#include <cstring>
#include <vector>

#include "platform/platform.h"

namespace platform {

inline void KeepWantedRows(DecodedPicture* picture, const RowChoice& rows) {
  std::vector<uint8_t> wanted(static_cast<size_t>(picture->height), 0);
  rows.choose(rows.context, picture->width, picture->height, wanted.data());
  const size_t rowBytes = static_cast<size_t>(picture->width) * 4;
  size_t kept = 0;
  for (size_t row = 0; row < wanted.size(); ++row) {
    if (!wanted[row]) continue;
    if (kept != row) std::memmove(picture->pixels + kept * rowBytes, picture->pixels + row * rowBytes, rowBytes);
    kept += 1;
  }
}

}  // namespace platform
