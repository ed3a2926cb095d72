/* The player's stand-in under Wine: appends its command line to the file MOXA3_STUB_RECORD names,
   waits the milliseconds in the file MOXA3_STUB_DELAY names (if any), then shows a popup titled as
   the player's (a popup's X window has the outer size MoveWindow gives) for a minute at most. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

static LRESULT CALLBACK StubWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY || message == WM_TIMER) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  FILE* file = fopen(getenv("MOXA3_STUB_RECORD"), "a");
  int milliseconds = 0;
  fprintf(file, "%s\n", GetCommandLineA());
  fclose(file);
  if ((file = fopen(getenv("MOXA3_STUB_DELAY"), "r")) != NULL) {
    if (fscanf(file, "%d", &milliseconds) == 1) Sleep((DWORD)milliseconds);
    fclose(file);
  }
  WNDCLASSA windowClass = {0, StubWindowProc, 0, 0, instance, NULL, NULL, (HBRUSH)GetStockObject(GRAY_BRUSH), NULL, "Moxa3Stub"};
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "Moxa3Stub", "Moxa3 video and audio player", WS_POPUP, 300, 260, 320, 240, NULL, NULL,
                                instance, NULL);
  ShowWindow(window, show);
  SetTimer(window, 1, 60000, NULL);
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
