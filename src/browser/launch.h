// Handing a media file to the player program, and the folder to the file manager.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "shell/menu_state.h"

// Launches the selected entry and places the player's window (the P key).
void LaunchSelectedEntry();
// A second click on the selected file row launches it; runs right after HandleListClick.
void LaunchOnClick();
// Opens the file manager on FolderPath (F7 and the "F7" label); the caller sleeps.
void OpenFileManager();

// ---- The parts of a launch, for any platform's conventions -----------------------------------

inline constexpr const char* kPlayerWindowTitle = "Moxa3 video and audio player";
inline constexpr int32_t kPlayerWindowSide = 600;

// The three strings handed over when a file is launched.
struct LaunchCommand {
  char launchPath[kPathBufferSize];  // folder, separator, name; every space an asterisk
  char playerPath[kPathBufferSize];  // the platform's player program for StartDir
  char parameters[kPathBufferSize];  // " rightful <launch path> 0 "
};

// Folder and name joined by the separator (not doubled after a root that already ends in one),
// cut to the buffer, every space turned into an asterisk.
void FormatLaunchPath(char (&out)[kPathBufferSize], const char* folder, const char* name,
                      char separator);
void FormatPlayerParameters(char (&out)[kPathBufferSize], const char* launchPath);
// playerProgram is the platform's answer for StartDir (platform::PlayerProgram), cut to the buffer.
void BuildLaunchCommand(LaunchCommand* out, const char* folder, const char* name,
                        const char* playerProgram, char separator);

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
