// Starting programs and placing another program's window on X11.
#include <X11/Xlib.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/posix/spawn.h"
#include "platform/x11/x11_display.h"

namespace {

// Frames of reparenting window managers put the client window a level or two below the root.
constexpr int kSearchDepth = 3;
// Longer titles are not the player's; 4 KiB of name is read at most.
constexpr long kNameLongs = 1024;

bool HasNetWmName(Display* display, Window window, const char* title) {
  const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* value = nullptr;
  if (XGetWindowProperty(display, window, name, 0, kNameLongs, False, utf8, &type, &format, &count,
                         &remaining, &value) != Success)
    return false;
  const bool same = value != nullptr && format == 8 && count == std::strlen(title) &&
                    std::memcmp(value, title, count) == 0;
  if (value != nullptr) XFree(value);
  return same;
}

bool HasWmName(Display* display, Window window, const char* title) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) == 0 || name == nullptr) return false;
  const bool same = std::strcmp(name, title) == 0;
  XFree(name);
  return same;
}

bool IsTitled(Display* display, Window window, const char* title) {
  return HasNetWmName(display, window, title) || HasWmName(display, window, title);
}

// Looks through window's children, topmost first, and their descendants down to depth levels.
Window FindTitledWindow(Display* display, Window window, const char* title, int depth) {
  Window root = None, parent = None, *children = nullptr;
  unsigned int count = 0;
  if (depth == 0 || !XQueryTree(display, window, &root, &parent, &children, &count)) return None;
  Window found = None;
  for (unsigned int i = count; i-- > 0 && found == None;) {
    if (IsTitled(display, children[i], title))
      found = children[i];
    else
      found = FindTitledWindow(display, children[i], title, depth - 1);
  }
  if (children != nullptr) XFree(children);
  return found;
}

// Asks a window manager, when one runs, to activate the window; without one nobody listens.
void RequestActivation(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 2;  // from a pager: the request is the user's own
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void FocusIfViewable(Display* display, Window window) {
  XWindowAttributes attributes;
  XSync(display, False);
  if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable)
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
}

}  // namespace

namespace platform {

void StartProgram(const char* program, const char* parameters, ParameterSplit split) {
  posix::StartProgram(program, parameters, split);
}

bool PlaceWindowByTitle(const char* title, int32_t left, int32_t top, int32_t width, int32_t height) {
  Display* display = MainDisplay();
  if (display == nullptr || width <= 0 || height <= 0) return false;
  // The player may close at any moment: errors on its window are recorded by the display's
  // handler, never fatal, and change nothing here.
  const Window window = FindTitledWindow(display, DefaultRootWindow(display), title, kSearchDepth);
  if (window == None) return false;
  XMoveResizeWindow(display, window, left, top, static_cast<unsigned>(width),
                    static_cast<unsigned>(height));
  XMapRaised(display, window);
  RequestActivation(display, window);
  FocusIfViewable(display, window);
  XFlush(display);
  return true;
}

}  // namespace platform
