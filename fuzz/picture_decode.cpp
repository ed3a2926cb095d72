// The picture decoders, whole-picture and row-selective, over the input exactly as it is: a real
// JPEG or BMP from the corpus reaches them unchanged. Pictures up to the product's own pixel
// limit are decoded, so an input that costs too long (a flood of scans) shows as a timeout.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "memory_file.h"
#include "pictures/texture_loader.h"
#include "platform/platform.h"

namespace {

// Every third row, with the bottom one: the pattern a thumbnail's sampling makes.
void ChooseEveryThirdRow(void*, int32_t, int32_t height, uint8_t* wanted) {
  for (int32_t row = 0; row < height; ++row) wanted[row] = row % 3 == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = fuzzinput::WriteMemoryFile(data, size);
  platform::DecodedPicture whole, rows;
  const bool wholeOk = platform::DecodePictureFile(path.c_str(), kMaxPicturePixels, &whole);
  const bool rowsOk =
      platform::DecodePictureRows(path.c_str(), kMaxPicturePixels, {ChooseEveryThirdRow, nullptr}, &rows);
  // The viewer and the thumbnail grid must agree on what is a picture.
  if (wholeOk != rowsOk) std::abort();
  if (wholeOk) {  // the whole extent the loader copies is there
    volatile uint8_t last = whole.pixels[int64_t{whole.width} * whole.height * 4 - 1];
    (void)last;
  }
  platform::ReleaseDecodedPicture(&whole);
  platform::ReleaseDecodedPicture(&rows);
  return 0;
}
