#include <gtest/gtest.h>

#include "engine/sprite_bank.h"
#include "sprite_files.h"

namespace {

class SpriteBitmapTest : public ::testing::Test {
 protected:
  // Writes bytes as name in the scratch folder and loads it into slot.
  bool Load(const std::vector<uint8_t>& bytes, uint32_t slot = 5, const char* name = "sprite.bmp") {
    WriteBytes(name, bytes);
    return LoadSpriteBitmap(name, slot);
  }

  // A slot that already holds a 2 x 1 sprite, to show that a failure leaves it as it was.
  void PreloadSlot(uint32_t slot) { ASSERT_TRUE(Load(CountingBmp(2, 1), slot, "earlier.bmp")); }

  static void ExpectEmpty(const SpriteSlot& slot) {
    EXPECT_EQ(slot.pixels, nullptr);
    EXPECT_EQ(slot.width, 0u);
    EXPECT_EQ(slot.height, 0u);
    EXPECT_EQ(slot.bytesPerPixel, 0u);
  }

  static void ExpectPreloaded(const SpriteSlot& slot) {
    ASSERT_NE(slot.pixels, nullptr);
    EXPECT_EQ(slot.width, 2u);
    EXPECT_EQ(slot.height, 1u);
    EXPECT_EQ(slot.pixels[0], 2);
  }

  // Sizes taken from the header, no pixels.
  static void ExpectSizesWithoutPixels(const SpriteSlot& slot, uint32_t width, uint32_t height) {
    EXPECT_EQ(slot.pixels, nullptr);
    EXPECT_EQ(slot.width, width);
    EXPECT_EQ(slot.height, height);
    EXPECT_EQ(slot.bytesPerPixel, 3u);
  }

