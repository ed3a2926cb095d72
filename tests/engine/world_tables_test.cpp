#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "canvas/canvas.h"
#include "engine/engine.h"
#include "engine/grid_search.h"
#include "engine/item_catalogue.h"
#include "engine/sprite_bank.h"
#include "engine/world_tables.h"
#include "sprite_files.h"

namespace {

// The engine started once over the sample sprite tree for every test of the suite.
class StartedEngineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new CurrentScratchFolder;
    ASSERT_TRUE(CopySampleSprites());
    SetCanvasSize(64, 48);
    StartEngine();
  }
  static void TearDownTestSuite() {
    StopEngine();
    delete folder_;
  }
  static const ItemRecord& Item(uint32_t id) { return World.ItemTable[id]; }

  static inline CurrentScratchFolder* folder_ = nullptr;
};

bool AllZero(const void* table, size_t bytes) {
  const auto* byte = static_cast<const uint8_t*>(table);
  return std::all_of(byte, byte + bytes, [](uint8_t b) { return b == 0; });
}

TEST_F(StartedEngineTest, StartUpLoadsTheSpritesAndTheSearchCostsAsWritten) {
  EXPECT_NE(SpriteBank[1200].pixels, nullptr);
  // The diagonal costs 1.4142 as written, not the square root of 2.
  const float stepCost[8] = {1.0f, 1.4142f, 1.0f, 1.4142f, 1.0f, 1.4142f, 1.0f, 1.4142f};
  EXPECT_TRUE(std::equal(stepCost, stepCost + 8, World.Search->stepCost));
}

TEST_F(StartedEngineTest, TuningDefaults) {
  std::vector<float> values(256, 3.0f);
  const std::pair<int, float> named[] = {{10, 30},  {11, 332}, {12, 18},  {13, 42},  {14, 16},  {15, 50},
                                         {16, 28},  {17, 30},  {18, 374}, {19, 548}, {20, 208}, {21, 15},
                                         {22, 1},   {61, 3000}, {82, 20}, {180, 180}, {181, 180},
                                         {182, 180}, {183, 180}, {184, 180}};
  for (const auto& [entry, value] : named) values[entry] = value;
  EXPECT_TRUE(std::equal(values.begin(), values.end(), World.TuningValues));
  const float extras[13] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200, 300};
  EXPECT_TRUE(std::equal(extras, extras + 13, World.TuningExtras));
}

TEST_F(StartedEngineTest, CatalogueRows) {
  // The first weapon, compared whole: every field the row doesn't set is 0.
  ItemRecord knife{};
  knife.spriteSlot = 600;
  knife.itemId = 6110;
  knife.worth = 50;
  knife.traitFlags[0] = knife.traitFlags[2] = knife.traitFlags[3] = knife.traitFlags[4] = 1;
  knife.category = 2;
  knife.weaponFlag = 1;
  knife.grade = 1;
  EXPECT_EQ(std::memcmp(&Item(6110), &knife, sizeof(ItemRecord)), 0);
  // 143 catalogue rows and 5 instances; every other row, row 0 too, is still 0.
  uint32_t written = 0;
  for (uint32_t row = 0; row < ItemCount; ++row) written += !AllZero(&Item(row), sizeof(ItemRecord));
  EXPECT_EQ(written, 148u);
  EXPECT_TRUE(AllZero(&Item(0), sizeof(ItemRecord)));
}

TEST_F(StartedEngineTest, InstancesAndCopiesTakeTheGradeAsValue) {
  ItemRecord instance = Item(10000);
  EXPECT_EQ(instance.gradeValue, 1.0f);
  instance.gradeValue = 0.0f;
  EXPECT_EQ(std::memcmp(&instance, &Item(6110), sizeof(ItemRecord)), 0);
  for (const auto& [row, source] : {std::pair{9000u, 6110u}, {9003u, 6316u}}) {
    EXPECT_EQ(Item(row).itemId, source);
    EXPECT_EQ(Item(row).spriteSlot, Item(source).spriteSlot);
  }
  EXPECT_EQ(Item(9003).gradeValue, 2.0f);
  // CopyItem leaves the unwritten fields and ignores records outside the table.
  ItemRecord& target = World.ItemTable[20000];
  std::memset(target.unwrittenA, 7, sizeof target.unwrittenA);
  std::memset(target.unwrittenB, 8, sizeof target.unwrittenB);
  CopyItem(20000, 6129);
  EXPECT_EQ(target.spriteSlot, 619);
  EXPECT_EQ(target.factor, 3.2f);
  EXPECT_EQ(target.gradeValue, 12.0f);
  EXPECT_EQ(target.unwrittenA[26], 7);
  EXPECT_EQ(target.unwrittenB[0], 8);
  CopyItem(ItemCount, 6110);
  CopyItem(20000, ItemCount);  // would read past the table: the target stays as it was
  EXPECT_EQ(target.spriteSlot, 619);
  target = ItemRecord{};
}

TEST(EngineLifetimeTest, StopEngineReleasesEverything) {
  CurrentScratchFolder folder;
  StartEngine();
  StopEngine();
  const void* tables[] = {Canvas, Backdrop, PickMap, SpriteBank, World.CornerGrid, World.LevelTiles,
                          World.LevelMarks, World.UnitTable, World.StructureTable, World.ItemTable, World.Search,
                          World.LevelListA, World.LevelListB, World.LocalGrid, World.NodeTable, World.NodeLinks,
                          World.SineTable, World.CosineTable, World.ConsoleLines};
  for (const void* table : tables) EXPECT_EQ(table, nullptr);
  StopEngine();  // nothing left to release
}

}  // namespace
