// Calls on the main window and the screen: cursor, window rectangle, screen size, moving,
// minimising, hiding the pointer. With no display or no window they do nothing.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "platform/platform.h"
#include "platform/x11/main_window.h"
#include "platform/x11/x11_display.h"

namespace x11 {
namespace {

// A 1 x 1 cursor with an empty mask: nothing of it shows.
Cursor InvisibleCursor(Display* display) {
  static Cursor cursor = 0;
  if (cursor != 0) return cursor;
  const char noBits[1] = {0};
  const Pixmap blank = XCreateBitmapFromData(display, DefaultRootWindow(display), noBits, 1, 1);
  XColor black{};
  cursor = XCreatePixmapCursor(display, blank, blank, &black, &black, 0, 0);
  XFreePixmap(display, blank);
  return cursor;
}

// The primary monitor's size from RandR; false when there is no primary monitor with a mode.
bool ReadPrimaryMonitorSize(Display* display, int32_t* width, int32_t* height) {
  int eventBase = 0, errorBase = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase)) return false;
  const Window root = DefaultRootWindow(display);
  const RROutput primary = XRRGetOutputPrimary(display, root);
  XRRScreenResources* resources = primary != 0 ? XRRGetScreenResourcesCurrent(display, root) : nullptr;
  if (resources == nullptr) return false;
  bool found = false;
  if (XRROutputInfo* output = XRRGetOutputInfo(display, resources, primary)) {
    if (output->crtc != 0) {
      if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, output->crtc)) {
        found = crtc->width > 0 && crtc->height > 0;
        *width = static_cast<int32_t>(crtc->width);
        *height = static_cast<int32_t>(crtc->height);
        XRRFreeCrtcInfo(crtc);
      }
    }
    XRRFreeOutputInfo(output);
  }
  XRRFreeScreenResources(resources);
  return found;
}

// The screen size is asked for every frame by the list and the viewer, and reading it costs four
// round trips; it is read again only after the server reports a change to the screen or its
// monitors.
struct ScreenSizeReading {
  bool valid = false;
  int32_t width = 0, height = 0;
  int randrEventBase = -1;  // RandR's first event code once its change events are selected
};
ScreenSizeReading screenSize;

void WatchScreenChanges(Display* display) {
  int eventBase = 0, errorBase = 0;
  if (screenSize.randrEventBase >= 0 || !XRRQueryExtension(display, &eventBase, &errorBase)) return;
  screenSize.randrEventBase = eventBase;
  XRRSelectInput(display, DefaultRootWindow(display),
                 RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
}

}  // namespace

bool IsScreenChange(XEvent& event) {
  const int base = screenSize.randrEventBase;
  if (base < 0 || (event.type != base + RRScreenChangeNotify && event.type != base + RRNotify)) return false;
  XRRUpdateConfiguration(&event);
  screenSize.valid = false;
  return true;
}

}  // namespace x11

namespace platform {

void HideSystemCursor() {
  Display* display = MainDisplay();
  const Window window = x11::MainWindow().window;
  if (window == 0) return;
  XDefineCursor(display, window, x11::InvisibleCursor(display));
  XFlush(display);
}

void MinimiseMainWindow() {
  Display* display = MainDisplay();
  const Window window = x11::MainWindow().window;
  if (window == 0) return;
  XIconifyWindow(display, window, DefaultScreen(display));
  XFlush(display);
}

void MoveMainWindow(int32_t left, int32_t top, int32_t width, int32_t height) {
  Display* display = MainDisplay();
  const Window window = x11::MainWindow().window;
  if (window == 0 || width <= 0 || height <= 0) return;
  XMoveResizeWindow(display, window, left, top, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XFlush(display);
}

bool ReadCursorPos(int32_t* x, int32_t* y) {
  Display* display = MainDisplay();
  if (display == nullptr) return false;
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
  unsigned buttons = 0;
  if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX,
                     &windowY, &buttons))
    return false;
  *x = rootX;
  *y = rootY;
  return true;
}

bool ReadMainWindowRect(ScreenRect* rect) {
  Display* display = MainDisplay();
  const Window window = x11::MainWindow().window;
  if (window == 0) return false;
  Window root = 0, child = 0;
  int x = 0, y = 0, left = 0, top = 0;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  if (!XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth)) return false;
  if (!XTranslateCoordinates(display, window, root, 0, 0, &left, &top, &child)) return false;
  *rect = {left, top, left + static_cast<int32_t>(width), top + static_cast<int32_t>(height)};
  return true;
}

void ReadScreenSize(int32_t* width, int32_t* height) {
  *width = *height = 0;
  Display* display = MainDisplay();
  if (display == nullptr) return;
  x11::ScreenSizeReading& reading = x11::screenSize;
  if (!reading.valid) {
    x11::WatchScreenChanges(display);
    if (!x11::ReadPrimaryMonitorSize(display, &reading.width, &reading.height)) {
      reading.width = DisplayWidth(display, DefaultScreen(display));
      reading.height = DisplayHeight(display, DefaultScreen(display));
    }
    reading.valid = true;
  }
  *width = reading.width;
  *height = reading.height;
}

}  // namespace platform
