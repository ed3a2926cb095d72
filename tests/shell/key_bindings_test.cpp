// The keys of the key table, pressed in the running menu: their effect and the sleep after them.
#include <utility>

#include "menu_scenario.h"
#include "pictures/texture_loader.h"
#include "shell/virtual_keys.h"

namespace {

using KeyBindings = MenuScenario;

TEST_F(KeyBindings, SimpleKeysActAndSleep) {
  for (int32_t factor : {1, 2, 0}) {
    EXPECT_EQ(PressKey(vk::F), Sleeps{150});
    EXPECT_EQ(ColumnFactor, factor);
  }
  EXPECT_EQ(PressKey(vk::Minus), Sleeps{30});
  EXPECT_EQ(ClockShown, 0u);
  EXPECT_EQ(PressKey(vk::F7), Sleeps{450});
}

TEST_F(KeyBindings, BracketsZeroTheOffsetAndTurnToTheGridWhereNDoesNothing) {
  ViewOffset = {30, -40};
  EXPECT_EQ(PressKey(vk::BracketRight), Sleeps{150});
  EXPECT_EQ(View(), "grid redraw at 0,0 saved 0,0") << "the keys do not keep the list's offset";
  EXPECT_EQ(PressKey(vk::BracketLeft), Sleeps{150});
  EXPECT_EQ(FirstThumb, 1);
  headless::PointAtCanvas(200, 300);
  PressKey(vk::N);
  EXPECT_EQ(ViewOffset.x, 0) << "N places the list only";
}

TEST_F(KeyBindings, TTogglesListAndGridKeepingTheListOffset) {
  ViewOffset = {25, -60};
  SelectedEntry = 3;
  EXPECT_EQ(PressKey(vk::T), Sleeps{180});
  EXPECT_EQ(View(), "grid redraw at 0,0 saved 25,-60");
  EXPECT_EQ(FirstThumb, 3);
  Frames(1);  // the grid draws, which selects its first cell
  const int32_t firstCell = SelectedEntry;
  EXPECT_EQ(PressKey(vk::T), Sleeps{180});
  EXPECT_EQ(View(), "list at 25,-60 saved 25,-60");
  EXPECT_EQ(FirstThumb, firstCell);
  ViewMode = ViewModeKind::Viewer;  // where T only moves the first thumbnail
  SelectedEntry = 4;
  EXPECT_EQ(PressKey(vk::T), Sleeps{});
  EXPECT_EQ(ViewMode, ViewModeKind::Viewer);
  EXPECT_EQ(FirstThumb, 4);
}

TEST_F(KeyBindings, ScrollKeysStayWithinTheirBounds) {
  for (int i = 0; i < 60; ++i) media_.AddFile(std::string("f").append(std::to_string(i)));
  PressKey(vk::R);
  ASSERT_EQ(EntryTable.count, 66);
  // Comma and period sleep even when not moving; shift keys stop at the first and last entry.
  const std::pair<int32_t, int32_t> steps[] = {{vk::Comma, 0},       {vk::Period, 1},
                                               {vk::RightShift, 25}, {vk::RightShift, 49},
                                               {vk::RightShift, 65}, {vk::LeftShift, 41},
                                               {vk::LeftShift, 17},  {vk::LeftShift, 0}};
  for (const auto& [key, scroll] : steps) {
    EXPECT_EQ(PressKey(key), Sleeps{30}) << key;
    EXPECT_EQ(ListScroll, scroll) << key;
  }
  ListScroll = 2999;  // the table's last row
  PressKey(vk::Period);
  EXPECT_EQ(ListScroll, 2999);
}

TEST_F(KeyBindings, DigitsSetViewerStepPanFactorAndBarTheHighestWinning) {
  const float steps[] = {1.0f, 2.0f, 3.0f, 4.0f, 0.5f, 0.25f};
  for (int32_t digit = 1; digit <= 6; ++digit) {
    EXPECT_EQ(PressKey(vk::Digit0 + digit), Sleeps{});
    EXPECT_EQ(PictureLoader.ViewerStep, steps[digit - 1]);
  }
  for (const auto& [digit, pan] : {std::pair{9, 9}, std::pair{8, 4}, std::pair{7, 0}}) {
    PressKey(vk::Digit0 + digit);
    EXPECT_EQ(PictureLoader.PanFactor, pan);
  }
  PressKeys({vk::Digit0 + 6, vk::Digit0 + 2, vk::Digit0 + 9, vk::Digit0 + 8});
  EXPECT_EQ(PictureLoader.ViewerStep, 0.25f);
  EXPECT_EQ(PictureLoader.PanFactor, 9);
  // 0 hides the MenuBar and its labels, and shows them again.
  EXPECT_EQ(PressKey(vk::Digit0), Sleeps{450});
  Frames(1);
  for (int32_t x = 0; x < CanvasWidth; ++x) ASSERT_EQ(PickIdAt(x, CanvasHeight - 16), 0u) << x;
  EXPECT_EQ(PressKey(vk::Digit0), Sleeps{450});
  EXPECT_EQ(PictureLoader.MenuBarShown, 1u);
}

}  // namespace
