// Sleeping and the local time of day.
#include <time.h>

#include <cstdio>

#include "platform/platform.h"

namespace platform {

void SleepMilliseconds(int32_t milliseconds) {
  if (milliseconds <= 0) return;
  timespec pause{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1'000'000};
  while (nanosleep(&pause, &pause) != 0) {
  }
}

void ReadLocalTimeText(char (&out)[9]) {
  const time_t now = time(nullptr);
  tm local{};
  if (localtime_r(&now, &local) == nullptr || strftime(out, sizeof out, "%H:%M:%S", &local) != sizeof out - 1)
    std::snprintf(out, sizeof out, "00:00:00");
}

}  // namespace platform
