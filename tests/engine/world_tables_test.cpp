#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>

#include "canvas/canvas.h"
#include "engine/engine.h"
#include "engine/grid_search.h"
#include "engine/item_catalogue.h"
#include "engine/sprite_bank.h"
#include "engine/trig_tables.h"
#include "engine/world_tables.h"
#include "sprite_files.h"
#include "trig_reference.h"

namespace {

// The engine started once over the sample sprite tree for every test of the suite.
class StartedEngineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new CurrentScratchFolder;
    ASSERT_TRUE(SampleSpriteTree::Get().CopyInto(folder_->path()));
    SetCanvasSize(64, 48);
    StartEngine();
  }
  static void TearDownTestSuite() {
    StopEngine();
    delete folder_;
  }

  static const ItemRecord& Item(uint32_t id) { return World.ItemTable[id]; }

  static CurrentScratchFolder* folder_;
};

CurrentScratchFolder* StartedEngineTest::folder_ = nullptr;

bool AllZero(const void* table, size_t bytes) {
  const auto* byte = static_cast<const uint8_t*>(table);
  return std::all_of(byte, byte + bytes, [](uint8_t b) { return b == 0; });
}

TEST_F(StartedEngineTest, CanvasIsSizedAndSpritesAreLoaded) {
  EXPECT_NE(Canvas, nullptr);
  EXPECT_NE(Backdrop, nullptr);
  EXPECT_NE(PickMap, nullptr);
  EXPECT_EQ(CanvasWidth, 64);
  EXPECT_EQ(CanvasHeight, 48);
  ASSERT_NE(SpriteBank, nullptr);
  EXPECT_NE(SpriteBank[1200].pixels, nullptr);
  EXPECT_EQ(SpriteBank[1].pixels, nullptr);
}

TEST_F(StartedEngineTest, LevelTablesStartAtZeroButForTheFirstFourTiles) {
  constexpr size_t kLevelBytes = static_cast<size_t>(WorldDepth) * CellsPerLevel;
  ASSERT_NE(World.CornerGrid, nullptr);
  EXPECT_EQ(World.LevelTiles[0], 0);
  EXPECT_EQ(World.LevelTiles[1], 1);
  EXPECT_EQ(World.LevelTiles[2], 0);
  EXPECT_EQ(World.LevelTiles[3], 1);
  EXPECT_TRUE(AllZero(World.LevelTiles + 4, kLevelBytes - 4));
  EXPECT_TRUE(AllZero(World.LevelMarks, kLevelBytes));
  EXPECT_TRUE(AllZero(World.NodeTable, NodeCount * sizeof(FiveWordRecord)));
  EXPECT_TRUE(AllZero(World.StructureTable, StructureCount * sizeof(StructureRecord)));
  for (void* table : {static_cast<void*>(World.LevelListA), static_cast<void*>(World.LevelListB),
                      static_cast<void*>(World.LocalGrid), static_cast<void*>(World.NodeLinks)})
    EXPECT_NE(table, nullptr);
}

TEST_F(StartedEngineTest, OnlyUnitRecordOneHasValues) {
  for (float field : World.UnitTable[1].presetFields) EXPECT_EQ(field, 0.5f);
  EXPECT_TRUE(AllZero(World.UnitTable[1].gameFields, sizeof World.UnitTable[1].gameFields));
  EXPECT_TRUE(AllZero(&World.UnitTable[0], sizeof(UnitRecord)));
  EXPECT_TRUE(AllZero(&World.UnitTable[2], (UnitCount - 2) * sizeof(UnitRecord)));
}

TEST_F(StartedEngineTest, GridSearchHasItsTablesAndTheMode0StepTable) {
  const GridSearch* search = World.Search;
  ASSERT_NE(search, nullptr);
  for (const void* table : {static_cast<const void*>(search->cellWordsA), static_cast<const void*>(search->cellWordsB),
                            static_cast<const void*>(search->cellValuesA), static_cast<const void*>(search->cellBytesA),
                            static_cast<const void*>(search->cellValuesB), static_cast<const void*>(search->cellValuesC),
                            static_cast<const void*>(search->unitValuesA), static_cast<const void*>(search->unitValuesB),
                            static_cast<const void*>(search->unitPathsA), static_cast<const void*>(search->unitPathsB),
                            static_cast<const void*>(search->unitValuesC), static_cast<const void*>(search->cellBytesB),
                            static_cast<const void*>(search->scratch), static_cast<const void*>(search->cellRecords)})
    EXPECT_NE(table, nullptr);
  for (uint32_t unit = 0; unit < UnitCount; ++unit) {
    ASSERT_EQ(search->unitTargets[unit], -9) << unit;
    ASSERT_EQ(search->unitCounters[unit], 0u) << unit;
  }
  const int32_t stepX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
  const int32_t stepY[8] = {1, 1, 0, -1, -1, -1, 0, 1};
  for (int step = 0; step < 8; ++step) {
    EXPECT_EQ(search->stepX[step], stepX[step]) << step;
    EXPECT_EQ(search->stepY[step], stepY[step]) << step;
    EXPECT_EQ(search->stepCost[step], step % 2 == 0 ? 1.0f : 1.4142f) << step;
  }
  EXPECT_NE(search->stepCost[1], static_cast<float>(std::sqrt(2.0)));
  EXPECT_EQ(search->stepOrderMode, 0);
  EXPECT_EQ(search->busy, 0);
}

