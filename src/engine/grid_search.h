// The game's grid search object. Only its shape and its start-up values are fixed here; what its
// tables mean belongs to the dormant game modules.
#pragma once

#include <cstdint>

inline constexpr uint32_t StepCount = 8;
inline constexpr uint32_t SearchScratchSize = 24000;
inline constexpr uint32_t PathLengthPerUnit = 1000;
inline constexpr int32_t NoSearchTarget = -9;

struct FiveWordRecord {
  uint32_t words[5];
};

// Fields in the order of the game's object; tables are owning pointers.
struct GridSearch {
  uint16_t* cellWordsA;  // CellsPerLevel entries each
  uint16_t* cellWordsB;
  uint32_t unsetField;
  uint32_t* cellValuesA;  // CellsPerLevel entries each
  uint8_t* cellBytesA;
  uint32_t* cellValuesB;
  uint32_t* cellValuesC;
  uint32_t* unitValuesA;  // UnitCount entries each
  uint32_t* unitValuesB;
  uint32_t* unitPathsA;  // UnitCount x PathLengthPerUnit entries each
  uint32_t* unitPathsB;
  uint32_t* unitValuesC;  // UnitCount entries each
  int32_t* unitTargets;   // NoSearchTarget at start-up
  uint32_t* unitCounters; // 0 at start-up
  uint32_t unsetFields[4];
  int32_t stepX[StepCount];
  int32_t stepY[StepCount];
  float stepCost[StepCount];
  int32_t stepOrderMode;
  uint8_t* cellBytesB;  // CellsPerLevel entries
  uint8_t* scratch;     // SearchScratchSize bytes
  FiveWordRecord* cellRecords;  // CellsPerLevel entries
  uint8_t busy;
};

// Allocates the object and its tables in field order and sets the start-up values.
GridSearch* CreateGridSearch();
// Steps to the eight neighbours clockwise from north; straight steps cost 1, diagonal ones 1.4142.
void SetStepTableMode0(GridSearch& search);
// Releases the tables, then the object, and clears the pointer.
void ReleaseGridSearch(GridSearch*& search);
