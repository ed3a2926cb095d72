// Launching through the real frame loop on the headless backend: the player's placement follows
// the geometry the menu is really in, and the file manager gets the folder being browsed.
#include "browser/launch.h"
#include "shell/menu_scenario.h"
#include "shell/virtual_keys.h"

namespace {

class LaunchScenario : public MenuScenario {
 protected:
  void SetUp() override {
    MenuScenario::SetUp();
    ForgetPendingPlacement();
    headless::Backend().existingWindowTitles.push_back("Moxa3 video and audio player");
  }
  // Right click on the list row of entry (column 0, no scrolling).
  static std::vector<int32_t> ClickRow(int32_t entry) {
    return ClickAt(ViewOffset.x + 12, ViewOffset.y + CanvasHeight - 26 - 8 * entry - 3);
  }
  // Selects the entry with a first click, unless it is selected already, and opens it (launches a
  // file, enters a folder) with a second.
  static void OpenByClicks(int32_t entry) {
    if (SelectedEntry != entry) ClickRow(entry);
    ClickRow(entry);
  }
  static const headless::WindowPlacement& OnlyPlacement() {
    const auto& placements = headless::Backend().placements;
    EXPECT_EQ(placements.size(), 1u);
    static const headless::WindowPlacement kNone{"", -1, -1, -1, -1};
    return placements.empty() ? kNone : placements.back();
  }
};

TEST_F(LaunchScenario, HalfScreenPlayerOpensAtTheMenusCorner) {
  OpenByClicks(IndexOf("song.mp3"));
  EXPECT_EQ(OnlyPlacement().left, 0);
  EXPECT_EQ(OnlyPlacement().top, 0);
  EXPECT_EQ(OnlyPlacement().width, 600);
  EXPECT_EQ(OnlyPlacement().height, 600);
}

TEST_F(LaunchScenario, HalfScreenAfterCenterCenterScalesTheListOffset) {
  ClickLabel(402);
  ASSERT_EQ(ViewOffset.x, 320);
  ASSERT_EQ(ViewOffset.y, -180);
  OpenByClicks(IndexOf("song.mp3"));
  EXPECT_EQ(OnlyPlacement().left, 640);
  EXPECT_EQ(OnlyPlacement().top, 360);
}

TEST_F(LaunchScenario, In1280x960AfterCenterCenterThePlayerOpensAtTheListCorner) {
  PressKey(vk::F6);
  ClickLabel(402);
  OpenByClicks(IndexOf("song.mp3"));
  EXPECT_EQ(OnlyPlacement().left, 426);
  EXPECT_EQ(OnlyPlacement().top, 320);
}

TEST_F(LaunchScenario, AWindowMovedNearTheBottomKeepsThePlayerOnTheScreen) {
  PressKey(vk::F6);
  headless::Backend().cursorX = 100;
  headless::Backend().cursorY = 700;
  PressKey(vk::M);
  ASSERT_EQ(WindowPos.y, 700);
  OpenByClicks(IndexOf("song.mp3"));
  EXPECT_EQ(OnlyPlacement().left, 100);
  EXPECT_EQ(OnlyPlacement().top, 480);
}

TEST_F(LaunchScenario, ALaunchInAFolderUsesStartDirsPlayerAndLeavesStartDirCurrent) {
  media_.AddFile("Films/a film.mkv");
  OpenByClicks(IndexOf("Films"));
  ASSERT_EQ(std::string(FolderPath), media_.text() + "/Films/");
  OpenByClicks(IndexOf("a film.mkv"));
  const auto& started = headless::Backend().programsStarted;
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].program, media_.text() + "/moxa3");
  EXPECT_EQ(started[0].parameters, " rightful " + media_.text() + "/Films/a*film.mkv 0 ");
  EXPECT_EQ(fs::current_path(), media_.path());
}

TEST_F(LaunchScenario, TheF7LabelOpensTheFileManagerOnTheFolderAsOneArgument) {
  EXPECT_EQ(ClickLabel(494), Sleeps{450});
  const auto& started = headless::Backend().programsStarted;
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].program, "xdg-open");
  EXPECT_EQ(started[0].parameters, media_.text());
  EXPECT_EQ(started[0].split, platform::ParameterSplit::Whole);
}

}  // namespace
