// Prints the X screen saver's state: "on", "off" or "disabled".
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  if (info == nullptr || !XScreenSaverQueryInfo(display, DefaultRootWindow(display), info)) return 1;
  std::puts(info->state == ScreenSaverOn ? "on" : info->state == ScreenSaverOff ? "off" : "disabled");
  XFree(info);
  XCloseDisplay(display);
  return 0;
}