  CurrentScratchFolder folder_;
  ScopedSpriteBank bank_;
};

TEST_F(SpriteBitmapTest, FourByTwoBitmapIsStoredAsRedGreenBlue) {
  std::vector<uint8_t> file = BmpHeader(4, 2);
  for (int pixel = 0; pixel < 8; ++pixel) {
    file.push_back(static_cast<uint8_t>(0x10 + pixel));  // blue
    file.push_back(static_cast<uint8_t>(0x20 + pixel));  // green
    file.push_back(static_cast<uint8_t>(0x30 + pixel));  // red
  }
  ASSERT_TRUE(Load(file));
  const SpriteSlot& slot = SpriteBank[5];
  EXPECT_EQ(slot.width, 4u);
  EXPECT_EQ(slot.height, 2u);
  EXPECT_EQ(slot.bytesPerPixel, 3u);
  ASSERT_NE(slot.pixels, nullptr);
  for (int pixel = 0; pixel < 8; ++pixel) {
    EXPECT_EQ(slot.pixels[3 * pixel], 0x30 + pixel);
    EXPECT_EQ(slot.pixels[3 * pixel + 1], 0x20 + pixel);
    EXPECT_EQ(slot.pixels[3 * pixel + 2], 0x10 + pixel);
  }
}

TEST_F(SpriteBitmapTest, PixelArrayIsReadFromOffset54WhateverTheHeaderSays) {
  std::vector<uint8_t> file = CountingBmp(1, 1);
  file[10] = 200;  // the header's own pixel-data offset is not consulted
  file[30] = 1;    // nor the compression field
  file[29] = 1;    // only the bit count's low byte must be 24
  file.push_back(0xEE);  // bytes beyond the pixel array are not read
  ASSERT_TRUE(Load(file));
  EXPECT_EQ(SpriteBank[5].pixels[0], 2);
  EXPECT_EQ(SpriteBank[5].pixels[2], 0);
}

TEST_F(SpriteBitmapTest, ReloadingReplacesTheSlotsPixels) {
  PreloadSlot(5);
  ASSERT_TRUE(Load(CountingBmp(3, 2)));
  EXPECT_EQ(SpriteBank[5].width, 3u);
  EXPECT_EQ(SpriteBank[5].height, 2u);
  EXPECT_EQ(SpriteBank[5].pixels[17], 15);
}

TEST_F(SpriteBitmapTest, RejectedFilesLeaveTheSlotAsItWas) {
  std::vector<uint8_t> eightBit = BmpHeader(1, 1, 8);
  eightBit.resize(58);
  EXPECT_FALSE(Load(eightBit, 6));
  ExpectEmpty(SpriteBank[6]);

  PreloadSlot(5);
  EXPECT_FALSE(LoadSpriteBitmap("missing.bmp", 5));
  ExpectPreloaded(SpriteBank[5]);
  EXPECT_FALSE(Load(eightBit));
  ExpectPreloaded(SpriteBank[5]);

  std::vector<uint8_t> notBm = CountingBmp(1, 1);
  notBm[1] = 'A';
  EXPECT_FALSE(Load(notBm));
  ExpectPreloaded(SpriteBank[5]);

  std::vector<uint8_t> shortHeader = CountingBmp(1, 1);
  shortHeader.resize(53);
  EXPECT_FALSE(Load(shortHeader));
  EXPECT_FALSE(Load({}));
  ExpectPreloaded(SpriteBank[5]);

  fs::create_directory("folder.bmp");
  EXPECT_FALSE(LoadSpriteBitmap("folder.bmp", 5));
  ExpectPreloaded(SpriteBank[5]);
}

TEST_F(SpriteBitmapTest, MissingPixelBytesKeepTheSizesButNoPixels) {
  EXPECT_FALSE(Load(BmpHeader(1, 1)));  // 54 bytes: the 3 pixel bytes are missing
  ExpectSizesWithoutPixels(SpriteBank[5], 1, 1);

  PreloadSlot(7);
  std::vector<uint8_t> oneByteShort = CountingBmp(4, 4);
  oneByteShort.pop_back();
  EXPECT_FALSE(Load(oneByteShort, 7));
  ExpectSizesWithoutPixels(SpriteBank[7], 4, 4);
}

TEST_F(SpriteBitmapTest, HostileSizesFailWithoutPixels) {
  struct Case {
    uint32_t width, height;
  };
  const Case cases[] = {
      {0x7FFFFFFF, 0x7FFFFFFF},  // far more than the file holds, and than memory
      {0x80000000, 1},           // negative width
      {1, 0xFFFFFFFF},           // negative height
      {0xFFFFFFFF, 0xFFFFFFFF},  // both negative: the product would wrap to 3
      {0x55555556, 0x30000000},  // the size would wrap in 32 bits
      {1000, 1000},              // plausible, but the file holds 12 bytes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
    PreloadSlot(5);
    std::vector<uint8_t> file = BmpHeader(c.width, c.height);
    file.resize(file.size() + 12, 0x44);
    EXPECT_FALSE(Load(file));
    ExpectSizesWithoutPixels(SpriteBank[5], c.width, c.height);
  }
}

TEST_F(SpriteBitmapTest, EmptyPixelArrayLoadsWithoutReading) {
  ASSERT_TRUE(Load(BmpHeader(0, 9)));
  EXPECT_NE(SpriteBank[5].pixels, nullptr);
  EXPECT_EQ(SpriteBank[5].width, 0u);
  EXPECT_EQ(SpriteBank[5].height, 9u);
}

TEST_F(SpriteBitmapTest, SlotsOutsideTheBankAreRefused) {
  WriteBytes("sprite.bmp", CountingBmp(1, 1));
  EXPECT_FALSE(LoadSpriteBitmap("sprite.bmp", SpriteSlotCount));
  EXPECT_FALSE(LoadSpriteBitmap("sprite.bmp", 0xFFFFFFFF));
  EXPECT_TRUE(LoadSpriteBitmap("sprite.bmp", SpriteSlotCount - 1));
}

TEST(SpriteBankTest, NothingLoadsBeforeTheBankExistsOrAfterItIsReleased) {
  CurrentScratchFolder folder;
  WriteBytes("sprite.bmp", CountingBmp(1, 1));
  EXPECT_FALSE(LoadSpriteBitmap("sprite.bmp", 1));
  AllocateSpriteBank();
  EXPECT_TRUE(LoadSpriteBitmap("sprite.bmp", 1));
  ReleaseSpriteBank();
  EXPECT_EQ(SpriteBank, nullptr);
  EXPECT_FALSE(LoadSpriteBitmap("sprite.bmp", 1));
  ReleaseSpriteBank();  // a second release finds nothing to free
}

}  // namespace
