// Global input through XInput2: raw key and button events selected on the root window arrive
// whichever window has the focus, as a Windows low-level hook's do. The pump hands them to the
// core one event per call, and adds the held key's auto-repeats that raw events do not carry.
// Pointer motion is selected too, so that an idle menu waiting on the connection wakes when the
// cross cursor has to follow the mouse.
#include <X11/XKBlib.h>
#include <X11/extensions/XInput2.h>
#include <poll.h>
#include <time.h>

#include <algorithm>

#include "platform/gl/frame_pacer.h"
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

int64_t NowMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

int64_t NowMilliseconds() { return NowMicroseconds() / 1000; }

bool SelectRawInput(Display* display) {
  int event = 0, error = 0, major = 2, minor = 2;
  if (!XQueryExtension(display, "XInputExtension", &inputOpcode, &event, &error)) return false;
  if (XIQueryVersion(display, &major, &minor) != Success) return false;
  unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(bits, XI_RawKeyPress);
  XISetMask(bits, XI_RawKeyRelease);
  XISetMask(bits, XI_RawButtonPress);
  XISetMask(bits, XI_RawButtonRelease);
  XISetMask(bits, XI_RawMotion);
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

// Milliseconds until the wall clock's next second, when the clock text changes.
int64_t MillisecondsToNextSecond() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return 1000 - now.tv_nsec / 1'000'000;
}

// The part of a frame left over from the last wait, so that frames counted stay in step with time.
int64_t waitRemainderMicros = 0;

int32_t FramesSince(int64_t startMicros) {
  const int64_t elapsed = NowMicroseconds() - startMicros + waitRemainderMicros;
  const int64_t frames = std::max<int64_t>(1, elapsed / kFrameMicros);
  waitRemainderMicros = std::max<int64_t>(0, elapsed - frames * kFrameMicros);
  return static_cast<int32_t>(std::min<int64_t>(frames, 1 << 20));
}

}  // namespace
}  // namespace x11

namespace platform {

void InstallInputHooks() {
  Display* display = MainDisplay();
  if (display == nullptr || !x11::SelectRawInput(display)) return;
  x11::ReadRepeatRate(display);
}

bool WaitsWhenIdle() { return true; }

int32_t WaitForMessages() {
  const int64_t startMicros = x11::NowMicroseconds();
  int64_t timeout = x11::MillisecondsToNextSecond() + 1;
  const int64_t toRepeat = x11::keyboard.MillisecondsToRepeat(x11::NowMilliseconds());
  if (toRepeat >= 0) timeout = std::min(timeout, toRepeat);
  const int64_t endMicros = startMicros + timeout * 1000;
  Display* display = MainDisplay();
  if (display == nullptr) SleepMilliseconds(static_cast<int32_t>(timeout));
  // The connection also carries replies and events that GL consumes itself; those wake the poll
  // but leave no message, so the wait goes on.
  for (int64_t now = startMicros; display != nullptr && XPending(display) == 0 && now < endMicros;
       now = x11::NowMicroseconds()) {
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>((endMicros - now + 999) / 1000));
  }
  return x11::FramesSince(startMicros);
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
