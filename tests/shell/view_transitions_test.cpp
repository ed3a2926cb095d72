// The view transitions of the menu, driven through the running loop: clicks on list rows and
// thumbnails, the viewer's way back, and mode changes that keep the view.
#include "menu_scenario.h"
#include "pictures/texture_loader.h"
#include "shell/virtual_keys.h"

namespace {

class ViewTransitions : public MenuScenario {
 protected:
  // Clicks the list row of entry i in the first column (the list is drawn at offset 0, 0).
  static Sleeps ClickRow(int32_t entry) {
    return ClickAt(12, CanvasHeight - 26 - 8 * (entry - ListScroll) - 5);
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
    int32_t i = 0;
    while (i < CanvasWidth * CanvasHeight && PickMap[i] != thumb) ++i;
    ASSERT_LT(i, CanvasWidth * CanvasHeight) << "the thumbnail is drawn";
    ClickAt(i % CanvasWidth, i / CanvasWidth);
    ASSERT_EQ(ViewMode, ViewModeKind::Viewer);
    EXPECT_EQ(ShownPicture, IndexOf("picture.bmp"));
  }
};

TEST_F(ViewTransitions, FoldersOpenWithTwoClicksAndOneThatVanishesKeepsTheMenuRunning) {
  OpenWithTwoClicks("Films");
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/Films/");
  EXPECT_EQ(ViewMode, ViewModeKind::List);
  EXPECT_EQ(SelectedEntry, 1);
  EXPECT_EQ(RelistRequest, 0u) << "the loop read the folder again and cleared the request";
  EXPECT_EQ(EntryTable.count, 2);
  fs::remove_all(media_.path() / "Films");
  PressKey(vk::R);
  Frames(3);
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/Films/");
  OpenWithTwoClicks("..");
  EXPECT_EQ(std::string(FolderPath), media_.text() + "/") << "the parent still opens";
  EXPECT_EQ(EntryTable.count, 5);
}

TEST_F(ViewTransitions, AnyClickOrBracketKeyInTheViewerReturnsToTheGrid) {
  OpenPictureInViewer();
  media_.AddFile("new.mp3");
  const int32_t before = EntryTable.count;
  EXPECT_EQ(ClickLabel(228), Sleeps{}) << "even where the list shows ESC";
  EXPECT_EQ(View(), "grid redraw at 0,0 saved 0,0");
  EXPECT_EQ(QuitRequested, 0u);
  EXPECT_EQ(EntryTable.count, before + 1);
  for (int32_t key : {vk::BracketLeft, vk::BracketRight}) {
    OpenPictureInViewer();
    EXPECT_EQ(PressKey(key), Sleeps{150});
    EXPECT_EQ(ViewMode, ViewModeKind::Grid);
  }
}

TEST_F(ViewTransitions, FunctionKeysChangeTheDisplayModeKeepingTheView) {
  EXPECT_EQ(PressKey(vk::F6), Sleeps{});
  EXPECT_EQ(DisplayMode, 0);
  EXPECT_EQ(CanvasWidth, 1280);
  EXPECT_EQ(View(), "list at 0,0 saved 0,0");
  PressKey(vk::T);
  Frames(1);
  ASSERT_EQ(GridRedraw, 0u);
  EXPECT_EQ(PressKey(vk::F8), Sleeps{});
  EXPECT_EQ(DisplayMode, 2);
  EXPECT_EQ(CanvasWidth, 1920);
  EXPECT_EQ(View(), "grid redraw at 0,0 saved 0,0") << "the grid is drawn again";
  OpenPictureInViewer();
  EXPECT_EQ(PressKey(vk::F5), Sleeps{});
  EXPECT_EQ(DisplayMode, 1);
  EXPECT_EQ(CanvasWidth, 960);
  EXPECT_EQ(PictureLoader.ViewerStep, 3.0f);
  EXPECT_EQ(ViewMode, ViewModeKind::Viewer);
}

}  // namespace
