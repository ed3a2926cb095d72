// The X display connection of the main window, shared by the X11 backend's files.
#pragma once

#include <X11/Xlib.h>

// The connection opened with the main window; null while there is none.
Display* MainDisplay();
