// The strings handed to the player, under the Windows and the Linux conventions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "browser/launch.h"

namespace {

const platform::Conventions kWindows{'\\', 3, "%s\\moxa3.exe", "explorer"};
const platform::Conventions kLinux{'/', 1, "%s/moxa3", "xdg-open"};

LaunchCommand Build(const char* folder, const char* name, const char* startDir,
                    const platform::Conventions& conventions) {
  LaunchCommand command;
  std::memset(&command, 'x', sizeof command);  // leftovers must not survive
  BuildLaunchCommand(&command, folder, name, startDir, conventions);
  return command;
}

TEST(LaunchCommand, PathsAndParametersUnderBothConventions) {
  struct Case {
    const char *folder, *name, *startDir;
    const platform::Conventions* conventions;
    const char *launchPath, *playerPath;  // no player path: not checked
  };
  const Case cases[] = {
      {"C:\\Media", "My Song.mp3", "C:\\Menu", &kWindows, "C:\\Media\\My*Song.mp3", "C:\\Menu\\moxa3.exe"},
      {"/media", "My Song.mp3", "/opt/menu", &kLinux, "/media/My*Song.mp3", "/opt/menu/moxa3"},
      {"/my media", " a  b ", "/", &kLinux, "/my*media/*a**b*", nullptr},
      // A folder already ending in the separator gets no second one.
      {"C:\\", "a b.mp3", "C:\\", &kWindows, "C:\\a*b.mp3", nullptr},
      // The other convention's separator is an ordinary character.
      {"C:\\Media\\", "x.mp3", "/", &kLinux, "C:\\Media\\/x.mp3", nullptr},
      {"", "a", "", &kWindows, "\\a", "\\moxa3.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.folder) + " | " + c.name);
    const LaunchCommand command = Build(c.folder, c.name, c.startDir, *c.conventions);
    EXPECT_STREQ(command.launchPath, c.launchPath);
    if (c.playerPath != nullptr) {
      EXPECT_STREQ(command.playerPath, c.playerPath);
    }
    EXPECT_EQ(std::string(command.parameters), std::string(" rightful ") + c.launchPath + " 0 ");
  }
}

TEST(LaunchCommand, CharactersAShellWouldActOnAreKeptAsTheyAre) {
  const char* name = "$(touch\tc)`id`;a|b&c'q\"\n-x\t*.mp3";
  EXPECT_EQ(std::string(Build("/m", name, "/s", kLinux).launchPath), std::string("/m/") + name);
}

TEST(LaunchCommand, AnOverlongPathIsCutToTheBufferAndStaysTerminated) {
  const std::string folder(kPathBufferSize - 4, 'f');
  const std::string name(100, ' ');
  const LaunchCommand command = Build(folder.c_str(), name.c_str(), folder.c_str(), kLinux);
  EXPECT_EQ(std::string(command.launchPath), folder + "/**");
  EXPECT_EQ(std::string(command.playerPath), folder + "/mo");
  EXPECT_EQ(std::strlen(command.parameters), static_cast<size_t>(kPathBufferSize - 1));
  EXPECT_EQ(std::string(command.parameters).substr(0, 12), " rightful ff");
}

}  // namespace
