// The platform decoder: every BMP layout and JPEG kind the loader meets, read back as a 32-bit
// bitmap (blue, green, red, unused; bottom row first), and what it refuses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "picture_files.h"
#include "platform/platform.h"

namespace {

using testpictures::BmpLayout;
using testpictures::Picture;
using testpictures::Rgb;
using testpictures::Sixteen;
using testpictures::TempFolder;

constexpr int64_t kMaxPixels = 100000000;

const Rgb kRed{255, 0, 0}, kLime{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255},
    kBlack{0, 0, 0}, kYellow{255, 255, 0}, kCyan{0, 255, 255}, kMagenta{255, 0, 255};

// The decoded pixel at (x, y) counted from the picture's top, as red, green, blue.
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

struct BmpCase {
  const char* name;
  BmpLayout layout;
  std::vector<Rgb> colours;
};

class BmpLayouts : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BmpLayouts, DecodeToTheColoursWritten) {
  const BmpCase& bmp = GetParam();
  TempFolder folder;
  // An odd width exercises row padding and partly filled bytes.
  const Picture picture = testpictures::Pattern(7, 5, bmp.colours);
  folder.Write("picture.dat", testpictures::EncodeBmp(picture, bmp.layout));
  Decoded decoded(folder.PathOf("picture.dat"));
  ASSERT_TRUE(decoded.ok);
  ASSERT_EQ(decoded.picture.width, 7);
  ASSERT_EQ(decoded.picture.height, 5);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 7; ++x)
      EXPECT_EQ(DecodedAt(decoded.picture, x, y), picture.At(x, y)) << "at " << x << "," << y;
}

const std::vector<Rgb> kTwo{kBlack, kWhite};
const std::vector<Rgb> kEight{kRed, kLime, kBlue, kWhite, kBlack, kYellow, kCyan, kMagenta};

