// The strings handed to the player, with the Windows and the Linux separators, and where its
// window goes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "browser/launch.h"

namespace {

LaunchCommand Build(const char* folder, const char* name, const char* player, char separator) {
  LaunchCommand command;
  std::memset(&command, 'x', sizeof command);  // leftovers must not survive
  BuildLaunchCommand(&command, folder, name, player, separator);
  return command;
}

TEST(LaunchCommand, PathsAndParametersWithBothSeparators) {
  const struct { const char *folder, *name; char separator; const char* launchPath; } cases[] = {
      {"C:\\Media", "My Song.mp3", '\\', "C:\\Media\\My*Song.mp3"},
      {"/my media", " a  b ", '/', "/my*media/*a**b*"},
      {"C:\\", "a b.mp3", '\\', "C:\\a*b.mp3"},  // a folder ending in the separator gets no second one
      {"C:\\Media\\", "x.mp3", '/', "C:\\Media\\/x.mp3"},  // the other separator is an ordinary character
      {"", "a", '\\', "\\a"},
      {"/", "a", '/', "/a"},
      // Characters a shell would act on are kept as they are.
      {"/m", "$(touch\tc)`id`;a|b&c'q\"\n-x\t*.mp3", '/', "/m/$(touch\tc)`id`;a|b&c'q\"\n-x\t*.mp3"},
  };
  for (const auto& c : cases) {
    const LaunchCommand command = Build(c.folder, c.name, "C:\\Menu\\moxa3.exe", c.separator);
    EXPECT_EQ(std::tuple(std::string(command.launchPath), std::string(command.playerPath), std::string(command.parameters)),
              std::tuple(std::string(c.launchPath), "C:\\Menu\\moxa3.exe", std::string(" rightful ") + c.launchPath + " 0 "))
        << c.folder << " | " << c.name;
  }
  // An overlong path is cut to the buffer and stays terminated.
  const std::string folder(kPathBufferSize - 4, 'f');
  const LaunchCommand command = Build(folder.c_str(), std::string(100, ' ').c_str(), (folder + "/moxa3").c_str(), '/');
  EXPECT_EQ(std::tuple(std::string(command.launchPath), std::string(command.playerPath), std::string(command.parameters)),
            std::tuple(folder + "/**", folder + "/mo", " rightful " + folder.substr(0, kPathBufferSize - 11)));
}

TEST(PlayerPlacement, TheBoxFollowsTheListAndStaysOnTheScreen) {
  const struct { MenuGeometry geometry; int32_t left, top; } cases[] = {
      {{960, 540, 2, {320, -180}, {0, 0}, 1080}, 640, 360},  // half screen: the offset is scaled
      // 1280 x 960 is movable: the window position counts, the screen's bottom limits.
      {{1280, 960, 1, {10, -100}, {200, 300}, 1080}, 210, 400},
      {{1280, 960, 1, {426, -320}, {100, 300}, 1080}, 526, 480},
      {{1280, 960, 1, {0, -180}, {0, 300}, 1080}, 0, 480},  // touching the bottom is allowed
      // Other widths are limited by the menu's own height, never the screen's.
      {{960, 540, 2, {0, -300}, {0, 0}, 5000}, 0, 480},
      {{960, 540, 2, {0, 0}, {0, 900}, 1080}, 0, 900},
      {{400, 200, 1, {0, 0}, {0, 0}, 1080}, 0, -400},  // a menu smaller than the player
      {{960, 540, 2, {0, INT32_MIN}, {0, 0}, 1080}, 0, 480},  // no overflow
  };
  for (const auto& c : cases) {
    const WindowBox box = PlayerWindowBox(c.geometry);
    EXPECT_EQ(std::tuple(box.left, box.top, box.width, box.height), std::tuple(c.left, c.top, 600, 600)) << &c - cases;
  }
}

}  // namespace
