// The PictureLoader: names typed by extension, RGBA decoding with the key colour clear, and
// failures that leave the previous picture in place.
#include "pictures/texture_loader.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "picture_files.h"

namespace {

TEST(PictureNames, AreTypedByTheirExtension) {
  PictureInfoRecord info{};
  for (const auto& [name, type, loadable] :
       {std::tuple{"Photo.JPG", 2, 1u}, {"dotted.name.Jpeg", 2, 1u}, {"scan.BMP", 1, 1u}, {"anim.gif", 5, 0u},
        {"icon.ico", 6, 0u}, {"drawing.emf", 7, 0u}, {"clip.wmf", 8, 0u}, {"README", 0, 0u}, {"..", 0, 0u},
        {"photo.jpg.txt", 0, 0u}, {"trailing.", 0, 0u}}) {
    info.type = 99, PictureLoader.loadable = 7;
    EXPECT_EQ(PictureLoader.IsPictureName(name, info), 1);
    EXPECT_EQ(std::pair(info.type, PictureLoader.loadable), std::pair(type, loadable)) << name;
  }
  char out[16];
  TextureLoader::GetExtension("archive.tar.gz", out);
  EXPECT_STREQ(out, "gz");
  TextureLoader::GetExtension("long.abcdefghijklmnopqrstuvwxyz", out);
  EXPECT_EQ(std::strlen(out), 15u) << "cut to the 16-byte buffer";
  EXPECT_EQ(PicturePathFor("a b.jpg"), std::filesystem::current_path().string() + "/a b.jpg");
  EXPECT_EQ(PicturePathFor("see http://host/p.jpg"), "see http://host/p.jpg");
}

// Resident pages within [begin, end), rounded inward to whole pages.
size_t ResidentPages(const uint8_t* begin, const uint8_t* end) {
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + page - 1) / page * page;
  const uintptr_t last = reinterpret_cast<uintptr_t>(end) / page * page;
  std::vector<unsigned char> residency((last - first) / page);
  if (mincore(reinterpret_cast<void*>(first), last - first, residency.data()) != 0) ADD_FAILURE() << "mincore";
  return static_cast<size_t>(std::count_if(residency.begin(), residency.end(), [](unsigned char r) { return r & 1; }));
}

// The buffer is reserved whole at start-up but costs memory only where pictures are stored.
TEST(PictureBuffer, IsReservedOnceWithoutBecomingResident) {
  AllocatePictureBuffer();
  ASSERT_TRUE(PictureBuffer != nullptr && PictureLoader.pixels == PictureBuffer);
  // No test stores a picture beyond the first 100 MB.
  const uint8_t* untouched = PictureBuffer + 100000000;
  EXPECT_EQ(ResidentPages(untouched, PictureBuffer + kPictureBufferBytes), 0u);
  PictureBuffer[kPictureBufferBytes - 1] = 1;  // the whole reservation is writable
  EXPECT_LE(ResidentPages(untouched, PictureBuffer + kPictureBufferBytes), 1u);
  const uint8_t* again = PictureBuffer;
  AllocatePictureBuffer();
  EXPECT_EQ(PictureBuffer, again);
}

class PictureLoading : public ::testing::Test {
 protected:
  void SetUp() override {
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

  std::filesystem::path previousDir_ = std::filesystem::current_path();
  testpictures::TempFolder folder_;
};

TEST_F(PictureLoading, StoresRgbaBottomUpWithTheKeyColourClear) {
  // Top row white, bottom row black then red.
  WriteBmp("p.bmp", {2, 2, {{255, 255, 255}, {255, 255, 255}, {0, 0, 0}, {255, 0, 0}}});
  ASSERT_EQ(Load("p.bmp"), 1);
  EXPECT_EQ(Stored(16), (std::vector<uint8_t>{0, 0, 0, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255}));
  EXPECT_EQ(std::tuple(PictureInfo.width, PictureInfo.height, PictureInfo.bitsPerPixel, PictureInfo.format),
            std::tuple(2u, 2u, 32u, 6408u));
  EXPECT_EQ(std::pair(PictureLoader.width, PictureLoader.height), std::pair(2, 2));
  PictureLoader.SetKeyColour(1, 255, 255, 255);
  ASSERT_EQ(Load("p.bmp"), 1);
  EXPECT_EQ(Stored(16), (std::vector<uint8_t>{0, 0, 0, 255, 255, 0, 0, 255, 255, 255, 255, 0, 255, 255, 255, 0}));
  PictureLoader.SetKeyColour(0, 9, 9, 9);  // another mode keeps the colour, converts plainly
  ASSERT_EQ(Load("p.bmp"), 1);
  EXPECT_EQ(Stored(16), (std::vector<uint8_t>{0, 0, 0, 255, 255, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255}));
  EXPECT_EQ(PictureLoader.keyColour[0], 255);
}

TEST_F(PictureLoading, FailuresLeaveThePreviousPicture) {
  WriteBmp("good.bmp", testpictures::Pattern(3, 2, {{10, 20, 30}, {40, 50, 60}}));
  WriteBmp("really_a.gif", testpictures::Filled(2, 2, {1, 2, 3}));
  folder_.Write("damaged.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F'});
  const uint32_t loads = PictureLoader.loads;
  ASSERT_EQ(Load("good.bmp"), 1);
  const std::vector<uint8_t> before = Stored(3 * 2 * 4);
  EXPECT_EQ(Load("damaged.jpg"), 0);
  EXPECT_EQ(Stored(3 * 2 * 4), before);
  EXPECT_EQ(std::pair(PictureInfo.width, PictureInfo.height), std::pair(3u, 2u));
  EXPECT_EQ(PictureInfo.type, 2) << "the type describes the last name";
  EXPECT_EQ(Load("really_a.gif"), 0) << "only BMP and JPEG names are decoded";
  EXPECT_EQ(PictureLoader.loadable, 0u);
  EXPECT_EQ(Load("missing.bmp"), 0);
  EXPECT_EQ(Stored(3 * 2 * 4), before);
  EXPECT_EQ(PictureLoader.loads, loads + 1) << "only successful decodes count";
  // A current folder whose path does not fit 260 bytes: no path, and nothing read from elsewhere.
  const std::string part(100, 'd');
  for (int level = 0; level < 3; ++level)
    std::filesystem::create_directory(part), std::filesystem::current_path(part);
  std::filesystem::rename(folder_.PathOf("good.bmp"), "good.bmp");
  EXPECT_EQ(PicturePathFor("good.bmp"), "");
  EXPECT_EQ(Load("good.bmp"), 0);
  EXPECT_EQ(Stored(3 * 2 * 4), before);
}

}  // namespace
