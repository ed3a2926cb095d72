// The player program moxa3 hands the media file to: mpv, or ffplay where mpv is missing.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* kPlayerTitle = "Moxa3 video and audio player";

struct PlayerCommand {
  std::string program;  // a path found on the search path
  std::vector<std::string> arguments;
  std::vector<std::string> environment;  // NAME=value settings added for the player
};

// The first executable file called name in the colon-separated folders of searchPath; empty when
// there is none.
std::string FindOnSearchPath(const std::string& name, const std::string& searchPath);

// The commands to try in order, for the players found on searchPath. audioOutput, when not empty,
// is handed to mpv as its audio output; "null" gives ffplay SDL's dummy audio driver, so that a
// sound still opens its window.
std::vector<PlayerCommand> PlayerCommands(const std::string& media, const std::string& searchPath,
                                          const std::string& audioOutput);
