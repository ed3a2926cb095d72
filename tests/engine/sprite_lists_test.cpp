#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "engine/sprite_bank.h"
#include "sprite_files.h"

namespace {

class SpriteListsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SampleSpriteTree::Get().CopyInto(folder_.path())); }

  static uint32_t FilledSlots(uint32_t first, uint32_t last) {
    uint32_t filled = 0;
    for (uint32_t slot = first; slot <= last; ++slot) filled += SpriteBank[slot].pixels != nullptr;
    return filled;
  }

  // Whether slot holds the pixels of the sample file at path, turned into red, green, blue.
  static bool HoldsFile(uint32_t slot, const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const SpriteSlot& sprite = SpriteBank[slot];
    const size_t size = sprite.width * sprite.height * 3;
    if (sprite.pixels == nullptr || file.size() != 54 + size) return false;
    for (size_t i = 0; i < size; ++i) {
      const size_t swapped = i - i % 3 + 2 - i % 3;
      if (sprite.pixels[i] != file[54 + swapped]) return false;
    }
    return true;
  }

  CurrentScratchFolder folder_;
  ScopedSpriteBank bank_;
};

TEST_F(SpriteListsTest, EveryListedFileReachesItsSlot) {
  LoadSpriteLists();
  EXPECT_EQ(FilledSlots(0, SpriteSlotCount - 1), 214u);
  EXPECT_EQ(FilledSlots(801, 983), 58u);
  EXPECT_EQ(FilledSlots(10, 24) + FilledSlots(180, 194), 27u);
  EXPECT_EQ(FilledSlots(111, 167), 40u);
  EXPECT_EQ(FilledSlots(390, 408), 10u);
  EXPECT_EQ(FilledSlots(1200, 1223), 21u);
  for (uint32_t slot = 0; slot < SpriteSlotCount; ++slot) {
    if (SpriteBank[slot].pixels == nullptr) continue;
    EXPECT_EQ(SpriteBank[slot].width, 16u) << slot;
    EXPECT_EQ(SpriteBank[slot].bytesPerPixel, 3u) << slot;
  }
  const std::pair<uint32_t, const char*> samples[] = {
      {1104, "bmp_cross/cross4.bmp"},      {801, "bmp_unit/unit_giant_rat.bmp"},
      {849, "bmp_unit/unit_mage.bmp"},     {981, "bmp_unit/unit_mage.bmp"},
      {10, "bmp_land/plain.bmp"},          {193, "bmp_land/forest_leaf.bmp"},
      {111, "bmp_dungeon/wall.bmp"},       {167, "bmp_dungeon/scrolls.bmp"},
      {390, "bmp_structure/hart.bmp"},     {0, "bmp_item/blank.bmp"},
      {3001, "bmp_item/item_blue_bag.bmp"}, {788, "bmp_item/alleviated_corner4.bmp"},
      {1000, "bmp_scr/intro1.bmp"},        {1200, "bmp_cube/structure_castle.bmp"},
      {1206, "bmp_cube/DSC3.bmp"},         {1223, "bmp_unit/unit_pleidian.bmp"},
  };
  for (const auto& [slot, path] : samples) EXPECT_TRUE(HoldsFile(slot, path)) << slot << " " << path;
}

TEST_F(SpriteListsTest, AFileListedTwiceIsReadIntoEachSlot) {
  LoadSpriteLists();
  EXPECT_TRUE(HoldsFile(130, "bmp_dungeon/source.bmp"));
  EXPECT_TRUE(HoldsFile(160, "bmp_dungeon/source.bmp"));
  EXPECT_NE(SpriteBank[130].pixels, SpriteBank[160].pixels);
  EXPECT_FALSE(HoldsFile(131, "bmp_dungeon/source.bmp"));
}

TEST_F(SpriteListsTest, MissingCubeFolderLeavesOnlyItsSlotsEmpty) {
  fs::remove_all("bmp_cube");
  LoadSpriteLists();
  EXPECT_EQ(FilledSlots(1200, 1206), 0u);
  for (uint32_t slot = 1200; slot <= 1206; ++slot) EXPECT_EQ(SpriteBank[slot].bytesPerPixel, 0u);
  EXPECT_EQ(FilledSlots(1210, 1223), 14u);
  EXPECT_EQ(FilledSlots(0, SpriteSlotCount - 1), 207u);
}

TEST(SpriteListsWithoutFilesTest, AnEmptyFolderLeavesEverySlotEmpty) {
  CurrentScratchFolder folder;
  ScopedSpriteBank bank;
  LoadSpriteLists();
  for (uint32_t slot = 0; slot < SpriteSlotCount; ++slot) EXPECT_EQ(SpriteBank[slot].pixels, nullptr);
}

}  // namespace
