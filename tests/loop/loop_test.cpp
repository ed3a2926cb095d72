// The frame loop on the headless backend: start-up, iterations, input between frames, exit; the
// input rules of the core: key flags and the right-click debounce; the clock. (The cursor mapping:
// the session, whose clicks and pans go through it.)
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/menu_scenario.h"
#include "shell/status_line.h"
#include "shell/virtual_keys.h"

using headless::EventKind;

namespace {

// The real menu started in a folder holding song.mp3, My Song.mp3, Films and picture.bmp.
using FrameLoop = MenuScenario;

TEST_F(FrameLoop, StartUpThenOneFramePerIterationUntilEsc) {
  const auto& backend = headless::Backend();
  // ".", "..", and the four entries.
  EXPECT_EQ(std::tuple(std::string(StartDir), std::string(FolderPath), EntryTable.count, backend.hooksInstalled,
                       backend.hideCursorCount, FirstThumb, backend.windowBits),
            std::tuple(media_.text(), media_.text(), 6, true, 1, 1, 16));
  headless::QueueAtFrame(4, EventKind::KeyDown, vk::Escape);
  int iterations = 0;
  for (; !QuitRequested && iterations < 100; ++iterations) RunIteration();
  // Delivered in the pump of frame 4 (the fifth iteration), acted on in the sixth.
  EXPECT_EQ(std::tuple(iterations, FrameCounter, backend.presentCount, QuitRequested), std::tuple(6, 6, 6, 1u));
  headless::Backend().sleeps.clear();
  ExitMenu();
  EXPECT_EQ(std::tuple(Canvas, PickMap, backend.sleeps), std::tuple(nullptr, nullptr, Sleeps(10, 100)));
  // A start folder whose path does not fit 260 bytes is read as none.
  const std::string part(100, 'd');
  for (int level = 0; level < 3; ++level) fs::create_directory(part), fs::current_path(part);
  ResetMenuState(), headless::Reset(), StartMenu();
  EXPECT_EQ(std::string(StartDir) + "|" + FolderPath, "|");
}

using Shown = std::vector<std::pair<int32_t, size_t>>;  // frame number and picture, at each change

// A scripted session through the list, grid, viewer, a launch and a relist; what it presents.
Shown PresentedSession(bool waiting, int32_t* iterations) {
  if (Canvas) ExitMenu();
  ResetMenuState();
  headless::Reset();
  headless::Backend().waitWhenIdle = waiting;
  StartMenu();
  const auto click = [](int32_t frame, int32_t x, int32_t y) {
    headless::QueueCursorAtFrame(frame, x, y);
    headless::QueueAtFrame(frame, EventKind::RightDown);
    headless::QueueAtFrame(frame + 1, EventKind::RightUp);
  };
  const auto row = [](int32_t entry) { return CanvasHeight - 31 - 8 * entry; };
  const auto key = [](int32_t frame, int32_t vkey) { headless::QueueAtFrame(frame, EventKind::KeyDown, vkey); };
  headless::QueueCursorAtFrame(5, 300, 200);
  click(20, 12, row(MenuScenario::IndexOf("picture.bmp")));
  key(40, vk::T);
  click(60, 50, 400);  // the picture's thumbnail in the first cell: the viewer
  headless::QueueCursorAtFrame(90, 200, 300);
  headless::QueueCursorAtFrame(100, 260, 300);  // along one axis only
  click(120, 200, 300);  // back to the grid
  key(150, vk::T);
  click(170, 12, row(MenuScenario::IndexOf("song.mp3")));
  click(200, 12, row(MenuScenario::IndexOf("song.mp3")));  // launches; the player's window never appears
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

// Waiting stops for a new clock second even with the cursor still, and for an event within its frame.
TEST_F(FrameLoop, ANewClockSecondIsDrawnNotWaitedThrough) {
  auto& backend = headless::Backend();
  backend.waitWhenIdle = true;
  Frames(3);
  const int32_t waits = backend.idleWaits, presents = backend.presentCount;
  backend.localTime = "00:00:01";
  RunIteration();
  EXPECT_EQ(std::pair(backend.idleWaits, backend.presentCount), std::pair(waits, presents + 1));
  const int32_t frame = FrameCounter;
  RunIteration();  // nothing queued: a second of frames passes in one wait
  EXPECT_EQ(std::tuple(backend.idleWaits, backend.presentCount, FrameCounter - frame),
            std::tuple(waits + 1, presents + 1, 60));
  for (const int32_t due : {0, 5}) {  // an event ends the wait within its frame, even one due now
    RunIteration();                   // drawn after the last event: the next frame may be waited for
    const int32_t before = FrameCounter;
    headless::QueueAtFrame(before + due, EventKind::RightUp);
    RunIteration();
    EXPECT_EQ(FrameCounter - before, due + 1) << due;
  }
}

class InputRules : public ::testing::Test {
 protected:
  void SetUp() override { ResetMenuState(), ClearInputState(), headless::Reset(); }
};

// Keys outside the table are ignored; a right press is accepted from frame 13, then only more than
// 12 frames after the last accepted one; a release or a close request always acts.
TEST_F(InputRules, KeysStayWithinTheTableAndRightPressesAreDebounced) {
  for (int32_t key : {-1, 0, 0x54, 0xA1, 255, 256, 0x10000}) OnKeyDown(key);
  for (int32_t key : {0x54, -1}) OnKeyUp(key);
  for (int32_t slot = 0; slot < 256; ++slot) EXPECT_EQ(KeyTable[slot], slot == 0 || slot == 0xA1 || slot == 255) << slot;
  const std::tuple<int32_t, uint32_t, int32_t> presses[] = {{12, 0, 0},  {13, 1, 13}, {25, 0, 13},
                                                            {26, 1, 26}, {38, 0, 26}, {39, 1, 39}};
  for (const auto& [frame, accepted, lastAccepted] : presses) {
    FrameCounter = frame, RightClick = 0;  // the loop clears RightClick after every frame
    OnRightButtonDown();
    EXPECT_EQ(std::pair(RightClick, RightClickFrame), std::pair(accepted, lastAccepted)) << frame;
  }
  OnRightButtonUp();
  OnCloseRequest();
  EXPECT_EQ(std::pair(RightClick, QuitRequested), std::pair(0u, 1u));
}

TEST(TwelveHourClock, ConvertsAndToleratesBadText) {
  // Missing fields count as 0; out-of-range hours lose 12 once.
  const std::pair<const char*, const char*> cases[] = {
      {"00:05:09", "12:05:09"}, {"12:30:00", "12:30:00"}, {"13:00:00", "01:00:00"},
      {"11:00:01", "11:00:01"}, {"14-07,3", "02:07:03"},  {" 9\t8\n7 ", "09:08:07"},
      {"ab:cd", "12:00:00"},    {"25:61:99", "13:61:99"}, {"1:2:3:4:5", "01:02:03"},
      {"000000000019:00:00", "01:00:00"}};  // a field keeps 11 characters
  char out[kClockTextSize];
  for (const auto& [time24, expected] : cases) {
    FormatTwelveHourClock(time24, out);
    EXPECT_STREQ(out, expected) << time24;
  }
  FormatTwelveHourClock(std::string(200, '7').c_str(), out);
  EXPECT_LT(std::strlen(out), kClockTextSize) << "a huge field must not overflow";
}

}  // namespace
