#include "platform/x11/command_line.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr char kUsage[] =
    "Usage: vestramenu [FOLDER]\n"
    "       vestramenu --help | --version\n"
    "A media folder menu in one window, started in FOLDER (default: the current folder).\n";

constexpr char kKeys[] =
    "\n"
    "Keys:\n"
    "  right click       select; a second right click opens a folder or plays a file\n"
    "  P                 play the selected file\n"
    "  T                 thumbnails;  [ and ] previous and next page\n"
    "  S                 make the picture under the cursor the first of the page\n"
    "  1 to 6            picture scale;  7 to 9 how the picture follows the mouse\n"
    "  comma, period,\n"
    "  Shift             scroll\n"
    "  F                 column width\n"
    "  F5, F6, F8        half screen, 1280 x 960, full screen\n"
    "  M                 move the 1280 x 960 window to the cursor\n"
    "  N                 move the list to the cursor\n"
    "  F7                open the file manager (xdg-open) on the folder\n"
    "  R                 read the folder again\n"
    "  minus             hide the clock;  0 hide the menu bar\n"
    "  D                 minimise\n"
    "  Esc               quit\n"
    "\n"
    "Files are played by the moxa3 installed beside vestramenu, else the first moxa3 on PATH;\n"
    "never by one found in the start folder or a folder browsed. The display is taken from DISPLAY.\n";

}  // namespace

std::optional<int> ApplyCommandLine(int argc, char** argv) {
  const char* folder = nullptr;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (!optionsEnded && argument == "--help") {
      std::printf("%s%s", kUsage, kKeys);
      return 0;
    }
    if (!optionsEnded && argument == "--version") {
      std::printf("vestramenu %s\n", VM_VERSION);
      return 0;
    }
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    const bool option = !optionsEnded && argument.size() > 1 && argument[0] == '-';
    if (option || folder != nullptr) {
      if (option) std::fprintf(stderr, "vestramenu: unknown option '%s'\n", argv[i]);
      else std::fprintf(stderr, "vestramenu: only one FOLDER may be given\n");
      std::fprintf(stderr, "%s", kUsage);
      return 2;
    }
    folder = argv[i];
  }
  if (folder != nullptr && chdir(folder) != 0) {
    std::fprintf(stderr, "vestramenu: cannot enter the folder '%s': %s\n", folder, std::strerror(errno));
    return 1;
  }
  return std::nullopt;
}
