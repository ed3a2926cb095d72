#include "player_command.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::vector<std::string> MpvArguments(const std::string& media, const std::string& audioOutput) {
  std::vector<std::string> arguments{std::string("--title=") + kPlayerTitle, "--geometry=600x600",
                                     "--force-window=yes"};
  if (!audioOutput.empty()) arguments.push_back("--ao=" + audioOutput);
  arguments.push_back(media);
  return arguments;
}

std::vector<std::string> FfplayArguments(const std::string& media) {
  return {"-window_title", kPlayerTitle, "-x", "600", "-y", "600", "-autoexit", media};
}

std::vector<std::string> FfplayEnvironment(const std::string& audioOutput) {
  if (audioOutput == "null") return {"SDL_AUDIODRIVER=dummy"};
  return {};
}

}  // namespace

std::string FindOnSearchPath(const std::string& name, const std::string& searchPath) {
  size_t start = 0;
  while (start <= searchPath.size()) {
    size_t end = searchPath.find(':', start);
    if (end == std::string::npos) end = searchPath.size();
    // An empty entry means the current folder, as for the shell's own search.
    const std::string folder = end > start ? searchPath.substr(start, end - start) : ".";
    const std::string candidate = folder + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

std::vector<PlayerCommand> PlayerCommands(const std::string& media, const std::string& searchPath,
                                          const std::string& audioOutput) {
  std::vector<PlayerCommand> commands;
  const std::string mpv = FindOnSearchPath("mpv", searchPath);
  if (!mpv.empty()) commands.push_back({mpv, MpvArguments(media, audioOutput), {}});
  const std::string ffplay = FindOnSearchPath("ffplay", searchPath);
  if (!ffplay.empty()) commands.push_back({ffplay, FfplayArguments(media), FfplayEnvironment(audioOutput)});
  return commands;
}
