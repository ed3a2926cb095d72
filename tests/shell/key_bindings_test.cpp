// Every key of the key table, pressed in the running menu: its effect and the sleep after it.
#include <gtest/gtest.h>

#include "menu_scenario.h"
#include "pictures/texture_loader.h"
#include "shell/virtual_keys.h"

namespace {

using KeyBindings = MenuScenario;

TEST_F(KeyBindings, BracketsZeroTheOffsetAndTurnToTheGrid) {
  ViewOffset = {30, -40};
  EXPECT_EQ(PressKey(vk::BracketRight), Sleeps{150});
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  EXPECT_EQ(ViewOffset.x, 0);
  EXPECT_EQ(ViewOffset.y, 0);
  EXPECT_EQ(SavedViewOffset.y, 0) << "the keys do not keep the list's offset";
  EXPECT_EQ(GridRedraw, 1u);
  EXPECT_EQ(PressKey(vk::BracketLeft), Sleeps{150});
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  EXPECT_EQ(FirstThumb, 1);
}

TEST_F(KeyBindings, PLaunchesOnlyASelectedFileInTheList) {
  SelectedEntry = IndexOf("Films");
  EXPECT_EQ(PressKey(vk::P), Sleeps{});
  SelectedEntry = 0;
  EXPECT_EQ(PressKey(vk::P), Sleeps{});
  EXPECT_TRUE(headless::Backend().programsStarted.empty());
  SelectedEntry = IndexOf("My Song.mp3");
  EXPECT_EQ(PressKey(vk::P), Sleeps{340});
  ASSERT_EQ(headless::Backend().programsStarted.size(), 1u);
  EXPECT_NE(headless::Backend().programsStarted[0].parameters.find("My*Song.mp3"), std::string::npos);
  ViewMode = ViewModeKind::Grid;
  SelectedEntry = IndexOf("song.mp3");
  FirstThumb = SelectedEntry;
  EXPECT_EQ(PressKey(vk::P), Sleeps{});
  EXPECT_EQ(headless::Backend().programsStarted.size(), 1u);
}

TEST_F(KeyBindings, DMinimisesTheWindow) {
  EXPECT_EQ(PressKey(vk::D), Sleeps{});
  EXPECT_EQ(headless::Backend().minimiseCount, 1);
}

TEST_F(KeyBindings, FCyclesTheColumnFactor) {
  for (int32_t expected : {1, 2, 0}) {
    EXPECT_EQ(PressKey(vk::F), Sleeps{150});
    EXPECT_EQ(ColumnFactor, expected);
  }
}

TEST_F(KeyBindings, TTogglesListAndGridKeepingTheListOffset) {
  ViewOffset = {25, -60};
  SelectedEntry = 3;
  EXPECT_EQ(PressKey(vk::T), Sleeps{180});
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  EXPECT_EQ(GridRedraw, 1u);
  EXPECT_EQ(ViewOffset.y, 0);
  EXPECT_EQ(SavedViewOffset.x, 25);
  EXPECT_EQ(FirstThumb, 3);
  Frames(1);  // the grid draws, which selects its first cell
  const int32_t firstCell = SelectedEntry;
  EXPECT_EQ(PressKey(vk::T), Sleeps{180});
  EXPECT_EQ(ViewMode, ViewModeKind::List);
  EXPECT_EQ(GridRedraw, 0u);
  EXPECT_EQ(ViewOffset.x, 25);
  EXPECT_EQ(ViewOffset.y, -60);
  EXPECT_EQ(FirstThumb, firstCell);
}

TEST_F(KeyBindings, TInTheViewerOnlyMovesTheFirstThumbnail) {
  ViewMode = ViewModeKind::Viewer;
  SelectedEntry = 4;
  FirstThumb = 1;
  EXPECT_EQ(PressKey(vk::T), Sleeps{});
  EXPECT_EQ(ViewMode, ViewModeKind::Viewer);
  EXPECT_EQ(FirstThumb, 4);
}

TEST_F(KeyBindings, SInTheGridStartsThePageAtTheThumbnailUnderTheCursor) {
  PressKey(vk::T);
  Frames(1);
  int32_t x = -1, y = -1;
  for (int32_t i = 0; i < CanvasWidth * CanvasHeight && x < 0; ++i) {
    if (PickMap[i] > 4001 && PickMap[i] < 7000) {
      x = i % CanvasWidth;
      y = i / CanvasWidth;
    }
  }
  ASSERT_GE(x, 0) << "the grid shows a thumbnail after the first";
  const int32_t entry = static_cast<int32_t>(PickMap[y * CanvasWidth + x] - 4000);
  headless::PointAtCanvas(x, y);
  EXPECT_EQ(PressKey(vk::S), Sleeps{});
  EXPECT_EQ(FirstThumb, entry);
}

TEST_F(KeyBindings, MMovesOnlyThe1280WideWindowToTheCursor) {
  headless::Backend().cursorX = 300;
  headless::Backend().cursorY = 100;
  PressKey(vk::M);
  EXPECT_EQ(WindowPos.y, 0) << "the half-screen Canvas is not 1280 wide";
  PressKey(vk::F6);
  headless::Backend().cursorX = 300;
  headless::Backend().cursorY = 100;
  EXPECT_EQ(PressKey(vk::M), Sleeps{});
  EXPECT_EQ(WindowPos.x, 300);
  EXPECT_EQ(WindowPos.y, 100);
  EXPECT_EQ(headless::Backend().windowLeft, 300);
  EXPECT_EQ(headless::Backend().windowTop, 100);
}

TEST_F(KeyBindings, EscRequestsTheEnd) {
  EXPECT_EQ(PressKey(vk::Escape), Sleeps{});
  EXPECT_EQ(QuitRequested, 1u);
}

TEST_F(KeyBindings, RReadsTheFolderAgain) {
  const int32_t before = EntryTable.count;
  media_.AddFile("new.mp3");
  EXPECT_EQ(PressKey(vk::R), Sleeps{});
  EXPECT_EQ(EntryTable.count, before + 1);
}

TEST_F(KeyBindings, NPutsTheListCornerAtTheCursorInTheListOnly) {
  headless::PointAtCanvas(200, 300);
  EXPECT_EQ(PressKey(vk::N), Sleeps{});
  EXPECT_EQ(ViewOffset.x, 200);
  EXPECT_EQ(ViewOffset.y, 300 - CanvasHeight);
  ViewMode = ViewModeKind::Grid;
  ViewOffset = {};
  PressKey(vk::N);
  EXPECT_EQ(ViewOffset.x, 0);
}

TEST_F(KeyBindings, FunctionKeysChangeTheDisplayMode) {
  EXPECT_EQ(PressKey(vk::F6), Sleeps{});
  EXPECT_EQ(DisplayMode, 0);
  EXPECT_EQ(CanvasWidth, 1280);
  EXPECT_EQ(PressKey(vk::F8), Sleeps{});
  EXPECT_EQ(DisplayMode, 2);
  EXPECT_EQ(CanvasWidth, 1920);
  EXPECT_EQ(PressKey(vk::F5), Sleeps{});
  EXPECT_EQ(DisplayMode, 1);
  EXPECT_EQ(CanvasWidth, 960);
  EXPECT_EQ(PictureLoader.ViewerStep, 3.0f);
}

TEST_F(KeyBindings, F7OpensTheFileManagerOnTheFolder) {
  EXPECT_EQ(PressKey(vk::F7), Sleeps{450});
  ASSERT_EQ(headless::Backend().programsStarted.size(), 1u);
  EXPECT_EQ(headless::Backend().programsStarted[0].program, "xdg-open");
  EXPECT_EQ(headless::Backend().programsStarted[0].parameters, std::string(FolderPath));
}

TEST_F(KeyBindings, CommaAndPeriodScrollByOneWithinTheTable) {
  EXPECT_EQ(PressKey(vk::Comma), Sleeps{30}) << "sleeps also when not moved";
  EXPECT_EQ(ListScroll, 0);
  EXPECT_EQ(PressKey(vk::Period), Sleeps{30});
  EXPECT_EQ(ListScroll, 1);
  EXPECT_EQ(PressKey(vk::Comma), Sleeps{30});
  EXPECT_EQ(ListScroll, 0);
  ListScroll = 2999;
  EXPECT_EQ(PressKey(vk::Period), Sleeps{30});
  EXPECT_EQ(ListScroll, 2999);
}

TEST_F(KeyBindings, ShiftKeysScrollByTwentyFour) {
  for (int i = 0; i < 60; ++i) media_.AddFile("f" + std::to_string(i));
  PressKey(vk::R);
  ASSERT_EQ(EntryTable.count, 66);
  EXPECT_EQ(PressKey(vk::RightShift), Sleeps{30});
  EXPECT_EQ(ListScroll, 24);
  PressKey(vk::RightShift);
  PressKey(vk::RightShift);
  EXPECT_EQ(ListScroll, 65) << "capped at count - 1";
  EXPECT_EQ(PressKey(vk::LeftShift), Sleeps{30});
  EXPECT_EQ(ListScroll, 41);
  PressKey(vk::LeftShift);
  PressKey(vk::LeftShift);
  EXPECT_EQ(ListScroll, 0);
}

TEST_F(KeyBindings, MinusTogglesTheClock) {
  EXPECT_EQ(PressKey(vk::Minus), Sleeps{30});
  EXPECT_EQ(ClockShown, 0u);
  EXPECT_EQ(PressKey(vk::Minus), Sleeps{30});
  EXPECT_EQ(ClockShown, 1u);
}

TEST_F(KeyBindings, DigitsSetViewerStepAndPanFactorTheHighestWinning) {
  const float steps[] = {1.0f, 2.0f, 3.0f, 4.0f, 0.5f, 0.25f};
  for (int32_t digit = 1; digit <= 6; ++digit) {
    EXPECT_EQ(PressKey(vk::Digit0 + digit), Sleeps{});
    EXPECT_EQ(PictureLoader.ViewerStep, steps[digit - 1]);
  }
  const int32_t pans[] = {0, 4, 9};
  for (int32_t digit = 9; digit >= 7; --digit) {
    PressKey(vk::Digit0 + digit);
    EXPECT_EQ(PictureLoader.PanFactor, pans[digit - 7]);
  }
  PressKeys({vk::Digit0 + 6, vk::Digit0 + 2, vk::Digit0 + 9, vk::Digit0 + 8});
  EXPECT_EQ(PictureLoader.ViewerStep, 0.25f);
  EXPECT_EQ(PictureLoader.PanFactor, 9);
}

TEST_F(KeyBindings, ZeroTogglesTheMenuBarAndItsOverlay) {
  EXPECT_EQ(PressKey(vk::Digit0), Sleeps{450});
  EXPECT_EQ(PictureLoader.MenuBarShown, 0u);
  Frames(1);
  for (int32_t x = 0; x < CanvasWidth; ++x)
    EXPECT_EQ(PickMap[(CanvasHeight - 16) * CanvasWidth + x], 0u) << "no label at x " << x;
  EXPECT_EQ(PressKey(vk::Digit0), Sleeps{450});
  EXPECT_EQ(PictureLoader.MenuBarShown, 1u);
}

TEST_F(KeyBindings, AKeyPressedAndReleasedInOnePumpDoesNothing) {
  headless::Queue(headless::EventKind::KeyDown, vk::F);
  headless::Queue(headless::EventKind::KeyUp, vk::F);
  RunIteration();
  EXPECT_EQ(SleepsOfOneFrame(), Sleeps{});
  EXPECT_EQ(ColumnFactor, 0);
}

}  // namespace
