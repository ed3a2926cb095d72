// The sprite reader over arbitrary file contents: loaded into a slot twice (the second load
// replaces the first one's pixels), then the bank released.
#include <cstdint>
#include <string>

#include "engine/sprite_bank.h"
#include "memory_file.h"

namespace {

// Reads every byte a loaded slot claims, so the sanitizer sees any that isn't there.
void ReadEveryPixel(const SpriteSlot& slot) {
  const uint64_t bytes = static_cast<uint64_t>(slot.width) * slot.height * 3;
  volatile uint8_t sink = 0;
  for (uint64_t i = 0; i < bytes; ++i) sink = sink ^ slot.pixels[i];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = fuzzinput::WriteMemoryFile(data, size);
  AllocateSpriteBank();
  for (int load = 0; load < 2; ++load) {
    if (LoadSpriteBitmap(path.c_str(), 7)) ReadEveryPixel(SpriteBank[7]);
  }
  ReleaseSpriteBank();
  return 0;
}
