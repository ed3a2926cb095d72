#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "engine/trig_tables.h"
#include "engine/world_tables.h"

namespace {

// Entries of both tables that differ from i thousandths of a degree computed in double precision
// and rounded to single precision, the factor written out apart from the engine's.
uint32_t CountInexactEntries(const float* sine, const float* cosine) {
  uint32_t inexact = 0;
  for (uint32_t i = 0; i < TrigTableSize; ++i) {
    const double angle = static_cast<double>(i) * 0.017453292516666667 / 1000;
    inexact += (sine[i] != static_cast<float>(std::sin(angle))) + (cosine[i] != static_cast<float>(std::cos(angle)));
  }
  return inexact;
}

TEST(TrigTablesTest, EverySplitFillsTheSameExactValues) {
  auto sine = std::make_unique<float[]>(TrigTableSize), cosine = std::make_unique<float[]>(TrigTableSize);
  for (uint32_t threads : {0u, 1u, 2u, 3u, 7u, 16u}) {
    SCOPED_TRACE(threads);
    std::fill_n(sine.get(), TrigTableSize, -2.0f);
    std::fill_n(cosine.get(), TrigTableSize, -2.0f);
    FillTrigTables(sine.get(), cosine.get(), threads);
    EXPECT_EQ(CountInexactEntries(sine.get(), cosine.get()), 0u);
  }
  EXPECT_EQ(sine[90000], 1.0f);  // the reference's own unit: thousandths of a degree
  EXPECT_NEAR(sine[30000], 0.5f, 1e-7f);
}

TEST(TrigTablesTest, WorldTablesAreBuiltOnlyWhenNeitherExists) {
  BuildTrigTables();
  ASSERT_NE(World.CosineTable, nullptr);
  EXPECT_EQ(CountInexactEntries(World.SineTable, World.CosineTable), 0u);
  ReleaseTrigTables();
  EXPECT_EQ(World.SineTable, nullptr);

  World.SineTable = static_cast<float*>(std::malloc(sizeof(float)));
  World.SineTable[0] = -5.0f;
  BuildTrigTables();
  EXPECT_EQ(World.SineTable[0], -5.0f);
  EXPECT_EQ(World.CosineTable, nullptr);
  ReleaseTrigTables();
}

}  // namespace
