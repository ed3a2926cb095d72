// A stand-in for the player in end-to-end tests. It writes its arguments to a file of its own in
// the folder $VM_STUB_RECORD_DIR (argv[0] first, each ended by a zero byte), then shows a window
// titled as the real player's until it is killed or a minute has passed. With $VM_STUB_NO_WINDOW
// set it exits right after recording, as a player that never opens a window.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr const char* kTitle = "Moxa3 video and audio player";

// Written under a temporary name and renamed, so that a reader never sees half a record.
void RecordArguments(int argc, char** argv) {
  const char* folder = std::getenv("VM_STUB_RECORD_DIR");
  if (folder == nullptr) return;
  const std::string path = std::string(folder) + "/argv." + std::to_string(getpid());
  std::FILE* file = std::fopen((path + ".tmp").c_str(), "wb");
  if (file == nullptr) return;
  for (int i = 0; i < argc; ++i) std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, file);
  std::fclose(file);
  std::rename((path + ".tmp").c_str(), path.c_str());
}

Window OpenTitledWindow(Display* display) {
  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 40, 30, 200, 120,
                                            0, BlackPixel(display, screen), WhitePixel(display, screen));
  XStoreName(display, window, kTitle);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                  XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(kTitle), static_cast<int>(std::strlen(kTitle)));
  XMapWindow(display, window);
  XFlush(display);
  return window;
}

}  // namespace

int main(int argc, char** argv) {
  RecordArguments(argc, argv);
  if (std::getenv("VM_STUB_NO_WINDOW") != nullptr) return 0;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  OpenTitledWindow(display);
  const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < end) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  XCloseDisplay(display);
  return 0;
}
