#include "engine/sprite_texture_image.h"

#include "engine/sprite_bank.h"

namespace {

bool PowerOfTwo(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

}  // namespace

SpriteTextureImage SpriteTextureImageOf(uint32_t slot) {
  constexpr SpriteTextureImage kSkipped = {nullptr, 0};
  if (SpriteBank == nullptr || slot >= SpriteSlotCount) return kSkipped;
  const SpriteSlot& sprite = SpriteBank[slot];
  const bool uploadable = sprite.pixels != nullptr && sprite.width == sprite.height && PowerOfTwo(sprite.width) &&
                          sprite.width * 3 % 4 == 0;
  if (!uploadable) return kSkipped;
  return {sprite.pixels, static_cast<int32_t>(sprite.width)};
}
