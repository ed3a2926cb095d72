#include "player_command.h"

#include "platform/posix/search_path.h"

namespace {

std::vector<std::string> MpvArguments(const std::string& media, const std::string& audioOutput,
                                      unsigned long windowId) {
  // Only video outputs that draw into a given window; a GL one that turns out to be a software
  // renderer (virtual displays) gives way to plain X11.
  std::vector<std::string> arguments{"--wid=" + std::to_string(windowId), "--vo=gpu,x11",
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

std::vector<PlayerCommand> PlayerCommands(const std::string& media, const std::string& searchPath,
                                          const std::string& audioOutput, unsigned long windowId) {
  std::vector<PlayerCommand> commands;
  const std::string mpv = posix::FindOnSearchPath("mpv", searchPath);
  if (!mpv.empty()) commands.push_back({mpv, MpvArguments(media, audioOutput, windowId), {}, false});
  const std::string ffplay = posix::FindOnSearchPath("ffplay", searchPath);
  if (!ffplay.empty())
    commands.push_back({ffplay, FfplayArguments(media), FfplayEnvironment(audioOutput), true});
  return commands;
}