TEST_F(StartedEngineTest, TuningDefaults) {
  const std::map<int, float> named = {{10, 30},  {11, 332}, {12, 18},   {13, 42},  {14, 16},  {15, 50},  {16, 28},
                                      {17, 30},  {18, 374}, {19, 548},  {20, 208}, {21, 15},  {22, 1},   {61, 3000},
                                      {82, 20},  {180, 180}, {181, 180}, {182, 180}, {183, 180}, {184, 180}};
  for (int entry = 0; entry < 256; ++entry) {
    const auto found = named.find(entry);
    EXPECT_EQ(World.TuningValues[entry], found == named.end() ? 3.0f : found->second) << entry;
  }
  for (int entry = 0; entry <= 10; ++entry) EXPECT_EQ(World.TuningExtras[entry], 0.0f) << entry;
  EXPECT_EQ(World.TuningExtras[11], 200.0f);
  EXPECT_EQ(World.TuningExtras[12], 300.0f);
}

TEST_F(StartedEngineTest, SineAndCosineTablesHoldEveryExactValue) {
  ASSERT_NE(World.SineTable, nullptr);
  EXPECT_EQ(World.SineTable[90000], 1.0f);
  EXPECT_EQ(World.CosineTable[0], 1.0f);
  EXPECT_EQ(World.SineTable[3599999], static_cast<float>(std::sin(3599999 * 0.017453292516666667 / 1000)));
  EXPECT_EQ(CountInexactTrigEntries(World.SineTable, World.CosineTable), 0u);
}

TEST_F(StartedEngineTest, ConsoleStartsEmpty) {
  ASSERT_NE(World.ConsoleLines, nullptr);
  for (uint32_t line = 0; line < ConsoleLineCount; ++line) {
    ASSERT_NE(World.ConsoleLines[line], nullptr);
    EXPECT_STREQ(World.ConsoleLines[line], "");
  }
  EXPECT_EQ(World.ConsoleInput.length, 0u);
  EXPECT_EQ(World.ConsoleInput.text[0], 0);
  EXPECT_EQ(World.ConsoleInput.text[1], 0);
}

TEST_F(StartedEngineTest, FirstWeaponRow) {
  const ItemRecord& knife = Item(6110);
  EXPECT_EQ(knife.spriteSlot, 600);
  EXPECT_EQ(knife.itemId, 6110u);
  EXPECT_EQ(knife.worth, 50);
  const uint8_t flags[5] = {1, 0, 1, 1, 1};
  EXPECT_EQ(std::memcmp(knife.traitFlags, flags, 5), 0);
  EXPECT_EQ(knife.category, 2);
  EXPECT_EQ(knife.weaponFlag, 1);
  EXPECT_EQ(knife.grade, 1);
  EXPECT_EQ(knife.gradeBonus, 0);
  EXPECT_EQ(knife.gradeValue, 0.0f);
  EXPECT_EQ(knife.factor, 0.0f);
  // Everything else is 0: compare with a record holding only the values above.
  ItemRecord expected{};
  expected.spriteSlot = 600;
  expected.itemId = 6110;
  expected.worth = 50;
  std::memcpy(expected.traitFlags, flags, 5);
  expected.category = 2;
  expected.weaponFlag = 1;
  expected.grade = 1;
  EXPECT_EQ(std::memcmp(&knife, &expected, sizeof(ItemRecord)), 0);
}

TEST_F(StartedEngineTest, InstancesCopyTheirRowsWithGradeAsValue) {
  ItemRecord instance = Item(10000);
  EXPECT_EQ(instance.gradeValue, 1.0f);
  EXPECT_EQ(instance.itemId, 6110u);
  instance.gradeValue = 0.0f;
  EXPECT_EQ(std::memcmp(&instance, &Item(6110), sizeof(ItemRecord)), 0);

  const std::pair<uint32_t, uint32_t> copies[] = {{9000, 6110}, {9001, 6111}, {9002, 6200}, {9003, 6316}};
  for (const auto& [row, source] : copies) {
    EXPECT_EQ(Item(row).itemId, source);
    EXPECT_EQ(Item(row).spriteSlot, Item(source).spriteSlot);
    EXPECT_EQ(Item(row).worth, Item(source).worth);
    EXPECT_EQ(Item(row).gradeValue, static_cast<float>(Item(source).grade));
  }
  EXPECT_EQ(Item(9001).gradeValue, 2.0f);
  EXPECT_EQ(Item(9003).gradeValue, 2.0f);
}

