// Presentation: the whole Canvas as one pixel rectangle, enlarged by PixelScale, then a swap.
// The Canvas is laid out as glDrawPixels wants it (RGBA bytes, bottom row first), so nothing is
// converted. On X11 a Canvas equal to the one on screen is not drawn again (shown_canvas.h): an
// Expose event forgets what is shown. Windows draws and swaps every frame, so a window uncovered
// there is always drawn over in the next frame.
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

}  // namespace

void ForgetShownCanvas() { shownCanvas.Forget(); }

void PresentCanvas() {
  if (!GlContextReady() || Canvas == nullptr) {
    SwapWindowBuffers();  // nothing to draw into, but the frame is still paced
    return;
  }
  if (kSkipUnchangedCanvas && !shownCanvas.Changed(Canvas, CanvasWidth, CanvasHeight, PixelScale)) {
    WaitOutFrame();
    return;
  }
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
