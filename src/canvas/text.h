// Text in the built-in font, plain or clickable, whole or clipped at a right-hand limit.
// The text always comes from TextBuffer; each operation returns the pen after the last character.
#pragma once

#include <cstdint>

inline constexpr int kTextBufferSize = 256;
extern char TextBuffer[kTextBufferSize];

// Formats into TextBuffer like snprintf, never past its 256 bytes.
void FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

int32_t DrawText(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b);
int32_t DrawTextClipped(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, int32_t xLimit);
int32_t DrawLabel(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, uint32_t id);
int32_t DrawLabelClipped(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, uint32_t id,
                         int32_t xLimit);
