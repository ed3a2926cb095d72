// Starting programs on POSIX: the argument vector, where the player is found, reaping.
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/posix/spawn.h"

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

namespace {

TEST(SplitAtSpaces, OnlyTheSpaceSeparatesAndRunsGiveNoEmptyWords) {
  const std::pair<const char*, Words> cases[] = {
      {" rightful /media/My*Song.mp3 0 ", {"rightful", "/media/My*Song.mp3", "0"}},
      {"", {}},
      {"    ", {}},
      {"a   b", {"a", "b"}},
      {" a\tb\nc \"d e\" 'f' ", {"a\tb\nc", "\"d", "e\"", "'f'"}},
  };
  for (const auto& [text, words] : cases) EXPECT_EQ(posix::SplitAtSpaces(text), words) << text;
}

// Waits up to five seconds for this process's children to end; false when one is left as a zombie
// (which this reaps) or still runs.
bool ChildrenEndWithoutZombies() {
  for (int i = 0; i < 500; ++i) {
    const pid_t child = waitpid(-1, nullptr, WNOHANG);
    if (child != 0) return child < 0 && errno == ECHILD;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

class Spawning : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("vm_spawn_" + std::to_string(getpid()));
    fs::create_directories(folder_);
    // A stand-in player: writes each of its arguments, argv[0] first, ended by a zero byte.
    player_ = (folder_ / "player").string();
    std::ofstream(player_) << "#!/bin/sh\n"
           "for a in \"$0\" \"$@\"; do printf '%s\\0' \"$a\"; done > \"$(dirname \"$0\")/argv.tmp\"\n"
           "mv \"$(dirname \"$0\")/argv.tmp\" \"$(dirname \"$0\")/argv\"\n";
    fs::permissions(player_, fs::perms::owner_all);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // The recorded argv, waiting up to five seconds for the program to write it; consumed.
  Words TakeRecordedArgv() const {
    const fs::path path = folder_ / "argv";
    for (int i = 0; i < 500 && !fs::exists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(path, std::ios::binary);
    Words words;
    for (std::string word; std::getline(in, word, '\0');) words.push_back(word);
    fs::remove(path);
    return words;
  }

  fs::path folder_;
  std::string player_;
};

TEST_F(Spawning, ThePlayerIsTheOneBesideTheExecutableElseTheFirstOnAnAbsoluteSearchPath) {
  const fs::path beside = folder_ / "beside", onPath = folder_ / "path", unrunnable = folder_ / "unrunnable";
  for (const fs::path& folder : {beside, onPath, unrunnable}) fs::create_directory(folder);
  fs::copy_file(player_, onPath / "moxa3");
  std::ofstream(unrunnable / "moxa3") << "not a program";
  fs::current_path(onPath);  // the current folder is never looked in
  const std::string path = unrunnable.string() + ":" + onPath.string();
  const std::pair<std::string, std::string> cases[] = {
      {path, (onPath / "moxa3").string()},
      {"::.:path:" + unrunnable.string(), ""},
      {"", ""},
  };
  for (const auto& [searchPath, expected] : cases)
    EXPECT_EQ(posix::FindPlayerProgram(beside.string(), searchPath), expected) << searchPath;
  fs::copy_file(player_, beside / "moxa3");
  EXPECT_EQ(posix::FindPlayerProgram(beside.string(), path), (beside / "moxa3").string());
  EXPECT_EQ(posix::FindPlayerProgram("", path), (onPath / "moxa3").string());
  fs::current_path(fs::temp_directory_path());
}

TEST_F(Spawning, ArgumentsArriveAsAnArgvAndNoShellEverActsOnThem) {
  const std::string canary = (folder_ / "canary").string();
  const std::string path = "/m/$(touch*" + canary + ")`touch*" + canary + "`;touch*" + canary +
                           "|x&y'q\"\n-z";
  posix::StartProgram(player_.c_str(), (" rightful " + path + " 0 ").c_str(), platform::ParameterSplit::AtSpaces);
  EXPECT_EQ(TakeRecordedArgv(), (Words{player_, "rightful", path, "0"}));
  // A whole parameter string, spaces included, is one argument.
  const std::string folder = "/media/My Films/it's \"here\" $(touch " + canary + ") ; -n";
  posix::StartProgram(player_.c_str(), folder.c_str(), platform::ParameterSplit::Whole);
  EXPECT_EQ(TakeRecordedArgv(), (Words{player_, folder}));
  EXPECT_FALSE(fs::exists(canary));
  // A program that cannot be started is reported to the caller only, and leaves no zombie.
  EXPECT_FALSE(posix::SpawnProgram("vm-no-such-program-anywhere", {}));
  EXPECT_FALSE(posix::SpawnProgram("", {}));
  posix::StartProgram("/no/such/folder/vm-no-such-program", " rightful x 0 ", platform::ParameterSplit::AtSpaces);
  EXPECT_TRUE(ChildrenEndWithoutZombies());
}

// The hexadecimal signal set on the "name:" line of a /proc status text.
uint64_t SignalSet(const std::string& status, const std::string& name) {
  const size_t at = status.find("\n" + name + ":");
  if (at == std::string::npos) return ~uint64_t{0};
  return std::stoull(status.substr(at + name.size() + 2), nullptr, 16);
}

TEST_F(Spawning, AChildStartsWithDefaultChildSignalsAndNothingBlocked) {
  sigset_t blocked, previous;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGUSR1);
  pthread_sigmask(SIG_BLOCK, &blocked, &previous);
  // cp copies its own status: the state it started in, with no shell in between. It must be reaped.
  const bool started = posix::SpawnProgram("cp", {"/proc/self/status", (folder_ / "status").string()});
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  ASSERT_TRUE(started);
  ASSERT_TRUE(ChildrenEndWithoutZombies());
  std::ifstream in(folder_ / "status");
  const std::string status((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(SignalSet(status, "SigIgn") & (uint64_t{1} << (SIGCHLD - 1)), 0u);
  EXPECT_EQ(SignalSet(status, "SigBlk"), 0u);
}

}  // namespace
