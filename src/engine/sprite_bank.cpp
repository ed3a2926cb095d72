#include "engine/sprite_bank.h"

#include <cstdlib>
#include <span>
#include <utility>

#include "engine/zeroed_table.h"
#include "platform/platform.h"

SpriteSlot* SpriteBank = nullptr;

namespace {

constexpr size_t kHeaderSize = 54;
constexpr size_t kWidthOffset = 18;
constexpr size_t kHeightOffset = 22;
constexpr size_t kBitCountOffset = 28;

uint32_t LittleEndian32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

bool HeaderAccepted(const uint8_t* header, size_t received) {
  return received == kHeaderSize && header[0] == 'B' && header[1] == 'M' && header[kBitCountOffset] == 24;
}

// Whether the file can hold the announced pixel array after its header, so that no header makes
// the reader allocate more than the file holds.
bool FileHolds(platform::ReadableFile* file, uint64_t pixelBytes) {
  const int64_t fileSize = platform::SizeOfFile(file);
  return fileSize >= static_cast<int64_t>(kHeaderSize) &&
         pixelBytes <= static_cast<uint64_t>(fileSize) - kHeaderSize;
}

// Blue, green, red becomes red, green, blue.
void SwapRedAndBlue(uint8_t* pixels, uint64_t size) {
  for (uint8_t* pixel = pixels; pixel < pixels + size; pixel += 3) std::swap(pixel[0], pixel[2]);
}

// Once the header is accepted: the slot takes the new sizes and loses its old pixels, then gets
// the new ones if the file holds all of them.
bool ReadPixelArray(platform::ReadableFile* file, const uint8_t* header, SpriteSlot& slot) {
  slot.width = LittleEndian32(header + kWidthOffset);
  slot.height = LittleEndian32(header + kHeightOffset);
  slot.bytesPerPixel = 3;
  ReleaseTable(slot.pixels);
  if (static_cast<int32_t>(slot.width) < 0 || static_cast<int32_t>(slot.height) < 0) return false;
  // Two 31-bit sides times 3 stay below 2^64, so the size can't wrap.
  const uint64_t size = static_cast<uint64_t>(slot.width) * slot.height * 3;
  if (!FileHolds(file, size)) return false;
  // One spare byte, so that an empty pixel array still gives the slot a buffer.
  auto* pixels = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(size) + 1));
  if (pixels == nullptr) return false;
  if (platform::ReadFromFile(file, pixels, static_cast<size_t>(size)) != size) {
    std::free(pixels);
    return false;
  }
  SwapRedAndBlue(pixels, size);
  slot.pixels = pixels;
  return true;
}

}  // namespace

void AllocateSpriteBank() { SpriteBank = AllocateZeroed<SpriteSlot>(SpriteSlotCount); }

bool LoadSpriteBitmap(const char* path, uint32_t slot) {
  if (SpriteBank == nullptr || slot >= SpriteSlotCount) return false;
  platform::ReadableFile* file = platform::OpenFileForReading(path);
  if (file == nullptr) return false;
  uint8_t header[kHeaderSize];
  const size_t received = platform::ReadFromFile(file, header, kHeaderSize);
  const bool loaded = HeaderAccepted(header, received) && ReadPixelArray(file, header, SpriteBank[slot]);
  platform::CloseReadableFile(file);
  return loaded;
}

void ReleaseSpriteBank() {
  if (SpriteBank == nullptr) return;
  for (SpriteSlot& slot : std::span(SpriteBank, SpriteSlotCount)) ReleaseTable(slot.pixels);
  ReleaseTable(SpriteBank);
}
