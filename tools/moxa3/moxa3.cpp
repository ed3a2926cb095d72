// moxa3: plays the media file the menu names in its parameter string, in a window titled
// "Moxa3 video and audio player", by becoming mpv (or ffplay). Never goes through a shell.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "media_path.h"
#include "player_command.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The search path, with the usual folders where none is set.
std::string SearchPath() {
  const std::string path = Environment("PATH");
  return path.empty() ? "/usr/local/bin:/usr/bin:/bin" : path;
}

// Replaces this process with the player; returns only when that failed.
void ExecutePlayer(const PlayerCommand& command) {
  for (const std::string& setting : command.environment) {
    const size_t equals = setting.find('=');
    setenv(setting.substr(0, equals).c_str(), setting.substr(equals + 1).c_str(), 1);
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(command.program.c_str()));
  for (const std::string& argument : command.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(command.program.c_str(), argv.data());
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  const std::string handed = PathFromWords(words);
  if (handed.empty()) {
    std::fprintf(stderr, "moxa3: no media file given (usage: moxa3 rightful <path> 0)\n");
    return 2;
  }
  const std::string media = ChooseMediaPath(handed);
  for (const PlayerCommand& command :
       PlayerCommands(media, SearchPath(), Environment("MOXA3_AUDIO_OUTPUT")))
    ExecutePlayer(command);
  std::fprintf(stderr, "moxa3: cannot play %s: neither mpv nor ffplay could be started\n",
               media.c_str());
  return 1;
}
