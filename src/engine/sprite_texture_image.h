// What the GL upload may hand to glTexImage2D for a sprite slot.
#pragma once

#include <cstdint>

inline constexpr uint32_t FirstTextureSlot = 1200;
inline constexpr uint32_t TexturedSpriteCount = 7;

struct SpriteTextureImage {
  const uint8_t* pixels;  // null: leave the texture without texels
  int32_t side;           // texture width and height
};

// The upload passes the sprite's width as both texture sides, with the default 4-byte row
// alignment and OpenGL 1.1's power-of-two sizes. So only a loaded, square sprite whose side is a
// power of two and whose rows of side x 3 bytes are a multiple of 4 is handed over: then the
// texture reads exactly the slot's width x height x 3 bytes. Any other slot is skipped.
SpriteTextureImage SpriteTextureImageOf(uint32_t slot);
