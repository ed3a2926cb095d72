#include "engine/grid_search.h"

#include <algorithm>

#include "engine/world_tables.h"
#include "engine/zeroed_table.h"

GridSearch* CreateGridSearch() {
  auto* search = AllocateZeroed<GridSearch>(1);
  search->cellWordsA = AllocateZeroed<uint16_t>(CellsPerLevel);
  search->cellWordsB = AllocateZeroed<uint16_t>(CellsPerLevel);
  search->cellValuesA = AllocateZeroed<uint32_t>(CellsPerLevel);
  search->cellBytesA = AllocateZeroed<uint8_t>(CellsPerLevel);
  search->cellValuesB = AllocateZeroed<uint32_t>(CellsPerLevel);
  search->cellValuesC = AllocateZeroed<uint32_t>(CellsPerLevel);
  search->unitValuesA = AllocateZeroed<uint32_t>(UnitCount);
  search->unitValuesB = AllocateZeroed<uint32_t>(UnitCount);
  search->unitPathsA = AllocateZeroed<uint32_t>(static_cast<size_t>(UnitCount) * PathLengthPerUnit);
  search->unitPathsB = AllocateZeroed<uint32_t>(static_cast<size_t>(UnitCount) * PathLengthPerUnit);
  search->unitValuesC = AllocateZeroed<uint32_t>(UnitCount);
  search->unitTargets = AllocateZeroed<int32_t>(UnitCount);
  search->unitCounters = AllocateZeroed<uint32_t>(UnitCount);
  search->cellBytesB = AllocateZeroed<uint8_t>(CellsPerLevel);
  search->scratch = AllocateZeroed<uint8_t>(SearchScratchSize);
  search->cellRecords = AllocateZeroed<FiveWordRecord>(CellsPerLevel);
  std::fill_n(search->unitTargets, UnitCount, NoSearchTarget);  // unitCounters stay zeroed
  SetStepTableMode0(*search);
  search->busy = 0;
  return search;
}

void SetStepTableMode0(GridSearch& search) {
  // The diagonal cost is 1.4142 as written, not the square root of 2.
  static constexpr int32_t kStepX[StepCount] = {0, 1, 1, 1, 0, -1, -1, -1};
  static constexpr int32_t kStepY[StepCount] = {1, 1, 0, -1, -1, -1, 0, 1};
  static constexpr float kStepCost[StepCount] = {1.0f, 1.4142f, 1.0f, 1.4142f, 1.0f, 1.4142f, 1.0f, 1.4142f};
  std::copy_n(kStepX, StepCount, search.stepX);
  std::copy_n(kStepY, StepCount, search.stepY);
  std::copy_n(kStepCost, StepCount, search.stepCost);
  search.stepOrderMode = 0;
}

void ReleaseGridSearch(GridSearch*& search) {
  if (search == nullptr) return;
  ReleaseTable(search->cellWordsA);
  ReleaseTable(search->cellWordsB);
  ReleaseTable(search->cellValuesA);
  ReleaseTable(search->cellBytesA);
  ReleaseTable(search->cellValuesB);
  ReleaseTable(search->cellValuesC);
  ReleaseTable(search->unitValuesA);
  ReleaseTable(search->unitValuesB);
  ReleaseTable(search->unitPathsA);
  ReleaseTable(search->unitPathsB);
  ReleaseTable(search->unitValuesC);
  ReleaseTable(search->unitTargets);
  ReleaseTable(search->unitCounters);
  ReleaseTable(search->cellBytesB);
  ReleaseTable(search->scratch);
  ReleaseTable(search->cellRecords);
  ReleaseTable(search);
}
