// Sleeping and the local time of day.
#include <windows.h>

#include <ctime>

#include "platform/platform.h"

namespace platform {

void SleepMilliseconds(int32_t milliseconds) { Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0); }

// "HH:MM:SS" on the 24-hour clock, as the runtime library formats it.
void ReadLocalTimeText(char (&out)[9]) { _strtime(out); }

}  // namespace platform
