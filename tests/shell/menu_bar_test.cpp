// The MenuBar in the running menu: where each label claims its id, and what a click on each
// label, on empty space and in the bar strip does, with the sleeps after it.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "menu_scenario.h"
#include "pictures/texture_loader.h"
#include "shell/menu_bar.h"

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
  // Each label's band starts exactly at its x.
  static void ExpectLabelsAt(const std::vector<LabelPlace>& labels) {
    for (const auto& label : labels) {
      EXPECT_EQ(IdOnBar(label.x), label.id) << label.x;
      EXPECT_NE(IdOnBar(label.x - 1), label.id) << label.x;
    }
  }
  static std::vector<uint32_t> BarIds() {
    std::vector<uint32_t> ids;
    for (int32_t x = 0; x < CanvasWidth; ++x) {
      const uint32_t id = PickIdAt(x, CanvasHeight - 16);
      if (id != 0 && (ids.empty() || ids.back() != id)) ids.push_back(id);
    }
    return ids;
  }
  static std::vector<uint32_t> IdsOf(const std::vector<LabelPlace>& labels) {
    std::vector<uint32_t> ids;
    for (const auto& label : labels) ids.push_back(label.id);
    return ids;
  }
  void ShowGrid() {
    PressKey(0xDD);  // "]" shows the grid at offset 0, 0
    Frames(1);
    ASSERT_EQ(ViewMode, ViewModeKind::Grid);
  }
};

TEST_F(MenuBar, ListLabelsClaimTheirIdsLeftToRight) {
  Frames(1);
  ExpectLabelsAt(kListLabels);
  EXPECT_EQ(BarIds(), IdsOf(kListLabels)) << "nothing else, the title included, claims the bar";
}

TEST_F(MenuBar, GridLabelsClaimTheirIdsAtTheGridPlaces) {
  ShowGrid();
  Frames(1);
  ExpectLabelsAt(kGridLabels);
  EXPECT_EQ(BarIds(), IdsOf(kGridLabels));
}

TEST_F(MenuBar, TheLabelsMoveWithTheViewOffset) {
  ViewOffset = {100, -50};
  Frames(1);
  ExpectLabelsAt(kListLabels);
}

TEST_F(MenuBar, TheViewerShowsNoLabels) {
  Frames(1);
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
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  EXPECT_EQ(GridRedraw, 1u);
  EXPECT_EQ(EntryTable.count, before + 1) << "the label reads the folder again";
  EXPECT_EQ(FirstThumb, 2);
  EXPECT_EQ(SavedViewOffset.x, 30);
  EXPECT_EQ(ViewOffset.x, 0);
  Frames(1);
  const int32_t selected = SelectedEntry;
  EXPECT_EQ(ClickLabel(268), Sleeps{});
  EXPECT_EQ(ViewMode, ViewModeKind::List);
  EXPECT_EQ(GridRedraw, 0u);
  EXPECT_EQ(FirstThumb, selected);
  EXPECT_EQ(ViewOffset.x, 30);
  EXPECT_EQ(ViewOffset.y, -60);
}

TEST_F(MenuBar, BracketLabelsInTheListKeepItsOffsetAndSleepLonger) {
  ViewOffset = {30, -60};
  EXPECT_EQ(ClickLabel(320), (Sleeps{180, 150, 480}));
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  EXPECT_EQ(SavedViewOffset.x, 30);
  EXPECT_EQ(SavedViewOffset.y, -60);
  EXPECT_EQ(ViewOffset.x, 0);
  Frames(1);
  EXPECT_EQ(ClickLabel(360), (Sleeps{150, 480})) << "in the grid there is no offset to keep";
  EXPECT_EQ(SavedViewOffset.x, 30);
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
}

TEST_F(MenuBar, BracketRightInTheListPagesForward) {
  EXPECT_EQ(ClickLabel(360), (Sleeps{180, 150, 480}));
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
}

TEST_F(MenuBar, CenterCenterMovesTheListAndEmptySpacePutsItBack) {
  ViewOffset = {7, -9};
  EXPECT_EQ(ClickLabel(402), Sleeps{});
  EXPECT_EQ(ViewOffset.x, 960 / 3);
  EXPECT_EQ(ViewOffset.y, -540 / 3);
  EXPECT_EQ(SavedViewOffset.x, 7);
  media_.AddFile("new.mp3");
  const int32_t before = EntryTable.count;
  EXPECT_EQ(ClickAt(900, 5), Sleeps{});
  EXPECT_EQ(ViewOffset.x, 7);
  EXPECT_EQ(ViewOffset.y, -9);
  EXPECT_EQ(ViewMode, ViewModeKind::List);
  EXPECT_EQ(EntryTable.count, before + 1);
}

TEST_F(MenuBar, EmptySpaceInTheGridReturnsToTheList) {
  ShowGrid();
  ClickAt(CanvasWidth - 1, 0);
  EXPECT_EQ(ViewMode, ViewModeKind::List);
  EXPECT_EQ(GridRedraw, 0u);
}

TEST_F(MenuBar, AClickInTheBarStripOnNothingDoesNothing) {
  ViewOffset = {7, -9};
  SavedViewOffset = {1, 1};
  EXPECT_EQ(ClickAt(900, CanvasHeight - 30), Sleeps{});
  EXPECT_EQ(ViewOffset.x, 7);
  ClickAt(900, CanvasHeight - 31);
  EXPECT_EQ(ViewOffset.x, 1) << "one row lower is empty space";
}

TEST_F(MenuBar, ThumbSizeLabelsSetTheCellAndRedraw) {
  const std::vector<std::pair<int32_t, int32_t>> sizes = {{410, 60},  {440, 100}, {475, 160},
                                                          {510, 200}, {545, 300}, {580, 400}};
  ShowGrid();
  for (const auto& [x, side] : sizes) {
    EXPECT_EQ(ClickLabel(x), Sleeps{});
    EXPECT_EQ(ThumbSize.x, side);
    EXPECT_EQ(ThumbSize.y, side);
    EXPECT_EQ(GridRedraw, 1u);
  }
}

TEST_F(MenuBar, FunctionLabelsChangeTheDisplayModeOrOpenTheFileManager) {
  EXPECT_EQ(ClickLabel(479), Sleeps{});
  EXPECT_EQ(DisplayMode, 0);
  EXPECT_EQ(CanvasWidth, 1280);
  EXPECT_EQ(ClickLabel(509), Sleeps{});
  EXPECT_EQ(DisplayMode, 2);
  EXPECT_EQ(CanvasWidth, 1920);
  EXPECT_EQ(ClickLabel(464), Sleeps{});
  EXPECT_EQ(DisplayMode, 1);
  EXPECT_EQ(ClickLabel(494), Sleeps{450});
  ASSERT_EQ(headless::Backend().programsStarted.size(), 1u);
  EXPECT_EQ(headless::Backend().programsStarted[0].parameters, std::string(FolderPath));
}

TEST_F(MenuBar, GridFunctionLabelsStandFurtherRight) {
  ShowGrid();
  EXPECT_EQ(ClickLabel(637), Sleeps{});
  EXPECT_EQ(DisplayMode, 0);
  EXPECT_EQ(GridRedraw, 1u) << "a mode change redraws the grid";
}

TEST_F(MenuBar, LfCyclesTheColumnFactorAndEscEnds) {
  for (int32_t expected : {1, 2, 0}) {
    EXPECT_EQ(ClickLabel(251), Sleeps{150});
    EXPECT_EQ(ColumnFactor, expected);
  }
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
