// The engine's start-up and stop: the world's start values, the trig tables, the catalogue, memory.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "canvas/canvas.h"
#include "engine/engine.h"
#include "engine/grid_search.h"
#include "engine/item_catalogue.h"
#include "engine/trig_tables.h"
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
  // Stopping releases every table, and a second stop finds nothing left.
  static void TearDownTestSuite() {
    StopEngine(), StopEngine(), delete folder_;
    const void* const tables[] = {Canvas, Backdrop, PickMap, SpriteBank, World.CornerGrid, World.LevelTiles,
                                  World.LevelMarks, World.UnitTable, World.StructureTable, World.ItemTable, World.Search,
                                  World.LevelListA, World.LevelListB, World.LocalGrid, World.NodeTable, World.NodeLinks,
                                  World.SineTable, World.CosineTable, World.ConsoleLines};
    for (const void* table : tables) EXPECT_EQ(table, nullptr);
  }
  static const ItemRecord& Item(uint32_t id) { return World.ItemTable[id]; }
  static inline CurrentScratchFolder* folder_ = nullptr;
};

TEST_F(StartedEngineTest, StartUpValues) {
  EXPECT_NE(SpriteBank[1200].pixels, nullptr);
  EXPECT_NE(Canvas, nullptr);
  // The steps clockwise from north; the diagonal costs 1.4142 as written, not the square root of 2.
  const GridSearch& s = *World.Search;
  const int32_t stepX[8] = {0, 1, 1, 1, 0, -1, -1, -1}, stepY[8] = {1, 1, 0, -1, -1, -1, 0, 1};
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(std::tuple(s.stepX[i], s.stepY[i], s.stepCost[i]), std::tuple(stepX[i], stepY[i], i % 2 ? 1.4142f : 1.0f));
  EXPECT_EQ(std::count(s.unitTargets, s.unitTargets + UnitCount, -9), int(UnitCount));
  EXPECT_EQ(std::count(s.unitCounters, s.unitCounters + UnitCount, 0u), int(UnitCount));
  std::vector<float> values(TuningValueCount, 3.0f);
  const std::pair<int, float> named[] = {{10, 30},  {11, 332}, {12, 18},  {13, 42},   {14, 16},   {15, 50},  {16, 28},
                                         {17, 30},  {18, 374}, {19, 548}, {20, 208},  {21, 15},   {22, 1},   {61, 3000},
                                         {82, 20},  {180, 180}, {181, 180}, {182, 180}, {183, 180}, {184, 180}};
  for (const auto& [entry, value] : named) values[entry] = value;
  EXPECT_EQ(values, std::vector(World.TuningValues, World.TuningValues + TuningValueCount));
  const std::vector<float> extras = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200, 300};
  EXPECT_EQ(extras, std::vector(World.TuningExtras, World.TuningExtras + TuningExtraCount));
  EXPECT_EQ(std::vector(World.UnitTable[1].presetFields, World.UnitTable[1].presetFields + 3), std::vector(3, 0.5f));
  EXPECT_EQ(std::vector(World.LevelTiles, World.LevelTiles + 5), (std::vector<uint8_t>{0, 1, 0, 1, 0}));
  for (uint32_t line = 0; line < ConsoleLineCount; ++line) EXPECT_STREQ(World.ConsoleLines[line], "");
  EXPECT_EQ(World.ConsoleInput.length, 0u);
  // Every table has its size: the allocator rounds a small block up by a few bytes, a mapped one
  // to its page.
  const std::pair<const void*, size_t> tables[] = {
      {World.CornerGrid, 257 * 257}, {World.LevelTiles, 180 * 65536}, {World.LevelMarks, 180 * 65536},
      {World.UnitTable, 3000 * sizeof(UnitRecord)}, {World.StructureTable, 1000 * sizeof(StructureRecord)},
      {World.ItemTable, 230000 * sizeof(ItemRecord)}, {World.LevelListA, 181 * 4}, {World.LevelListB, 181 * 4},
      {World.LocalGrid, 900}, {World.NodeTable, 1080000 * 20}, {World.NodeLinks, 1080000 * 40},
      {World.SineTable, 3600000 * 4}, {World.ConsoleLines, 20 * sizeof(char*)}, {World.ConsoleLines[19], 256},
      {SpriteBank, 3100 * sizeof(SpriteSlot)}, {s.cellWordsA, 65536 * 2}, {s.cellWordsB, 65536 * 2},
      {s.cellValuesA, 65536 * 4}, {s.cellBytesA, 65536}, {s.cellValuesB, 65536 * 4}, {s.cellValuesC, 65536 * 4},
      {s.unitValuesA, 12000}, {s.unitValuesB, 12000}, {s.unitPathsA, 12000000}, {s.unitPathsB, 12000000},
      {s.unitValuesC, 12000}, {s.unitTargets, 12000}, {s.unitCounters, 12000}, {s.cellBytesB, 65536},
      {s.scratch, 24000}, {s.cellRecords, 65536 * 20}};
  for (const auto& [table, bytes] : tables) {
    const size_t usable = malloc_usable_size(const_cast<void*>(table));
    EXPECT_TRUE(usable >= bytes && usable - bytes < (bytes < 128 * 1024 ? 32 : 4096)) << bytes << ": " << usable;
  }
}

