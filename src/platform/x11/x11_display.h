// The X display connection of the main window, shared by the X11 backend's files.
#pragma once

#include <X11/Xlib.h>

// The connection, opened on first use (the screen size is read before the first window) and kept
// for the whole run; null when no X display can be opened.
Display* MainDisplay();

namespace x11 {

// X protocol errors are recorded, never fatal (Xlib's default handler would end the process).
// A request sequence is checked by syncing before and after it.
class CheckedRequests {
 public:
  explicit CheckedRequests(Display* display);
  // Waits for the server to handle every request sent so far; false when one of them failed.
  bool Succeeded();

 private:
  Display* display_;
};

}  // namespace x11
