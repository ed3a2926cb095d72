// The view transitions of the menu, driven through the running loop: clicks on list rows and
// thumbnails, the viewer's way back, and mode changes that keep the view.
#include <algorithm>
#include <tuple>

#include "menu_scenario.h"
#include "pictures/texture_loader.h"
#include "shell/virtual_keys.h"

namespace {

class ViewTransitions : public MenuScenario {
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

TEST_F(ViewTransitions, FoldersOpenWithTwoClicksAndOneThatVanishesKeepsTheMenuRunning) {
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

TEST_F(ViewTransitions, AnyClickInTheViewerReturnsToTheGrid) {
  OpenPictureInViewer();
  media_.AddFile("new.mp3");
  EXPECT_EQ(ClickLabel(228), Sleeps{}) << "even where the list shows ESC";
  EXPECT_EQ(View(), "grid redraw at 0,0 saved 0,0");
  EXPECT_EQ(QuitRequested, 0u);
  EXPECT_EQ(EntryTable.count, 7) << "the folder is read again";
}

TEST_F(ViewTransitions, FunctionKeysSetTheGeometryAndKeepTheView) {
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