TEST_F(StartedEngineTest, ArmourRows) {
  const ItemRecord& piece = Item(8133);
  EXPECT_EQ(piece.category, 13);
  EXPECT_EQ(piece.spriteSlot, 740);
  EXPECT_EQ(piece.factor, 0.2f);
  EXPECT_EQ(piece.worth, 70);
  EXPECT_EQ(piece.weaponFlag, 0);
  EXPECT_EQ(piece.grade, 0);
  for (uint8_t flag : piece.traitFlags) EXPECT_EQ(flag, 1);
  EXPECT_EQ(Item(8320).category, 10);
  EXPECT_EQ(Item(8333).category, 23);
  EXPECT_EQ(Item(8333).factor, 0.9f);
  EXPECT_EQ(Item(8333).worth, 600);
  EXPECT_EQ(Item(8334).itemId, 0u);
  EXPECT_EQ(Item(8114).itemId, 0u);
}

TEST_F(StartedEngineTest, OtherCatalogueRows) {
  EXPECT_EQ(Item(7000).spriteSlot, 3000);
  EXPECT_EQ(Item(7000).worth, 30);
  EXPECT_EQ(Item(7100).spriteSlot, 682);
  EXPECT_EQ(Item(7100).grade, 200);
  EXPECT_EQ(Item(7100).worth, 50);
  EXPECT_EQ(Item(7100).weaponFlag, 0);
  EXPECT_EQ(Item(6320).spriteSlot, 654);
  EXPECT_EQ(Item(6320).grade, 14);
  EXPECT_EQ(Item(6320).factor, 4.0f);
  EXPECT_EQ(Item(6320).worth, 60000);
  EXPECT_EQ(Item(6126).factor, 3.3f);
  EXPECT_EQ(Item(6126).gradeBonus, 2);
  EXPECT_TRUE(AllZero(&Item(0), sizeof(ItemRecord)));
  // 143 catalogue rows and 5 instances; every other row is still 0.
  uint32_t written = 0;
  for (uint32_t row = 0; row < ItemCount; ++row) written += !AllZero(&Item(row), sizeof(ItemRecord));
  EXPECT_EQ(written, 148u);
}

TEST_F(StartedEngineTest, CopyItemLeavesUnwrittenFieldsAndStaysInsideTheTable) {
  ItemRecord& target = World.ItemTable[20000];
  std::memset(target.unwrittenA, 7, sizeof target.unwrittenA);
  std::memset(target.unwrittenB, 8, sizeof target.unwrittenB);
  CopyItem(20000, 6129);
  EXPECT_EQ(target.spriteSlot, 619);
  EXPECT_EQ(target.factor, 3.2f);
  EXPECT_EQ(target.gradeValue, 12.0f);
  EXPECT_EQ(target.unwrittenA[26], 7);
  EXPECT_EQ(target.unwrittenB[0], 8);
  CopyItem(6129, 6129);
  EXPECT_EQ(Item(6129).gradeValue, 12.0f);
  World.ItemTable[6129].gradeValue = 0.0f;
  CopyItem(ItemCount, 6110);
  CopyItem(20000, ItemCount);
  EXPECT_EQ(target.spriteSlot, 619);
  target = ItemRecord{};
}

TEST(EngineLifetimeTest, StopEngineReleasesEverything) {
  CurrentScratchFolder folder;
  StartEngine();
  StopEngine();
  EXPECT_EQ(Canvas, nullptr);
  EXPECT_EQ(Backdrop, nullptr);
  EXPECT_EQ(PickMap, nullptr);
  EXPECT_EQ(SpriteBank, nullptr);
  const void* tables[] = {World.CornerGrid, World.LevelTiles, World.LevelMarks, World.UnitTable,
                          World.StructureTable, World.ItemTable, World.Search, World.LevelListA,
                          World.LevelListB, World.LocalGrid, World.NodeTable, World.NodeLinks,
                          World.SineTable, World.CosineTable, World.ConsoleLines};
  for (const void* table : tables) EXPECT_EQ(table, nullptr);
  StopEngine();  // nothing left to release
}

TEST(EngineLifetimeTest, SineTablesAreBuiltOnlyWhenNeitherExists) {
  World.SineTable = new float[1]{-5.0f};
  BuildTrigTables();
  EXPECT_EQ(World.SineTable[0], -5.0f);
  EXPECT_EQ(World.CosineTable, nullptr);
  delete[] World.SineTable;
  World.SineTable = nullptr;
}

}  // namespace
