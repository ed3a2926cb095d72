// The strings handed to the player, with the Windows and the Linux separators.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "browser/launch.h"

namespace {

LaunchCommand Build(const char* folder, const char* name, const char* player, char separator) {
  LaunchCommand command;
  std::memset(&command, 'x', sizeof command);  // leftovers must not survive
  BuildLaunchCommand(&command, folder, name, player, separator);
  return command;
}

TEST(LaunchCommand, PathsAndParametersWithBothSeparators) {
  struct Case {
    const char *folder, *name;
    char separator;
    const char* launchPath;
  };
  const Case cases[] = {
      {"C:\\Media", "My Song.mp3", '\\', "C:\\Media\\My*Song.mp3"},
      {"/media", "My Song.mp3", '/', "/media/My*Song.mp3"},
      {"/my media", " a  b ", '/', "/my*media/*a**b*"},
      // A folder already ending in the separator gets no second one.
      {"C:\\", "a b.mp3", '\\', "C:\\a*b.mp3"},
      // The other convention's separator is an ordinary character.
      {"C:\\Media\\", "x.mp3", '/', "C:\\Media\\/x.mp3"},
      {"", "a", '\\', "\\a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.folder) + " | " + c.name);
    const LaunchCommand command = Build(c.folder, c.name, "C:\\Menu\\moxa3.exe", c.separator);
    EXPECT_STREQ(command.launchPath, c.launchPath);
    EXPECT_STREQ(command.playerPath, "C:\\Menu\\moxa3.exe");
    EXPECT_EQ(std::string(command.parameters), std::string(" rightful ") + c.launchPath + " 0 ");
  }
}

TEST(LaunchCommand, CharactersAShellWouldActOnAreKeptAsTheyAre) {
  const char* name = "$(touch\tc)`id`;a|b&c'q\"\n-x\t*.mp3";
  EXPECT_EQ(std::string(Build("/m", name, "/s/moxa3", '/').launchPath), std::string("/m/") + name);
}

TEST(LaunchCommand, AnOverlongPathIsCutToTheBufferAndStaysTerminated) {
  const std::string folder(kPathBufferSize - 4, 'f');
  const std::string name(100, ' ');
  const LaunchCommand command = Build(folder.c_str(), name.c_str(), (folder + "/moxa3").c_str(), '/');
  EXPECT_EQ(std::string(command.launchPath), folder + "/**");
  EXPECT_EQ(std::string(command.playerPath), folder + "/mo");
  EXPECT_EQ(std::strlen(command.parameters), static_cast<size_t>(kPathBufferSize - 1));
  EXPECT_EQ(std::string(command.parameters).substr(0, 12), " rightful ff");
}

}  // namespace
