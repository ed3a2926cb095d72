// The platform decoder: BMP layouts and JPEG kinds as a 32-bit bitmap (blue, green, red, unused;
// bottom row first), the row-selective decode, and what is refused.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>

#include "picture_files.h"
#include "platform/platform.h"

namespace {

using testpictures::Rgb;
using testpictures::TempFolder;

constexpr int64_t kMaxPixels = 100000000;
const Rgb kRed{255, 0, 0}, kLime{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};

Rgb DecodedAt(const platform::DecodedPicture& decoded, int32_t x, int32_t yFromTop) {
  const uint8_t* p =
      decoded.pixels + 4 * ((static_cast<int64_t>(decoded.height) - 1 - yFromTop) * decoded.width + x);
  return {p[2], p[1], p[0]};
}

struct Decoded {
  bool ok = false;
  platform::DecodedPicture picture;
  explicit Decoded(const std::string& path) { ok = platform::DecodePictureFile(path.c_str(), kMaxPixels, &picture); }
  ~Decoded() { platform::ReleaseDecodedPicture(&picture); }
};

TEST(PictureDecode, EveryBmpLayoutGivesTheColoursWritten) {
  const std::vector<Rgb> two{kBlack, kWhite},
      eight{kRed, kLime, kBlue, kWhite, kBlack, {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};
  const testpictures::BmpLayout layouts[] = {{1, true},  {4, false},  {8, false, false, 8}, {16, false},
                                             {16, true, true, 4}, {24, false}, {24, true, false, 6}, {32, false}};
  TempFolder folder;
  for (const auto& layout : layouts) {
    SCOPED_TRACE(testing::Message() << layout.bitsPerPixel << " bits, top-down " << layout.topDown);
    // An odd width exercises row padding and partly filled bytes; the name says nothing of the kind.
    const auto picture = testpictures::Pattern(7, 5, layout.bitsPerPixel == 1 ? two : eight);
    folder.Write("picture.jpg", testpictures::EncodeBmp(picture, layout));
    Decoded decoded(folder.PathOf("picture.jpg"));
    ASSERT_TRUE(decoded.ok);
    ASSERT_EQ(std::pair(decoded.picture.width, decoded.picture.height), std::pair(7, 5));
    for (int32_t i = 0; i < 35; ++i) EXPECT_EQ(DecodedAt(decoded.picture, i % 7, i / 7), picture.At(i % 7, i / 7)) << i;
  }
}

TEST(PictureDecode, RunLengthEncodedBmps) {
  TempFolder folder;
  folder.Convert("-size 61x37 plasma:fractal -seed 5", "source.png");
  const std::string source =
      std::string("'").append(folder.PathOf("source.png")).append("' -colors 200 -type Palette")
          .append(" -define bmp:format=bmp3");
  folder.Convert(source + " -compress RLE", "rle.bmp");
  folder.Convert(source + " -compress None", "plain.bmp");
  ASSERT_EQ(folder.Read("rle.bmp")[30], 1) << "ImageMagick wrote RLE8";
  Decoded rle(folder.PathOf("rle.bmp")), plain(folder.PathOf("plain.bmp"));
  ASSERT_TRUE(rle.ok && plain.ok);
  for (int32_t y = 0; y < 37; ++y)
    for (int32_t x = 0; x < 61; ++x)
      ASSERT_EQ(DecodedAt(rle.picture, x, y), DecodedAt(plain.picture, x, y)) << x << "," << y;

  // A 5 x 3 RLE4 picture: run, end of line, absolute mode, jump, end of bitmap; the rest stays black.
  std::vector<uint8_t> bmp = testpictures::EncodeBmp(testpictures::Filled(5, 3, kBlack), {4, false});
  const uint8_t palette[16] = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
  std::memcpy(&bmp[54], palette, sizeof palette);
  bmp.resize(54 + 16 * 4);
  bmp[30] = 2;  // BI_RLE4
  bmp.insert(bmp.end(), {5, 0x12, 0, 0,  0, 3, 0x31, 0x20,  0, 2, 1, 1,  1, 0x30, 0, 1});
  folder.Write("rle4.bmp", bmp);
  Decoded rle4(folder.PathOf("rle4.bmp"));
  ASSERT_TRUE(rle4.ok);
  const Rgb rowsFromTop[3][5] = {{kBlack, kBlack, kBlack, kBlack, kBlue},
                                 {kBlue, kRed, kLime, kBlack, kBlack},
                                 {kRed, kLime, kRed, kLime, kRed}};
  for (int32_t i = 0; i < 15; ++i) EXPECT_EQ(DecodedAt(rle4.picture, i % 5, i / 5), rowsFromTop[i / 5][i % 5]) << i;
}

TEST(PictureDecode, EveryJpegKindGivesItsColours) {
  const Rgb greyRed{54, 54, 54}, greyLime{182, 182, 182}, greyBlue{18, 18, 18};
  const struct {
    const char* options;
    Rgb quadrants[4];  // top-left, top-right, bottom-left, bottom-right
  } cases[] = {{"-interlace Plane -sampling-factor 2x2", {kRed, kLime, kBlue, kWhite}},
               {"-colorspace Gray", {greyRed, greyLime, greyBlue, kWhite}},
               {"-colorspace CMYK", {kRed, kLime, kBlue, kWhite}}};
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    // Named as a bitmap: the kind is told by the content.
    folder.Convert(testpictures::QuadrantArguments(64, 48) + " -quality 95 " + c.options, "p.jpg");
    std::filesystem::rename(folder.PathOf("p.jpg"), folder.PathOf("p.bmp"));
    Decoded decoded(folder.PathOf("p.bmp"));
    ASSERT_TRUE(decoded.ok);
    ASSERT_EQ(std::pair(decoded.picture.width, decoded.picture.height), std::pair(64, 48));
    for (int i = 0; i < 4; ++i) {  // lossy: flat quadrants come back close to their colours
      const Rgb got = DecodedAt(decoded.picture, 16 + 32 * (i % 2), 12 + 24 * (i / 2)), want = c.quadrants[i];
      EXPECT_LE(std::max({std::abs(got.r - want.r), std::abs(got.g - want.g), std::abs(got.b - want.b)}), 12) << i;
    }
  }
}

// Rewrites the size fields of the first start-of-frame marker.
void ClaimJpegSize(std::vector<uint8_t>& bytes, uint16_t width, uint16_t height) {
  for (size_t i = 2; i + 9 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) {
      bytes[i + 5] = height >> 8, bytes[i + 6] = height & 0xFF;
      bytes[i + 7] = width >> 8, bytes[i + 8] = width & 0xFF;
      return;
    }
  ADD_FAILURE() << "no frame marker";
}

// The offset of the first marker of kind at or after from.
size_t FindMarker(const std::vector<uint8_t>& bytes, uint8_t kind, size_t from = 2) {
  for (size_t i = from; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == kind) return i;
  ADD_FAILURE() << "no marker " << int{kind};
  return 0;
}

// Chooses rows by rule (all, none, the bottom one, every 17th, one in five at random), noting them.
struct RowChoice {
  int rule = 0;
  std::vector<uint8_t> wanted;
  int32_t width = 0;
};
void ChooseRows(void* context, int32_t width, int32_t height, uint8_t* wanted) {
  auto* choice = static_cast<RowChoice*>(context);
  std::mt19937 random(7);
  choice->width = width;
  choice->wanted.resize(static_cast<size_t>(height));
  for (int32_t r = 0; r < height; ++r)
    wanted[r] = choice->wanted[r] = choice->rule == 0 || (choice->rule == 2 && r == 0) ||
                                    (choice->rule == 3 && r % 17 == 0) || (choice->rule == 4 && random() % 5 == 0);
}

TEST(PictureDecode, RefusesDamagedAndOversizedFilesCleanly) {
  TempFolder folder;
  folder.Write("empty.jpg", {});
  folder.Write("text.bmp", {'h', 'e', 'l', 'l', 'o'});
  folder.Convert(testpictures::QuadrantArguments(64, 48) + " -quality 95", "good.jpg");
  std::vector<uint8_t> jpeg = folder.Read("good.jpg");
  folder.Write("cut.jpg", {jpeg.begin(), jpeg.begin() + 120});  // inside the tables
  std::vector<uint8_t> scrambled = jpeg;
  std::fill(scrambled.begin() + 4, scrambled.begin() + 200, 0x5A);
  folder.Write("scrambled.jpg", scrambled);
  std::vector<uint8_t> bmp = testpictures::EncodeBmp(testpictures::Filled(2, 2, kRed), {});
  bmp[18] = 0x10, bmp[19] = 0x27;  // width 10000, height 2: within the limit, rows absent
  folder.Write("short.bmp", bmp);
  ASSERT_EQ(mkfifo(folder.PathOf("fifo.jpg").c_str(), 0600), 0);  // never waits for a writer
  RowChoice rows;
  for (const char* name : {"empty.jpg", "text.bmp", "missing.jpg", "", "cut.jpg", "scrambled.jpg", "short.bmp",
                           "fifo.jpg"}) {
    Decoded decoded(folder.PathOf(name));
    EXPECT_FALSE(decoded.ok) << name;
    EXPECT_EQ(decoded.picture.pixels, nullptr) << name;
    platform::DecodedPicture some;
    EXPECT_FALSE(platform::DecodePictureRows(folder.PathOf(name).c_str(), kMaxPixels, {ChooseRows, &rows}, &some))
        << name;
  }

  // One pixel over the limit, by the header alone: refused before any pixel is stored.
  bmp[22] = 0x10, bmp[23] = 0x27;  // and height 10000
  folder.Write("huge.bmp", bmp);
  ClaimJpegSize(jpeg, 20000, 20000);
  folder.Write("huge.jpg", jpeg);
  for (const auto& [name, pixels] : {std::pair{"huge.bmp", 100000000}, std::pair{"huge.jpg", 400000000}}) {
    platform::DecodedPicture whole, some;
    const std::string path = folder.PathOf(name);
    EXPECT_FALSE(platform::DecodePictureFile(path.c_str(), pixels - 1, &whole)) << name;
    EXPECT_FALSE(platform::DecodePictureRows(path.c_str(), pixels - 1, {ChooseRows, &rows}, &some)) << name;
    EXPECT_EQ(int64_t{whole.width} * whole.height, pixels) << "the header was read: " << name;
    EXPECT_EQ(some.width, whole.width) << name;
    EXPECT_TRUE(whole.pixels == nullptr && some.pixels == nullptr);
  }
}

// The grid's thumbnails and the viewer agree on which files are pictures.
TEST(PictureDecode, TheWholeAndTheRowDecodersJudgeAlike) {
  TempFolder folder;
  folder.Convert(testpictures::QuadrantArguments(48, 32) + " -interlace Plane", "p.jpg");
  const std::vector<uint8_t> jpeg = folder.Read("p.jpg");
  std::vector<uint8_t> stray = jpeg;  // bytes before a table: libjpeg warns, the picture stays whole
  stray.insert(stray.begin() + static_cast<ptrdiff_t>(FindMarker(jpeg, 0xDB)), {1, 2, 3});
  folder.Write("stray.jpg", stray);
  // The first scan again and again: more scans than any encoder writes, each a pass over the picture.
  const size_t scan = FindMarker(jpeg, 0xDA), next = FindMarker(jpeg, 0xDA, scan + 2);
  std::vector<uint8_t> scans(jpeg.begin(), jpeg.begin() + static_cast<ptrdiff_t>(next));
  for (int i = 0; i < 2000; ++i) scans.insert(scans.end(), jpeg.begin() + static_cast<ptrdiff_t>(scan), jpeg.begin() + static_cast<ptrdiff_t>(next));
  scans.insert(scans.end(), jpeg.begin() + static_cast<ptrdiff_t>(next), jpeg.end());
  folder.Write("scans.jpg", scans);
  RowChoice rows;
  for (const auto& [name, accepted] : {std::pair{"p.jpg", true}, {"stray.jpg", true}, {"scans.jpg", false}}) {
    Decoded whole(folder.PathOf(name));
    platform::DecodedPicture some;
    EXPECT_EQ(whole.ok, accepted) << name;
    EXPECT_EQ(platform::DecodePictureRows(folder.PathOf(name).c_str(), kMaxPixels, {ChooseRows, &rows}, &some), accepted)
        << name;
    platform::ReleaseDecodedPicture(&some);
  }
}

// Every row kept has the very pixels of the whole decode, whichever rows are skipped.
TEST(PictureDecode, RowsKeepTheWholeDecodesPixels) {
  TempFolder folder;
  folder.Write("p.bmp", testpictures::EncodeBmp(
                            testpictures::Pattern(9, 40, {{1, 2, 3}, {200, 100, 50}, {9, 99, 199}}), {}));
  for (const std::string what : {"p.bmp", "-sampling-factor 2x2", "-sampling-factor 2x1", "-sampling-factor 3x1",
                                 "-interlace Plane",
                                 "-colorspace Gray", "-colorspace CMYK -interlace Plane"}) {
    SCOPED_TRACE(what);
    if (what != "p.bmp") folder.Convert("-size 173x221 plasma:fractal -seed 3 " + what, "p.jpg");
    const std::string path = folder.PathOf(what == "p.bmp" ? "p.bmp" : "p.jpg");
    platform::DecodedPicture whole;
    ASSERT_TRUE(platform::DecodePictureFile(path.c_str(), kMaxPixels, &whole));
    const size_t rowBytes = static_cast<size_t>(whole.width) * 4;
    for (int rule = 0; rule < 5; ++rule) {
      RowChoice choice{rule, {}, 0};
      platform::DecodedPicture rows;
      ASSERT_TRUE(platform::DecodePictureRows(path.c_str(), kMaxPixels, {ChooseRows, &choice}, &rows));
      ASSERT_TRUE(choice.width == whole.width && choice.wanted.size() == static_cast<size_t>(whole.height));
      size_t kept = 0;
      for (size_t row = 0; row < choice.wanted.size(); ++row) {
        if (!choice.wanted[row]) continue;
        for (size_t i = 0; i < rowBytes; i += 4)  // the fourth byte is unused
          ASSERT_EQ(std::memcmp(rows.pixels + kept * rowBytes + i, whole.pixels + row * rowBytes + i, 3), 0)
              << "rule " << rule << " row " << row << " byte " << i;
        kept += 1;
      }
      platform::ReleaseDecodedPicture(&rows);
    }
    platform::ReleaseDecodedPicture(&whole);
  }
}

}  // namespace
