// Handing a media file to the player program, and the folder to the file manager.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "shell/menu_state.h"

// Launches the selected entry and places the player's window (the P key).
void LaunchSelectedEntry();
// A second click on the selected file row launches it; runs right after HandleListClick.
void LaunchOnClick();
// Places a player whose window appeared only after its launch's pause; called every frame, and
// gives up 300 frames after the launch.
void PlaceLatePlayerWindow();
// True while a launched player's window is still to be placed.
bool PlayerPlacementPending();
// Opens the file manager on FolderPath (F7 and the "F7" label); the caller sleeps.
void OpenFileManager();
// Forgets a placement still waiting for the player's window (tests, before each case).
void ForgetPendingPlacement();

// ---- The parts of a launch, for any platform's conventions -----------------------------------

inline constexpr const char* kPlayerWindowTitle = "Moxa3 video and audio player";
inline constexpr int32_t kPlayerWindowSide = 600;

// The three strings handed over when a file is launched.
struct LaunchCommand {
  char launchPath[kPathBufferSize];  // folder, separator, name; every space an asterisk
  char playerPath[kPathBufferSize];  // the conventions' playerFormat filled with StartDir
  char parameters[kPathBufferSize];  // " rightful <launch path> 0 "
};

// Folder and name joined by the separator (not doubled after a root that already ends in one),
// cut to the buffer, every space turned into an asterisk.
void FormatLaunchPath(char (&out)[kPathBufferSize], const char* folder, const char* name,
                      char separator);
void FormatPlayerPath(char (&out)[kPathBufferSize], const char* startDir, const char* playerFormat);
void FormatPlayerParameters(char (&out)[kPathBufferSize], const char* launchPath);
void BuildLaunchCommand(LaunchCommand* out, const char* folder, const char* name,
                        const char* startDir, const platform::Conventions& conventions);

// What the placement of the player's window depends on.
struct MenuGeometry {
  int32_t canvasWidth, canvasHeight, pixelScale;
  CanvasPoint viewOffset, windowPos;
  int32_t screenHeight;
};
struct WindowBox {
  int32_t left, top, width, height;
};
MenuGeometry CurrentMenuGeometry();
// The player's 600 x 600 window on the list block's top-left corner, moved up so that its bottom
// stays on the screen (a 1280-wide Canvas) or within the menu window (any other width).
WindowBox PlayerWindowBox(const MenuGeometry& geometry);
