// Modal message boxes for window creation and teardown failures.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

namespace platform {
namespace {

// For tests: when VESTRAMENU_MESSAGE_LOG names a file, every box is also appended to it as one
// line "title|text|flags" before it is shown, so a script can tell which box came up.
void LogMessageBox(const char* title, const char* text, uint32_t flags) {
  const char* logPath = std::getenv("VESTRAMENU_MESSAGE_LOG");
  if (logPath == nullptr || logPath[0] == '\0') return;
  if (FILE* log = std::fopen(logPath, "a")) {
    std::fprintf(log, "%s|%s|0x%02X\n", title, text, static_cast<unsigned>(flags));
    std::fclose(log);
  }
}

}  // namespace

void ShowMessageBox(const char* title, const char* text, uint32_t flags) {
  LogMessageBox(title, text, flags);
  MessageBoxA(nullptr, text, title, flags);
}

}  // namespace platform
