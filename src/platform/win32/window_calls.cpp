// Calls on the main window made by the shell: cursor, minimise, move, and its rectangle.
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/win32_window.h"

namespace platform {

void HideSystemCursor() { ShowCursor(FALSE); }

void MinimiseMainWindow() {
  if (HWND window = win32::MainWindowHandle()) ShowWindow(window, SW_MINIMIZE);
}

void MoveMainWindow(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (HWND window = win32::MainWindowHandle()) MoveWindow(window, left, top, width, height, TRUE);
}

bool ReadMainWindowRect(ScreenRect* rect) {
  HWND window = win32::MainWindowHandle();
  RECT outer;
  if (window == nullptr || !GetWindowRect(window, &outer)) return false;
  *rect = {outer.left, outer.top, outer.right, outer.bottom};
  return true;
}

void ReadScreenSize(int32_t* width, int32_t* height) {
  *width = GetSystemMetrics(SM_CXSCREEN);
  *height = GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace platform
