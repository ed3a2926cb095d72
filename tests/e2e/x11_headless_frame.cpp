// The frame the headless backend presents, as the X11 window should show it (the Canvas enlarged by
// PixelScale, bottom row last) in a binary PPM, after each KEY (a virtual-key code) or @X,Y cursor move.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/headless/headless.h"
#include "shell/main_loop.h"
#include "shell/menu_state.h"

static bool WriteEnlargedFrame(const char* path, const headless::State& frame, int32_t scale) {
  const int32_t width = frame.lastFrameWidth, height = frame.lastFrameHeight;
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return false;
  std::fprintf(out, "P6\n%d %d\n255\n", width * scale, height * scale);
  for (int32_t y = height * scale - 1; y >= 0; --y)
    for (int32_t x = 0; x < width * scale; ++x)
      std::fwrite(&frame.lastFrame[(static_cast<size_t>(y / scale) * width + x / scale) * 4], 1, 3, out);
  return std::fclose(out) == 0;
}

int main(int argc, char** argv) {
  if (argc < 7 || chdir(argv[1]) != 0) {
    std::fprintf(stderr, "usage: x11_headless_frame FOLDER SCREEN_W SCREEN_H CURSOR_X CURSOR_Y OUT.ppm [KEY | @X,Y ...]\n");
    return 2;
  }
  headless::Reset();
  headless::State& backend = headless::Backend();
  backend.screenWidth = std::atoi(argv[2]);
  backend.screenHeight = std::atoi(argv[3]);
  backend.cursorX = std::atoi(argv[4]);
  backend.cursorY = std::atoi(argv[5]);
  ResetMenuState();
  StartMenu();
  for (int i = 0; i < 3; ++i) RunIteration();  // settle
  for (int arg = 7; arg < argc; ++arg) {
    if (std::sscanf(argv[arg], "@%d,%d", &backend.cursorX, &backend.cursorY) == 2) continue;
    headless::Queue(headless::EventKind::KeyDown, static_cast<int32_t>(std::strtol(argv[arg], nullptr, 0)));
    RunIteration();  // the key arrives in this frame's pump
    RunIteration();  // and acts in this one
  }
  for (int i = 0; i < 3; ++i) RunIteration();
  return WriteEnlargedFrame(argv[6], backend, PixelScale) ? 0 : 1;
}
