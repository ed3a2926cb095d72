// The low-level hook procedures installed by InstallInputHooks, named for tests that call them
// with made-up events.
#pragma once

#include <windows.h>

namespace win32 {

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);

}  // namespace win32
