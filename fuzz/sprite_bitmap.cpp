// The sprite reader over arbitrary file contents: written to a file, loaded into a slot twice
// (the second load replaces the first one's pixels), then the bank released.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/sprite_bank.h"

namespace {

const std::string& ScratchPath() {
  static const std::string path = "/tmp/vm_fuzz_sprite_" + std::to_string(getpid()) + ".bmp";
  return path;
}

bool WriteInput(const uint8_t* data, size_t size) {
  FILE* file = std::fopen(ScratchPath().c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

// Reads every byte a loaded slot claims, so the sanitizer sees any that isn't there.
void ReadEveryPixel(const SpriteSlot& slot) {
  const uint64_t bytes = static_cast<uint64_t>(slot.width) * slot.height * 3;
  volatile uint8_t sink = 0;
  for (uint64_t i = 0; i < bytes; ++i) sink = sink ^ slot.pixels[i];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!WriteInput(data, size)) return 0;
  AllocateSpriteBank();
  for (int load = 0; load < 2; ++load) {
    if (LoadSpriteBitmap(ScratchPath().c_str(), 7)) ReadEveryPixel(SpriteBank[7]);
  }
  ReleaseSpriteBank();
  std::remove(ScratchPath().c_str());
  return 0;
}
