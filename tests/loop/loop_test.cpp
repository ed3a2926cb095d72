// The frame loop on the headless backend: start-up, iterations, input between frames, exit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "browser/entry_table.h"
#include "canvas/canvas.h"
#include "pictures/texture_loader.h"
#include "platform/headless/headless.h"
#include "shell/input.h"
#include "shell/main_loop.h"
#include "shell/menu_state.h"
#include "shell/virtual_keys.h"

namespace fs = std::filesystem;
using headless::EventKind;

namespace {

class FrameLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("vm_loop_" + std::to_string(getpid()));
    fs::create_directories(folder_);
    std::ofstream(folder_ / "song.mp3") << "x";
    fs::create_directories(folder_ / "Films");
    previous_ = fs::current_path();
    fs::current_path(folder_);
    ResetMenuState();
    headless::Reset();
    StartMenu();
  }
  void TearDown() override {
    if (Canvas) ExitMenu();
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }
  void RunFrames(int count) {
    for (int i = 0; i < count; ++i) RunIteration();
  }

  fs::path folder_, previous_;
};

TEST_F(FrameLoop, StartUpLeavesTheMenuInItsInitialState) {
  EXPECT_EQ(std::string(StartDir), folder_.string());
  EXPECT_EQ(std::string(FolderPath), folder_.string());
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
  EXPECT_EQ(EntryTable.count, 4);  // ".", "..", song.mp3, Films
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
