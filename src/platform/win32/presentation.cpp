// What the shared GL presentation asks of the window backend: whether it may draw, and the swap.
#include <windows.h>

#include "platform/gl/frame_pacer.h"
#include "platform/gl/gl_setup.h"
#include "platform/win32/win32_window.h"

bool GlContextReady() { return win32::MainDeviceContext() != nullptr && wglGetCurrentContext() != nullptr; }

void SwapWindowBuffers() {
  if (GlContextReady()) {
    SwapBuffers(win32::MainDeviceContext());
    // Every frame is drawn; where no vsync paces the swap (virtual displays), this keeps the
    // menu at 60 frames a second instead of a busy core.
    WaitOutFrame();
    return;
  }
  // No window after a failed re-creation: nothing waits on a swap, so keep the loop from spinning.
  Sleep(16);
}

bool BackBufferHoldsLastFrame() { return false; }
// Never asked for, as the back buffer is never reported to hold the last frame.
void ShowWindowBand(int32_t, int32_t) {}
