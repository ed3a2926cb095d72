// Launching through the real frame loop on the headless backend: the platform's player starts,
// its window is placed once by the menu's real geometry, the file manager gets the browsed folder.
#include <string>
#include <tuple>

#include "browser/launch.h"
#include "shell/menu_scenario.h"
#include "shell/virtual_keys.h"

namespace {

class LaunchScenario : public MenuScenario {
 protected:
  static void PlayerWindowExists() {
    headless::Backend().existingWindowTitles.push_back("Moxa3 video and audio player");
  }
  static const std::vector<headless::ProgramStart>& Started() { return headless::Backend().programsStarted; }
  static const std::vector<headless::WindowPlacement>& Placements() { return headless::Backend().placements; }
  static void ExpectOneStart(const std::string& program, const std::string& parameters,
                             platform::ParameterSplit split) {
    ASSERT_EQ(Started().size(), 1u);
    const headless::ProgramStart& s = Started()[0];
    EXPECT_EQ(std::tie(s.program, s.parameters, s.split), std::tie(program, parameters, split));
  }
  static void ExpectOnePlacement(int32_t left, int32_t top) {
    ASSERT_EQ(Placements().size(), 1u);
    const headless::WindowPlacement& p = Placements()[0];
    EXPECT_EQ(std::tie(p.title, p.left, p.top, p.width, p.height),
              std::tuple(std::string("Moxa3 video and audio player"), left, top, 600, 600));
  }
};

TEST_F(LaunchScenario, PStartsThePlayerWithTheAsteriskPathAndLeavesStartDirCurrent) {
  SelectedEntry = IndexOf("My Song.mp3");
  fs::current_path(media_.path() / "Films");
  PlayerWindowExists();
  EXPECT_EQ(PressKey(vk::P), Sleeps{340});
  ExpectOneStart(platform::PlayerProgram(StartDir), " rightful " + media_.text() + "/My*Song.mp3 0 ",
                 platform::ParameterSplit::AtSpaces);
  EXPECT_EQ(fs::current_path(), media_.path());
  ExpectOnePlacement(0, 0);
  EXPECT_TRUE(headless::Backend().messageBoxes.empty());
}

TEST_F(LaunchScenario, APlayerWindowIsLookedForOnceRightAfterThePause) {
  SelectedEntry = IndexOf("song.mp3");
  PressKey(vk::P);
  ASSERT_EQ(Started().size(), 1u);
  PlayerWindowExists();  // too late: it appeared after the pause
  Frames(3);
  EXPECT_TRUE(Placements().empty());
}

TEST_F(LaunchScenario, OnlyTheSelectedFileInTheListIsLaunched) {
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
  for (uint32_t id : {selectedRow + 1, 0u, 4000u + SelectedEntry, 1200000u + selectedRow, selectedRow + 3000}) {
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

TEST_F(LaunchScenario, F7OpensTheFileManagerOnTheFolderAsOneArgument) {
  EXPECT_EQ(PressKey(vk::F7), Sleeps{450});
  ExpectOneStart("xdg-open", media_.text(), platform::ParameterSplit::Whole);
}

}  // namespace
