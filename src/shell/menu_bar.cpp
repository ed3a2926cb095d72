#include "shell/menu_bar.h"

#include <limits>

#include "browser/entry_table.h"
#include "browser/launch.h"
#include "canvas/canvas.h"
#include "canvas/text.h"
#include "pictures/grid.h"
#include "platform/platform.h"
#include "shell/display_modes.h"
#include "shell/menu_state.h"
#include "shell/status_line.h"

namespace {

namespace id {
constexpr uint32_t Thumbnails = 1200000;
constexpr uint32_t BracketLeft = 1200001;
constexpr uint32_t BracketRight = 1200002;
constexpr uint32_t CenterCenter = 1200003;
constexpr uint32_t FirstThumbSize = 1200004;
constexpr uint32_t LastThumbSize = 1200009;
constexpr uint32_t F5 = 1200010;
constexpr uint32_t F6 = 1200011;
constexpr uint32_t F7 = 1200012;
constexpr uint32_t F8 = 1200013;
constexpr uint32_t ColumnWidth = 1200014;
constexpr uint32_t Escape = 1200015;
}  // namespace id

constexpr int32_t kNotShown = std::numeric_limits<int32_t>::min();

struct MenuLabel {
  const char* text;
  int32_t listX, gridX;
  uint32_t id;
};

// In drawing order: later labels win in the PickMap where two overlap.
constexpr MenuLabel kLabels[] = {
    {"ESC", 228, 228, id::Escape},
    {"LF", 251, 251, id::ColumnWidth},
    {"THUMBNAILS", 268, 268, id::Thumbnails},
    {"BRACKETL", 320, 320, id::BracketLeft},
    {"BRACKETR", 360, 360, id::BracketRight},
    {"CENTERCENTER", 402, kNotShown, id::CenterCenter},
    {"60x60", kNotShown, 410, id::FirstThumbSize},
    {"100x100", kNotShown, 440, id::FirstThumbSize + 1},
    {"160x160", kNotShown, 475, id::FirstThumbSize + 2},
    {"200x200", kNotShown, 510, id::FirstThumbSize + 3},
    {"300x300", kNotShown, 545, id::FirstThumbSize + 4},
    {"400x400", kNotShown, 580, id::FirstThumbSize + 5},
    {"F5", 464, 622, id::F5},
    {"F6", 479, 637, id::F6},
    {"F7", 494, 653, id::F7},
    {"F8", 509, 670, id::F8},
};

constexpr int32_t kThumbSides[] = {60, 100, 160, 200, 300, 400};
// A click on nothing within this many rows of the top edge lies in the bar strip.
constexpr int32_t kBarStripRows = 30;

void Pause(int32_t milliseconds) { platform::SleepMilliseconds(milliseconds); }

void DrawLabels() {
  const int32_t baseLine = ViewOffset.y + CanvasHeight - 11;
  for (const MenuLabel& label : kLabels) {
    const int32_t x = ViewMode == ViewModeKind::Grid ? label.gridX : label.listX;
    if (x == kNotShown) continue;
    FormatText("%s", label.text);
    DrawLabel(ViewOffset.x + x, baseLine, 255, 255, 0, label.id);
  }
}

void ShowList() {
  ViewMode = ViewModeKind::List;
  GridRedraw = false;
  ViewOffset = SavedViewOffset;
}

void ShowGrid() {
  ViewMode = ViewModeKind::Grid;
  GridRedraw = true;
  SavedViewOffset = ViewOffset;
  ViewOffset = {};
}

void ClickOnNothing(int32_t cursorY) {
  if (cursorY >= CanvasHeight - kBarStripRows) return;
  ShowList();
  Relist();
}

void ToggleThumbnails() {
  if (ViewMode == ViewModeKind::Grid) {
    ShowList();
  } else {
    ShowGrid();
  }
  Relist();
  FirstThumb = SelectedEntry;
}

// The bracket labels keep the list's offset before the page command shows the grid.
void TurnPage(void (*page)()) {
  if (ViewMode == ViewModeKind::List) {
    SavedViewOffset = ViewOffset;
    ViewOffset = {};
    Pause(180);
  }
  page();
  Pause(480);
}

void CentreList() {
  SavedViewOffset = ViewOffset;
  ViewOffset = {CanvasWidth / 3, -CanvasHeight / 3};
}

void ChooseThumbSize(uint32_t labelId) {
  const int32_t side = kThumbSides[labelId - id::FirstThumbSize];
  ThumbSize = {side, side};
  GridRedraw = true;
}

}  // namespace

void DrawMenuBar() {
  DrawTitle();
  if (ViewMode != ViewModeKind::Viewer) DrawLabels();
  DrawStatusText();
}

void DispatchCommand(uint32_t labelId, int32_t cursorY) {
  if (labelId >= id::FirstThumbSize && labelId <= id::LastThumbSize) {
    ChooseThumbSize(labelId);
    return;
  }
  switch (labelId) {
    case 0: ClickOnNothing(cursorY); break;
    case id::Thumbnails: ToggleThumbnails(); break;
    case id::BracketLeft: TurnPage(PagePrevious); break;
    case id::BracketRight: TurnPage(PageNext); break;
    case id::CenterCenter: CentreList(); break;
    case id::F5: ChangeDisplayMode(1); break;
    case id::F6: ChangeDisplayMode(0); break;
    case id::F7:
      OpenFileManager();
      Pause(450);
      break;
    case id::F8: ChangeDisplayMode(2); break;
    case id::ColumnWidth:
      ColumnFactor = (ColumnFactor + 1) % 3;
      Pause(150);
      break;
    case id::Escape: QuitRequested = 1; break;
    default: break;
  }
}
