// The menu's state: one process-wide instance of every field, read and written by all views.
// ViewerStep, PanFactor and MenuBarShown live in PictureLoader (pictures/texture_loader.h).
#pragma once

#include <cstdint>

enum class ViewModeKind { List, Grid, Viewer };

struct CanvasPoint {
  int32_t x = 0;
  int32_t y = 0;
};

inline constexpr int kPathBufferSize = 3000;
// Start-up reads the current directory with this limit, as GetCurrentDirectoryA(260) would.
inline constexpr int kStartPathLimit = 260;

extern ViewModeKind ViewMode;
extern uint32_t GridRedraw;
extern int32_t SelectedEntry;
extern int32_t FirstThumb;
extern int32_t ListScroll;
extern CanvasPoint ViewOffset;
extern CanvasPoint SavedViewOffset;
extern CanvasPoint WindowPos;
extern CanvasPoint ScreenSize;  // x = width, y = height
extern int32_t DisplayMode;
extern int32_t PixelScale;
extern CanvasPoint ThumbSize;   // x = y = cell side
extern uint32_t ClockShown;
extern int32_t ColumnFactor;
extern uint32_t QuitRequested;
extern int32_t FrameCounter;
extern uint32_t RelistRequest;
extern int32_t ShownPicture;
extern char StartDir[kPathBufferSize];
extern char FolderPath[kPathBufferSize];

// Puts every field back to its initial value (the program does this once; tests before each case).
void ResetMenuState();
