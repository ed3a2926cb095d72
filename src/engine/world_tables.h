// The game world's tables that the engine start-up builds. The running menu reads none of them;
// the record layouts beyond the start-up values belong to the dormant game modules.
#pragma once

#include <cstdint>

#include "engine/grid_search.h"
#include "engine/item_catalogue.h"

inline constexpr uint32_t WorldSide = 256;
inline constexpr uint32_t WorldDepth = 180;
inline constexpr uint32_t UnitCount = 3000;
inline constexpr uint32_t StructureCount = 1000;
inline constexpr uint32_t ItemCount = 230000;
inline constexpr uint32_t LocalGridSide = 30;
inline constexpr uint32_t CellsPerLevel = WorldSide * WorldSide;
inline constexpr uint32_t NodeCount = WorldDepth * 6000;

inline constexpr uint32_t TuningValueCount = 256;
inline constexpr uint32_t TuningExtraCount = 13;
inline constexpr uint32_t ConsoleLineCount = 20;
inline constexpr uint32_t ConsoleTextSize = 256;

struct UnitRecord {
  float presetFields[3];  // the three fields the start-up sets on record 1
  uint32_t gameFields[157];
};

struct StructureRecord {
  uint32_t gameFields[128];
};

struct TenWordRecord {
  uint32_t words[10];
};

struct ConsoleText {
  char text[ConsoleTextSize];
  uint32_t length;
};

// Each allocated table is held by an owning pointer, null until allocated. The SpriteBank is
// held by engine/sprite_bank.h.
struct WorldTables {
  uint8_t* CornerGrid;   // (WorldSide + 1)^2 grid corners
  uint8_t* LevelTiles;   // WorldDepth levels of CellsPerLevel cells
  uint8_t* LevelMarks;   // same shape as LevelTiles
  UnitRecord* UnitTable;
  StructureRecord* StructureTable;
  ItemRecord* ItemTable;
  GridSearch* Search;
  uint32_t* LevelListA;  // WorldDepth + 1 values
  uint32_t* LevelListB;
  uint8_t* LocalGrid;    // LocalGridSide^2 cells
  FiveWordRecord* NodeTable;
  TenWordRecord* NodeLinks;
  float* SineTable;      // see engine/trig_tables.h
  float* CosineTable;
  char** ConsoleLines;   // ConsoleLineCount buffers of ConsoleTextSize bytes
  ConsoleText ConsoleInput;
  float TuningValues[TuningValueCount];
  float TuningExtras[TuningExtraCount];
};

extern WorldTables World;

// CornerGrid, LevelTiles and LevelMarks.
void AllocateLevelTables();
void ReleaseLevelTables();
// UnitTable, StructureTable and ItemTable.
void AllocateRecordTables();
void ReleaseRecordTables();
// LevelListA, LevelListB, LocalGrid, NodeTable and NodeLinks.
void AllocateNodeTables();
void ReleaseNodeTables();
// ConsoleLines with every line empty, and an empty ConsoleInput.
void CreateConsole();
void ReleaseConsole();

void SetTuningDefaults();
// The last start-up writes: unit record 1 and the first level's first tiles.
void SetStartingUnitAndTiles();
