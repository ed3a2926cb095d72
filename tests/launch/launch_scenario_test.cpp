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
  static const std::vector<headless::ProgramStart>& Started() { return headless::Backend().programsStarted; }
  static const std::vector<headless::WindowPlacement>& Placements() { return headless::Backend().placements; }
  static void ExpectOneStart(const std::string& program, const std::string& parameters, platform::ParameterSplit split) {
    ASSERT_EQ(Started().size(), 1u);
    EXPECT_EQ(std::tie(Started()[0].program, Started()[0].parameters, Started()[0].split), std::tie(program, parameters, split));
  }
};

TEST_F(LaunchScenario, PStartsThePlayerWithTheAsteriskPathAndPlacesItsWindowOnce) {
  SelectedEntry = IndexOf("My Song.mp3");
  fs::current_path(media_.path() / "Films");
  const std::string title = "Moxa3 video and audio player";
  headless::Backend().existingWindowTitles.push_back(title);
  EXPECT_EQ(PressKey(vk::P), Sleeps{340});
  ExpectOneStart(platform::PlayerProgram(StartDir), " rightful " + media_.text() + "/My*Song.mp3 0 ",
                 platform::ParameterSplit::AtSpaces);
  EXPECT_EQ(fs::current_path(), media_.path()) << "the start folder is left current";
  ASSERT_EQ(std::pair(Placements().size(), headless::Backend().messageBoxes.size()), std::pair(size_t{1}, size_t{0}));
  const headless::WindowPlacement& p = Placements()[0];
  EXPECT_EQ(std::tie(p.title, p.left, p.top, p.width, p.height), std::tuple(title, 0, 0, 600, 600));
  // A player window that appears only after the pause is not looked for again.
  headless::Backend().existingWindowTitles.clear();
  SelectedEntry = IndexOf("song.mp3");
  PressKey(vk::P);
  headless::Backend().existingWindowTitles.push_back(title);
  Frames(3);
  EXPECT_EQ(std::pair(Started().size(), Placements().size()), std::pair(size_t{2}, size_t{1}));
}

TEST_F(LaunchScenario, OnlyTheSelectedFileInTheListIsLaunched) {
  for (int32_t entry : {0, IndexOf("Films"), EntryTable.count + 1, 3000, -1}) {
    SelectedEntry = entry;
    LaunchSelectedEntry();
  }
  SelectedEntry = IndexOf("song.mp3");
  for (int32_t key : {vk::T, vk::P, vk::T}) PressKey(key);  // not in the grid view
  // Right clicks on another row than the selected one, on ids of no list row, or outside List.
  headless::PointAtCanvas(100, 100);
  const uint32_t selectedRow = 12000 + static_cast<uint32_t>(SelectedEntry);
  auto clickOn = [](uint32_t id, ViewModeKind mode, uint32_t rightClick) {
    std::fill(PickMap, PickMap + CanvasWidth * CanvasHeight, id);
    ViewMode = mode, RightClick = rightClick;
    LaunchOnClick();
    ViewMode = ViewModeKind::List;
  };
  for (uint32_t id : {selectedRow + 1, 0u, 4000u + SelectedEntry, 1200000u + selectedRow, selectedRow + 3000}) {
    clickOn(id, ViewModeKind::List, 1);
    EXPECT_EQ(RightClick, 1u) << id;
  }
  for (ViewModeKind mode : {ViewModeKind::Grid, ViewModeKind::Viewer}) clickOn(selectedRow, mode, 1);
  clickOn(selectedRow, ViewModeKind::List, 0);
  EXPECT_TRUE(Started().empty());
  clickOn(selectedRow, ViewModeKind::List, 1);
  EXPECT_EQ(Started().size(), 1u);
  EXPECT_EQ(RightClick, 0u) << "the launching click is consumed";
}

TEST_F(LaunchScenario, F7OpensTheFileManagerOnTheFolderAsOneArgument) {
  EXPECT_EQ(PressKey(vk::F7), Sleeps{450});
  ExpectOneStart("xdg-open", media_.text(), platform::ParameterSplit::Whole);
}

}  // namespace
