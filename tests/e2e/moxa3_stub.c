/* Stands in for the Moxa3 player under Wine: appends its command line to the file named by
   MOXA3_STUB_RECORD, waits the milliseconds written in the file named by MOXA3_STUB_DELAY (if
   any), then shows a popup (so its X window has the outer size MoveWindow gives it) titled as the
   player's, until it is closed or a minute has passed. */
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
  (void)previous;
  (void)commandLine;
  return 0;
}
