// Straight lines, rectangle outlines and the white cross at the cursor.
#pragma once

#include <cstdint>

void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t r, uint8_t g, uint8_t b);
void DrawFrame(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t r, uint8_t g, uint8_t b);
// Cross 11 x 11 centred on the cursor's Canvas position.
void CrossCursor();
