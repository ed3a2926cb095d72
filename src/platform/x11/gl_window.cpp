// The GL window's lifecycle on X11: an undecorated window of exactly the requested size at the
// screen's top-left corner, a double-buffered RGBA GLX configuration with a 16-bit depth buffer,
// a current context and the fixed GL state; and the teardown. Each failing step is reported with
// the message of its Win32 counterpart (window_steps.h), and a test can force any of them to fail.
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/scrnsaver.h>
#include <time.h>

#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/gl/gl_setup.h"
#include "platform/platform.h"
#include "platform/x11/main_window.h"
#include "platform/x11/window_steps.h"
#include "platform/x11/x11_display.h"

namespace x11 {
namespace {

MainWindowHandles handles;
GLXFBConfig windowConfig = nullptr;
bool classRegistered = false;  // as the Win32 window class: one window at a time
bool screenSaverSuspended = false;
int32_t creations = 0;
int32_t teardowns = 0;

const ForcedFailures& Forced() {
  static const ForcedFailures forced = ForcedFailures::Parse(std::getenv("VESTRAMENU_FAIL_STEP"));
  return forced;
}

// A step passes when it succeeded and the test did not force it to fail in this cycle.
bool Passes(WindowStep step, bool succeeded, int32_t cycle) {
  return succeeded && !Forced().Fails(step, cycle);
}

Atom Intern(Display* display, const char* name) { return XInternAtom(display, name, False); }

// ---- Creation steps --------------------------------------------------------------------------

// Prefers a configuration of the screen's own depth, so the window needs no conversion.
GLXFBConfig ChooseWindowConfig(Display* display) {
  const int attributes[] = {GLX_X_RENDERABLE, True, GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
                            GLX_RENDER_TYPE, GLX_RGBA_BIT, GLX_DOUBLEBUFFER, True,
                            GLX_DEPTH_SIZE, 16, None};
  int count = 0;
  GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), attributes, &count);
  GLXFBConfig chosen = nullptr;
  for (int pass = 0; pass < 2 && chosen == nullptr; ++pass) {
    for (int i = 0; i < count && chosen == nullptr; ++i) {
      XVisualInfo* visual = glXGetVisualFromFBConfig(display, configs[i]);
      if (visual == nullptr) continue;
      if (pass == 1 || visual->depth == DefaultDepth(display, DefaultScreen(display))) chosen = configs[i];
      XFree(visual);
    }
  }
  if (configs != nullptr) XFree(configs);
  return chosen;
}

void RemoveDecorations(Display* display, Window window) {
  struct {
    unsigned long flags, functions, decorations;
    long inputMode;
    unsigned long status;
  } hints{2 /* decorations field set */, 0, 0 /* none */, 0, 0};
  const Atom motifHints = Intern(display, "_MOTIF_WM_HINTS");
  XChangeProperty(display, window, motifHints, motifHints, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&hints), 5);
}

// Asks a window manager, if there is one, to keep the window at 0, 0 and at exactly this size.
void PinGeometry(Display* display, Window window, int32_t width, int32_t height) {
  XSizeHints* hints = XAllocSizeHints();
  if (hints == nullptr) return;
  hints->flags = USPosition | PPosition | PSize | PMinSize | PMaxSize;
  hints->x = hints->y = 0;
  hints->width = hints->min_width = hints->max_width = width;
  hints->height = hints->min_height = hints->max_height = height;
  XSetWMNormalHints(display, window, hints);
  XFree(hints);
}

void NameWindow(Display* display, Window window, const char* title) {
  XStoreName(display, window, title);
  XChangeProperty(display, window, Intern(display, "_NET_WM_NAME"), Intern(display, "UTF8_STRING"), 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(title),
                  static_cast<int>(std::strlen(title)));
  Atom deleteWindow = Intern(display, "WM_DELETE_WINDOW");
  XSetWMProtocols(display, window, &deleteWindow, 1);
}

