// Every picture and sprite of the fuzz corpus whole, cut short at each length and with each byte
// changed, through both picture decoders and the sprite reader: what each variant gives (refused,
// or its size and pixels), one digest a file, against the approved record, so that a damaged file
// is always refused or shown the same way. VM_RECORD=1 writes the record anew.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../fuzz/memory_file.h"
#include "approved_record.h"
#include "engine/sprite_bank.h"
#include "pictures/texture_loader.h"
#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(VM_SOURCE_DIR) / "fuzz/corpus";
const fs::path kRecord = fs::path(VM_SOURCE_DIR) / "tests/pictures/damaged_files.txt";

// Adds what a read gave: whether it succeeded, the size it read, and then the red, green and blue
// of each pixel (a picture's fourth byte is unused).
void Note(RunningDigest& digest, bool ok, int32_t width, int32_t height, const uint8_t* pixels, int64_t count,
          int32_t bytesPerPixel) {
  for (const int64_t value : {int64_t{ok}, int64_t{width}, int64_t{height}}) digest.AddValue(static_cast<uint64_t>(value));
  for (const uint8_t* p = pixels; ok && p < pixels + bytesPerPixel * count; p += bytesPerPixel)
    digest.AddValue(p[0] | p[1] << 8 | p[2] << 16);
}

void ChooseEveryThirdRow(void*, int32_t, int32_t height, uint8_t* wanted) {
  for (int32_t row = 0; row < height; ++row) wanted[row] = row % 3 == 0;
}

void DecodeAsPicture(const char* path, bool intact, RunningDigest& digest) {
  platform::DecodedPicture whole, rows;
  const bool wholeOk = platform::DecodePictureFile(path, kMaxPicturePixels, &whole);
  Note(digest, wholeOk, whole.width, whole.height, whole.pixels, int64_t{whole.width} * whole.height, 4);
  const bool rowsOk = platform::DecodePictureRows(path, kMaxPicturePixels, {ChooseEveryThirdRow, nullptr}, &rows);
  Note(digest, rowsOk, rows.width, rows.height, rows.pixels, int64_t{rows.width} * ((rows.height + 2) / 3), 4);
  // Each kept row of an intact picture has the whole decode's pixels (the fourth byte is unused);
  // libjpeg may recover from damage differently where it skips rows.
  const int64_t rowBytes = int64_t{whole.width} * 4;
  for (int64_t row = 0, kept = 0; intact && wholeOk && rowsOk && row < whole.height; row += 3, ++kept)
    for (int64_t i = 0; i < rowBytes; i += 4)
      ASSERT_EQ(std::memcmp(rows.pixels + kept * rowBytes + i, whole.pixels + row * rowBytes + i, 3), 0) << row;
  platform::ReleaseDecodedPicture(&whole);
  platform::ReleaseDecodedPicture(&rows);
}

// Into a slot that holds what the variant before left.
void ReadAsSprite(const char* path, bool, RunningDigest& digest) {
  const SpriteSlot& slot = SpriteBank[7];
  const bool ok = LoadSpriteBitmap(path, 7) && slot.pixels != nullptr;
  Note(digest, ok, static_cast<int32_t>(slot.width), static_cast<int32_t>(slot.height), slot.pixels,
       int64_t{slot.width} * slot.height, 3);
}

// The file's bytes whole and cut at every length, then each byte set to 0, 255, one more and one less.
std::string ReadVariants(const std::vector<uint8_t>& bytes, void (*read)(const char*, bool, RunningDigest&)) {
  RunningDigest digest;
  const auto readBytes = [&](const std::vector<uint8_t>& variant) {
    read(fuzzinput::WriteMemoryFile(variant.data(), variant.size()).c_str(), variant == bytes, digest);
  };
  for (size_t length = 0; length <= bytes.size(); ++length) readBytes({bytes.begin(), bytes.begin() + length});
  std::vector<uint8_t> variant = bytes;
  for (size_t at = 0; at < bytes.size(); ++at) {
    for (const uint8_t value : {uint8_t{0}, uint8_t{255}, uint8_t(bytes[at] + 1), uint8_t(bytes[at] - 1)})
      variant[at] = value, readBytes(variant);
    variant[at] = bytes[at];
  }
  return digest.Text();
}

TEST(DamagedFiles, EveryCutAndChangedByteGivesWhatWasApproved) {
  std::vector<std::string> lines;
  AllocateSpriteBank();
  for (const auto& [folder, read] : {std::pair{"picture_decode", &DecodeAsPicture}, {"sprite_bitmap", &ReadAsSprite}}) {
    std::vector<fs::path> files(fs::directory_iterator(kCorpus / folder), {});
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      std::ifstream in(file, std::ios::binary);
      lines.push_back(file.filename().string() + " " + ReadVariants({std::istreambuf_iterator<char>(in), {}}, read));
    }
  }
  ReleaseSpriteBank();
  if (!ExpectAsRecorded(kRecord, lines)) GTEST_SKIP() << "recorded " << kRecord;
}

}  // namespace
