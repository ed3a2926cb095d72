#include "engine/world_tables.h"

#include <algorithm>
#include <iterator>

#include "engine/zeroed_table.h"

WorldTables World{};

void AllocateLevelTables() {
  World.CornerGrid = AllocateZeroed<uint8_t>((WorldSide + 1) * (WorldSide + 1));
  World.LevelTiles = AllocateZeroed<uint8_t>(static_cast<size_t>(WorldDepth) * CellsPerLevel);
  World.LevelMarks = AllocateZeroed<uint8_t>(static_cast<size_t>(WorldDepth) * CellsPerLevel);
}

void ReleaseLevelTables() {
  ReleaseTable(World.CornerGrid);
  ReleaseTable(World.LevelTiles);
  ReleaseTable(World.LevelMarks);
}

void AllocateRecordTables() {
  World.UnitTable = AllocateZeroed<UnitRecord>(UnitCount);
  World.StructureTable = AllocateZeroed<StructureRecord>(StructureCount);
  World.ItemTable = AllocateZeroed<ItemRecord>(ItemCount);
}

void ReleaseRecordTables() {
  ReleaseTable(World.UnitTable);
  ReleaseTable(World.StructureTable);
  ReleaseTable(World.ItemTable);
}

void AllocateNodeTables() {
  World.LevelListA = AllocateZeroed<uint32_t>(WorldDepth + 1);
  World.LevelListB = AllocateZeroed<uint32_t>(WorldDepth + 1);
  World.LocalGrid = AllocateZeroed<uint8_t>(LocalGridSide * LocalGridSide);
  World.NodeTable = AllocateZeroed<FiveWordRecord>(NodeCount);
  World.NodeLinks = AllocateZeroed<TenWordRecord>(NodeCount);
}

void ReleaseNodeTables() {
  ReleaseTable(World.LevelListA);
  ReleaseTable(World.LevelListB);
  ReleaseTable(World.LocalGrid);
  ReleaseTable(World.NodeTable);
  ReleaseTable(World.NodeLinks);
}

void CreateConsole() {
  World.ConsoleLines = AllocateZeroed<char*>(ConsoleLineCount);
  for (uint32_t line = 0; line < ConsoleLineCount; ++line) {
    World.ConsoleLines[line] = AllocateZeroed<char>(ConsoleTextSize);
  }
  World.ConsoleInput.length = 0;
  World.ConsoleInput.text[0] = '\0';
  World.ConsoleInput.text[1] = '\0';
}

void ReleaseConsole() {
  if (World.ConsoleLines == nullptr) return;
  for (uint32_t line = 0; line < ConsoleLineCount; ++line) ReleaseTable(World.ConsoleLines[line]);
  ReleaseTable(World.ConsoleLines);
}

void SetTuningDefaults() {
  struct TuningDefault {
    uint32_t entry;
    float value;
  };
  static constexpr TuningDefault kExceptions[] = {
      {10, 30},  {11, 332}, {12, 18},  {13, 42},  {14, 16},   {15, 50},   {16, 28},   {17, 30},   {18, 374},
      {19, 548}, {20, 208}, {21, 15},  {22, 1},   {61, 3000}, {82, 20},   {180, 180}, {181, 180}, {182, 180},
      {183, 180}, {184, 180},
  };
  for (float& value : World.TuningValues) value = 3.0f;
  for (const TuningDefault& exception : kExceptions) World.TuningValues[exception.entry] = exception.value;
  std::fill(std::begin(World.TuningExtras), std::end(World.TuningExtras), 0.0f);
  World.TuningExtras[11] = 200.0f;
  World.TuningExtras[12] = 300.0f;
}

void SetStartingUnitAndTiles() {
  for (float& field : World.UnitTable[1].presetFields) field = 0.5f;
  static constexpr uint8_t kFirstTiles[] = {0, 1, 0, 1};
  std::copy(std::begin(kFirstTiles), std::end(kFirstTiles), World.LevelTiles);
}
