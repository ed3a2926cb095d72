// Presentation: the whole Canvas as one pixel rectangle, enlarged by PixelScale, then a swap.
// The Canvas is laid out as glDrawPixels wants it (RGBA bytes, bottom row first), so nothing is
// converted. On X11 a Canvas equal to the one on screen is not drawn again, and one that changed in
// a band of rows only has that band drawn (shown_canvas.h); an Expose event forgets what is shown.
// Windows draws and swaps every frame, so a window uncovered there is always drawn over in the
// next frame.
#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>

#include "canvas/canvas.h"
#include "platform/gl/frame_pacer.h"
#include "platform/gl/gl_setup.h"
#include "platform/gl/shown_canvas.h"
#include "platform/platform.h"
#include "shell/menu_state.h"

namespace {

ShownCanvas shownCanvas;

#ifdef _WIN32
constexpr bool kSkipUnchangedCanvas = false;
#else
constexpr bool kSkipUnchangedCanvas = true;
#endif

// Zoom factors 1 to 5; any other scale leaves the zoom as it was.
void ZoomByPixelScale() {
  if (PixelScale < 1 || PixelScale > 5) return;
  const auto zoom = static_cast<float>(PixelScale);
  glPixelZoom(zoom, zoom);
}

// Just the changed rows, over a back buffer that holds the rest already. The raster position is
// moved up from the lower-left corner with an empty bitmap, the GL 1.1 way, and moved back after.
void DrawBand(const ChangedRows& rows) {
  const float rise = static_cast<float>(rows.first * PixelScale);
  glDisable(GL_TEXTURE_2D);
  ZoomByPixelScale();
  glBitmap(0, 0, 0.0f, 0.0f, 0.0f, rise, nullptr);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, rows.first);
  glDrawPixels(CanvasWidth, rows.count, GL_RGBA, GL_UNSIGNED_BYTE, Canvas);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glBitmap(0, 0, 0.0f, 0.0f, 0.0f, -rise, nullptr);
  glEnable(GL_TEXTURE_2D);
}

// Presents what changed since the last frame shown, or nothing; false when the whole Canvas must
// be drawn and swapped.
bool PresentedChangesOnly() {
  const ChangedRows changed = shownCanvas.Compare(Canvas, CanvasWidth, CanvasHeight, PixelScale);
  if (!changed.Any()) {
    WaitOutFrame();
    return true;
  }
  if (changed.whole || !BackBufferHoldsLastFrame()) return false;
  DrawBand(changed);
  ShowWindowBand(changed.first * PixelScale, changed.count * PixelScale);
  return true;
}

}  // namespace

void ForgetShownCanvas() { shownCanvas.Forget(); }

void PresentCanvas() {
  if (!GlContextReady() || Canvas == nullptr) {
    SwapWindowBuffers();  // nothing to draw into, but the frame is still paced
    return;
  }
  if (kSkipUnchangedCanvas && PresentedChangesOnly()) return;
  glDisable(GL_TEXTURE_2D);
  ZoomByPixelScale();
  // The raster position is never set: it stays at the window's lower-left corner.
  glDrawPixels(CanvasWidth, CanvasHeight, GL_RGBA, GL_UNSIGNED_BYTE, Canvas);
  SwapWindowBuffers();
  glEnable(GL_TEXTURE_2D);
}

void ClearGlBuffers() {
  if (!GlContextReady()) return;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
}
