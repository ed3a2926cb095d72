// Launching: the strings handed to the player, with the Windows and the Linux separators, and where
// its window goes; on POSIX, the argument vector, where the player is found, reaping. (What the
// menu starts and places, through its frame loop: the session's transcript.)
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <tuple>

#include "browser/launch.h"
#include "platform/posix/spawn.h"
#include "browser/temp_folder.h"

namespace {

// The launch path, player and parameters built into a buffer whose leftovers must not survive.
std::tuple<std::string, std::string, std::string> Build(const char* folder, const char* name, const char* player,
                                                        char separator) {
  LaunchCommand command;
  std::memset(&command, 'x', sizeof command);
  BuildLaunchCommand(&command, folder, name, player, separator);
  return {command.launchPath, command.playerPath, command.parameters};
}

TEST(LaunchCommand, PathsAndParametersWithBothSeparators) {
  const struct { const char *folder, *name; char separator; const char* launchPath; } cases[] = {
      {"/my media", " a  b ", '/', "/my*media/*a**b*"},
      {"C:\\", "a b.mp3", '\\', "C:\\a*b.mp3"},  // a folder ending in the separator gets no second one
      {"C:\\Media\\", "x.mp3", '/', "C:\\Media\\/x.mp3"},  // the other separator is an ordinary character
      {"", "a", '\\', "\\a"},
      {"/", "a", '/', "/a"},
      // Characters a shell would act on are kept as they are.
      {"/m", "$(touch\tc)`id`;a|b&c'q\"\n-x\t*.mp3", '/', "/m/$(touch\tc)`id`;a|b&c'q\"\n-x\t*.mp3"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Build(c.folder, c.name, "C:\\Menu\\moxa3.exe", c.separator),
              std::tuple(c.launchPath, "C:\\Menu\\moxa3.exe", std::string(" rightful ") + c.launchPath + " 0 "))
        << c.folder << " | " << c.name;
  // An overlong path is cut to the buffer and stays terminated.
  const std::string folder(kPathBufferSize - 4, 'f');
  EXPECT_EQ(Build(folder.c_str(), std::string(100, ' ').c_str(), (folder + "/moxa3").c_str(), '/'),
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
      {{960, 540, 2, {0, -300}, {0, 0}, 5000}, 0, 480}, {{960, 540, 2, {0, 0}, {0, 900}, 1080}, 0, 900},
      // A menu smaller than the player; an offset that would overflow.
      {{400, 200, 1, {0, 0}, {0, 0}, 1080}, 0, -400}, {{960, 540, 2, {0, INT32_MIN}, {0, 0}, 1080}, 0, 480},
  };
  for (const auto& c : cases) {
    const WindowBox box = PlayerWindowBox(c.geometry);
    EXPECT_EQ(std::tuple(box.left, box.top, box.width, box.height), std::tuple(c.left, c.top, 600, 600)) << &c - cases;
  }
}

using Words = std::vector<std::string>;

// Waits up to five seconds for ready(); true when it came.
template <typename Ready>
bool WaitFor(Ready ready) {
  for (int i = 0; i < 500; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
    if (ready()) return true;
  return false;
}
// False when a child of this process is left as a zombie (which this reaps) or still runs.
bool ChildrenEndWithoutZombies() {
  pid_t child = 0;
  return WaitFor([&] { return (child = waitpid(-1, nullptr, WNOHANG)) != 0; }) && child < 0 && errno == ECHILD;
}

class Spawning : public ::testing::Test {
 protected:
  void SetUp() override {
    // A stand-in player: writes each of its arguments, argv[0] first, ended by a zero byte.
    std::ofstream(player_) << "#!/bin/sh\nd=$(dirname \"$0\")\n"
                              "for a in \"$0\" \"$@\"; do printf '%s\\0' \"$a\"; done > \"$d/argv.tmp\"\n"
                              "mv \"$d/argv.tmp\" \"$d/argv\"\n";
    fs::permissions(player_, fs::perms::owner_all);
  }

  // The recorded argv, waiting up to five seconds for the program to write it; consumed.
  Words TakeRecordedArgv() const {
    const fs::path path = folder_ / "argv";
    WaitFor([&] { return fs::exists(path); });
    std::ifstream in(path, std::ios::binary);
    Words words;
    for (std::string word; std::getline(in, word, '\0');) words.push_back(word);
    fs::remove(path);
    return words;
  }

  const TempFolder scratch_{"spawn"};
  const fs::path folder_ = scratch_.path();
  const std::string player_ = scratch_.PathOf("player");
};

TEST_F(Spawning, ThePlayerIsTheOneBesideTheExecutableElseTheFirstOnAnAbsoluteSearchPath) {
  const fs::path beside = folder_ / "beside", onPath = folder_ / "path", unrunnable = folder_ / "unrunnable";
  for (const fs::path& folder : {beside, onPath, unrunnable}) fs::create_directory(folder);
  fs::copy_file(player_, onPath / "moxa3");
  std::ofstream(unrunnable / "moxa3") << "not a program";
  fs::create_directories(folder_ / "folder" / "moxa3");  // a folder is no program either
  fs::current_path(onPath);  // the current folder is never looked in
  const std::string path = unrunnable.string() + ":" + onPath.string() + ":" + beside.string();
  const std::string found = (onPath / "moxa3").string();
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {beside.string(), path, found}, {beside.string(), "::.:path:" + unrunnable.string(), ""},
      {beside.string(), "", ""}, {"", path, found}, {unrunnable.string(), path, found}, {onPath.string(), "", found},
      {"", onPath.string(), found}, {(folder_ / "folder").string(), (folder_ / "folder").string(), ""}};
  for (const auto& [folder, searchPath, expected] : cases)
    EXPECT_EQ(posix::FindPlayerProgram(folder, searchPath), expected) << folder << " " << searchPath;
  // The menu's own lookup: none beside this test program, so the one on PATH.
  const std::string previousPath = std::getenv("PATH");
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(platform::PlayerProgram(""), found);
  setenv("PATH", previousPath.c_str(), 1);
  fs::current_path(fs::temp_directory_path());
}

TEST_F(Spawning, ArgumentsArriveAsAnArgvNoShellActsOnThemAndNoSignalStaysBlocked) {
  const std::string canary = (folder_ / "canary").string();
  const std::string path = "/m/$(touch*" + canary + ")`touch*" + canary + "`;touch*" + canary + "|x&y'q\"\n-z";
  const std::string folder = "/media/My Films/it's \"here\" $(touch " + canary + ") ; -n";
  using Split = platform::ParameterSplit;
  // Only the space separates words, and runs of it give no empty word; a whole string is one.
  const std::tuple<std::string, Split, Words> cases[] = {
      {" rightful " + path + " 0 ", Split::AtSpaces, {player_, "rightful", path, "0"}},
      {"", Split::AtSpaces, {player_}},
      {"  a   b\tc ", Split::AtSpaces, {player_, "a", "b\tc"}},
      {folder, Split::Whole, {player_, folder}}};
  for (const auto& [parameters, split, argv] : cases) {
    posix::StartProgram(player_.c_str(), parameters.c_str(), split);
    EXPECT_EQ(TakeRecordedArgv(), argv) << parameters;
  }
  EXPECT_FALSE(fs::exists(canary));
  // A program that cannot be started is reported to the caller only, and leaves no zombie.
  EXPECT_FALSE(posix::SpawnProgram("vm-no-such-program-anywhere", {}));
  EXPECT_FALSE(posix::SpawnProgram("", {}));
  posix::StartProgram("/no/such/folder/vm-no-such-program", " rightful x 0 ", Split::AtSpaces);
  EXPECT_TRUE(ChildrenEndWithoutZombies());
  // A child starts with SIGCHLD at its default and nothing blocked.
  sigset_t usr1, previous;
  sigemptyset(&usr1);
  sigaddset(&usr1, SIGUSR1);
  pthread_sigmask(SIG_BLOCK, &usr1, &previous);
  // cp copies its own status: the state it started in, with no shell in between. It must be reaped.
  const bool started = posix::SpawnProgram("cp", {"/proc/self/status", (folder_ / "status").string()});
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  ASSERT_TRUE(started);
  ASSERT_TRUE(ChildrenEndWithoutZombies());
  std::ifstream in(folder_ / "status");
  uint64_t blocked = 1, ignored = 1;  // the hexadecimal sets of the status's lines
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("SigBlk:", 0) == 0) blocked = std::stoull(line.substr(7), nullptr, 16);
    if (line.rfind("SigIgn:", 0) == 0) ignored = std::stoull(line.substr(7), nullptr, 16);
  }
  EXPECT_EQ(std::pair(blocked, ignored & (uint64_t{1} << (SIGCHLD - 1))), std::pair(uint64_t{0}, uint64_t{0}));
}

}  // namespace
