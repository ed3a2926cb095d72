// moxa3: plays the media file the menu names in its parameter string. Its own window, titled
// "Moxa3 video and audio player", is mapped first, so that the menu finds it right after its
// launch pause; mpv then plays inside it (or ffplay's window takes its place). Never goes through
// a shell.
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "media_path.h"
#include "player_command.h"
#include "player_window.h"

namespace {

constexpr int kPollMilliseconds = 20;
constexpr auto kMessageShown = std::chrono::seconds(3);

constexpr const char* kHelp =
    "Usage: moxa3 rightful PATH 0\n"
    "       moxa3 PATH\n"
    "Plays a video or audio file for vestramenu. A window titled \"Moxa3 video and audio player\"\n"
    "opens at once; mpv plays inside it and follows its size, or, where mpv is missing, ffplay's\n"
    "window takes its place. Both are looked for in the absolute folders of PATH. In PATH an\n"
    "asterisk stands for a space, as the menu hands names over. MOXA3_AUDIO_OUTPUT, when set, is\n"
    "the audio output (null for none).\n"
    "Exit status: the player's; 1 without a display or a player; 2 without a file.\n";

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// In the child: dies with moxa3, whichever way moxa3 ends, so that no player plays on unseen.
[[noreturn]] void BecomePlayer(const PlayerCommand& command, pid_t parent, int failurePipe) {
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != parent) _exit(1);
  for (const std::string& setting : command.environment) {
    const size_t equals = setting.find('=');
    setenv(setting.substr(0, equals).c_str(), setting.substr(equals + 1).c_str(), 1);
  }
  std::vector<char*> argv{const_cast<char*>(command.program.c_str())};
  for (const std::string& argument : command.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(command.program.c_str(), argv.data());
  const int error = errno;
  (void)!write(failurePipe, &error, sizeof error);
  _exit(127);
}

// The player's process, or -1 when it could not be started. A pipe closed on exec tells the two
// apart: it reads empty only once the program runs.
pid_t StartPlayer(const PlayerCommand& command) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return -1;
  const pid_t parent = getpid();
  const pid_t child = fork();
  if (child == 0) BecomePlayer(command, parent, fds[1]);
  close(fds[1]);
  int error = 0;
  const bool failed = child < 0 || read(fds[0], &error, sizeof error) > 0;
  close(fds[0]);
  if (failed && child > 0) waitpid(child, nullptr, 0);
  return failed ? -1 : child;
}

int ExitStatusOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

// Waits for the player to end, handling the window meanwhile: ffplay's window is put where moxa3's
// is, which then closes; a close request ends the player.
int WaitForPlayer(PlayerWindow& window, const PlayerCommand& command, pid_t player) {
  bool ownWindowOpen = true, stopSent = false;
  for (;;) {
    int status = 0;
    if (waitpid(player, &status, WNOHANG) == player) return ExitStatusOf(status);
    if (ownWindowOpen && command.playsInOwnWindow) {
      const Window theirs = window.FindOtherTitledWindow();
      if (theirs != None && window.PutInPlace(theirs)) {
        window.Close();
        ownWindowOpen = false;
      }
    }
    // Events are read even with the window gone, so that none waits and wakes the poll at once.
    if (window.HandleEvents() && ownWindowOpen && !stopSent) stopSent = kill(player, SIGTERM) == 0;
    window.WaitForEvents(kPollMilliseconds);
  }
}

int ShowNoPlayer(PlayerWindow& window, const std::string& media) {
  std::fprintf(stderr, "moxa3: cannot play %s: neither mpv nor ffplay could be started\n", media.c_str());
  window.ShowMessage("Cannot play: neither mpv nor ffplay is installed.");
  const auto end = std::chrono::steady_clock::now() + kMessageShown;
  while (std::chrono::steady_clock::now() < end && !window.HandleEvents())
    window.WaitForEvents(kPollMilliseconds);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (words.size() == 1 && words[0] == "--help") {
    std::fputs(kHelp, stdout);
    return 0;
  }
  const std::string handed = PathFromWords(words);
  if (handed.empty()) {
    std::fprintf(stderr, "moxa3: no media file given (usage: moxa3 rightful <path> 0; see moxa3 --help)\n");
    return 2;
  }
  PlayerWindow window;
  if (!window.Open()) {
    std::fprintf(stderr, "moxa3: cannot open a window: no X display\n");
    return 1;
  }
  const std::string media = ChooseMediaPath(handed);
  for (const PlayerCommand& command :
       PlayerCommands(media, Environment("PATH"), Environment("MOXA3_AUDIO_OUTPUT"), window.id())) {
    const pid_t player = StartPlayer(command);
    if (player > 0) return WaitForPlayer(window, command, player);
  }
  return ShowNoPlayer(window, media);
}