// Entry i holds i thousandths of a degree; filled on any number of threads, the floats are the same.
TEST_F(StartedEngineTest, TrigTablesAreWholeAndTheSameOnEveryThreadCount) {
  EXPECT_EQ(std::pair(World.SineTable[90000], World.CosineTable[0]), std::pair(1.0f, 1.0f));
  EXPECT_NEAR(World.SineTable[30000], 0.5f, 1e-7f);
  EXPECT_NEAR(World.SineTable[TrigTableSize - 1], -1.745e-5f, 1e-7f);  // 3,599.999 degrees
  for (uint32_t threads : {0u, 1u, 3u, 16u}) {
    std::vector<float> sine(TrigTableSize + 1, -2.0f), cosine(TrigTableSize + 1, -2.0f);  // one past the end
    FillTrigTables(sine.data(), cosine.data(), threads);
    EXPECT_TRUE(std::equal(sine.begin(), sine.end() - 1, World.SineTable)) << threads;
    EXPECT_TRUE(std::equal(cosine.begin(), cosine.end() - 1, World.CosineTable)) << threads;
    EXPECT_EQ(std::pair(sine.back(), cosine.back()), std::pair(-2.0f, -2.0f)) << "written past the end";
  }
  // Built only when neither table exists.
  float* const sineTable = World.SineTable;
  float keep = -5.0f, *cosineTable = World.CosineTable;
  World.SineTable = &keep, World.CosineTable = nullptr;
  BuildTrigTables();
  EXPECT_EQ(std::pair(keep, World.CosineTable), std::pair(-5.0f, static_cast<float*>(nullptr)));
  World.SineTable = sineTable, World.CosineTable = cosineTable;
}

TEST_F(StartedEngineTest, CatalogueRowsAndInstances) {
  // The first weapon, compared whole: every field the row doesn't set is 0.
  ItemRecord knife{};
  knife.spriteSlot = 600, knife.itemId = 6110, knife.worth = 50, knife.category = 2, knife.weaponFlag = knife.grade = 1;
  knife.traitFlags[0] = knife.traitFlags[2] = knife.traitFlags[3] = knife.traitFlags[4] = 1;
  EXPECT_EQ(std::memcmp(&Item(6110), &knife, sizeof(ItemRecord)), 0);
  knife.gradeValue = 1.0f;  // an instance takes the grade as value
  EXPECT_EQ(std::memcmp(&Item(10000), &knife, sizeof(ItemRecord)), 0);
  EXPECT_EQ(std::tuple(Item(8133).category, Item(8133).spriteSlot, Item(8133).factor, Item(8133).worth),
            std::tuple(13, 740, 0.2f, 70));
  EXPECT_EQ(std::tuple(Item(9003).itemId, Item(9003).spriteSlot, Item(9003).gradeValue), std::tuple(6316u, 650, 2.0f));
}

}  // namespace
