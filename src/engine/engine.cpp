#include "engine/engine.h"

#include "canvas/canvas.h"
#include "engine/grid_search.h"
#include "engine/item_catalogue.h"
#include "engine/sprite_bank.h"
#include "engine/trig_tables.h"
#include "engine/world_tables.h"

void StartEngine() {
  SetCanvasSize(CanvasWidth, CanvasHeight);  // 1
  AllocateLevelTables();                     // 2
  AllocateSpriteBank();
  AllocateRecordTables();
  World.Search = CreateGridSearch();         // 3
  LoadSpriteLists();                         // 4
  SetTuningDefaults();                       // 5
  AllocateNodeTables();                      // 6
  BuildTrigTables();                         // 7
  CreateConsole();                           // 8
  FillItemCatalogue();                       // 9
  MakeItemInstances();
  SetStartingUnitAndTiles();                 // 10
}

void StopEngine() {
  ReleaseCanvas();                 // 1
  ReleaseLevelTables();            // 2
  ReleaseSpriteBank();             // 3
  ReleaseRecordTables();           // 4
  ReleaseGridSearch(World.Search); // 5
  ReleaseNodeTables();             // 6
  ReleaseTrigTables();             // 7
  ReleaseConsole();                // 8
}
