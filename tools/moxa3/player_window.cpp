#include "player_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <cstring>

#include "player_command.h"

namespace {

constexpr unsigned kSide = 600;  // the size the menu gives it, so that nothing jumps
// Frames of reparenting window managers put client windows a level or two below the root.
constexpr int kSearchDepth = 3;

bool HasTitle(Display* display, Window window) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) == 0 || name == nullptr) return false;
  const bool same = std::strcmp(name, kPlayerTitle) == 0;
  XFree(name);
  return same;
}

Window FindTitled(Display* display, Window parent, Window except, int depth) {
  Window root = None, grandparent = None, *children = nullptr;
  unsigned int count = 0;
  if (depth == 0 || !XQueryTree(display, parent, &root, &grandparent, &children, &count)) return None;
  Window found = None;
  for (unsigned int i = 0; i < count && found == None; ++i) {
    if (children[i] == except) continue;
    found = HasTitle(display, children[i]) ? children[i] : FindTitled(display, children[i], except, depth - 1);
  }
  if (children != nullptr) XFree(children);
  return found;
}

}  // namespace

PlayerWindow::~PlayerWindow() {
  Close();
  if (display_ != nullptr) XCloseDisplay(display_);
}

bool PlayerWindow::Open() {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) return false;
  const int screen = DefaultScreen(display_);
  window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0, kSide, kSide, 0,
                                BlackPixel(display_, screen), BlackPixel(display_, screen));
  XStoreName(display_, window_, kPlayerTitle);
  XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_NAME", False),
                  XInternAtom(display_, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(kPlayerTitle),
                  static_cast<int>(std::strlen(kPlayerTitle)));
  const long pid = getpid();  // lets window managers, and tests, tell whose window it is
  XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_PID", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
  closeRequest_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display_, window_, &closeRequest_, 1);
  XSelectInput(display_, window_, ExposureMask | StructureNotifyMask);
  XMapWindow(display_, window_);
  XSync(display_, False);
  return true;
}

void PlayerWindow::WaitForEvents(int milliseconds) const {
  pollfd events{ConnectionNumber(display_), POLLIN, 0};
  poll(&events, 1, milliseconds);
}

bool PlayerWindow::HandleEvents() {
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == closeRequest_)
      closeRequested_ = true;
    if (event.type == Expose && event.xexpose.count == 0) DrawMessage();
  }
  return closeRequested_;
}

void PlayerWindow::ShowMessage(const std::string& text) {
  message_ = text;
  DrawMessage();
}

void PlayerWindow::DrawMessage() {
  if (message_.empty() || window_ == None) return;
  const GC gc = XCreateGC(display_, window_, 0, nullptr);
  XSetForeground(display_, gc, WhitePixel(display_, DefaultScreen(display_)));
  XClearWindow(display_, window_);
  XDrawString(display_, window_, gc, 10, 20, message_.c_str(), static_cast<int>(message_.size()));
  XFreeGC(display_, gc);
  XFlush(display_);
}

Window PlayerWindow::FindOtherTitledWindow() const {
  return FindTitled(display_, DefaultRootWindow(display_), window_, kSearchDepth);
}

bool PlayerWindow::PutInPlace(Window other) {
  XWindowAttributes own, theirs;
  int left = 0, top = 0;
  Window child = None;
  // Only a mapped window is done being set up by its program, which could still move it.
  if (!XGetWindowAttributes(display_, other, &theirs) || theirs.map_state != IsViewable ||
      !XGetWindowAttributes(display_, window_, &own) ||
      !XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &left, &top, &child))
    return false;
  Window focus = None;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  XMoveResizeWindow(display_, other, left, top, static_cast<unsigned>(own.width), static_cast<unsigned>(own.height));
  XRaiseWindow(display_, other);
  if (focus == window_) XSetInputFocus(display_, other, RevertToParent, CurrentTime);
  XSync(display_, False);
  return true;
}

void PlayerWindow::Close() {
  if (window_ == None) return;
  XDestroyWindow(display_, window_);
  XSync(display_, False);
  window_ = None;
}
