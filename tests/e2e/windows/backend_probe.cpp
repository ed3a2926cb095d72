// The Win32 window lifecycle driven directly, for what the menu's own runs cannot show: the boxes
// of a failed creation and teardown (windows_menu.sh dismisses and compares them) and the window
// procedure's answers. Each check prints "ok" or "FAIL" and its name; the exit code counts failures.
#include <windows.h>

#include <cstdio>

#include "platform/gl/gl_setup.h"
#include "platform/platform.h"
#include "platform/win32/win32_window.h"
#include "shell/menu_state.h"

static int failures = 0;

static void Check(bool passed, const char* what) {
  std::printf("%s %s\n", passed ? "ok" : "FAIL", what);
  std::fflush(stdout);
  failures += passed ? 0 : 1;
}

int main() {
  Check(OpenGlWindow("GAME", 640, 480, 16), "OpenGlWindow 640 x 480 succeeds");
  HWND window = win32::MainWindowHandle();
  Check(!OpenGlWindow("GAME", 320, 240, 32), "creating while open fails");
  Check(win32::MainWindowHandle() == window && IsWindowVisible(window) && wglGetCurrentContext() != nullptr,
        "the open window and its context are untouched");
  Check(SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0) == 0 &&
            SendMessageA(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2) == 0,
        "the screen saver and monitor power-off are refused");
  QuitRequested = 0;
  Check(SendMessageA(window, WM_CLOSE, 0, 0) == 0 && QuitRequested == 1 && IsWindowVisible(window),
        "WM_CLOSE asks the loop to end and leaves the window on screen");
  platform::MinimiseMainWindow();
  Check(IsIconic(window), "MinimiseMainWindow minimises the window");
  ShowWindow(window, SW_RESTORE);
  CloseGlWindow();
  Check(!IsWindow(window) && wglGetCurrentContext() == nullptr, "teardown destroys the window and its context");
  CloseGlWindow();
  Check(win32::MainWindowHandle() == nullptr, "a second teardown finds nothing to release");
  return failures;
}
