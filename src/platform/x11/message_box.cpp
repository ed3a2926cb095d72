// Message boxes: the title and text on standard error, then a small X window with the text and an
// OK button that waits for a click on OK, Return, Escape, Space or the window manager's close.
// The box has its own connection, so the main connection's input stays queued for the menu.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace {

struct BoxLayout {
  int width, height;
  XRectangle button;
  int textX, textY;
};

constexpr int kMargin = 24;
constexpr int kIconSize = 24;
constexpr int kButtonWidth = 72;
constexpr int kButtonHeight = 24;

int TextWidth(XFontStruct* font, const char* text) {
  const int length = static_cast<int>(std::strlen(text));
  return font != nullptr ? XTextWidth(font, text, length) : 6 * length;
}

BoxLayout LayOut(XFontStruct* font, const char* text) {
  const int textWidth = TextWidth(font, text);
  BoxLayout layout{};
  layout.width = std::max(kMargin * 3 + kIconSize + textWidth, 240);
  layout.height = kMargin * 3 + kIconSize + kButtonHeight;
  layout.textX = kMargin * 2 + kIconSize;
  layout.textY = kMargin + kIconSize / 2 + 5;
  layout.button = {static_cast<short>((layout.width - kButtonWidth) / 2),
                   static_cast<short>(layout.height - kMargin - kButtonHeight),
                   static_cast<unsigned short>(kButtonWidth), static_cast<unsigned short>(kButtonHeight)};
  return layout;
}

Window CreateBox(Display* display, const char* title, const BoxLayout& layout) {
  const int screen = DefaultScreen(display);
  const int x = std::max((DisplayWidth(display, screen) - layout.width) / 2, 0);
  const int y = std::max((DisplayHeight(display, screen) - layout.height) / 2, 0);
  const Window box = XCreateSimpleWindow(display, RootWindow(display, screen), x, y,
                                         static_cast<unsigned>(layout.width),
                                         static_cast<unsigned>(layout.height), 1,
                                         BlackPixel(display, screen), WhitePixel(display, screen));
  XStoreName(display, box, title);
  Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, box, &deleteWindow, 1);
  XSelectInput(display, box, ExposureMask | KeyPressMask | ButtonPressMask | StructureNotifyMask);
  return box;
}

// An exclamation mark for warnings, an "i" for information, in a circle left of the text.
void Draw(Display* display, Window box, GC gc, const BoxLayout& layout, const char* text, uint32_t flags) {
  XClearWindow(display, box);
  XDrawArc(display, box, gc, kMargin, kMargin, kIconSize, kIconSize, 0, 360 * 64);
  const char* mark = flags == platform::kBoxOkInformation ? "i" : "!";
  XDrawString(display, box, gc, kMargin + kIconSize / 2 - 2, kMargin + kIconSize / 2 + 5, mark, 1);
  XDrawString(display, box, gc, layout.textX, layout.textY, text, static_cast<int>(std::strlen(text)));
  const XRectangle& b = layout.button;
  XDrawRectangle(display, box, gc, b.x, b.y, b.width, b.height);
  XDrawString(display, box, gc, b.x + b.width / 2 - 6, b.y + b.height / 2 + 5, "OK", 2);
}

bool Inside(const XRectangle& r, int x, int y) {
  return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height;
}

bool Dismisses(Display* display, const XEvent& event, const BoxLayout& layout) {
  switch (event.type) {
    case KeyPress: {
      XKeyEvent key = event.xkey;
      const KeySym sym = XLookupKeysym(&key, 0);
      return sym == XK_Return || sym == XK_KP_Enter || sym == XK_Escape || sym == XK_space;
    }
    case ButtonPress:
      return event.xbutton.button == Button1 && Inside(layout.button, event.xbutton.x, event.xbutton.y);
    case ClientMessage:
      return static_cast<Atom>(event.xclient.data.l[0]) == XInternAtom(display, "WM_DELETE_WINDOW", False);
    default: return false;
  }
}

void RunBox(Display* display, const char* title, const char* text, uint32_t flags) {
  XFontStruct* font = XLoadQueryFont(display, "fixed");
  const BoxLayout layout = LayOut(font, text);
  const Window box = CreateBox(display, title, layout);
  const GC gc = XCreateGC(display, box, 0, nullptr);
  XSetForeground(display, gc, BlackPixel(display, DefaultScreen(display)));
  if (font != nullptr) XSetFont(display, gc, font->fid);
  XMapRaised(display, box);
  for (XEvent event;;) {
    XNextEvent(display, &event);
    if (event.type == MapNotify) XSetInputFocus(display, box, RevertToParent, CurrentTime);
    if (event.type == Expose && event.xexpose.count == 0) Draw(display, box, gc, layout, text, flags);
    if (Dismisses(display, event, layout)) break;
  }
  XFreeGC(display, gc);
  if (font != nullptr) XFreeFont(display, font);
  XDestroyWindow(display, box);
}

}  // namespace

namespace platform {

void ShowMessageBox(const char* title, const char* text, uint32_t flags) {
  if (title == nullptr) title = "";  // as MessageBoxA takes them
  if (text == nullptr) text = "";
  std::fprintf(stderr, "%s: %s\n", title, text);
  std::fflush(stderr);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return;
  RunBox(display, title, text, flags);
  XCloseDisplay(display);
}

}  // namespace platform
