// The real menu on the headless backend, started in a temporary media folder and driven frame
// by frame with scripted keys and right clicks at Canvas points.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "browser/entry_table.h"
#include "browser/temp_folder.h"
#include "canvas/canvas.h"
#include "pictures/picture_files.h"
#include "platform/headless/headless.h"
#include "shell/input.h"
#include "shell/main_loop.h"
#include "shell/menu_state.h"

using Sleeps = std::vector<int32_t>;

class MenuScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    media_.AddFile("song.mp3");
    media_.AddFile("My Song.mp3");
    media_.AddFolder("Films");
    media_.Write("picture.bmp", testpictures::EncodeBmp({2, 2, {{0, 0, 255}, {255, 255, 255}, {0, 0, 0}, {255, 0, 0}}}));
    previous_ = fs::current_path();
    fs::current_path(media_.path());
    ResetMenuState();
    headless::Reset();
    StartMenu();
  }
  void TearDown() override {
    if (Canvas) ExitMenu();
    fs::current_path(previous_);
  }

  static void Frames(int32_t count) {
    for (int32_t i = 0; i < count; ++i) RunIteration();
  }
  // Events queued now arrive in this frame's pump and act in the next; answers that frame's sleeps.
  static Sleeps ActNextFrame() {
    RunIteration();
    headless::Backend().sleeps.clear();
    RunIteration();
    return headless::Backend().sleeps;
  }
  static Sleeps PressKey(int32_t key) {
    headless::Queue(headless::EventKind::KeyDown, key);
    return ActNextFrame();
  }
  // A right press at Canvas (x, y), past the debounce.
  static Sleeps ClickAt(int32_t x, int32_t y) {
    while (FrameCounter <= RightClickFrame + kRightClickDebounceFrames) RunIteration();
    headless::PointAtCanvas(x, y);
    headless::Queue(headless::EventKind::RightDown);
    return ActNextFrame();
  }
  // The view as one line: mode, a pending grid redraw, the offset and the list's saved offset.
  static std::string View() {
    const char* const modes[] = {"list", "grid", "viewer"};
    auto point = [](CanvasPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); };
    return std::string(modes[static_cast<int>(ViewMode)]) + (GridRedraw ? " redraw" : "") + " at " +
           point(ViewOffset) + " saved " + point(SavedViewOffset);
  }

 public:
  static int32_t IndexOf(const std::string& name) {
    for (int32_t i = 1; i <= EntryTable.count; ++i)
      if (name == EntryTable.name[i]) return i;
    ADD_FAILURE() << name << " is not listed";
    return 0;
  }

 protected:
  TempFolder media_{"menu"};
  fs::path previous_;
};
