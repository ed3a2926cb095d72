#include "shell/main_loop.h"

#include <algorithm>
#include <iterator>

#include "browser/entry_table.h"
#include "browser/launch.h"
#include "browser/list_view.h"
#include "canvas/canvas.h"
#include "canvas/lines.h"
#include "engine/engine.h"
#include "pictures/grid.h"
#include "pictures/texture_loader.h"
#include "pictures/thumbnail_prefetch.h"
#include "pictures/viewer.h"
#include "platform/platform.h"
#include "shell/display_modes.h"
#include "shell/idle_frames.h"
#include "shell/input.h"
#include "shell/menu_bar.h"
#include "shell/menu_state.h"
#include "shell/virtual_keys.h"

namespace {

// Keys act once per key-down event; the digits act on any non-zero slot.
bool Pressed(int32_t key) { return KeyTable[key] == 1; }
bool DigitPressed(int32_t digit) { return KeyTable[vk::Digit0 + digit] != 0; }

void Pause(int32_t milliseconds) { platform::SleepMilliseconds(milliseconds); }

void ReadStartDirectory() {
  platform::ReadCurrentDir(StartDir, kStartPathLimit);  // empty when it does not fit
  std::copy(StartDir, StartDir + kPathBufferSize, FolderPath);
}

// ---- Steps 1 to 4: the active view draws and handles clicks on its own items ----------------

void DrawActiveView() {
  if (ViewMode == ViewModeKind::List) DrawList();
  if (GridRedraw) DrawGrid();
  if (ViewMode == ViewModeKind::Viewer) DrawViewer();
}

void HandleViewClick() {
  if (!HandleThumbnailClick()) HandleListClick();
  LaunchOnClick();
}

// ---- Steps 5 to 10 ---------------------------------------------------------------------------

void PageKeys() {
  if (Pressed(vk::BracketRight)) {
    ViewOffset = {};
    PageNext();
  }
  if (Pressed(vk::BracketLeft)) {
    ViewOffset = {};
    PagePrevious();
  }
}

void LaunchKey() {
  if (Pressed(vk::P) && ViewMode == ViewModeKind::List && SelectedEntryIsFile()) LaunchSelectedEntry();
}

void MinimiseKey() {
  if (Pressed(vk::D)) platform::MinimiseMainWindow();
}

void ColumnKey() {
  if (!Pressed(vk::F)) return;
  ColumnFactor = (ColumnFactor + 1) % 3;
  Pause(150);
}

void ThumbnailsKey() {
  if (!Pressed(vk::T)) return;
  if (ViewMode == ViewModeKind::List) {
    ViewMode = ViewModeKind::Grid;
    GridRedraw = true;
    SavedViewOffset = ViewOffset;
    ViewOffset = {};
    Pause(180);
  } else if (ViewMode == ViewModeKind::Grid) {
    ViewMode = ViewModeKind::List;
    GridRedraw = false;
    ViewOffset = SavedViewOffset;
    Pause(180);
  }
  FirstThumb = SelectedEntry;
}

// ---- Steps 12 to 15: the overlay and the click on it -----------------------------------------

void DrawOverlay() {
  if (!PictureLoader.MenuBarShown) return;
  CrossCursor();
  DrawMenuBar();
}

void ResolveClick() {
  if (RightClick && ViewMode != ViewModeKind::Viewer) {
    const int32_t x = CursorToCanvasX();
    const int32_t y = CursorToCanvasY();
    DispatchCommand(PickIdAt(x, y), y);
  }
  if (RightClick && ViewMode == ViewModeKind::Viewer) {
    ViewMode = ViewModeKind::Grid;
    GridRedraw = true;
    Relist();
  }
}

// ---- Steps 17 to 29 --------------------------------------------------------------------------

void MoveKey() {
  if (Pressed(vk::M) && CanvasWidth == 1280) MoveWindowToCursor();
}

void QuitKey() {
  if (Pressed(vk::Escape)) QuitRequested = 1;
}

void RelistKey() {
  if (!Pressed(vk::R) && !RelistRequest) return;
  Relist();
  RelistRequest = false;
}

void AnchorKey() {
  if (Pressed(vk::N) && ViewMode == ViewModeKind::List)
    ViewOffset = {CursorToCanvasX(), CursorToCanvasY() - CanvasHeight};
}

void DisplayModeKeys() {
  if (Pressed(vk::F5)) ChangeDisplayMode(1);
  if (Pressed(vk::F6)) ChangeDisplayMode(0);
  if (Pressed(vk::F8)) ChangeDisplayMode(2);
}

void FileManagerKey() {
  if (!Pressed(vk::F7)) return;
  OpenFileManager();
  Pause(450);
}

void ScrollKeys() {
  if (Pressed(vk::Comma)) {
    if (ListScroll > 0) ListScroll -= 1;
    Pause(30);
  }
  if (Pressed(vk::Period)) {
    if (ListScroll < kMaxEntries) ListScroll += 1;
    Pause(30);
  }
  if (Pressed(vk::LeftShift)) {
    ListScroll = std::max(ListScroll - 24, 0);
    Pause(30);
  }
  if (Pressed(vk::RightShift)) {
    // Capped at the last entry, and never below the first even in an empty folder.
    ListScroll = std::max(std::min(ListScroll + 24, EntryTable.count - 1), 0);
    Pause(30);
  }
}

void ClockKey() {
  if (!Pressed(vk::Minus)) return;
  ClockShown = !ClockShown;
  Pause(30);
}

void ViewerKeys() {
  static constexpr float kSteps[] = {1.0f, 2.0f, 3.0f, 4.0f, 0.5f, 0.25f};
  static constexpr int32_t kPans[] = {0, 4, 9};
  for (int32_t digit = 1; digit <= 6; ++digit)
    if (DigitPressed(digit)) PictureLoader.ViewerStep = kSteps[digit - 1];
  for (int32_t digit = 7; digit <= 9; ++digit)
    if (DigitPressed(digit)) PictureLoader.PanFactor = kPans[digit - 7];
}

void MenuBarKey() {
  if (!DigitPressed(0)) return;
  PictureLoader.MenuBarShown = !PictureLoader.MenuBarShown;
  Pause(450);
}

// ---- Steps 30 to 33 --------------------------------------------------------------------------

void EndFrame() {
  RightClick = false;
  std::fill(std::begin(KeyTable), std::end(KeyTable), 0u);
  NoteMessagesPumped(PumpAllMessages());
  FrameCounter += 1;
}

}  // namespace

