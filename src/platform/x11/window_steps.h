// The steps of creating and tearing down the GL window, with the messages their failures show,
// and the failures a test can force through the environment:
//
//   VESTRAMENU_FAIL_STEP=create-context        every window creation fails at that step
//   VESTRAMENU_FAIL_STEP=create-context@2      only the second creation (counting from 1)
//   VESTRAMENU_FAIL_STEP=make-current,destroy-window@1   several, separated by commas
//
// Creation steps count OpenGlWindow calls, teardown steps CloseGlWindow calls. Unknown names and
// malformed numbers are ignored.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace x11 {

enum class WindowStep {
  // Creation, in the order the X11 backend performs them. The window needs its visual, so the
  // connection (the device context) and the frame-buffer configuration come before the window.
  RegisterClass,      // one window at a time
  DeviceContext,      // the display connection
  ChoosePixelFormat,  // a double-buffered RGBA configuration with a 16-bit depth buffer
  CreateWindow,
  SetPixelFormat,     // the GLX drawable of the window
  CreateContext,
  MakeCurrent,
  // Teardown.
  ReleaseCurrent,
  DeleteContext,
  ReleaseDeviceContext,
  DestroyWindow,
  UnregisterClass,
};

struct WindowStepInfo {
  WindowStep step;
  const char* name;     // for VESTRAMENU_FAIL_STEP
  const char* message;  // shown when the step fails
};

inline constexpr WindowStepInfo kWindowSteps[] = {
    {WindowStep::RegisterClass, "register-class", "Failed To Register The Window Class."},
    {WindowStep::DeviceContext, "device-context", "Can't Create A GL Device Context."},
    {WindowStep::ChoosePixelFormat, "choose-pixel-format", "Can't Find A Suitable PixelFormat."},
    {WindowStep::CreateWindow, "create-window", "Window Creation Error."},
    {WindowStep::SetPixelFormat, "set-pixel-format", "Can't Set The PixelFormat."},
    {WindowStep::CreateContext, "create-context", "Can't Create A GL Rendering Context."},
    {WindowStep::MakeCurrent, "make-current", "Can't Activate The GL Rendering Context."},
    {WindowStep::ReleaseCurrent, "release-current", "Release Of DC And RC Failed."},
    {WindowStep::DeleteContext, "delete-context", "Release Rendering Context Failed."},
    {WindowStep::ReleaseDeviceContext, "release-device-context", "Release Device Context Failed."},
    {WindowStep::DestroyWindow, "destroy-window", "Could Not Release hWnd."},
    {WindowStep::UnregisterClass, "unregister-class", "Could Not Unregister Class."},
};

constexpr const char* MessageOfStep(WindowStep step) {
  for (const WindowStepInfo& info : kWindowSteps)
    if (info.step == step) return info.message;
  return "";
}

class ForcedFailures {
 public:
  // Parses a VESTRAMENU_FAIL_STEP value; null or empty forces nothing.
  static ForcedFailures Parse(const char* text) {
    ForcedFailures failures;
    std::string_view rest = text != nullptr ? text : "";
    while (!rest.empty()) {
      const size_t comma = rest.find(',');
      failures.AddEntry(rest.substr(0, comma));
      rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
    }
    return failures;
  }

  // Whether step fails in the cycle-th creation (or teardown), counting from 1.
  bool Fails(WindowStep step, int32_t cycle) const {
    for (const Entry& entry : entries_)
      if (entry.step == step && (entry.cycle == 0 || entry.cycle == cycle)) return true;
    return false;
  }

 private:
  struct Entry {
    WindowStep step;
    int32_t cycle;  // 0: every cycle
  };

  void AddEntry(std::string_view entry) {
    const size_t at = entry.find('@');
    int32_t cycle = 0;
    if (at != std::string_view::npos && !ParseCycle(entry.substr(at + 1), &cycle)) return;
    const std::string_view name = entry.substr(0, at);
    for (const WindowStepInfo& info : kWindowSteps)
      if (name == info.name) entries_.push_back({info.step, cycle});
  }

  static bool ParseCycle(std::string_view digits, int32_t* cycle) {
    if (digits.empty() || digits.size() > 6) return false;
    int32_t value = 0;
    for (const char c : digits) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + (c - '0');
    }
    if (value == 0) return false;
    *cycle = value;
    return true;
  }

  std::vector<Entry> entries_;
};

}  // namespace x11
