#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "engine/trig_tables.h"
#include "engine/world_tables.h"

namespace {

// The tables in thousandths of a degree, filled on any number of threads, hold the same floats.
TEST(TrigTablesTest, EverySplitFillsTheSameValues) {
  auto sine = std::make_unique<float[]>(TrigTableSize), cosine = std::make_unique<float[]>(TrigTableSize);
  BuildTrigTables();
  ASSERT_NE(World.CosineTable, nullptr);
  EXPECT_EQ(World.SineTable[90000], 1.0f);
  EXPECT_EQ(World.CosineTable[0], 1.0f);
  EXPECT_NEAR(World.SineTable[30000], 0.5f, 1e-7f);
  EXPECT_NEAR(World.CosineTable[TrigTableSize - 1], std::cos((TrigTableSize - 1) * 3.14159265358979 / 180000), 1e-6);
  for (uint32_t threads : {0u, 1u, 3u, 16u}) {
    std::fill_n(sine.get(), TrigTableSize, -2.0f);
    std::fill_n(cosine.get(), TrigTableSize, -2.0f);
    FillTrigTables(sine.get(), cosine.get(), threads);
    EXPECT_TRUE(std::equal(sine.get(), sine.get() + TrigTableSize, World.SineTable)) << threads;
    EXPECT_TRUE(std::equal(cosine.get(), cosine.get() + TrigTableSize, World.CosineTable)) << threads;
  }
  ReleaseTrigTables();
  EXPECT_EQ(World.SineTable, nullptr);
}

TEST(TrigTablesTest, WorldTablesAreBuiltOnlyWhenNeitherExists) {
  World.SineTable = static_cast<float*>(std::malloc(sizeof(float)));
  World.SineTable[0] = -5.0f;
  BuildTrigTables();
  EXPECT_EQ(World.SineTable[0], -5.0f);
  EXPECT_EQ(World.CosineTable, nullptr);
  ReleaseTrigTables();
}

}  // namespace