int32_t PumpAllMessages() {
  int32_t count = 0;
  while (platform::PumpOneMessage()) count += 1;
  return count;
}

void DrainMessages(int32_t rounds) {
  for (int32_t round = 0; round < rounds; ++round) {
    Pause(100);
    PumpAllMessages();
  }
}

void StartMenu() {
  ResetMenuState();  // the start values of the view, the selection, the geometry and the offsets
  ReadStartDirectory();                                  // 1
  SizeCanvasForHalfScreen();                             // 2
  StartEngine();                                         // 3
  RecreateWindow();                                      // 4
  AllocatePictureBuffer();                               // 5
  PictureLoader.MenuBarShown = true;                     // 6
  AllocateEntryTable();                                  // 7
  PictureLoader.ViewerStep = 4.0f;                       // 8
  Relist();                                              // 9
  ClearInputState();                                     // 10
  platform::ReadScreenSize(&ScreenSize.x, &ScreenSize.y);  // 11
  platform::InstallInputHooks();                         // 12
  ForgetIdleFrameState();
}

void RunIteration() {
  if (WaitInsteadOfRepeatedFrame()) return;              // Linux: nothing could change
  DrawActiveView();                                      // 1-3
  HandleViewClick();                                     // 4
  PageKeys();                                            // 5-6
  LaunchKey();                                           // 7
  MinimiseKey();                                         // 8
  ColumnKey();                                           // 9
  ThumbnailsKey();                                       // 10
  RestoreBackdrop();                                     // 11
  DrawOverlay();                                         // 12-13
  ResolveClick();                                        // 14-15
  PresentCanvas();                                       // 16
  MoveKey();                                             // 17
  QuitKey();                                             // 18
  RelistKey();                                           // 19
  AnchorKey();                                           // 20
  DisplayModeKeys();                                     // 21
  FileManagerKey();                                      // 22
  ScrollKeys();                                          // 23-26
  ClockKey();                                            // 27
  ViewerKeys();                                          // 28
  MenuBarKey();                                          // 29
  EndFrame();                                            // 30-33
}

void ExitMenu() {
  EndThumbnailWork();
  ReleaseCanvas();
  StopEngine();
  DrainMessages(10);
}

int RunMenu() {
  StartMenu();
  while (!QuitRequested) RunIteration();
  ExitMenu();
  return 0;
}
