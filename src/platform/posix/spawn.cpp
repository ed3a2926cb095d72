#include "platform/posix/spawn.h"

#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/posix/search_path.h"

extern char** environ;

namespace posix {
namespace {

// The folder of the running executable; empty when it can't be read.
std::string ExecutableFolder() {
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error).parent_path().string();
}

// The menu never waits for what it starts, so the kernel reaps its children.
void ReapChildrenAutomatically() {
  static const bool kDone = (signal(SIGCHLD, SIG_IGN), true);
  (void)kDone;
}

// The child starts with SIGCHLD at its default and no signal blocked, whatever the menu changed:
// a started shell script must be able to wait for its own children.
class CleanSignalAttributes {
 public:
  CleanSignalAttributes() {
    posix_spawnattr_init(&attributes_);
    sigset_t set;
    sigemptyset(&set);
    posix_spawnattr_setsigmask(&attributes_, &set);
    sigaddset(&set, SIGCHLD);
    posix_spawnattr_setsigdefault(&attributes_, &set);
    posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~CleanSignalAttributes() { posix_spawnattr_destroy(&attributes_); }
  CleanSignalAttributes(const CleanSignalAttributes&) = delete;
  CleanSignalAttributes& operator=(const CleanSignalAttributes&) = delete;
  const posix_spawnattr_t* get() const { return &attributes_; }

 private:
  posix_spawnattr_t attributes_;
};

}  // namespace

std::vector<std::string> SplitAtSpaces(const char* parameters) {
  std::vector<std::string> words;
  std::string word;
  for (const char* c = parameters; *c != '\0'; ++c) {
    if (*c != ' ') {
      word += *c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

std::string FindPlayerProgram(const std::string& executableFolder, const std::string& searchPath) {
  const std::string beside = executableFolder + "/moxa3";
  if (!executableFolder.empty() && IsExecutableFile(beside)) return beside;
  return FindOnSearchPath("moxa3", searchPath);
}

bool SpawnProgram(const std::string& program, const std::vector<std::string>& arguments) {
  if (program.empty()) return false;
  ReapChildrenAutomatically();
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const CleanSignalAttributes attributes;
  pid_t child{};
  return posix_spawnp(&child, program.c_str(), nullptr, attributes.get(), argv.data(), environ) == 0;
}

void StartProgram(const char* program, const char* parameters, platform::ParameterSplit split) {
  const std::vector<std::string> arguments = split == platform::ParameterSplit::AtSpaces
                                                 ? SplitAtSpaces(parameters)
                                                 : std::vector<std::string>{parameters};
  SpawnProgram(program, arguments);
}

}  // namespace posix

namespace platform {

std::string PlayerProgram(const char*) {
  const char* searchPath = std::getenv("PATH");
  return posix::FindPlayerProgram(posix::ExecutableFolder(), searchPath != nullptr ? searchPath : "");
}

}  // namespace platform
