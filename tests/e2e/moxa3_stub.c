/* Stands in for the Moxa3 player under Wine: appends its command line to the file named by
   MOXA3_STUB_RECORD, waits the milliseconds written in the file named by MOXA3_STUB_DELAY (none
   when it is missing), then shows a window titled as the player's until it is closed or a minute
   has passed. The window is a popup, so its X window on the virtual display has the outer size
   that MoveWindow gives it. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

static LRESULT CALLBACK StubWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY || message == WM_TIMER) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

static void RecordCommandLine(void) {
  const char* path = getenv("MOXA3_STUB_RECORD");
  FILE* record = path ? fopen(path, "a") : NULL;
  if (record == NULL) return;
  fprintf(record, "%s\n", GetCommandLineA());
  fclose(record);
}

static void WaitTheDelay(void) {
  const char* path = getenv("MOXA3_STUB_DELAY");
  FILE* delay = path ? fopen(path, "r") : NULL;
  int milliseconds = 0;
  if (delay == NULL) return;
  if (fscanf(delay, "%d", &milliseconds) == 1) Sleep((DWORD)milliseconds);
  fclose(delay);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)previous;
  (void)commandLine;
  RecordCommandLine();
  WaitTheDelay();
  WNDCLASSA windowClass = {0};
  windowClass.lpfnWndProc = StubWindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = (HBRUSH)GetStockObject(GRAY_BRUSH);
  windowClass.lpszClassName = "Moxa3Stub";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "Moxa3Stub", "Moxa3 video and audio player", WS_POPUP,
                                300, 260, 320, 240, NULL, NULL, instance, NULL);
  ShowWindow(window, show);
  SetTimer(window, 1, 60000, NULL);
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
