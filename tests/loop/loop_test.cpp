// The frame loop on the headless backend: start-up, iterations, input between frames, exit.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "browser/entry_table.h"
#include "canvas/canvas.h"
#include "pictures/texture_loader.h"
#include "platform/headless/headless.h"
#include "shell/input.h"
#include "shell/main_loop.h"
#include "shell/menu_state.h"
#include "shell/menu_scenario.h"
#include "shell/virtual_keys.h"

using headless::EventKind;

namespace {

// The real menu started in a folder holding song.mp3, My Song.mp3, Films and picture.bmp.
using FrameLoop = MenuScenario;

TEST_F(FrameLoop, StartUpThenOneFramePerIterationUntilEsc) {
  const auto& backend = headless::Backend();
  EXPECT_EQ(std::string(StartDir), media_.path().string());
  EXPECT_EQ(std::string(FolderPath), media_.path().string());
  EXPECT_EQ(EntryTable.count, 6);  // ".", "..", and the four entries
  EXPECT_EQ(ViewMode, ViewModeKind::List);
  EXPECT_EQ(std::tuple(CanvasWidth, CanvasHeight, PixelScale), std::tuple(960, 540, 2));
  EXPECT_EQ(std::pair(backend.windowWidth, backend.windowHeight), std::pair(1920, 1080));
  EXPECT_EQ(std::pair(ScreenSize.x, ScreenSize.y), std::pair(1920, 1080));
  EXPECT_EQ(backend.hideCursorCount, 1);
  EXPECT_TRUE(backend.hooksInstalled);
  EXPECT_EQ(PictureLoader.MenuBarShown, 1u);

  headless::QueueAtFrame(4, EventKind::KeyDown, vk::Escape);
  int iterations = 0;
  for (; !QuitRequested && iterations < 100; ++iterations) RunIteration();
  // Delivered in the pump of frame 4 (the fifth iteration), acted on in the sixth.
  EXPECT_EQ(iterations, 6);
  EXPECT_EQ(FrameCounter, 6);
  EXPECT_EQ(backend.presentCount, 6);
  EXPECT_EQ(backend.lastFrameWidth, 960);
  const auto sleepsBefore = backend.sleeps.size();
  const auto clockBefore = backend.virtualMilliseconds;
  ExitMenu();
  EXPECT_EQ(Canvas, nullptr);
  EXPECT_EQ(Backdrop, nullptr);
  EXPECT_EQ(PickMap, nullptr);
  EXPECT_EQ(backend.sleeps.size() - sleepsBefore, 10u);
  EXPECT_EQ(backend.virtualMilliseconds - clockBefore, 1000);
}

TEST_F(FrameLoop, ACloseRequestEndsTheLoopButKeepsTheWindow) {
  headless::Queue(EventKind::Close);
  RunIteration();
  EXPECT_EQ(QuitRequested, 1u);
  EXPECT_TRUE(headless::Backend().windowOpen);
}

TEST_F(FrameLoop, RightPressesAreDebouncedAcrossFramesAndClearedByARelease) {
  headless::QueueAtFrame(5, EventKind::RightDown);
  Frames(6);  // delivered during frame 5's pump: too early
  EXPECT_EQ(RightClick, 0u);
  headless::QueueAtFrame(13, EventKind::RightDown);
  Frames(8);  // frames 6..13
  EXPECT_EQ(RightClick, 1u);
  EXPECT_EQ(RightClickFrame, 13);
  Frames(13);
  headless::Queue(EventKind::RightDown);  // a press and release in one pump leave nothing
  headless::Queue(EventKind::RightUp);
  Frames(1);
  EXPECT_EQ(RightClick, 0u);
}

TEST_F(FrameLoop, AKeyActsOncePerKeyDownAndTheTableIsClearedEveryFrame) {
  headless::Queue(EventKind::KeyDown, vk::F);
  headless::Queue(EventKind::KeyUp, vk::F);
  Frames(2);
  EXPECT_EQ(ColumnFactor, 0) << "pressed and released in one pump";
  headless::Queue(EventKind::KeyDown, vk::F);
  Frames(1);
  EXPECT_EQ(KeyTable[vk::F], 1u);
  Frames(1);
  EXPECT_EQ(ColumnFactor, 1);
  EXPECT_EQ(KeyTable[vk::F], 0u);
  Frames(3);  // held without repeats: no further effect
  EXPECT_EQ(ColumnFactor, 1);
  headless::Queue(EventKind::KeyDown, vk::F);  // an auto-repeat
  Frames(2);
  EXPECT_EQ(ColumnFactor, 2);
}

}  // namespace
