// The frame loop on the headless backend: start-up, iterations, input between frames, exit.
#include "shell/menu_scenario.h"
#include "shell/virtual_keys.h"

using headless::EventKind;

namespace {

// The real menu started in a folder holding song.mp3, My Song.mp3, Films and picture.bmp.
using FrameLoop = MenuScenario;

TEST_F(FrameLoop, StartUpThenOneFramePerIterationUntilEsc) {
  const auto& backend = headless::Backend();
  EXPECT_EQ(std::string(StartDir), media_.text());
  EXPECT_EQ(std::string(FolderPath), media_.text());
  EXPECT_EQ(EntryTable.count, 6);  // ".", "..", and the four entries
  EXPECT_TRUE(backend.hooksInstalled);

  headless::QueueAtFrame(4, EventKind::KeyDown, vk::Escape);
  int iterations = 0;
  for (; !QuitRequested && iterations < 100; ++iterations) RunIteration();
  // Delivered in the pump of frame 4 (the fifth iteration), acted on in the sixth.
  EXPECT_EQ(iterations, 6);
  EXPECT_EQ(FrameCounter, 6);
  EXPECT_EQ(backend.presentCount, 6);
  const auto sleepsBefore = backend.sleeps.size();
  const auto clockBefore = backend.virtualMilliseconds;
  ExitMenu();
  EXPECT_EQ(Canvas, nullptr);
  EXPECT_EQ(PickMap, nullptr);
  EXPECT_EQ(backend.sleeps.size() - sleepsBefore, 10u);
  EXPECT_EQ(backend.virtualMilliseconds - clockBefore, 1000);
}

TEST_F(FrameLoop, AKeyActsOncePerKeyDownAndTheTableIsClearedEveryFrame) {
  headless::Queue(EventKind::KeyDown, vk::F);
  Frames(2);
  EXPECT_EQ(ColumnFactor, 1);
  EXPECT_EQ(KeyTable[vk::F], 0u);
  Frames(3);  // held without repeats: no further effect
  EXPECT_EQ(ColumnFactor, 1);
  headless::Queue(EventKind::KeyDown, vk::F);  // an auto-repeat
  Frames(2);
  EXPECT_EQ(ColumnFactor, 2);
}

}  // namespace
