// Frames that could not change anything, not computed where the platform can wait instead (the
// Linux port): no message since a frame drawn without input, the cursor on the same Canvas pixel,
// the same clock text, and no grid redraw, relist or player placement pending. The loop then waits
// for the next message or clock second, and FrameCounter advances by the frames that passed, so
// rules counted in frames keep their meaning in time.
#pragma once

#include <cstdint>

// Called at the start of each iteration: true when the iteration was spent waiting, with the
// frames that passed counted and the messages that ended the wait pumped.
bool WaitInsteadOfRepeatedFrame();
// Called with the number of messages each end-of-frame pump handled.
void NoteMessagesPumped(int32_t count);
// Forgets the last frame drawn (a new start of the menu).
void ForgetIdleFrameState();
