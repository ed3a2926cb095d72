#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/trig_tables.h"
#include "trig_reference.h"

namespace {

TEST(TrigTablesTest, EverySplitFillsTheSameExactValues) {
  auto sine = std::make_unique<float[]>(TrigTableSize);
  auto cosine = std::make_unique<float[]>(TrigTableSize);
  for (uint32_t threads : {0u, 1u, 2u, 3u, 7u, 16u}) {
    SCOPED_TRACE(threads);
    std::fill_n(sine.get(), TrigTableSize, -2.0f);
    std::fill_n(cosine.get(), TrigTableSize, -2.0f);
    FillTrigTables(sine.get(), cosine.get(), threads);
    EXPECT_EQ(CountInexactTrigEntries(sine.get(), cosine.get()), 0u);
  }
}

TEST(TrigTablesTest, DiagonalsAndQuartersOfTheCircle) {
  std::vector<float> sine(90001), cosine(90001);
  FillTrigRange(sine.data(), cosine.data(), 0, 90001);
  EXPECT_EQ(cosine[0], 1.0f);
  EXPECT_EQ(sine[0], 0.0f);
  EXPECT_EQ(sine[90000], 1.0f);
  EXPECT_NEAR(sine[45000], cosine[45000], 1e-7f);
  EXPECT_NEAR(sine[30000], 0.5f, 1e-7f);
}

}  // namespace
