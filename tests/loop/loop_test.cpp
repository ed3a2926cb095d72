// The frame loop on the headless backend: start-up, iterations, input between frames, exit.
#include <gtest/gtest.h>

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

// The real menu started in a temporary folder holding song.mp3, My Song.mp3, Films and
// picture.bmp.
class FrameLoop : public MenuScenario {
 protected:
  static void RunFrames(int count) { Frames(count); }
};

TEST_F(FrameLoop, StartUpLeavesTheMenuInItsInitialState) {
  EXPECT_EQ(std::string(StartDir), media_.path().string());
  EXPECT_EQ(std::string(FolderPath), media_.path().string());
  EXPECT_EQ(CanvasWidth, 960);
  EXPECT_EQ(CanvasHeight, 540);
  EXPECT_EQ(PixelScale, 2);
  EXPECT_EQ(headless::Backend().windowWidth, 1920);
  EXPECT_EQ(headless::Backend().windowHeight, 1080);
  EXPECT_EQ(headless::Backend().hideCursorCount, 1);
  EXPECT_TRUE(headless::Backend().hooksInstalled);
  EXPECT_EQ(PictureLoader.ViewerStep, 4.0f);
  EXPECT_EQ(PictureLoader.MenuBarShown, 1u);
  EXPECT_EQ(ViewMode, ViewModeKind::List);
  EXPECT_EQ(EntryTable.count, 6);  // ".", "..", and the four entries
  EXPECT_EQ(ScreenSize.x, 1920);
  EXPECT_EQ(ScreenSize.y, 1080);
}

TEST_F(FrameLoop, EachIterationPresentsOneFrameAndCountsIt) {
  RunFrames(3);
  EXPECT_EQ(FrameCounter, 3);
  EXPECT_EQ(headless::Backend().presentCount, 3);
  EXPECT_EQ(headless::Backend().lastFrameWidth, 960);
}

TEST_F(FrameLoop, EscEndsTheLoopAtTheNextIterationAndExitReleasesTheCanvas) {
  headless::QueueAtFrame(4, EventKind::KeyDown, vk::Escape);
  int iterations = 0;
  while (!QuitRequested && iterations < 100) {
    RunIteration();
    ++iterations;
  }
  // Delivered in the pump of frame 4 (the fifth iteration), acted on in the sixth.
  EXPECT_EQ(iterations, 6);
  const auto sleepsBefore = headless::Backend().sleeps.size();
  const auto clockBefore = headless::Backend().virtualMilliseconds;
  ExitMenu();
  EXPECT_EQ(Canvas, nullptr);
  EXPECT_EQ(Backdrop, nullptr);
  EXPECT_EQ(PickMap, nullptr);
  EXPECT_EQ(headless::Backend().sleeps.size() - sleepsBefore, 10u);
  EXPECT_EQ(headless::Backend().virtualMilliseconds - clockBefore, 1000);
}

TEST_F(FrameLoop, ACloseRequestEndsTheLoopLikeEsc) {
  headless::Queue(EventKind::Close);
  RunIteration();
  EXPECT_EQ(QuitRequested, 1u);
  EXPECT_TRUE(headless::Backend().windowOpen) << "a close request does not destroy the window";
}

TEST_F(FrameLoop, RightPressesAreDebouncedAcrossFrames) {
  headless::QueueAtFrame(5, EventKind::RightDown);
  RunFrames(6);  // delivered during frame 5's pump: too early
  EXPECT_EQ(RightClick, 0u);
  headless::QueueAtFrame(13, EventKind::RightDown);
  RunFrames(8);  // frames 6..13
  EXPECT_EQ(RightClick, 1u);
  EXPECT_EQ(RightClickFrame, 13);
  headless::QueueAtFrame(18, EventKind::RightUp);
  headless::QueueAtFrame(18, EventKind::RightDown);
  RunFrames(5);  // frames 14..18: the press 5 frames after the accepted one is ignored
  EXPECT_EQ(RightClick, 0u);
  EXPECT_EQ(RightClickFrame, 13);
}

TEST_F(FrameLoop, APressAndReleaseInOnePumpLeaveNothing) {
  RunFrames(13);
  headless::Queue(EventKind::RightDown);
  headless::Queue(EventKind::RightUp);
  headless::Queue(EventKind::KeyDown, vk::F);
  headless::Queue(EventKind::KeyUp, vk::F);
  RunFrames(1);
  EXPECT_EQ(RightClick, 0u);
  EXPECT_EQ(KeyTable[vk::F], 0u);
  RunFrames(1);
  EXPECT_EQ(ColumnFactor, 0);
}

TEST_F(FrameLoop, AKeyActsOncePerKeyDownAndTheTableIsClearedEveryFrame) {
  headless::Queue(EventKind::KeyDown, vk::F);
  RunFrames(1);
  EXPECT_EQ(KeyTable[vk::F], 1u);
  RunFrames(1);
  EXPECT_EQ(ColumnFactor, 1);
  EXPECT_EQ(KeyTable[vk::F], 0u);
  RunFrames(3);  // held without repeats: no further effect
  EXPECT_EQ(ColumnFactor, 1);
  headless::Queue(EventKind::KeyDown, vk::F);  // an auto-repeat
  RunFrames(2);
  EXPECT_EQ(ColumnFactor, 2);
}

}  // namespace
