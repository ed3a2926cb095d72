// Global keyboard and mouse capture through low-level hooks, and the message pump inside which
// the hook procedures run.
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/win32_hooks.h"
#include "shell/input.h"

namespace win32 {
namespace {

HHOOK mouseHook = nullptr;
HHOOK keyboardHook = nullptr;
MSG message;

}  // namespace

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    // WM_SYSKEYDOWN and WM_SYSKEYUP (keys with Alt held) change nothing.
    if (wParam == WM_KEYDOWN) OnKeyDown(static_cast<int32_t>(key->vkCode));
    if (wParam == WM_KEYUP) OnKeyUp(static_cast<int32_t>(key->vkCode));
  }
  return CallNextHookEx(keyboardHook, code, wParam, lParam);
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    if (wParam == WM_RBUTTONDOWN) OnRightButtonDown();
    if (wParam == WM_RBUTTONUP) OnRightButtonUp();
  }
  return CallNextHookEx(mouseHook, code, wParam, lParam);
}

}  // namespace win32

namespace platform {

void InstallInputHooks() {
  HINSTANCE module = GetModuleHandleA(nullptr);
  // A failed installation goes unnoticed: that input simply never arrives.
  win32::mouseHook = SetWindowsHookExA(WH_MOUSE_LL, win32::MouseHookProc, module, 0);
  win32::keyboardHook = SetWindowsHookExA(WH_KEYBOARD_LL, win32::KeyboardHookProc, module, 0);
}

uint32_t PumpOneMessage() {
  if (!PeekMessageA(&win32::message, nullptr, 0, 0, PM_REMOVE)) return 0;
  TranslateMessage(&win32::message);
  DispatchMessageA(&win32::message);
  return 1;
}

bool ReadCursorPos(int32_t* x, int32_t* y) {
  POINT point;
  if (!GetCursorPos(&point)) return false;
  *x = point.x;
  *y = point.y;
  return true;
}

}  // namespace platform