bool CreateMainWindow(Display* display, const char* title, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return false;
  XVisualInfo* visual = glXGetVisualFromFBConfig(display, windowConfig);
  if (visual == nullptr) return false;
  CheckedRequests check(display);
  const Window root = RootWindow(display, visual->screen);
  XSetWindowAttributes attributes{};
  attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
  attributes.background_pixmap = None;
  attributes.border_pixel = 0;
  attributes.event_mask = StructureNotifyMask | ExposureMask;
  handles.colormap = attributes.colormap;
  const Window window = XCreateWindow(
      display, root, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0, visual->depth,
      InputOutput, visual->visual, CWColormap | CWBackPixmap | CWBorderPixel | CWEventMask, &attributes);
  XFree(visual);
  if (!check.Succeeded()) return false;
  handles.window = window;
  RemoveDecorations(display, window);
  PinGeometry(display, window, width, height);
  NameWindow(display, window, title);
  return check.Succeeded();
}

bool CreateDrawable(Display* display) {
  CheckedRequests check(display);
  const GLXWindow drawable = glXCreateWindow(display, windowConfig, handles.window, nullptr);
  if (!check.Succeeded() || drawable == 0) return false;
  handles.drawable = drawable;
  return true;
}

bool CreateContext(Display* display) {
  CheckedRequests check(display);
  handles.context = glXCreateNewContext(display, windowConfig, GLX_RGBA_TYPE, nullptr, True);
  return check.Succeeded() && handles.context != nullptr;
}

// Steps 2 to 7 of the creation; the step that failed, if one did.
std::optional<WindowStep> BuildWindow(const char* title, int32_t width, int32_t height, int32_t cycle) {
  Display* display = MainDisplay();
  if (!Passes(WindowStep::DeviceContext, display != nullptr, cycle)) return WindowStep::DeviceContext;
  windowConfig = ChooseWindowConfig(display);
  if (!Passes(WindowStep::ChoosePixelFormat, windowConfig != nullptr, cycle))
    return WindowStep::ChoosePixelFormat;
  if (!Passes(WindowStep::CreateWindow, CreateMainWindow(display, title, width, height), cycle))
    return WindowStep::CreateWindow;
  if (!Passes(WindowStep::SetPixelFormat, CreateDrawable(display), cycle)) return WindowStep::SetPixelFormat;
  if (!Passes(WindowStep::CreateContext, CreateContext(display), cycle)) return WindowStep::CreateContext;
  const bool current = glXMakeContextCurrent(display, handles.drawable, handles.drawable, handles.context);
  if (!Passes(WindowStep::MakeCurrent, current, cycle)) return WindowStep::MakeCurrent;
  return std::nullopt;
}

// ---- Showing the window ----------------------------------------------------------------------

// Focus can only go to a viewable window; a window manager may take a moment to map it.
void WaitUntilMapped(Display* display, Window window) {
  const timespec pause{0, 5'000'000};
  XEvent event;
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (XCheckTypedWindowEvent(display, window, MapNotify, &event)) return;
    nanosleep(&pause, nullptr);
  }
}

