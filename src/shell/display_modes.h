// The three window geometries: half screen at scale 2, 1280 x 960, full screen.
#pragma once

#include <cstdint>

// Sizes the Canvas for the half-screen geometry of the current screen.
void SizeCanvasForHalfScreen();
// Re-creates the GL window at Canvas size x PixelScale, the system cursor hidden over it.
void RecreateWindow();
void ChangeDisplayMode(int32_t mode);
// The M key: the window's top-left corner goes to the cursor (only while the Canvas is 1280 wide).
void MoveWindowToCursor();
