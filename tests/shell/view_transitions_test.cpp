// The view transitions of the menu, driven through the running loop: clicks on list rows and
// thumbnails, the viewer's way back, and mode changes that keep the view.
#include <gtest/gtest.h>

#include <string>

#include "browser/list_view.h"
#include "menu_scenario.h"
#include "shell/virtual_keys.h"

namespace {

class ViewTransitions : public MenuScenario {
 protected:
  // Clicks the list row of entry i in the first column (the list is drawn at offset 0, 0).
  static Sleeps ClickRow(int32_t entry) {
    const int32_t row = entry - ListScroll;
    return ClickAt(12, CanvasHeight - 26 - 8 * row - 5);
  }
  // Selects the entry with one click on its row and opens it with a second.
  void OpenWithTwoClicks(const std::string& name) {
    const int32_t entry = IndexOf(name);
    if (SelectedEntry == entry) SelectedEntry = entry == 1 ? 2 : 1;  // so that the first click selects
    ClickRow(entry);
    ClickRow(entry);
  }
  // Shows the grid from the picture's entry and clicks its thumbnail.
  void OpenPictureInViewer() {
    ViewMode = ViewModeKind::List;  // T then turns to the grid from wherever the test stands
    GridRedraw = 0;
    SelectedEntry = IndexOf("picture.bmp");
    PressKey(vk::T);
    Frames(1);
    ASSERT_EQ(FirstThumb, IndexOf("picture.bmp"));
    const uint32_t thumb = 4000 + static_cast<uint32_t>(IndexOf("picture.bmp"));
    for (int32_t i = 0; i < CanvasWidth * CanvasHeight; ++i) {
      if (PickMap[i] == thumb) {
        ClickAt(i % CanvasWidth, i / CanvasWidth);
        break;
      }
    }
    ASSERT_EQ(ViewMode, ViewModeKind::Viewer);
  }
};

TEST_F(ViewTransitions, AFirstClickOnAFileSelectsItAndNeverLaunches) {
  const int32_t song = IndexOf("My Song.mp3");
  ASSERT_NE(song, SelectedEntry);
  EXPECT_EQ(ClickRow(song), Sleeps{});
  EXPECT_EQ(SelectedEntry, song);
  EXPECT_TRUE(headless::Backend().programsStarted.empty());
  EXPECT_EQ(ClickRow(song), Sleeps{340}) << "the second click launches";
  ASSERT_EQ(headless::Backend().programsStarted.size(), 1u);
  EXPECT_EQ(headless::Backend().programsStarted[0].parameters,
            " rightful " + media_.text() + "/My*Song.mp3 0 ");
}

TEST_F(ViewTransitions, TwoClicksOnAFolderRowEnterItAndTheListStays) {
  OpenWithTwoClicks("Films");
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/Films/");
  EXPECT_EQ(ViewMode, ViewModeKind::List);
  EXPECT_EQ(SelectedEntry, 1);
  EXPECT_EQ(RelistRequest, 0u) << "the loop read the folder again and cleared the request";
  EXPECT_EQ(EntryTable.count, 2);
  OpenWithTwoClicks("..");
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/");
  EXPECT_EQ(EntryTable.count, 6);
}

TEST_F(ViewTransitions, AThumbnailThatDecodesOpensTheViewer) {
  OpenPictureInViewer();
  EXPECT_EQ(ShownPicture, IndexOf("picture.bmp"));
  EXPECT_EQ(ViewOffset.x, 0);
}

TEST_F(ViewTransitions, AnyClickInTheViewerReturnsToTheGrid) {
  OpenPictureInViewer();
  media_.AddFile("new.mp3");
  const int32_t before = EntryTable.count;
  EXPECT_EQ(ClickLabel(228), Sleeps{}) << "even where the list shows ESC";
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  EXPECT_EQ(GridRedraw, 1u);
  EXPECT_EQ(QuitRequested, 0u);
  EXPECT_EQ(EntryTable.count, before + 1);
}

TEST_F(ViewTransitions, BracketKeysTakeTheViewerToTheGrid) {
  OpenPictureInViewer();
  EXPECT_EQ(PressKey(vk::BracketLeft), Sleeps{150});
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  OpenPictureInViewer();
  EXPECT_EQ(PressKey(vk::BracketRight), Sleeps{150});
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
}

TEST_F(ViewTransitions, ModeChangesKeepTheView) {
  PressKey(vk::F6);
  EXPECT_EQ(ViewMode, ViewModeKind::List);
  PressKey(vk::T);
  Frames(1);
  ASSERT_EQ(GridRedraw, 0u);
  PressKey(vk::F8);
  EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  EXPECT_EQ(GridRedraw, 1u);
  OpenPictureInViewer();
  PressKey(vk::F5);
  EXPECT_EQ(ViewMode, ViewModeKind::Viewer);
}

TEST_F(ViewTransitions, AFolderThatVanishesWhileShownKeepsTheMenuRunning) {
  OpenWithTwoClicks("Films");
  ASSERT_EQ(std::string(FolderPath), media_.text() + "/Films/");
  fs::remove_all(media_.path() / "Films");
  PressKey(vk::R);
  Frames(3);
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/Films/");
  OpenWithTwoClicks("..");
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/") << "the parent still opens";
}

TEST_F(ViewTransitions, RowsBeyondTheVisibleColumnAreReachedByScrolling) {
  for (int i = 0; i < 80; ++i) media_.AddFile("n" + std::to_string(i));
  PressKey(vk::R);
  const int32_t rows = ListRowsPerColumn();
  ListScroll = 60;
  Frames(1);
  EXPECT_EQ(PickIdAt(12, CanvasHeight - 26 - 8 - 5), 12061u);
  EXPECT_GT(rows, 0);
}

}  // namespace
