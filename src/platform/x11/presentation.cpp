// The swap at the end of each presented frame, with vsync where GLX offers swap control; where it
// does not (virtual displays), the frame is paced to 1/60 s by sleeping, so an idle menu does not
// spin a core.
#include <GL/glx.h>

#include <cstring>

#include "platform/gl/frame_pacer.h"
#include "platform/gl/gl_setup.h"
#include "platform/x11/main_window.h"
#include "platform/x11/x11_display.h"

namespace x11 {
namespace {

bool vsyncPacesFrames = false;

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
  if (HasGlxExtension(display, "GLX_EXT_swap_control")) {
    if (auto setInterval = LookUp<SwapIntervalExt>("glXSwapIntervalEXT")) {
      setInterval(display, drawable, 1);
      vsyncPacesFrames = true;
    }
  } else if (HasGlxExtension(display, "GLX_MESA_swap_control")) {
    if (auto setInterval = LookUp<SwapIntervalMesa>("glXSwapIntervalMESA")) vsyncPacesFrames = setInterval(1) == 0;
  }
}

}  // namespace x11

void SwapWindowBuffers() {
  const x11::MainWindowHandles& window = x11::MainWindow();
  const bool swapped = window.context != nullptr;
  if (swapped) glXSwapBuffers(MainDisplay(), window.drawable);
  if (swapped && x11::vsyncPacesFrames) return;
  WaitOutFrame();
}