// Asks a window manager to activate the window, as SetForegroundWindow would.
void RequestActivation(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = Intern(display, "_NET_ACTIVE_WINDOW");
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // from an application
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void ShowAndFocus(Display* display) {
  XMapRaised(display, handles.window);
  WaitUntilMapped(display, handles.window);
  RequestActivation(display, handles.window);
  XSetInputFocus(display, handles.window, RevertToParent, CurrentTime);
  XFlush(display);
}

// Keeps the screen saver and display power saving off while the window exists.
void SuspendScreenSaver(Display* display, bool suspend) {
  int eventBase = 0, errorBase = 0;
  if (suspend == screenSaverSuspended || !XScreenSaverQueryExtension(display, &eventBase, &errorBase)) return;
  XScreenSaverSuspend(display, suspend);
  screenSaverSuspended = suspend;
}

// ---- Teardown --------------------------------------------------------------------------------

void ReportTeardownFailure(WindowStep step) {
  platform::ShowMessageBox("SHUTDOWN ERROR", MessageOfStep(step), platform::kBoxOkInformation);
}

void ReleaseContext(Display* display, int32_t cycle) {
  const bool released = glXMakeContextCurrent(display, None, None, nullptr);
  if (!Passes(WindowStep::ReleaseCurrent, released, cycle)) ReportTeardownFailure(WindowStep::ReleaseCurrent);
  CheckedRequests check(display);
  glXDestroyContext(display, handles.context);
  if (!Passes(WindowStep::DeleteContext, check.Succeeded(), cycle))
    ReportTeardownFailure(WindowStep::DeleteContext);
  handles.context = nullptr;
}

void ReleaseDrawable(Display* display, int32_t cycle) {
  CheckedRequests check(display);
  glXDestroyWindow(display, handles.drawable);
  if (!Passes(WindowStep::ReleaseDeviceContext, check.Succeeded(), cycle))
    ReportTeardownFailure(WindowStep::ReleaseDeviceContext);
  handles.drawable = 0;
}

void DestroyMainWindow(Display* display, int32_t cycle) {
  SuspendScreenSaver(display, false);
  CheckedRequests check(display);
  XDestroyWindow(display, handles.window);
  if (!Passes(WindowStep::DestroyWindow, check.Succeeded(), cycle))
    ReportTeardownFailure(WindowStep::DestroyWindow);
  handles.window = 0;
}

}  // namespace

const MainWindowHandles& MainWindow() { return handles; }

bool IsCloseRequest(const XEvent& event) {
  Display* display = MainDisplay();
  return display != nullptr && handles.window != 0 && event.type == ClientMessage &&
         event.xclient.window == handles.window && event.xclient.format == 32 &&
         event.xclient.message_type == Intern(display, "WM_PROTOCOLS") &&
         static_cast<Atom>(event.xclient.data.l[0]) == Intern(display, "WM_DELETE_WINDOW");
}

}  // namespace x11

using x11::handles;

bool OpenGlWindow(const char* title, int32_t width, int32_t height, int32_t) {
  const int32_t cycle = ++x11::creations;
  if (!x11::Passes(x11::WindowStep::RegisterClass, !x11::classRegistered, cycle)) {
    platform::ShowMessageBox("ERROR", x11::MessageOfStep(x11::WindowStep::RegisterClass),
                             platform::kBoxOkExclamation);
    return false;
  }
  x11::classRegistered = true;
  if (const auto failed = x11::BuildWindow(title, width, height, cycle)) {
    CloseGlWindow();
    platform::ShowMessageBox("ERROR", x11::MessageOfStep(*failed), platform::kBoxOkExclamation);
    return false;
  }
  Display* display = MainDisplay();
  x11::ShowAndFocus(display);
  x11::SuspendScreenSaver(display, true);
  x11::EnableSwapControl(display, handles.drawable);
  SetupGlProjection(width, height);
  SetupGlState();
  return true;
}

void CloseGlWindow() {
  const int32_t cycle = ++x11::teardowns;
  Display* display = MainDisplay();
  if (handles.context != nullptr) x11::ReleaseContext(display, cycle);
  if (handles.drawable != 0) x11::ReleaseDrawable(display, cycle);
  if (handles.window != 0) x11::DestroyMainWindow(display, cycle);
  if (handles.colormap != 0) {
    XFreeColormap(display, handles.colormap);
    handles.colormap = 0;
  }
  if (!x11::Passes(x11::WindowStep::UnregisterClass, x11::classRegistered, cycle))
    x11::ReportTeardownFailure(x11::WindowStep::UnregisterClass);
  x11::classRegistered = false;
}

bool GlContextReady() { return handles.context != nullptr; }
