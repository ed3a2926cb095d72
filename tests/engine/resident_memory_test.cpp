#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "canvas/canvas.h"
#include "engine/engine.h"

namespace {

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

// The menu's start-up allocations; exits with 0 when the resident memory stays within 80 MiB.
[[noreturn]] void StartUpAndMeasure() {
  SetCanvasSize(960, 540);
  StartEngine();
  void* pictureBuffer = std::malloc(400000000);
  const long resident = ResidentKilobytes();
  std::fprintf(stderr, "resident after start-up: %ld kB\n", resident);
  std::free(pictureBuffer);
  StopEngine();
  std::exit(resident > 0 && resident <= 80 * 1024 ? 0 : 1);
}

// Measured in a fresh copy of this program, so that no earlier test's heap counts.
TEST(ResidentMemoryDeathTest, StartUpLeavesMostReservedMemoryUntouched) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's own bookkeeping is resident";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(StartUpAndMeasure(), ::testing::ExitedWithCode(0), "resident after start-up: [0-9]+ kB");
}

}  // namespace
