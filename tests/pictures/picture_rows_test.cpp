// The row-selective decode must give the very pixels of the whole decode for every row it keeps,
// whatever the JPEG's sampling, scan order or colour space, and whichever rows are skipped.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "picture_files.h"
#include "platform/platform.h"

namespace {

using testpictures::TempFolder;

constexpr int64_t kMaxPixels = 100000000;

struct Choice {
  std::vector<uint8_t> pattern;  // wanted flags for a picture of this many rows
  int32_t seenWidth = 0, seenHeight = 0;
};

void ChooseFromPattern(void* context, int32_t width, int32_t height, uint8_t* wanted) {
  auto* choice = static_cast<Choice*>(context);
  choice->seenWidth = width;
  choice->seenHeight = height;
  std::memcpy(wanted, choice->pattern.data(), static_cast<size_t>(height));
}

void ExpectRowsOfTheWholeDecode(const std::string& path, std::vector<uint8_t> pattern) {
  platform::DecodedPicture whole, rows;
  ASSERT_TRUE(platform::DecodePictureFile(path.c_str(), kMaxPixels, &whole)) << path;
  ASSERT_EQ(pattern.size(), static_cast<size_t>(whole.height));
  Choice choice{std::move(pattern)};
  ASSERT_TRUE(platform::DecodePictureRows(path.c_str(), kMaxPixels, {ChooseFromPattern, &choice}, &rows));
  EXPECT_EQ(choice.seenWidth, whole.width);
  EXPECT_EQ(choice.seenHeight, whole.height);
  const size_t rowBytes = static_cast<size_t>(whole.width) * 4;
  size_t kept = 0;
  for (size_t row = 0; row < choice.pattern.size(); ++row) {
    if (!choice.pattern[row]) continue;
    // The fourth byte is unused: only colours count.
    for (size_t i = 0; i < rowBytes; i += 4)
      ASSERT_EQ(std::memcmp(rows.pixels + kept * rowBytes + i, whole.pixels + row * rowBytes + i, 3), 0)
          << path << " row " << row << " byte " << i;
    kept += 1;
  }
  platform::ReleaseDecodedPicture(&whole);
  platform::ReleaseDecodedPicture(&rows);
}

std::vector<std::vector<uint8_t>> Patterns(int32_t height) {
  std::mt19937 random(7);
  std::vector<std::vector<uint8_t>> patterns;
  std::vector<uint8_t> all(static_cast<size_t>(height), 1), bottom(static_cast<size_t>(height), 0),
      every17(static_cast<size_t>(height), 0), scattered(static_cast<size_t>(height), 0),
      none(static_cast<size_t>(height), 0);
  bottom[0] = 1;
  for (int32_t r = 0; r < height; r += 17) every17[static_cast<size_t>(r)] = 1;
  for (uint8_t& w : scattered) w = random() % 5 == 0;
  return {all, bottom, every17, scattered, none};
}

class RowDecode : public ::testing::TestWithParam<const char*> {};

TEST_P(RowDecode, KeepsTheWholeDecodesPixels) {
  TempFolder folder;
  folder.Convert("-size 173x221 plasma:fractal -seed 3 " + std::string(GetParam()), "p.jpg");
  for (const auto& pattern : Patterns(221)) ExpectRowsOfTheWholeDecode(folder.PathOf("p.jpg"), pattern);
}

INSTANTIATE_TEST_SUITE_P(JpegKinds, RowDecode,
                         ::testing::Values("-sampling-factor 2x2", "-sampling-factor 2x1",
                                           "-sampling-factor 1x1", "-interlace Plane",
                                           "-colorspace Gray", "-colorspace CMYK",
                                           "-colorspace CMYK -interlace Plane"));

TEST(RowDecodeBmp, KeepsTheWholeDecodesPixels) {
  TempFolder folder;
  const auto picture = testpictures::Pattern(9, 40, {{1, 2, 3}, {200, 100, 50}, {9, 99, 199}});
  folder.Write("p.bmp", testpictures::EncodeBmp(picture, {24, false}));
  for (const auto& pattern : Patterns(40)) ExpectRowsOfTheWholeDecode(folder.PathOf("p.bmp"), pattern);
}

TEST(RowDecodeLimits, RefusesLikeTheWholeDecode) {
  TempFolder folder;
  folder.Write("text.jpg", {'n', 'o'});
  Choice choice;
  platform::DecodedPicture rows;
  EXPECT_FALSE(platform::DecodePictureRows(folder.PathOf("text.jpg").c_str(), kMaxPixels,
                                           {ChooseFromPattern, &choice}, &rows));
  folder.Convert("-size 64x64 xc:red", "p.jpg");
  EXPECT_FALSE(platform::DecodePictureRows(folder.PathOf("p.jpg").c_str(), 64 * 64 - 1,
                                           {ChooseFromPattern, &choice}, &rows));
  EXPECT_EQ(rows.width, 64) << "the header was read";
  EXPECT_EQ(rows.pixels, nullptr);
  std::vector<uint8_t> cut = folder.Read("p.jpg");
  cut.resize(150);
  folder.Write("cut.jpg", cut);
  EXPECT_FALSE(platform::DecodePictureRows(folder.PathOf("cut.jpg").c_str(), kMaxPixels,
                                           {ChooseFromPattern, &choice}, &rows));
}

}  // namespace
