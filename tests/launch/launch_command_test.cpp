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

TEST(LaunchCommand, WindowsExampleTurnsTheSpaceIntoAnAsterisk) {
  const LaunchCommand command = Build("C:\\Media", "My Song.mp3", "C:\\Menu", kWindows);
  EXPECT_STREQ(command.launchPath, "C:\\Media\\My*Song.mp3");
  EXPECT_STREQ(command.playerPath, "C:\\Menu\\moxa3.exe");
  EXPECT_STREQ(command.parameters, " rightful C:\\Media\\My*Song.mp3 0 ");
}

TEST(LaunchCommand, LinuxExampleTurnsTheSpaceIntoAnAsterisk) {
  const LaunchCommand command = Build("/media", "My Song.mp3", "/opt/menu", kLinux);
  EXPECT_STREQ(command.launchPath, "/media/My*Song.mp3");
  EXPECT_STREQ(command.playerPath, "/opt/menu/moxa3");
  EXPECT_STREQ(command.parameters, " rightful /media/My*Song.mp3 0 ");
}

TEST(LaunchCommand, EverySpaceOfFolderAndNameBecomesAnAsterisk) {
  const LaunchCommand command = Build("/my media", " a  b ", "/", kLinux);
  EXPECT_STREQ(command.launchPath, "/my*media/*a**b*");
  EXPECT_STREQ(command.parameters, " rightful /my*media/*a**b* 0 ");
}

TEST(LaunchCommand, ARootFolderGetsNoSecondSeparator) {
  EXPECT_STREQ(Build("C:\\", "a b.mp3", "C:\\", kWindows).launchPath, "C:\\a*b.mp3");
  EXPECT_STREQ(Build("/", "a b.mp3", "/", kLinux).launchPath, "/a*b.mp3");
}

TEST(LaunchCommand, TheOtherConventionsSeparatorIsAnOrdinaryCharacter) {
  EXPECT_STREQ(Build("/media/", "x.mp3", "/", kWindows).launchPath, "/media/\\x.mp3");
  EXPECT_STREQ(Build("C:\\Media\\", "x.mp3", "/", kLinux).launchPath, "C:\\Media\\/x.mp3");
}

TEST(LaunchCommand, CharactersAShellWouldActOnAreKeptAsTheyAre) {
  const char* name = "$(touch\tc)`id`;a|b&c'q\"\n-x\t*.mp3";
  const LaunchCommand command = Build("/m", name, "/s", kLinux);
  EXPECT_EQ(std::string(command.launchPath), std::string("/m/") + name);
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

TEST(LaunchCommand, EmptyFolderAndStartDirStillGiveTheFormats) {
  const LaunchCommand command = Build("", "a", "", kWindows);
  EXPECT_STREQ(command.launchPath, "\\a");
  EXPECT_STREQ(command.playerPath, "\\moxa3.exe");
  EXPECT_STREQ(command.parameters, " rightful \\a 0 ");
}

}  // namespace
