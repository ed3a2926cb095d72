// Start-up, the frame loop and the exit sequence of the menu.
#pragma once

#include <cstdint>

// Start-up in its order: directories, Canvas, engine data, window, buffers, first listing, input.
void StartMenu();
// One iteration of the frame loop (33 steps), or, where the platform waits when idle, a wait in
// place of a frame that could not change anything.
void RunIteration();
// Releases the Canvas and engine data and drains messages for about a second.
void ExitMenu();
// StartMenu, iterations until QuitRequested, ExitMenu; the program's exit code.
int RunMenu();
// Pumps messages until none is left; answers how many there were.
int32_t PumpAllMessages();
// rounds x (100 ms sleep, then pump until empty).
void DrainMessages(int32_t rounds);
