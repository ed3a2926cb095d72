#include "engine/trig_tables.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

#include "engine/world_tables.h"
#include "engine/zeroed_table.h"

void FillTrigRange(float* sine, float* cosine, uint32_t begin, uint32_t end) {
  for (uint32_t index = begin; index < end; ++index) {
    // The game counts in single precision; below 2^24 that counter equals the index exactly.
    const float counter = static_cast<float>(index);
    const double angle = static_cast<double>(counter) * DegreeFactor / 1000;
    sine[index] = static_cast<float>(std::sin(angle));
    cosine[index] = static_cast<float>(std::cos(angle));
  }
}

void FillTrigTables(float* sine, float* cosine, uint32_t threadCount) {
  threadCount = std::clamp(threadCount, 1u, TrigTableSize);
  const uint32_t share = (TrigTableSize + threadCount - 1) / threadCount;
  std::vector<std::thread> workers;
  for (uint32_t begin = share; begin < TrigTableSize; begin += share)
    workers.emplace_back(FillTrigRange, sine, cosine, begin, std::min(begin + share, TrigTableSize));
  FillTrigRange(sine, cosine, 0, std::min(share, TrigTableSize));
  for (std::thread& worker : workers) worker.join();
}

void BuildTrigTables() {
  if (World.SineTable != nullptr || World.CosineTable != nullptr) return;
  World.SineTable = AllocateZeroed<float>(TrigTableSize);
  World.CosineTable = AllocateZeroed<float>(TrigTableSize);
  FillTrigTables(World.SineTable, World.CosineTable, std::thread::hardware_concurrency());
}

void ReleaseTrigTables() {
  ReleaseTable(World.SineTable);
  ReleaseTable(World.CosineTable);
}
