#include "platform/x11/x11_display.h"

namespace {

Display* display = nullptr;
bool openAttempted = false;
int32_t errorsSeen = 0;

int RecordError(Display*, XErrorEvent*) {
  errorsSeen += 1;
  return 0;
}

}  // namespace

Display* MainDisplay() {
  if (!openAttempted) {
    openAttempted = true;
    XSetErrorHandler(RecordError);
    display = XOpenDisplay(nullptr);
  }
  return display;
}

namespace x11 {

CheckedRequests::CheckedRequests(Display* display) : display_(display) {
  XSync(display_, False);
  errorsSeen = 0;
}

bool CheckedRequests::Succeeded() {
  XSync(display_, False);
  const bool succeeded = errorsSeen == 0;
  errorsSeen = 0;
  return succeeded;
}

}  // namespace x11
