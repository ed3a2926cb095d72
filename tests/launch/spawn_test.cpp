// Starting programs on POSIX: the argument vector, the fallback beside the executable, reaping.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/spawn.h"

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

namespace {

TEST(SplitAtSpaces, ThePlayerParametersGiveThreeWords) {
  EXPECT_EQ(posix::SplitAtSpaces(" rightful /media/My*Song.mp3 0 "),
            (Words{"rightful", "/media/My*Song.mp3", "0"}));
}

TEST(SplitAtSpaces, RunsOfSpacesGiveNoEmptyWords) {
  EXPECT_EQ(posix::SplitAtSpaces(""), Words{});
  EXPECT_EQ(posix::SplitAtSpaces("    "), Words{});
  EXPECT_EQ(posix::SplitAtSpaces("a   b"), (Words{"a", "b"}));
  EXPECT_EQ(posix::SplitAtSpaces("single"), Words{"single"});
}

TEST(SplitAtSpaces, OnlyTheSpaceSeparates) {
  EXPECT_EQ(posix::SplitAtSpaces(" a\tb\nc \"d e\" 'f' "),
            (Words{"a\tb\nc", "\"d", "e\"", "'f'"}));
}

std::string ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  EXPECT_GT(length, 0);
  return fs::path(std::string(path, static_cast<size_t>(length))).parent_path().string();
}

class Spawning : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("vm_spawn_" + std::to_string(getpid()));
    fs::create_directories(folder_);
    // A stand-in player: writes each of its arguments, argv[0] first, ended by a zero byte.
    WriteScript(folder_ / "player",
                "for a in \"$0\" \"$@\"; do printf '%s\\0' \"$a\"; done > \"$(dirname \"$0\")/argv.tmp\"\n"
                "mv \"$(dirname \"$0\")/argv.tmp\" \"$(dirname \"$0\")/argv\"\n");
  }
  void TearDown() override { fs::remove_all(folder_); }

  static void WriteScript(const fs::path& path, const std::string& body) {
    std::ofstream(path) << "#!/bin/sh\n" << body;
    fs::permissions(path, fs::perms::owner_all);
  }

  // The recorded argv, waiting up to five seconds for the program to write it.
  Words RecordedArgv(const char* file = "argv") const {
    const fs::path path = folder_ / file;
    for (int i = 0; i < 500 && !fs::exists(path); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(path, std::ios::binary);
    Words words;
    std::string word;
    while (std::getline(in, word, '\0')) words.push_back(word);
    return words;
  }

  fs::path folder_;
};

TEST_F(Spawning, ABareNameIsLeftForThePathSearch) {
  EXPECT_EQ(posix::ResolveProgram("xdg-open"), "xdg-open");
}

TEST_F(Spawning, AnExistingProgramIsKept) {
  const std::string player = (folder_ / "player").string();
  EXPECT_EQ(posix::ResolveProgram(player.c_str()), player);
}

TEST_F(Spawning, AMissingOrUnrunnableProgramIsTakenFromBesideTheExecutable) {
  const std::string expected = ExecutableFolder() + "/moxa3";
  EXPECT_EQ(posix::ResolveProgram("/no/such/folder/moxa3"), expected);
  std::ofstream(folder_ / "moxa3") << "not a program";
  EXPECT_EQ(posix::ResolveProgram((folder_ / "moxa3").c_str()), expected);
  fs::remove(folder_ / "moxa3");
  fs::create_directory(folder_ / "moxa3");
  EXPECT_EQ(posix::ResolveProgram((folder_ / "moxa3").c_str()), expected);
}

TEST_F(Spawning, ThePlayerReceivesTheParameterWordsAsItsArguments) {
  const std::string player = (folder_ / "player").string();
  posix::StartProgram(player.c_str(), " rightful /media/My*Song.mp3 0 ",
                      platform::ParameterSplit::AtSpaces);
  EXPECT_EQ(RecordedArgv(), (Words{player, "rightful", "/media/My*Song.mp3", "0"}));
}

TEST_F(Spawning, NamesAShellWouldActOnArriveAsOneArgumentAndRunNothing) {
  const std::string player = (folder_ / "player").string();
  const std::string canary = (folder_ / "canary").string();
  const std::string path = "/m/$(touch*" + canary + ")`touch*" + canary + "`;touch*" + canary +
                           "|x&y'q\"\n-z";
  posix::StartProgram(player.c_str(), (" rightful " + path + " 0 ").c_str(),
                      platform::ParameterSplit::AtSpaces);
  EXPECT_EQ(RecordedArgv(), (Words{player, "rightful", path, "0"}));
  EXPECT_FALSE(fs::exists(canary));
}

TEST_F(Spawning, AWholeParameterStringIsOneArgument) {
  const std::string player = (folder_ / "player").string();
  const std::string folder = "/media/My Films/it's \"here\" $(touch x) ; -n";
  posix::StartProgram(player.c_str(), folder.c_str(), platform::ParameterSplit::Whole);
  EXPECT_EQ(RecordedArgv(), (Words{player, folder}));
}

TEST_F(Spawning, ANameIsSearchedOnThePath) {
  const std::string previous = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", (folder_.string() + ":" + previous).c_str(), 1);
  EXPECT_TRUE(posix::SpawnProgram("player", {"a b"}));
  setenv("PATH", previous.c_str(), 1);
  const Words argv = RecordedArgv();
  ASSERT_EQ(argv.size(), 2u);
  EXPECT_EQ(argv[1], "a b");
}

TEST_F(Spawning, AProgramThatCannotBeStartedIsReportedToTheCallerOnly) {
  EXPECT_FALSE(posix::SpawnProgram("vm-no-such-program-anywhere", {}));
  EXPECT_FALSE(posix::SpawnProgram("", {}));
  posix::StartProgram("/no/such/folder/vm-no-such-program", " rightful x 0 ",
                      platform::ParameterSplit::AtSpaces);
}

struct Children {
  int running = 0, zombies = 0;
};

// This process's children by state, read from /proc without reaping any.
Children ChildrenOfThisProcess() {
  Children children;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    const size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 2));
    char state = 0;
    int parent = 0;
    rest >> state >> parent;
    if (parent != getpid()) continue;
    (state == 'Z' ? children.zombies : children.running) += 1;
  }
  return children;
}

void WaitWhileChildrenRun() {
  for (int i = 0; i < 500 && ChildrenOfThisProcess().running > 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

TEST_F(Spawning, ExitedChildrenAreReapedWithoutWaiting) {
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(posix::SpawnProgram("true", {}));
  WaitWhileChildrenRun();
  EXPECT_EQ(ChildrenOfThisProcess().running, 0);
  EXPECT_EQ(ChildrenOfThisProcess().zombies, 0);
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
  // cp copies its own status: the state it started in, with no shell in between.
  const bool started =
      posix::SpawnProgram("cp", {"/proc/self/status", (folder_ / "status").string()});
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  ASSERT_TRUE(started);
  WaitWhileChildrenRun();
  std::ifstream in(folder_ / "status");
  const std::string status((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_NE(status.find("SigIgn:"), std::string::npos);
  EXPECT_EQ(SignalSet(status, "SigIgn") & (uint64_t{1} << (SIGCHLD - 1)), 0u);
  EXPECT_EQ(SignalSet(status, "SigBlk"), 0u);
}

}  // namespace
