// The SpriteBank: sprite slots filled from uncompressed 24-bit BMP files at start-up.
#pragma once

#include <cstdint>

inline constexpr uint32_t SpriteSlotCount = 3100;

struct SpriteSlot {
  uint8_t* pixels;  // width x height x 3 bytes red, green, blue, bottom row first; null when empty
  uint32_t width;
  uint32_t height;
  uint32_t bytesPerPixel;  // 3 once a header was accepted, 0 before
};

// SpriteSlotCount slots; null until the engine start-up allocates it.
extern SpriteSlot* SpriteBank;

// Allocates the bank with every slot empty.
void AllocateSpriteBank();
// Reads the BMP file at path (relative to the current folder) into slot; true when the slot holds
// the file's pixels. The pixel array is width x height x 3 contiguous bytes from offset 54: row
// padding and the header's own pixel offset are not honoured, as the sprites need neither. A
// rejected file leaves the slot as it was; an accepted header whose pixels are missing, negative
// or too large leaves its sizes with null pixels.
bool LoadSpriteBitmap(const char* path, uint32_t slot);
// Reads every sprite the engine lists, each into its fixed slot.
void LoadSpriteLists();
// Releases every slot's pixels, then the bank, and clears the pointer.
void ReleaseSpriteBank();
