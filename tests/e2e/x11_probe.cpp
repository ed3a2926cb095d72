// What bare Xvfb, without a window manager, cannot show the X11 tests by itself:
//   x11_probe close WINDOW  sends the window manager's close request (WM_DELETE_WINDOW)
//   x11_probe saver         prints the screen saver's state: on, off or disabled
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <cstdio>
#include <cstdlib>
#include <string>

static bool SendCloseRequest(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  return XSendEvent(display, window, False, NoEventMask, &event) != 0;
}

static bool PrintSaverState(Display* display) {
  XScreenSaverInfo info{};
  if (!XScreenSaverQueryInfo(display, DefaultRootWindow(display), &info)) return false;
  std::puts(info.state == ScreenSaverOn ? "on" : info.state == ScreenSaverOff ? "off" : "disabled");
  return true;
}

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  bool done = false;
  if (command == "saver") done = PrintSaverState(display);
  else if (command == "close" && argc == 3) done = SendCloseRequest(display, std::strtoul(argv[2], nullptr, 0));
  else std::fprintf(stderr, "usage: x11_probe close WINDOW | saver\n");
  XCloseDisplay(display);
  return done ? 0 : 1;
}
