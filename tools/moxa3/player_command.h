// The player program moxa3 hands the media file to: mpv inside moxa3's own window, or ffplay in a
// window of its own where mpv is missing.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* kPlayerTitle = "Moxa3 video and audio player";

struct PlayerCommand {
  std::string program;  // a path found on the search path
  std::vector<std::string> arguments;
  std::vector<std::string> environment;  // NAME=value settings added for the player
  bool playsInOwnWindow = false;         // ffplay: its window is moved over moxa3's
};

// The commands to try in order, for the players found in the absolute folders of searchPath. mpv
// draws into the window windowId, also for a sound. audioOutput, when not empty, is handed to mpv
// as its audio output; "null" gives ffplay SDL's dummy audio driver, so that a sound still opens
// its window.
std::vector<PlayerCommand> PlayerCommands(const std::string& media, const std::string& searchPath,
                                          const std::string& audioOutput, unsigned long windowId);
