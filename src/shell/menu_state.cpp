#include "shell/menu_state.h"

ViewModeKind ViewMode;
uint32_t GridRedraw;
int32_t SelectedEntry;
int32_t FirstThumb;
int32_t ListScroll;
CanvasPoint ViewOffset;
CanvasPoint SavedViewOffset;
CanvasPoint WindowPos;
CanvasPoint ScreenSize;
int32_t DisplayMode;
int32_t PixelScale;
CanvasPoint ThumbSize;
uint32_t ClockShown;
int32_t ColumnFactor;
uint32_t QuitRequested;
int32_t FrameCounter;
uint32_t RelistRequest;
int32_t ShownPicture;
char StartDir[kPathBufferSize];
char FolderPath[kPathBufferSize];

namespace {
constexpr int32_t kStartCellSide = 140;  // the cell is square
}  // namespace

void ResetMenuState() {
  ViewMode = ViewModeKind::List;
  GridRedraw = false;
  SelectedEntry = 1;
  FirstThumb = 1;
  ListScroll = 0;
  ViewOffset = {};
  SavedViewOffset = {};
  WindowPos = {};
  ScreenSize = {};
  DisplayMode = 1;
  PixelScale = 2;
  ThumbSize = {kStartCellSide, kStartCellSide};
  ClockShown = true;
  ColumnFactor = 0;
  QuitRequested = 0;
  FrameCounter = 0;
  RelistRequest = false;
}

namespace {
// The globals hold their initial values before main runs, as the program expects.
const bool kInitialised = (ResetMenuState(), true);
}  // namespace
