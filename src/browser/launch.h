// Handing a media file to the player program, and the folder to the file manager.
#pragma once

// Launches the selected entry and places the player's window (the P key).
void LaunchSelectedEntry();
// A second click on the selected file row launches it; runs right after HandleListClick.
void LaunchOnClick();
// Opens the file manager on FolderPath (F7 and the "F7" label); the caller sleeps.
void OpenFileManager();
