// Global input through XInput2: raw key and button events selected on the root window arrive
// whichever window has the focus, as a Windows low-level hook's do. The pump hands them to the
// core one event per call, and adds the held key's auto-repeats that raw events do not carry.
#include <X11/XKBlib.h>
#include <X11/extensions/XInput2.h>
#include <time.h>

#include "platform/gl/shown_canvas.h"
#include "platform/platform.h"
#include "platform/x11/key_codes.h"
#include "platform/x11/main_window.h"
#include "platform/x11/raw_keyboard.h"
#include "platform/x11/x11_display.h"
#include "shell/input.h"

namespace x11 {
namespace {

constexpr int kRightButton = 3;

int inputOpcode = -1;  // XInput's major opcode once raw input is selected
RawKeyboard keyboard;

int64_t NowMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

bool SelectRawInput(Display* display) {
  int event = 0, error = 0, major = 2, minor = 2;
  if (!XQueryExtension(display, "XInputExtension", &inputOpcode, &event, &error)) return false;
  if (XIQueryVersion(display, &major, &minor) != Success) return false;
  unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(bits, XI_RawKeyPress);
  XISetMask(bits, XI_RawKeyRelease);
  XISetMask(bits, XI_RawButtonPress);
  XISetMask(bits, XI_RawButtonRelease);
  XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
  XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
  XFlush(display);
  return true;
}

void ReadRepeatRate(Display* display) {
  unsigned delay = 0, interval = 0;
  if (XkbGetAutoRepeatRate(display, XkbUseCoreKbd, &delay, &interval))
    keyboard.SetRepeatTiming(static_cast<int32_t>(delay), static_cast<int32_t>(interval));
}

// The key's unshifted keysym decides its code; a key with no Latin meaning in the first layout
// group (a Cyrillic letter, say) takes its code from a later group, as Windows names keys by
// position there too.
RawKey DescribeKey(Display* display, int keycode) {
  const auto code = static_cast<KeyCode>(keycode);
  const KeySym first = XkbKeycodeToKeysym(display, code, 0, 0);
  int32_t virtualKey = VirtualKeyOfKeysym(static_cast<uint32_t>(first));
  for (int group = 1; group < 4 && virtualKey == 0; ++group)
    virtualKey = VirtualKeyOfKeysym(static_cast<uint32_t>(XkbKeycodeToKeysym(display, code, group, 0)));
  return {static_cast<uint32_t>(keycode), virtualKey, IsAltKeysym(static_cast<uint32_t>(first))};
}

void Deliver(const KeyEvent& event) {
  if (event.kind == KeyEvent::Kind::Down) OnKeyDown(event.virtualKey);
  if (event.kind == KeyEvent::Kind::Up) OnKeyUp(event.virtualKey);
}

// The server sends each raw event for the physical (slave) device and again for its master; only
// the master's copy is taken, whose source is another device.
void HandleRawEvent(Display* display, int type, const XIRawEvent& raw) {
  if (raw.deviceid == raw.sourceid || raw.detail < 0 || raw.detail > 255) return;
  switch (type) {
    case XI_RawKeyPress: Deliver(keyboard.Press(DescribeKey(display, raw.detail), NowMilliseconds())); break;
    case XI_RawKeyRelease: Deliver(keyboard.Release(DescribeKey(display, raw.detail))); break;
    case XI_RawButtonPress:
      if (raw.detail == kRightButton) OnRightButtonDown();
      break;
    case XI_RawButtonRelease:
      if (raw.detail == kRightButton) OnRightButtonUp();
      break;
    default: break;
  }
}

void HandleEvent(Display* display, XEvent& event) {
  if (IsCloseRequest(event)) {
    OnCloseRequest();
    return;
  }
  if (IsScreenChange(event)) return;
  if (event.type == Expose && event.xexpose.window == MainWindow().window) {
    ForgetShownCanvas();  // the server kept nothing of the uncovered part
    return;
  }
  XGenericEventCookie& cookie = event.xcookie;
  if (cookie.type != GenericEvent || cookie.extension != inputOpcode) return;
  if (!XGetEventData(display, &cookie)) return;
  HandleRawEvent(display, cookie.evtype, *static_cast<const XIRawEvent*>(cookie.data));
  XFreeEventData(display, &cookie);
}

}  // namespace
}  // namespace x11

namespace platform {

void InstallInputHooks() {
  Display* display = MainDisplay();
  if (display == nullptr || !x11::SelectRawInput(display)) return;
  x11::ReadRepeatRate(display);
}

uint32_t PumpOneMessage() {
  x11::KeyEvent repeat;
  if (x11::keyboard.TakeDueRepeat(x11::NowMilliseconds(), &repeat)) {
    x11::Deliver(repeat);
    return 1;
  }
  Display* display = MainDisplay();
  if (display == nullptr || XPending(display) == 0) return 0;
  XEvent event;
  XNextEvent(display, &event);
  x11::HandleEvent(display, event);
  return 1;
}

}  // namespace platform
