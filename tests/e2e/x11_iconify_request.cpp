// Waits up to 10 s for a client's request to the window manager to iconify a window (the
// WM_CHANGE_STATE message XIconifyWindow sends to the root) and prints that window's id; bare Xvfb
// has no window manager to act on it. Prints "ready" once it listens.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  const Atom changeState = XInternAtom(display, "WM_CHANGE_STATE", False);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  std::puts("ready");
  std::fflush(stdout);
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  for (int waited = 0; waited < 100;) {
    if (XPending(display) == 0) {
      poll(&connection, 1, 100);
      waited += 1;
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == ClientMessage && event.xclient.message_type == changeState &&
        event.xclient.data.l[0] == IconicState) {
      std::printf("%lu\n", event.xclient.window);
      return 0;
    }
  }
  return 1;
}