INSTANTIATE_TEST_SUITE_P(
    Variants, BmpLayouts,
    ::testing::Values(BmpCase{"bits1", {1, false}, kTwo}, BmpCase{"bits1TopDown", {1, true}, kTwo},
                      BmpCase{"bits4", {4, false}, kEight}, BmpCase{"bits8", {8, false}, kEight},
                      BmpCase{"bits8TopDown", {8, true}, kEight},
                      BmpCase{"bits16", {16, false, Sixteen::Rgb555}, kEight},
                      BmpCase{"bits16Rgb565", {16, false, Sixteen::Rgb565}, kEight},
                      BmpCase{"bits24", {24, false}, kEight}, BmpCase{"bits24TopDown", {24, true}, kEight},
                      BmpCase{"bits32", {32, false}, kEight}, BmpCase{"bits32TopDown", {32, true}, kEight},
                      BmpCase{"bits24AfterAGap", {24, false, Sixteen::Rgb555, 6}, kEight},
                      BmpCase{"bits16Rgb565AfterAGap", {16, true, Sixteen::Rgb565, 4}, kEight},
                      BmpCase{"bits8AfterAGap", {8, false, Sixteen::Rgb555, 8}, kEight}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureDecode, RunLengthEncodedBmpMatchesTheUncompressedOne) {
  TempFolder folder;
  folder.Convert("-size 61x37 plasma:fractal -seed 5", "source.png");
  const std::string source =
      "'" + folder.PathOf("source.png") + "' -colors 200 -type Palette -define bmp:format=bmp3";
  folder.Convert(source + " -compress RLE", "rle.bmp");
  folder.Convert(source + " -compress None", "plain.bmp");
  ASSERT_EQ(folder.Read("rle.bmp")[30], 1) << "ImageMagick wrote RLE8";
  Decoded rle(folder.PathOf("rle.bmp"));
  Decoded plain(folder.PathOf("plain.bmp"));
  ASSERT_TRUE(rle.ok);
  ASSERT_TRUE(plain.ok);
  for (int32_t y = 0; y < 37; ++y)
    for (int32_t x = 0; x < 61; ++x)
      ASSERT_EQ(DecodedAt(rle.picture, x, y), DecodedAt(plain.picture, x, y)) << x << "," << y;
}

// A 5 x 3 RLE4 picture using every kind of record: a run, end of line, absolute mode, a jump and
// end of bitmap. Pixels it never reaches stay black.
std::vector<uint8_t> HandMadeRle4() {
  std::vector<uint8_t> bmp = testpictures::EncodeBmp(testpictures::Filled(5, 3, kBlack), {4, false});
  const uint8_t palette[4][4] = {{0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
  std::memcpy(&bmp[54], palette, sizeof palette);
  bmp.resize(54 + 16 * 4);
  bmp[30] = 2;  // BI_RLE4
  const uint8_t runs[] = {5, 0x12, 0, 0,           // bottom row: 1 2 1 2 1, end of line
                          0, 3, 0x31, 0x20,        // 3 1 2 as they are
                          0, 2, 1, 1,              // one right, one up
                          1, 0x30, 0, 1};          // 3, end of bitmap
  bmp.insert(bmp.end(), std::begin(runs), std::end(runs));
  return bmp;
}

TEST(PictureDecode, RunLengthRecordsOfEveryKind) {
  TempFolder folder;
  folder.Write("rle4.bmp", HandMadeRle4());
  Decoded decoded(folder.PathOf("rle4.bmp"));
  ASSERT_TRUE(decoded.ok);
  const std::vector<std::vector<Rgb>> rowsFromTop = {{kBlack, kBlack, kBlack, kBlack, kBlue},
                                                     {kBlue, kRed, kLime, kBlack, kBlack},
                                                     {kRed, kLime, kRed, kLime, kRed}};
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(DecodedAt(decoded.picture, x, y), rowsFromTop[y][x]) << x << "," << y;
}

// JPEG is lossy: flat quadrants come back close to their colours, far from the others.
void ExpectQuadrants(const platform::DecodedPicture& decoded, const std::vector<Rgb>& expected) {
  const int32_t w = decoded.width, h = decoded.height;
  const int32_t points[4][2] = {{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
  for (int i = 0; i < 4; ++i) {
    const Rgb got = DecodedAt(decoded, points[i][0], points[i][1]);
    EXPECT_NEAR(got.r, expected[i].r, 12) << "quadrant " << i;
    EXPECT_NEAR(got.g, expected[i].g, 12) << "quadrant " << i;
    EXPECT_NEAR(got.b, expected[i].b, 12) << "quadrant " << i;
  }
}

struct JpegCase {
  const char* name;
  const char* options;
  std::vector<Rgb> quadrants;  // top-left, top-right, bottom-left, bottom-right
};

class JpegKinds : public ::testing::TestWithParam<JpegCase> {};

TEST_P(JpegKinds, DecodeToTheirColours) {
  TempFolder folder;
  folder.Convert(testpictures::QuadrantArguments(64, 48) + " " + GetParam().options, "p.jpg");
  Decoded decoded(folder.PathOf("p.jpg"));
  ASSERT_TRUE(decoded.ok);
  ASSERT_EQ(decoded.picture.width, 64);
  ASSERT_EQ(decoded.picture.height, 48);
  ExpectQuadrants(decoded.picture, GetParam().quadrants);
}

const Rgb kGreyRed{54, 54, 54}, kGreyLime{182, 182, 182}, kGreyBlue{18, 18, 18};

INSTANTIATE_TEST_SUITE_P(
    Variants, JpegKinds,
    ::testing::Values(
        JpegCase{"baseline", "-quality 95", {kRed, kLime, kBlue, kWhite}},
        JpegCase{"progressive", "-quality 95 -interlace Plane", {kRed, kLime, kBlue, kWhite}},
        JpegCase{"subsampled", "-quality 95 -sampling-factor 2x2", {kRed, kLime, kBlue, kWhite}},
        JpegCase{"greyscale", "-quality 95 -colorspace Gray", {kGreyRed, kGreyLime, kGreyBlue, kWhite}},
        JpegCase{"cmyk", "-quality 95 -colorspace CMYK", {kRed, kLime, kBlue, kWhite}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureDecode, DecidesTheKindByContentNotByName) {
  TempFolder folder;
  folder.Convert(testpictures::QuadrantArguments(16, 16) + " -quality 95", "jpeg.jpg");
  folder.Write("named.bmp", folder.Read("jpeg.jpg"));
  folder.Write("bitmap.jpg", testpictures::EncodeBmp(testpictures::Filled(3, 2, kBlue), {}));
  Decoded jpeg(folder.PathOf("named.bmp"));
  Decoded bmp(folder.PathOf("bitmap.jpg"));
  EXPECT_TRUE(jpeg.ok);
  ASSERT_TRUE(bmp.ok);
  EXPECT_EQ(DecodedAt(bmp.picture, 2, 1), kBlue);
}

TEST(PictureDecode, RefusesWhatIsNoPicture) {
  TempFolder folder;
  folder.Write("empty.jpg", {});
  folder.Write("text.bmp", {'h', 'e', 'l', 'l', 'o'});
  for (const char* name : {"empty.jpg", "text.bmp", "missing.jpg"}) {
    Decoded decoded(folder.PathOf(name));
    EXPECT_FALSE(decoded.ok) << name;
    EXPECT_EQ(decoded.picture.pixels, nullptr) << name;
  }
  Decoded folderItself(folder.path());
  EXPECT_FALSE(folderItself.ok);
}

TEST(PictureDecode, DamagedJpegFails) {
  TempFolder folder;
  folder.Convert(testpictures::QuadrantArguments(64, 48) + " -quality 95", "good.jpg");
  std::vector<uint8_t> bytes = folder.Read("good.jpg");
  bytes.resize(120);  // cut inside the tables, before the frame is complete
  folder.Write("cut.jpg", bytes);
  std::vector<uint8_t> scrambled = folder.Read("good.jpg");
  for (size_t i = 4; i < 200 && i < scrambled.size(); ++i) scrambled[i] = 0x5A;
  folder.Write("scrambled.jpg", scrambled);
  EXPECT_FALSE(Decoded(folder.PathOf("cut.jpg")).ok);
  EXPECT_FALSE(Decoded(folder.PathOf("scrambled.jpg")).ok);
}

// Rewrites the first start-of-frame marker's size fields.
void ClaimJpegSize(std::vector<uint8_t>& bytes, uint16_t width, uint16_t height) {
  for (size_t i = 2; i + 9 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) {
      bytes[i + 5] = height >> 8;
      bytes[i + 6] = height & 0xFF;
      bytes[i + 7] = width >> 8;
      bytes[i + 8] = width & 0xFF;
      return;
    }
  }
  ADD_FAILURE() << "no frame marker";
}

TEST(PictureDecode, RefusesPicturesOverTheLimitFromTheirHeader) {
  TempFolder folder;
  std::vector<uint8_t> bmp = testpictures::EncodeBmp(testpictures::Filled(2, 2, kRed), {});
  bmp[18] = 0x20, bmp[19] = 0x4E;  // width 20000
  bmp[22] = 0x20, bmp[23] = 0x4E;  // height 20000
  folder.Write("huge.bmp", bmp);
  folder.Convert(testpictures::QuadrantArguments(16, 16), "small.jpg");
  std::vector<uint8_t> jpeg = folder.Read("small.jpg");
  ClaimJpegSize(jpeg, 20000, 20000);
  folder.Write("huge.jpg", jpeg);
  for (const char* name : {"huge.bmp", "huge.jpg"}) {
    Decoded decoded(folder.PathOf(name));
    EXPECT_FALSE(decoded.ok) << name;
    EXPECT_EQ(decoded.picture.width, 20000) << "the header was read: " << name;
    EXPECT_EQ(decoded.picture.pixels, nullptr);
  }
}

TEST(PictureDecode, RefusesABmpWhoseRowsAreMissing) {
  TempFolder folder;
  std::vector<uint8_t> bmp = testpictures::EncodeBmp(testpictures::Filled(2, 2, kRed), {});
  bmp[18] = 0x10, bmp[19] = 0x27;  // width 10000, height 2: within the limit, rows absent
  folder.Write("short.bmp", bmp);
  EXPECT_FALSE(Decoded(folder.PathOf("short.bmp")).ok);
}

}  // namespace
