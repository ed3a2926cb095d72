// The menu's commands in the running loop: each key and MenuBar label with its effect and the sleep
// after it, clicks on list rows and thumbnails, the viewer's way back, and the display modes. Where
// the labels and the status text are drawn is checked with the whole overlay.
#include <algorithm>
#include <tuple>
#include <utility>

#include "menu_scenario.h"
#include "pictures/texture_loader.h"
#include "shell/menu_bar.h"
#include "shell/virtual_keys.h"

namespace {

class Commands : public MenuScenario {
 protected:
  // One click on the entry's list row (first column, offset 0, 0) selects it, a second opens it.
  static void OpenWithTwoClicks(const std::string& name) {
    const int32_t entry = IndexOf(name);
    if (SelectedEntry == entry) SelectedEntry = entry == 1 ? 2 : 1;
    for (int i = 0; i < 2; ++i) ClickAt(12, CanvasHeight - 26 - 8 * (entry - ListScroll) - 5);
  }
  // Shows the grid from the picture's entry and clicks its thumbnail.
  static void OpenPictureInViewer() {
    ViewMode = ViewModeKind::List;  // T then turns to the grid from wherever the test stands
    GridRedraw = 0;
    SelectedEntry = IndexOf("picture.bmp");
    PressKey(vk::T);
    Frames(1);
    const uint32_t* thumb = std::find(PickMap, PickMap + CanvasWidth * CanvasHeight,
                                      4000 + static_cast<uint32_t>(SelectedEntry));
    const auto i = static_cast<int32_t>(thumb - PickMap);
    ASSERT_LT(i, CanvasWidth * CanvasHeight) << "the thumbnail is drawn";
    ClickAt(i % CanvasWidth, i / CanvasWidth);
    ASSERT_EQ(ViewMode, ViewModeKind::Viewer);
    EXPECT_EQ(ShownPicture, IndexOf("picture.bmp"));
  }
};

TEST_F(Commands, BracketsZeroTheOffsetAndTurnToTheGridWhereNDoesNothing) {
  ViewOffset = {30, -40};
  EXPECT_EQ(PressKey(vk::BracketRight), Sleeps{150});
  EXPECT_EQ(View(), "grid redraw at 0,0 saved 0,0") << "the keys do not keep the list's offset";
  EXPECT_EQ(PressKey(vk::BracketLeft), Sleeps{150});
  EXPECT_EQ(FirstThumb, 1);
  headless::PointAtCanvas(200, 300);
  PressKey(vk::N);
  EXPECT_EQ(ViewOffset.x, 0) << "N places the list only";
}

TEST_F(Commands, TTogglesListAndGridKeepingTheListOffset) {
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

TEST_F(Commands, ScrollKeysStayWithinTheirBounds) {
  for (int i = 0; i < 60; ++i) media_.AddFile(std::string("f").append(std::to_string(i)));
  PressKey(vk::R);
  ASSERT_EQ(EntryTable.count, 66);
  // Comma and period sleep even when not moving; shift keys stop at the first and last entry.
  const std::pair<int32_t, int32_t> steps[] = {{vk::Comma, 0},       {vk::Period, 1},      {vk::Period, 2},
                                               {vk::Comma, 1},       {vk::RightShift, 25}, {vk::RightShift, 49},
                                               {vk::RightShift, 65}, {vk::LeftShift, 41},  {vk::LeftShift, 17},
                                               {vk::LeftShift, 0}};
  for (const auto& [key, scroll] : steps) {
    EXPECT_EQ(PressKey(key), Sleeps{30}) << key;
    EXPECT_EQ(ListScroll, scroll) << key;
  }
  ListScroll = 2999;  // the table's last row
  PressKey(vk::Period);
  EXPECT_EQ(ListScroll, 2999);
  EntryTable.count = 0;  // a folder gone from under the list
  PressKey(vk::RightShift);
  EXPECT_EQ(ListScroll, 0);
}

TEST_F(Commands, ThumbnailsSwitchesToTheGridAndBackWithoutSleeping) {
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

TEST_F(Commands, BracketLabelsInTheListKeepItsOffsetAndSleepLonger) {
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

TEST_F(Commands, CenterCenterMovesTheListAndEmptySpacePutsItBack) {
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

TEST_F(Commands, ListCommandLabelsActLikeTheirKeys) {
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

TEST_F(Commands, UnknownIdsAreIgnored) {
  for (uint32_t id : {1199999u, 1200016u, 4000u, 0xFFFFFFFFu}) DispatchCommand(id, 0);
  EXPECT_EQ(View(), "list at 0,0 saved 0,0");
  EXPECT_EQ(QuitRequested, 0u);
}

TEST_F(Commands, FoldersOpenWithTwoClicksAndOneThatVanishesKeepsTheMenuRunning) {
  OpenWithTwoClicks("Films");
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/Films/");
  EXPECT_EQ(SelectedEntry, 1);
  EXPECT_EQ(RelistRequest, 0u) << "the loop read the folder again and cleared the request";
  EXPECT_EQ(EntryTable.count, 2);
  fs::remove_all(media_.path() / "Films");
  PressKey(vk::R);
  Frames(3);
  OpenWithTwoClicks("..");
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/") << "the parent still opens";
  EXPECT_EQ(EntryTable.count, 5);
}

TEST_F(Commands, AnyClickInTheViewerReturnsToTheGrid) {
  OpenPictureInViewer();
  media_.AddFile("new.mp3");
  EXPECT_EQ(ClickLabel(228), Sleeps{}) << "even where the list shows ESC";
  EXPECT_EQ(View(), "grid redraw at 0,0 saved 0,0");
  EXPECT_EQ(QuitRequested, 0u);
  EXPECT_EQ(EntryTable.count, 7) << "the folder is read again";
}

TEST_F(Commands, FunctionKeysSetTheGeometryAndKeepTheView) {
  struct Geometry {
    int32_t key, width, height, scale, thumb;
    float viewerStep;
  };
  const Geometry modes[] = {{0, 960, 540, 2, 140, 4.0f}, {vk::F6, 1280, 960, 1, 200, 2.0f}, {vk::F8, 1367, 1080, 1, 200, 2.0f},
                            {vk::F5, 682, 540, 2, 140, 3.0f}};
  for (const auto& [key, width, height, scale, thumb, step] : modes) {
    if (key != 0) {
      EXPECT_EQ(PressKey(key), Sleeps{}) << key;
    } else {
      headless::Backend().screenWidth = 1367;  // odd from now on: the half-screen Canvas drops a column
    }
    EXPECT_EQ(std::tuple(CanvasWidth, CanvasHeight, PixelScale, ThumbSize.x, ThumbSize.y),
              std::tuple(width, height, scale, thumb, thumb)) << key;
    EXPECT_EQ(PictureLoader.ViewerStep, step) << key;
    EXPECT_EQ(headless::Backend().windowWidth, width * scale) << key;
  }
  EXPECT_EQ(View(), "list at 0,0 saved 0,0");
  PressKey(vk::T);
  Frames(1);
  ASSERT_EQ(GridRedraw, 0u);
  PressKey(vk::F8);
  EXPECT_EQ(View(), "grid redraw at 0,0 saved 0,0") << "the grid is drawn again";
  OpenPictureInViewer();
  PressKey(vk::F6);
  EXPECT_EQ(ViewMode, ViewModeKind::Viewer);
}

}  // namespace
