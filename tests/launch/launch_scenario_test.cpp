// Launching through the real frame loop on the headless backend: the player is started from
// StartDir, its window is placed by the geometry the menu is really in, and the file manager gets
// the folder being browsed.
#include "browser/launch.h"
#include "shell/menu_scenario.h"
#include "shell/virtual_keys.h"

namespace {

class LaunchScenario : public MenuScenario {
 protected:
  void SetUp() override {
    MenuScenario::SetUp();
    ForgetPendingPlacement();
  }
  static void PlayerWindowExists() {
    headless::Backend().existingWindowTitles.push_back("Moxa3 video and audio player");
  }
  // Selects the entry with a right click on its list row (column 0, no scrolling) unless it is
  // selected already, and opens it (launches a file, enters a folder) with a second.
  static void OpenByClicks(const std::string& name) {
    const int32_t entry = IndexOf(name);
    const auto click = [entry] {
      ClickAt(ViewOffset.x + 12, ViewOffset.y + CanvasHeight - 26 - 8 * entry - 3);
    };
    if (SelectedEntry != entry) {
      click();
      EXPECT_TRUE(Started().empty()) << "the first click only selects";
    }
    click();
  }
  static const std::vector<headless::ProgramStart>& Started() {
    return headless::Backend().programsStarted;
  }
  static const std::vector<headless::WindowPlacement>& Placements() {
    return headless::Backend().placements;
  }
  static void ExpectOnePlacement(int32_t left, int32_t top) {
    ASSERT_EQ(Placements().size(), 1u);
    EXPECT_EQ(Placements()[0].title, "Moxa3 video and audio player");
    EXPECT_EQ(Placements()[0].left, left);
    EXPECT_EQ(Placements()[0].top, top);
    EXPECT_EQ(Placements()[0].width, 600);
    EXPECT_EQ(Placements()[0].height, 600);
  }
};

TEST_F(LaunchScenario, PStartsStartDirsPlayerWithTheAsteriskPathAndLeavesStartDirCurrent) {
  SelectedEntry = IndexOf("My Song.mp3");
  fs::current_path(media_.path() / "Films");
  EXPECT_EQ(PressKey(vk::P), Sleeps{340});
  ASSERT_EQ(Started().size(), 1u);
  EXPECT_EQ(Started()[0].program, media_.text() + "/moxa3");
  EXPECT_EQ(Started()[0].parameters, " rightful " + media_.text() + "/My*Song.mp3 0 ");
  EXPECT_EQ(Started()[0].split, platform::ParameterSplit::AtSpaces);
  EXPECT_EQ(fs::current_path(), media_.path());
  // No player window yet: nothing is placed and no message is shown; it is placed, once, in a
  // later frame when it appears.
  EXPECT_TRUE(Placements().empty());
  EXPECT_TRUE(headless::Backend().messageBoxes.empty());
  PlayerWindowExists();
  Frames(3);
  ExpectOnePlacement(0, 0);
}

TEST_F(LaunchScenario, APlayerWindowIsWaitedForThreeHundredFramesOnly) {
  SelectedEntry = IndexOf("song.mp3");
  PressKey(vk::P);
  ASSERT_EQ(Started().size(), 1u);
  Frames(300);  // one frame fewer and it is still placed
  PlayerWindowExists();
  Frames(2);
  EXPECT_TRUE(Placements().empty());
}

TEST_F(LaunchScenario, HalfScreenAfterCenterCenterScalesTheListOffset) {
  PlayerWindowExists();
  ClickLabel(402);
  ASSERT_EQ(ViewOffset.x, 320);
  ASSERT_EQ(ViewOffset.y, -180);
  OpenByClicks("song.mp3");
  ExpectOnePlacement(640, 360);
  Frames(2);
  EXPECT_EQ(Placements().size(), 1u) << "a window found at once is not placed again";
}

TEST_F(LaunchScenario, In1280x960TheListCornerAndTheScreensBottomDecide) {
  PlayerWindowExists();
  PressKey(vk::F6);
  ClickLabel(402);
  OpenByClicks("song.mp3");
  ExpectOnePlacement(426, 320);
  headless::Backend().placements.clear();
  ViewOffset = {};
  headless::Backend().cursorX = 100;
  headless::Backend().cursorY = 700;
  PressKey(vk::M);
  ASSERT_EQ(WindowPos.y, 700);
  OpenByClicks("song.mp3");
  ExpectOnePlacement(100, 480);
}

TEST_F(LaunchScenario, OnlyTheSelectedFileInTheListIsLaunched) {
  PlayerWindowExists();
  for (int32_t entry : {0, IndexOf("Films"), EntryTable.count + 1, 3000, -1}) {
    SelectedEntry = entry;
    LaunchSelectedEntry();
  }
  SelectedEntry = IndexOf("song.mp3");
  PressKey(vk::T);  // the grid view
  PressKey(vk::P);
  PressKey(vk::T);
  // Right clicks on another row than the selected one, on ids of no list row.
  headless::PointAtCanvas(100, 100);
  const uint32_t selectedRow = 12000 + static_cast<uint32_t>(SelectedEntry);
  for (uint32_t id : {selectedRow + 1, 0u, 4000u + SelectedEntry, 1200000u + selectedRow,
                      selectedRow + 3000}) {
    std::fill(PickMap, PickMap + CanvasWidth * CanvasHeight, id);
    RightClick = 1;
    LaunchOnClick();
    EXPECT_EQ(RightClick, 1u) << id;
  }
  std::fill(PickMap, PickMap + CanvasWidth * CanvasHeight, selectedRow);
  for (ViewModeKind mode : {ViewModeKind::Grid, ViewModeKind::Viewer}) {
    ViewMode = mode;
    LaunchOnClick();
  }
  ViewMode = ViewModeKind::List;
  RightClick = 0;
  LaunchOnClick();
  EXPECT_TRUE(Started().empty());
  RightClick = 1;
  LaunchOnClick();
  EXPECT_EQ(Started().size(), 1u);
  EXPECT_EQ(RightClick, 0u) << "the launching click is consumed";
}

TEST_F(LaunchScenario, TheF7LabelOpensTheFileManagerOnTheFolderAsOneArgument) {
  const std::string odd = "it's \"here\" $(x) ; -n";
  media_.AddFolder(odd);
  PressKey(vk::R);  // relist
  OpenByClicks(odd);
  EXPECT_EQ(ClickLabel(494), Sleeps{450});
  ASSERT_EQ(Started().size(), 1u);
  EXPECT_EQ(Started()[0].program, "xdg-open");
  EXPECT_EQ(Started()[0].parameters, media_.text() + "/" + odd + "/");
  EXPECT_EQ(Started()[0].split, platform::ParameterSplit::Whole);
}

}  // namespace
