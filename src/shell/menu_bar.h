// The MenuBar labels, the dispatch of a click on them, and the status text drawn with them.
#pragma once

#include <cstdint>

// The title, the labels of the current view and the status lines, over the Backdrop.
void DrawMenuBar();
// Runs the command of the id under the cursor; cursorY decides what a click on nothing means.
void DispatchCommand(uint32_t id, int32_t cursorY);
