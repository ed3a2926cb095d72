// GL state shared by the Windows and Linux backends: set up with a new context current.
#pragma once

#include <cstdint>

// Viewport 320 x 240 and a 45-degree perspective, whatever the window size.
void SetupGlProjection(int32_t width, int32_t height);
// Uploads the sprite textures, then sets the fixed state; returns true.
bool SetupGlState();
// Turns SpriteBank slots 1200 to 1206 into textures 0 to 6 of SpriteTextures.
bool UploadSpriteTextures();

extern uint32_t SpriteTextures[32];

// ---- Defined by each window backend, for presentation ----------------------------------------
// True while the window exists with its GL context current; false after a failed creation.
bool GlContextReady();
// Swaps the window's buffers (when there is a window) and paces the frame where no vsync does.
void SwapWindowBuffers();
// Whether the back buffer still holds the frame shown last and a band of it can be shown alone, so
// that a Canvas changed in a band of rows is presented by drawing and showing just that band (the
// Linux port, where GLX tells the buffer's age and copies part of it); the Windows program draws
// every change whole.
bool BackBufferHoldsLastFrame();
// Shows window rows bottom to bottom + height - 1 of the back buffer (counted from the bottom), and
// paces the frame as a swap would.
void ShowWindowBand(int32_t bottom, int32_t height);
