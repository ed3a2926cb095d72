// The swap at the end of each presented frame, with vsync where GLX offers swap control; where it
// does not (virtual displays), the frame is paced to 1/60 s by sleeping, so an idle menu does not
// spin a core. A frame that changed in a band of rows shows just that band where GLX can copy part
// of the back buffer to the window and the back buffer is known to hold the last frame: by its
// age, or, without vsync and buffer ages (virtual displays), because every frame is then shown by
// copying rather than swapping, which leaves the back buffer as it was.
#include <GL/glx.h>

#include <cstring>

#include "canvas/canvas.h"
#include "platform/gl/frame_pacer.h"
#include "platform/gl/gl_setup.h"
#include "platform/x11/main_window.h"
#include "platform/x11/x11_display.h"
#include "shell/menu_state.h"

namespace x11 {
namespace {

bool vsyncPacesFrames = false;
bool bufferAgeKnown = false;  // GLX_EXT_buffer_age: the back buffer's age can be asked
using CopySubBuffer = void (*)(Display*, GLXDrawable, int, int, int, int);
CopySubBuffer copySubBuffer = nullptr;  // GLX_MESA_copy_sub_buffer: part of it can be shown

bool HasGlxExtension(Display* display, const char* name) {
  const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
  if (extensions == nullptr) return false;
  const size_t length = std::strlen(name);
  for (const char* at = std::strstr(extensions, name); at != nullptr; at = std::strstr(at + 1, name))
    if ((at == extensions || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
  return false;
}

template <typename Function>
Function LookUp(const char* name) {
  return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

void EnableSwapControl(Display* display, GLXDrawable drawable) {
  using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
  using SwapIntervalMesa = int (*)(unsigned);
  vsyncPacesFrames = false;
  bufferAgeKnown = HasGlxExtension(display, "GLX_EXT_buffer_age");
  copySubBuffer = HasGlxExtension(display, "GLX_MESA_copy_sub_buffer")
                      ? LookUp<CopySubBuffer>("glXCopySubBufferMESA")
                      : nullptr;
  if (HasGlxExtension(display, "GLX_EXT_swap_control")) {
    if (auto setInterval = LookUp<SwapIntervalExt>("glXSwapIntervalEXT")) {
      setInterval(display, drawable, 1);
      vsyncPacesFrames = true;
    }
  } else if (HasGlxExtension(display, "GLX_MESA_swap_control")) {
    if (auto setInterval = LookUp<SwapIntervalMesa>("glXSwapIntervalMESA")) vsyncPacesFrames = setInterval(1) == 0;
  }
}

namespace {

// Without vsync and buffer ages, frames are copied to the window instead of swapped.
bool ShowsByCopying() { return copySubBuffer != nullptr && !bufferAgeKnown && !vsyncPacesFrames; }

}  // namespace
}  // namespace x11

void SwapWindowBuffers() {
  const x11::MainWindowHandles& window = x11::MainWindow();
  const bool drawn = window.context != nullptr;
  if (drawn && x11::ShowsByCopying()) {
    ShowWindowBand(0, CanvasHeight * PixelScale);
    return;
  }
  if (drawn) glXSwapBuffers(MainDisplay(), window.drawable);
  if (drawn && x11::vsyncPacesFrames) return;
  WaitOutFrame();
}

bool BackBufferHoldsLastFrame() {
  const x11::MainWindowHandles& window = x11::MainWindow();
  if (window.context == nullptr || x11::copySubBuffer == nullptr) return false;
  if (x11::ShowsByCopying()) return true;
  unsigned age = 0;
  if (x11::bufferAgeKnown)
    glXQueryDrawable(MainDisplay(), window.drawable, GLX_BACK_BUFFER_AGE_EXT, &age);
  return age == 1;
}

void ShowWindowBand(int32_t bottom, int32_t height) {
  const x11::MainWindowHandles& window = x11::MainWindow();
  x11::copySubBuffer(MainDisplay(), window.drawable, 0, bottom, CanvasWidth * PixelScale, height);
  WaitOutFrame();
}
