#include "shell/display_modes.h"


#include "canvas/canvas.h"
#include "pictures/texture_loader.h"
#include "platform/platform.h"
#include "shell/menu_state.h"

namespace {

struct ModeGeometry {
  int32_t width, height, scale, thumbSize;
  float viewerStep;
};

// Half the screen in each direction, less one pixel where the screen size is odd.
int32_t HalfScreen(int32_t size) { return size / 2 - (size % 2 != 0 ? 1 : 0); }

ModeGeometry GeometryOf(int32_t mode) {
  int32_t sw{}, sh{};
  platform::ReadScreenSize(&sw, &sh);
  switch (mode) {
    case 0: return {1280, 960, 1, 200, 2.0f};
    case 2: return {sw, sh, 1, 200, 2.0f};
    default: return {HalfScreen(sw), HalfScreen(sh), 2, 140, 3.0f};
  }
}

}  // namespace

void SizeCanvasForHalfScreen() {
  const ModeGeometry half = GeometryOf(1);
  SetCanvasSize(half.width, half.height);
}

void RecreateWindow() {
  if (OpenGlWindow("GAME", CanvasWidth * PixelScale, CanvasHeight * PixelScale, 16)) platform::HideSystemCursor();
}

void ChangeDisplayMode(int32_t mode) {
  platform::ReadScreenSize(&ScreenSize.x, &ScreenSize.y);
  DisplayMode = mode;
  const ModeGeometry geometry = GeometryOf(mode);
  SetCanvasSize(geometry.width, geometry.height);
  PixelScale = geometry.scale;
  CloseGlWindow();
  RecreateWindow();
  ThumbSize = {geometry.thumbSize, geometry.thumbSize};
  PictureLoader.ViewerStep = geometry.viewerStep;
  ViewOffset = {};
  WindowPos = {};
  SavedViewOffset = {};
  if (ViewMode == ViewModeKind::Grid) GridRedraw = true;
}

void MoveWindowToCursor() {
  CanvasPoint p;
  if (!platform::ReadCursorPos(&p.x, &p.y)) return;
  platform::MoveMainWindow(p.x, p.y, CanvasWidth * PixelScale, CanvasHeight * PixelScale);
  platform::HideSystemCursor();
  WindowPos = p;
}
