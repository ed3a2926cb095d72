// The entry point of vestramenu.exe: a GUI program without a console.
#include <windows.h>

#include "shell/main_loop.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunMenu(); }
