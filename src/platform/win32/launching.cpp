// Starting the player or Explorer through the shell, and placing another program's window.
#include <windows.h>
#include <shellapi.h>

#include "platform/platform.h"
#include "platform/win32/win32_window.h"

namespace platform {

// The string goes to the shell as it is, however the Linux port would split it.
void StartProgram(const char* program, const char* parameters, ParameterSplit) {
  SHELLEXECUTEINFOA info{};
  // The 32-bit record is 60 bytes; the 64-bit one is 112, so the size is taken from the type.
  info.cbSize = sizeof(SHELLEXECUTEINFOA);
  info.fMask = 0;
  info.hwnd = win32::MainWindowHandle();
  info.lpVerb = nullptr;  // the default verb
  info.lpFile = program;
  info.lpParameters = parameters;
  info.lpDirectory = nullptr;
  info.nShow = SW_SHOWNORMAL;
  info.hInstApp = nullptr;
  ShellExecuteExA(&info);
}

bool PlaceWindowByTitle(const char* title, int32_t left, int32_t top, int32_t width, int32_t height) {
  HWND window = FindWindowA(nullptr, title);
  if (window == nullptr) return false;
  MoveWindow(window, left, top, width, height, TRUE);
  ShowWindow(window, SW_SHOW);
  ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
  SetFocus(window);
  SetCapture(window);
  return true;
}

std::string PlayerProgram(const char* startDir) { return std::string(startDir) + "\\moxa3.exe"; }

const Conventions& NativeConventions() {
  static const Conventions kWindows{'\\', 3, "explorer"};
  return kWindows;
}

}  // namespace platform
