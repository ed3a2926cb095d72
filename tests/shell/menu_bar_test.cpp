// The MenuBar in the running menu: what a click on each label, on empty space and in the bar strip
// does, with the sleeps after it. Where the labels are drawn is checked with the whole overlay.
#include <tuple>
#include <utility>

#include "menu_scenario.h"
#include "shell/menu_bar.h"
#include "shell/virtual_keys.h"

namespace {

class MenuBar : public MenuScenario {
 protected:
  static void ShowGrid() {
    PressKey(vk::BracketRight);  // the grid at offset 0, 0
    Frames(1);
    ASSERT_EQ(ViewMode, ViewModeKind::Grid);
  }
};

TEST_F(MenuBar, ThumbnailsSwitchesToTheGridAndBackWithoutSleeping) {
  ViewOffset = {30, -60};
  SelectedEntry = 2;
  media_.AddFile("new.mp3");
  EXPECT_EQ(ClickLabel(268), Sleeps{});
  EXPECT_EQ(View(), "grid redraw at 0,0 saved 30,-60");
  EXPECT_EQ(EntryTable.count, 7) << "the label reads the folder again";
  EXPECT_EQ(FirstThumb, 2);
  EXPECT_EQ(ClickLabel(268), Sleeps{});
  EXPECT_EQ(View(), "list at 30,-60 saved 30,-60");
}

TEST_F(MenuBar, BracketLabelsInTheListKeepItsOffsetAndSleepLonger) {
  for (int32_t x : {320, 360}) {
    ViewMode = ViewModeKind::List;
    ViewOffset = {30, -60};
    SavedViewOffset = {};
    EXPECT_EQ(ClickLabel(x), (Sleeps{180, 150, 480})) << x;
    EXPECT_EQ(View(), "grid redraw at 0,0 saved 30,-60") << x;
  }
  EXPECT_EQ(ClickLabel(360), (Sleeps{150, 480})) << "in the grid there is no offset to keep";
  EXPECT_EQ(View(), "grid redraw at 0,0 saved 30,-60");
}

TEST_F(MenuBar, CenterCenterMovesTheListAndEmptySpacePutsItBack) {
  ViewOffset = {7, -9};
  SavedViewOffset = {1, 1};
  EXPECT_EQ(ClickAt(900, CanvasHeight - 30), Sleeps{}) << "the bar strip on nothing does nothing";
  EXPECT_EQ(View(), "list at 7,-9 saved 1,1");
  EXPECT_EQ(ClickLabel(402), Sleeps{});
  EXPECT_EQ(View(), "list at 320,-180 saved 7,-9");
  media_.AddFile("new.mp3");
  EXPECT_EQ(ClickAt(900, CanvasHeight - 31), Sleeps{}) << "one row above the strip is empty space";
  EXPECT_EQ(View(), "list at 7,-9 saved 7,-9");
  EXPECT_EQ(EntryTable.count, 7) << "empty space reads the folder again";
}

TEST_F(MenuBar, GridLabelsSetTheThumbSizeAndTheDisplayMode) {
  ShowGrid();
  for (const auto& [x, side] : {std::pair{410, 60}, std::pair{440, 100}, std::pair{475, 160},
                                std::pair{510, 200}, std::pair{545, 300}, std::pair{580, 400}}) {
    GridRedraw = 0;
    EXPECT_EQ(ClickLabel(x), Sleeps{});
    EXPECT_EQ(std::tuple(ThumbSize.x, ThumbSize.y, GridRedraw), std::tuple(side, side, 1u)) << x;
  }
  GridRedraw = 0;
  EXPECT_EQ(ClickLabel(637), Sleeps{});
  EXPECT_EQ(DisplayMode, 0);
  EXPECT_EQ(GridRedraw, 1u) << "a mode change redraws the grid";
}

TEST_F(MenuBar, ListCommandLabelsActLikeTheirKeys) {
  EXPECT_EQ(ClickLabel(251), Sleeps{150});
  EXPECT_EQ(ClickLabel(494), Sleeps{450});
  EXPECT_EQ(headless::Backend().programsStarted.size(), 1u) << "the file manager";
  EXPECT_EQ(ColumnFactor, 1);
  for (const auto& [x, mode] : {std::pair{479, 0}, std::pair{509, 2}, std::pair{464, 1}}) {
    EXPECT_EQ(ClickLabel(x), Sleeps{});
    EXPECT_EQ(DisplayMode, mode);
  }
  EXPECT_EQ(ClickLabel(228), Sleeps{});
  EXPECT_EQ(QuitRequested, 1u);
}

TEST_F(MenuBar, UnknownIdsAreIgnored) {
  for (uint32_t id : {1199999u, 1200016u, 4000u, 0xFFFFFFFFu}) DispatchCommand(id, 0);
  EXPECT_EQ(View(), "list at 0,0 saved 0,0");
  EXPECT_EQ(QuitRequested, 0u);
}

}  // namespace
