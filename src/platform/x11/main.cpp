// The Linux menu program: the command line, then the menu on the X display; exit code 0 after Esc.
#include <cstdio>
#include <cstdlib>

#include "platform/x11/command_line.h"
#include "platform/x11/x11_display.h"
#include "shell/main_loop.h"

int main(int argc, char** argv) {
  if (const std::optional<int> status = ApplyCommandLine(argc, argv)) return *status;
  // Without a display there is no window and no key to end the menu: stop before start-up.
  if (MainDisplay() == nullptr) {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
      std::fprintf(stderr, "vestramenu: no X display: DISPLAY is not set\n");
    } else {
      std::fprintf(stderr, "vestramenu: cannot open the X display DISPLAY=%s\n", name);
    }
    return 1;
  }
  return RunMenu();
}
