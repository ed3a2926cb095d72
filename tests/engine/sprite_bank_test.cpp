#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "engine/sprite_bank.h"
#include "engine/sprite_texture_image.h"
#include "sprite_files.h"

namespace {

// Every test gets a scratch current folder and a bank with every slot empty.
class SpriteBankTest : public ::testing::Test {
 protected:
  void SetUp() override { AllocateSpriteBank(); }
  void TearDown() override { ReleaseSpriteBank(); }
  static bool Load(const std::vector<uint8_t>& bytes, uint32_t slot = 5) {
    std::ofstream("sprite.bmp", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
    return LoadSpriteBitmap("sprite.bmp", slot);
  }
  static std::vector<uint8_t> Pixels(uint32_t slot) {
    const SpriteSlot& s = SpriteBank[slot];
    return s.pixels == nullptr ? std::vector<uint8_t>{} : std::vector(s.pixels, s.pixels + s.width * s.height * 3);
  }
  static auto FilledSlots(uint32_t first, uint32_t last) {
    return std::count_if(SpriteBank + first, SpriteBank + last + 1, [](const SpriteSlot& s) { return s.pixels; });
  }
  CurrentScratchFolder folder_;
};

// A file's pixels as the bank should hold them: the bytes after the header, red first.
std::vector<uint8_t> RedFirst(const std::vector<uint8_t>& file) {
  std::vector<uint8_t> pixels(file.begin() + std::min<ptrdiff_t>(54, std::ssize(file)), file.end());
  for (size_t i = 0; i + 2 < pixels.size(); i += 3) std::swap(pixels[i], pixels[i + 2]);
  return pixels;
}

TEST_F(SpriteBankTest, PixelsAreReadFromOffset54AsRedGreenBlue) {
  std::vector<uint8_t> file = CountingBmp(4, 2);
  const std::vector<uint8_t> expected = RedFirst(file);
  file[10] = 200;        // the header's own pixel-data offset is not consulted
  file[30] = 1;          // nor the compression field
  file[29] = 1;          // only the bit count's low byte must be 24
  file.push_back(0xEE);  // bytes beyond the pixel array are not read
  ASSERT_TRUE(Load(CountingBmp(3, 3)));  // replaced by the next load
  ASSERT_TRUE(Load(file));
  EXPECT_EQ(std::pair(SpriteBank[5].bytesPerPixel, Pixels(5)), std::pair(3u, expected));
  ASSERT_TRUE(Load(Bmp(0, 9)));  // an empty pixel array still gets a buffer
  EXPECT_NE(SpriteBank[5].pixels, nullptr);
  EXPECT_TRUE(Load(CountingBmp(1, 1), SpriteSlotCount - 1));
  EXPECT_FALSE(Load(CountingBmp(1, 1), SpriteSlotCount));
  EXPECT_FALSE(Load(CountingBmp(1, 1), 0xFFFFFFFF));
  ReleaseSpriteBank();
  EXPECT_EQ(SpriteBank, nullptr);
  EXPECT_FALSE(Load(CountingBmp(1, 1), 1)) << "no bank";
  EXPECT_EQ(SpriteTextureImageOf(FirstTextureSlot).pixels, nullptr);
}

// No header makes the reader read or allocate more than the file holds. A rejected file leaves the
// slot as it was; an accepted header keeps its sizes but the slot loses its pixels.
TEST_F(SpriteBankTest, DamagedFilesFailWithoutPixels) {
  std::vector<uint8_t> notBm = CountingBmp(1, 1), shortHeader = Bmp(1, 1);
  notBm[1] = 'A';
  shortHeader.pop_back();
  const std::vector<uint8_t> preloaded = {2, 1, 0, 5, 4, 3};
  const struct {
    std::vector<uint8_t> file;
    uint32_t width, height;  // 2 x 1: rejected, the slot keeps its preloaded pixels
  } cases[] = {
      {Bmp(1, 1, 4, 8), 2, 1},  // not 24 bits
      {notBm, 2, 1},
      {shortHeader, 2, 1},
      {{}, 2, 1},
      {Bmp(1, 1), 1, 1},         // the pixels are missing
      {Bmp(4, 4, 47), 4, 4},     // one byte short
      {Bmp(1000, 1000, 12), 1000, 1000},
      {Bmp(0x7FFFFFFF, 0x7FFFFFFF, 12), 0x7FFFFFFF, 0x7FFFFFFF},  // beyond memory
      {Bmp(0x80000000, 1, 12), 0x80000000, 1},                    // negative
      {Bmp(1, 0xFFFFFFFF, 12), 1, 0xFFFFFFFF},
      {Bmp(0xFFFFFFFF, 0xFFFFFFFF, 12), 0xFFFFFFFF, 0xFFFFFFFF},  // product wraps to 3
      {Bmp(0x55555556, 0x30000000, 12), 0x55555556, 0x30000000},  // wraps in 32 bits
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(Load(CountingBmp(2, 1)));
    EXPECT_FALSE(Load(c.file));
    const SpriteSlot& slot = SpriteBank[5];
    EXPECT_EQ(std::tuple(slot.width, slot.height, slot.bytesPerPixel, Pixels(5)),
              std::tuple(c.width, c.height, 3u, c.width == 2 ? preloaded : std::vector<uint8_t>{}))
        << c.file.size() << " bytes";
  }
  ASSERT_TRUE(Load(CountingBmp(2, 1)));
  fs::create_directory("folder.bmp");
  EXPECT_FALSE(LoadSpriteBitmap("folder.bmp", 5));
  EXPECT_FALSE(LoadSpriteBitmap("missing.bmp", 5));
  ASSERT_EQ(mkfifo("fifo.bmp", 0600), 0);
  EXPECT_FALSE(LoadSpriteBitmap("fifo.bmp", 5)) << "refused without waiting for a writer";
  EXPECT_EQ(Pixels(5), preloaded);
}

TEST_F(SpriteBankTest, EveryListedFileReachesItsSlot) {
  ASSERT_TRUE(CopySampleSprites());
  LoadSpriteLists();
  EXPECT_EQ(std::pair(FilledSlots(0, SpriteSlotCount - 1), FilledSlots(1200, 1223)), std::pair(214L, 21L));
  const std::pair<uint32_t, const char*> samples[] = {{1104, "bmp_cross/cross4.bmp"}, {130, "bmp_dungeon/source.bmp"},
      {160, "bmp_dungeon/source.bmp"}, {0, "bmp_item/blank.bmp"}, {1223, "bmp_unit/unit_pleidian.bmp"}};
  for (const auto& [slot, path] : samples) {
    std::ifstream in(path, std::ios::binary);
    const auto pixels = RedFirst({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    EXPECT_EQ(std::pair(pixels.size(), Pixels(slot)), std::pair(size_t{16 * 16 * 3}, pixels)) << slot << " " << path;
  }
  EXPECT_NE(SpriteBank[130].pixels, SpriteBank[160].pixels);  // a file listed twice is read twice
  EXPECT_NE(Pixels(131), Pixels(130));
  // Without the cube folder only its slots stay empty.
  ReleaseSpriteBank();
  AllocateSpriteBank();
  fs::remove_all("bmp_cube");
  LoadSpriteLists();
  EXPECT_EQ(std::pair(FilledSlots(0, SpriteSlotCount - 1), FilledSlots(1200, 1206)), std::pair(207L, 0L));
}

// The texture takes the width as both sides with 4-byte rows: only sprites it covers exactly go.
TEST_F(SpriteBankTest, TextureImagesNeverReadPastTheSprite) {
  const uint32_t sizes[][3] = {{4, 4, 1}, {16, 8, 0}, {8, 16, 0}, {12, 12, 0}, {2, 2, 0}, {0, 0, 0}};  // w, h, uploaded
  SpriteSlot& slot = SpriteBank[FirstTextureSlot];
  for (const auto& [width, height, uploaded] : sizes) {
    slot = {static_cast<uint8_t*>(std::calloc(width * height * 3 + 1, 1)), width, height, 3};
    const SpriteTextureImage image = SpriteTextureImageOf(FirstTextureSlot);
    const uint8_t* expected = uploaded ? slot.pixels : nullptr;
    EXPECT_EQ(std::pair(image.pixels, image.side), std::pair(expected, int32_t(uploaded * width))) << width << " x " << height;
    std::free(slot.pixels);
  }
  slot = {nullptr, 16, 16, 3};  // header accepted, pixels missing
  EXPECT_EQ(SpriteTextureImageOf(FirstTextureSlot).pixels, nullptr);
  EXPECT_EQ(SpriteTextureImageOf(SpriteSlotCount).pixels, nullptr);
}

}  // namespace
