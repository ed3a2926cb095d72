// OLE renders whole pictures only, so the row-selective decode keeps the wanted rows of a whole one.
#include "platform/picture_rows.h"

namespace platform {

bool DecodePictureRows(const char* path, int64_t maxPixels, const RowChoice& rows,
                       DecodedPicture* out) {
  if (!DecodePictureFile(path, maxPixels, out)) return false;
  KeepWantedRows(out, rows);
  return true;
}

}  // namespace platform
