#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/sprite_bank.h"
#include "engine/sprite_texture_image.h"
#include "sprite_files.h"

namespace {

class SpriteTextureImageTest : public ::testing::Test {
 protected:
  // Puts a width x height sprite into slot, its buffer owned by the bank.
  static void PutSprite(uint32_t slot, uint32_t width, uint32_t height) {
    auto* pixels = static_cast<uint8_t*>(std::calloc(width * height * 3 + 1, 1));
    SpriteBank[slot] = {pixels, width, height, 3};
  }

  ScopedSpriteBank bank_;
};

TEST_F(SpriteTextureImageTest, SquarePowerOfTwoSpritesWithAlignedRowsAreUploaded) {
  const uint32_t sides[] = {4, 8, 16, 32, 256};
  for (uint32_t i = 0; i < 5; ++i) PutSprite(FirstTextureSlot + i, sides[i], sides[i]);
  for (uint32_t i = 0; i < 5; ++i) {
    const SpriteTextureImage image = SpriteTextureImageOf(FirstTextureSlot + i);
    EXPECT_EQ(image.pixels, SpriteBank[FirstTextureSlot + i].pixels);
    EXPECT_EQ(image.side, static_cast<int32_t>(sides[i]));
  }
}

TEST_F(SpriteTextureImageTest, SlotsTheTextureWouldReadPastAreSkipped) {
  PutSprite(1200, 16, 8);   // not square: a 16 x 16 texture would read twice its pixels
  PutSprite(1201, 8, 16);   // not square either
  PutSprite(1202, 12, 12);  // not a power of two
  PutSprite(1203, 2, 2);    // rows of 6 bytes: 4-byte alignment would read past the end
  PutSprite(1204, 1, 1);
  PutSprite(1205, 0, 0);
  SpriteBank[1206] = {nullptr, 16, 16, 3};  // header accepted, pixels missing
  for (uint32_t slot = 1200; slot <= 1207; ++slot) {
    const SpriteTextureImage image = SpriteTextureImageOf(slot);
    EXPECT_EQ(image.pixels, nullptr) << slot;
    EXPECT_EQ(image.side, 0) << slot;
  }
  EXPECT_EQ(SpriteTextureImageOf(SpriteSlotCount).pixels, nullptr);
}

TEST(SpriteTextureImageWithoutBankTest, NothingIsUploadedBeforeTheBankExists) {
  EXPECT_EQ(SpriteTextureImageOf(FirstTextureSlot).pixels, nullptr);
}

}  // namespace
