// The PictureBuffer is reserved whole at start-up but costs memory only where pictures are stored.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "pictures/texture_loader.h"

namespace {

// Resident pages within [begin, end), rounded inward to whole pages.
size_t ResidentPages(const uint8_t* begin, const uint8_t* end) {
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + page - 1) / page * page;
  const uintptr_t last = reinterpret_cast<uintptr_t>(end) / page * page;
  std::vector<unsigned char> residency((last - first) / page);
  if (mincore(reinterpret_cast<void*>(first), last - first, residency.data()) != 0) {
    ADD_FAILURE() << "mincore failed";
    return SIZE_MAX;
  }
  size_t resident = 0;
  for (const unsigned char r : residency) resident += r & 1;
  return resident;
}

TEST(PictureBuffer, IsReservedWholeWithoutBecomingResident) {
  AllocatePictureBuffer();
  ASSERT_NE(PictureBuffer, nullptr);
  EXPECT_EQ(PictureLoader.pixels, PictureBuffer);
  // No test stores a picture beyond its first 100 MB; the rest must still be untouched.
  const uint8_t* untouched = PictureBuffer + 100000000;
  EXPECT_EQ(ResidentPages(untouched, PictureBuffer + kPictureBufferBytes), 0u);
  PictureBuffer[kPictureBufferBytes - 1] = 1;  // the whole reservation is writable
  EXPECT_LE(ResidentPages(untouched, PictureBuffer + kPictureBufferBytes), 1u);
  const uint8_t* again = PictureBuffer;
  AllocatePictureBuffer();
  EXPECT_EQ(PictureBuffer, again) << "allocated once";
}

}  // namespace
