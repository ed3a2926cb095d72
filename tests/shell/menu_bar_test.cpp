// The MenuBar in the running menu: where each label claims its id, and what a click on each
// label, on empty space and in the bar strip does, with the sleeps after it.
#include <utility>

#include "menu_scenario.h"
#include "shell/menu_bar.h"
#include "shell/virtual_keys.h"

namespace {

struct LabelPlace {
  uint32_t id;
  int32_t x;
};

const std::vector<LabelPlace> kListLabels = {
    {1200015, 228}, {1200014, 251}, {1200000, 268}, {1200001, 320}, {1200002, 360},
    {1200003, 402}, {1200010, 464}, {1200011, 479}, {1200012, 494}, {1200013, 509}};
const std::vector<LabelPlace> kGridLabels = {
    {1200015, 228}, {1200014, 251}, {1200000, 268}, {1200001, 320}, {1200002, 360},
    {1200004, 410}, {1200005, 440}, {1200006, 475}, {1200007, 510}, {1200008, 545},
    {1200009, 580}, {1200010, 622}, {1200011, 637}, {1200012, 653}, {1200013, 670}};

class MenuBar : public MenuScenario {
 protected:
  static uint32_t IdOnBar(int32_t x) { return PickIdAt(ViewOffset.x + x, BarY() - 5); }
  // Each label's band starts exactly at its x, and nothing else, the title included, claims the bar.
  static void ExpectLabelsAt(const std::vector<LabelPlace>& labels) {
    Frames(1);
    std::vector<uint32_t> expected, seen;
    for (const auto& label : labels) {
      EXPECT_EQ(IdOnBar(label.x), label.id) << label.x;
      EXPECT_NE(IdOnBar(label.x - 1), label.id) << label.x;
      expected.push_back(label.id);
    }
    for (int32_t x = 0; x < CanvasWidth; ++x) {
      const uint32_t id = PickIdAt(x, BarY() - 5);
      if (id != 0 && (seen.empty() || seen.back() != id)) seen.push_back(id);
    }
    EXPECT_EQ(seen, expected);
  }
  static void ShowGrid() {
    PressKey(vk::BracketRight);  // the grid at offset 0, 0
    Frames(1);
    ASSERT_EQ(ViewMode, ViewModeKind::Grid);
  }
};

TEST_F(MenuBar, LabelsClaimTheirIdsInEachView) {
  ExpectLabelsAt(kListLabels);
  ViewOffset = {100, -50};
  ExpectLabelsAt(kListLabels);
  ShowGrid();
  ExpectLabelsAt(kGridLabels);
  ClearCanvas();
  ViewMode = ViewModeKind::Viewer;
  DrawMenuBar();
  for (int32_t i = 0; i < CanvasWidth * CanvasHeight; ++i) ASSERT_EQ(PickMap[i], 0u) << i;
}

TEST_F(MenuBar, ThumbnailsSwitchesToTheGridAndBackWithoutSleeping) {
  ViewOffset = {30, -60};
  SelectedEntry = 2;
  media_.AddFile("new.mp3");
  const int32_t before = EntryTable.count;
  EXPECT_EQ(ClickLabel(268), Sleeps{});
  EXPECT_EQ(View(), "grid redraw at 0,0 saved 30,-60");
  EXPECT_EQ(EntryTable.count, before + 1) << "the label reads the folder again";
  EXPECT_EQ(FirstThumb, 2);
  Frames(1);
  const int32_t selected = SelectedEntry;
  EXPECT_EQ(ClickLabel(268), Sleeps{});
  EXPECT_EQ(View(), "list at 30,-60 saved 30,-60");
  EXPECT_EQ(FirstThumb, selected);
}

TEST_F(MenuBar, BracketLabelsInTheListKeepItsOffsetAndSleepLonger) {
  for (int32_t x : {320, 360}) {
    ViewMode = ViewModeKind::List;
    ViewOffset = {30, -60};
    SavedViewOffset = {};
    GridRedraw = 0;
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
  ShowGrid();
  ClickAt(CanvasWidth - 1, 0);
  EXPECT_EQ(View(), "list at 7,-9 saved 7,-9");
}

TEST_F(MenuBar, ThumbSizeLabelsSetTheCellAndRedraw) {
  const std::pair<int32_t, int32_t> sizes[] = {{410, 60},  {440, 100}, {475, 160},
                                               {510, 200}, {545, 300}, {580, 400}};
  ShowGrid();
  for (const auto& [x, side] : sizes) {
    GridRedraw = 0;
    EXPECT_EQ(ClickLabel(x), Sleeps{});
    EXPECT_EQ(ThumbSize.x, side);
    EXPECT_EQ(ThumbSize.y, side);
    EXPECT_EQ(GridRedraw, 1u);
  }
}

TEST_F(MenuBar, CommandLabelsActLikeTheirKeys) {
  for (int32_t factor : {1, 2, 0}) {
    EXPECT_EQ(ClickLabel(251), Sleeps{150});
    EXPECT_EQ(ColumnFactor, factor);
  }
  for (const auto& [x, mode] : {std::pair{479, 0}, std::pair{509, 2}, std::pair{464, 1}}) {
    EXPECT_EQ(ClickLabel(x), Sleeps{});
    EXPECT_EQ(DisplayMode, mode);
  }
  ShowGrid();
  GridRedraw = 0;
  EXPECT_EQ(ClickLabel(637), Sleeps{}) << "the grid's labels stand further right";
  EXPECT_EQ(DisplayMode, 0);
  EXPECT_EQ(GridRedraw, 1u) << "a mode change redraws the grid";
  EXPECT_EQ(ClickLabel(228), Sleeps{});
  EXPECT_EQ(QuitRequested, 1u);
}

TEST_F(MenuBar, UnknownIdsAreIgnored) {
  Frames(1);
  for (uint32_t id : {1199999u, 1200016u, 4000u, 12001u, 0xFFFFFFFFu}) {
    DispatchCommand(id, 0);
    EXPECT_EQ(ViewMode, ViewModeKind::List);
    EXPECT_EQ(QuitRequested, 0u);
  }
}

}  // namespace
