// What the Win32 backend's files share about the one GL window: its handles, for the calls that
// act on it, and the pixel format it was created with.
#pragma once

#include <windows.h>

namespace win32 {

// Null while no window exists (before the first creation, after a teardown or a failed creation).
HWND MainWindowHandle();
HDC MainDeviceContext();
// The descriptor filled by the first window creation and reused by every later one.
const PIXELFORMATDESCRIPTOR& WindowPixelFormat();

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
