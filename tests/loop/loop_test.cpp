// The frame loop on the headless backend: start-up, iterations, input between frames, exit.
#include <string_view>
#include <utility>
#include <vector>

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

using Shown = std::vector<std::pair<int32_t, size_t>>;  // frame number and picture, at each change

// A scripted session through the list, grid, viewer, a launch and a relist; what it presents.
Shown PresentedSession(bool waiting, int32_t* iterations) {
  if (Canvas) ExitMenu();
  ResetMenuState();
  headless::Reset();
  headless::Backend().waitWhenIdle = waiting;
  StartMenu();
  const auto index = [](const char* name) { return MenuScenario::IndexOf(name); };
  const auto click = [](int32_t frame, int32_t x, int32_t y) {
    headless::QueueCursorAtFrame(frame, x, y);
    headless::QueueAtFrame(frame, EventKind::RightDown);
    headless::QueueAtFrame(frame + 1, EventKind::RightUp);
  };
  const auto row = [](int32_t entry) { return CanvasHeight - 31 - 8 * entry; };
  const auto key = [](int32_t frame, int32_t vkey) { headless::QueueAtFrame(frame, EventKind::KeyDown, vkey); };
  headless::QueueCursorAtFrame(5, 300, 200);
  click(20, 12, row(index("picture.bmp")));
  key(40, vk::T);
  click(60, 50, 400);  // the picture's thumbnail in the first cell: the viewer
  headless::QueueCursorAtFrame(90, 200, 300);
  headless::QueueCursorAtFrame(100, 260, 300);  // along one axis only
  click(120, 200, 300);  // back to the grid
  key(150, vk::T);
  click(170, 12, row(index("song.mp3")));
  click(200, 12, row(index("song.mp3")));  // launches; the player's window never appears
  key(560, vk::Period);
  key(600, vk::R);
  key(700, vk::Escape);
  Shown shown;
  int32_t presented = 0;
  for (*iterations = 0; !QuitRequested && FrameCounter < 2000; ++*iterations) {
    const int32_t frame = FrameCounter;
    RunIteration();
    const auto& backend = headless::Backend();
    if (backend.presentCount == presented) continue;
    presented = backend.presentCount;
    const size_t picture = std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(backend.lastFrame.data()), backend.lastFrame.size()));
    if (shown.empty() || shown.back().second != picture) shown.emplace_back(frame, picture);
  }
  EXPECT_EQ(headless::Backend().programsStarted.size(), 1u);
  return shown;
}

TEST_F(FrameLoop, WaitingInsteadOfRepeatedFramesPresentsTheSameFramesAtTheSameFrameNumbers) {
  int32_t everyFrame = 0, whenChanged = 0;
  const Shown computed = PresentedSession(false, &everyFrame);
  const Shown waited = PresentedSession(true, &whenChanged);
  EXPECT_GE(computed.size(), 8u) << "the session changes the picture often";
  EXPECT_EQ(waited, computed);
  EXPECT_LT(whenChanged, everyFrame / 2) << "idle frames were waited through, not iterated";
  EXPECT_GT(headless::Backend().idleWaits, 0);
}

}  // namespace
