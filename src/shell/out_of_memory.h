// The one answer to a failed start-up or geometry-change allocation: say so and end the program,
// since every later step expects the buffer to exist.
#pragma once

[[noreturn]] void FailOutOfMemory(const char* what);
