// The main window's X and GLX handles, shared by the X11 backend's files. Each is 0 (or null)
// while its object does not exist, so after a failed creation nothing uses them.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cstdint>

namespace x11 {

struct MainWindowHandles {
  Window window = 0;
  Colormap colormap = 0;
  GLXWindow drawable = 0;
  GLXContext context = nullptr;
};

const MainWindowHandles& MainWindow();

// True for the window manager's request to close the main window (WM_DELETE_WINDOW).
bool IsCloseRequest(const XEvent& event);

// True for RandR's report of a change to the screen or its monitors; the next screen-size
// reading then asks the server again (window_calls.cpp).
bool IsScreenChange(XEvent& event);

// Turns on vsync for the new window's drawable where GLX offers swap control (presentation.cpp).
void EnableSwapControl(Display* display, GLXDrawable drawable);

}  // namespace x11
