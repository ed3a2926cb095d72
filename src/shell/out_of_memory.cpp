#include "shell/out_of_memory.h"

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

void FailOutOfMemory(const char* what) {
  char text[160];
  std::snprintf(text, sizeof text, "Not enough memory for the %s.", what);
  platform::ShowMessageBox("ERROR", text, platform::kBoxOkExclamation);
  std::exit(1);
}
