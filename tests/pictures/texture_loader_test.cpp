// The PictureLoader: names typed by extension, decoding into the PictureBuffer as RGBA with the
// key colour clear, and failures that leave the previous picture in place.
#include "pictures/texture_loader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "picture_files.h"

namespace {

using testpictures::Rgb;
using testpictures::TempFolder;

struct NameCase {
  const char* name;
  int32_t type;
  uint32_t loadable;
};

TEST(PictureNames, AreTypedByTheirExtension) {
  const NameCase cases[] = {{"Photo.JPG", 2, 1},     {"photo.jpeg", 2, 1}, {"scan.BMP", 1, 1},
                            {"anim.gif", 5, 0},      {"icon.ico", 6, 0},   {"drawing.emf", 7, 0},
                            {"clip.wmf", 8, 0},      {"README", 0, 0},     {"archive.tar.gz", 0, 0},
                            {".", 0, 0},             {"..", 0, 0},         {"photo.jpg.txt", 0, 0},
                            {"dotted.name.Jpeg", 2, 1}, {"trailing.", 0, 0}};
  PictureInfoRecord info{};
  for (const NameCase& c : cases) {
    info.type = 99;
    PictureLoader.loadable = 7;
    EXPECT_EQ(PictureLoader.IsPictureName(c.name, info), 1);
    EXPECT_EQ(info.type, c.type) << c.name;
    EXPECT_EQ(PictureLoader.loadable, c.loadable) << c.name;
  }
}

TEST(PictureNames, ExtensionIsTheTextAfterTheLastDot) {
  char out[16];
  TextureLoader::GetExtension("archive.tar.gz", out);
  EXPECT_STREQ(out, "gz");
  TextureLoader::GetExtension("README", out);
  EXPECT_STREQ(out, "");
  TextureLoader::GetExtension("ends.", out);
  EXPECT_STREQ(out, "");
  TextureLoader::GetExtension("..", out);
  EXPECT_STREQ(out, "");
  TextureLoader::GetExtension("long.abcdefghijklmnopqrstuvwxyz", out);
  EXPECT_EQ(std::strlen(out), 15u) << "cut to the 16-byte buffer";
}

TEST(PicturePaths, JoinTheCurrentDirectoryOrKeepAUrl) {
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(PicturePathFor("a b.jpg"), cwd + "/a b.jpg");
  EXPECT_EQ(PicturePathFor("see http://host/p.jpg"), "see http://host/p.jpg");
}

class PictureLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    previousDir_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_.path());
    AllocatePictureBuffer();
    PictureInfo = {};
    PictureLoader.SetKeyColour(1, 0, 0, 0);
  }
  void TearDown() override {
    PictureLoader.SetKeyColour(1, 0, 0, 0);
    std::filesystem::current_path(previousDir_);
  }

  int32_t Load(const char* name) {
    PictureLoader.IsPictureName(name, PictureInfo);
    return PictureLoader.LoadPicture(name, PictureInfo);
  }
  void WriteBmp(const char* name, const testpictures::Picture& picture) {
    folder_.Write(name, testpictures::EncodeBmp(picture, {}));
  }
  std::vector<uint8_t> Stored(size_t bytes) const { return {PictureBuffer, PictureBuffer + bytes}; }

  TempFolder folder_;
  std::filesystem::path previousDir_;
};

TEST_F(PictureLoading, BlackTurnsClearAndWhiteStaysOpaque) {
  WriteBmp("black.bmp", testpictures::Filled(1, 1, {0, 0, 0}));
  WriteBmp("white.bmp", testpictures::Filled(1, 1, {255, 255, 255}));
  ASSERT_EQ(Load("black.bmp"), 1);
  EXPECT_EQ(Stored(4), (std::vector<uint8_t>{0, 0, 0, 0}));
  ASSERT_EQ(Load("white.bmp"), 1);
  EXPECT_EQ(Stored(4), (std::vector<uint8_t>{255, 255, 255, 255}));
  EXPECT_EQ(PictureInfo.width, 1u);
  EXPECT_EQ(PictureInfo.bitsPerPixel, 32u);
  EXPECT_EQ(PictureInfo.format, 6408u);
}

TEST_F(PictureLoading, KeyColourAndPlainConversion) {
  WriteBmp("two.bmp", testpictures::Pattern(2, 1, {{255, 255, 255}, {0, 0, 0}}));
  PictureLoader.SetKeyColour(1, 255, 255, 255);
  ASSERT_EQ(Load("two.bmp"), 1);
  EXPECT_EQ(Stored(8), (std::vector<uint8_t>{255, 255, 255, 0, 0, 0, 0, 255}));
  PictureLoader.SetKeyColour(0, 9, 9, 9);  // another mode keeps the colour, converts plainly
  ASSERT_EQ(Load("two.bmp"), 1);
  EXPECT_EQ(Stored(8), (std::vector<uint8_t>{255, 255, 255, 255, 0, 0, 0, 255}));
  EXPECT_EQ(PictureLoader.keyColour[0], 255);
}

TEST_F(PictureLoading, RowsAreStoredBottomUpInRgbaOrder) {
  // Top row red, bottom row blue.
  testpictures::Picture picture{1, 2, {{255, 0, 0}, {0, 0, 255}}};
  WriteBmp("rows.bmp", picture);
  ASSERT_EQ(Load("rows.bmp"), 1);
  EXPECT_EQ(Stored(8), (std::vector<uint8_t>{0, 0, 255, 255, 255, 0, 0, 255}));
  EXPECT_EQ(PictureLoader.width, 1);
  EXPECT_EQ(PictureLoader.height, 2);
}

TEST_F(PictureLoading, DamagedJpegLeavesThePreviousPicture) {
  WriteBmp("good.bmp", testpictures::Pattern(3, 2, {{10, 20, 30}, {40, 50, 60}}));
  folder_.Convert(testpictures::QuadrantArguments(32, 32), "good.jpg");
  std::vector<uint8_t> damaged = folder_.Read("good.jpg");
  damaged.resize(100);
  folder_.Write("damaged.jpg", damaged);
  ASSERT_EQ(Load("good.bmp"), 1);
  const std::vector<uint8_t> before = Stored(3 * 2 * 4);
  const uint32_t loads = PictureLoader.loads;
  EXPECT_EQ(Load("damaged.jpg"), 0);
  EXPECT_EQ(Stored(3 * 2 * 4), before);
  EXPECT_EQ(PictureInfo.width, 3u);
  EXPECT_EQ(PictureInfo.height, 2u);
  EXPECT_EQ(PictureInfo.type, 2) << "the type describes the last name";
  EXPECT_EQ(PictureLoader.loads, loads);
}

TEST_F(PictureLoading, OnlyBmpAndJpegNamesAreDecoded) {
  WriteBmp("really_a.gif", testpictures::Filled(2, 2, {1, 2, 3}));
  EXPECT_EQ(Load("really_a.gif"), 0);
  EXPECT_EQ(PictureLoader.loadable, 0u);
  EXPECT_EQ(Load("missing.bmp"), 0);
  EXPECT_EQ(PictureInfo.width, 0u);
}

TEST_F(PictureLoading, CountsSuccessfulDecodes) {
  WriteBmp("a.bmp", testpictures::Filled(2, 2, {1, 2, 3}));
  const uint32_t loads = PictureLoader.loads;
  Load("a.bmp");
  Load("a.bmp");
  Load("nothing.bmp");
  EXPECT_EQ(PictureLoader.loads, loads + 2);
}

}  // namespace
